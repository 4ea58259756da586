#pragma once
// The term pane: one row per term, "Term Id" (index + 1, with "-" or "+" after a term
// marked by Cut or Copy) and the value of the display attribute. Several terms may be
// selected; the selection drives the value pane and the category checkboxes.
//
// The rows are read from the database on demand, so a change of one row or one column is a
// change notification, never a rebuild; only row counts that change by many at once (delete,
// paste, a new database) make the view forget its rows.

#include <QList>
#include <QString>
#include <cstdint>
#include <vector>

#include "panes/ListView.h"

class cPanes;
class cTermModel;
class QWidget;

class cTermPane : public cListViewEvents {
public:
    cTermPane(cPanes& panes, QWidget* parent);

    cListView* view() const { return view_; }

    // Rebuilds every row from the database, keeping the selected row index.
    void fill();
    void refreshRow(int row);
    // Column 1 of every row; column 0 of every row.
    void refreshDisplayColumn();
    void relabelRows();
    // The attribute whose values column 1 shows (-1: none).
    void setDisplayAttribute(int attribute);
    int displayAttribute() const;
    QList<int> selectedTerms() const;
    // Column 0 of row: its number, with " -" (Cut) or " +" (Copy) when the term is marked.
    QString rowLabel(int row) const;

    // The document changed the rows: count new ones at first; the terms at removed
    // (ascending) gone, their marks with them; the terms moved or copied in numbers.
    void rowsInserted(int first, int count);
    void rowsRemoved(const std::vector<uint32_t>& removed);
    void rowsRearranged();
    // Selects exactly the rows flagged in member, without the value pane following each,
    // and shows current (-1: the first of them).
    void selectOnly(const std::vector<char>& member, int current);

    // A new term after the last, in the categories of the selected term; the value pane
    // then edits its first value.
    void newTerm();
    void deleteSelectedTerms();
    void updateCommandState();

    // Cut and Copy mark the selected terms; Paste moves or copies the marked terms in front
    // of the selected term.
    void cutTerms();
    void copyTerms();
    void pasteTerms();
    void clearMarks();
    // Ascending term indices.
    const QList<int>& markedTerms() const { return markedTerms_; }
    bool marksAreCut() const { return marksAreCut_; }

    // Cleared while selectOnly sets the selection, so the value pane is not refilled for
    // every row.
    bool trackTermFocus = true;

    void onFocus() override;
    void onClick() override;
    bool onKey(int key) override;

private:
    void markSelectedTerms(bool cut);
    // After the terms at deleted (ascending) are gone: their marks go, the marks above them
    // move down.
    void renumberMarksAfterDeletion(const std::vector<uint32_t>& deleted);
    bool isMarked(int term) const;

    cPanes& panes_;
    cTermModel* model_;
    cListView* view_;
    QList<int> markedTerms_;
    bool marksAreCut_ = false;
};
