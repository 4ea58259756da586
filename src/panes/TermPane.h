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

    // Gives term the categories of the selected term, if one is selected.
    void inheritCategories(int term);
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

    // Cleared while Select Members sets the selection, so the value pane is not refilled
    // for every row.
    bool trackTermFocus = true;
    // Set when the focused term changed while a value edit was open; the value pane is
    // refilled when that edit ends.
    bool deferredValueRefresh = false;

    void onFocus() override;
    void onClick() override;
    bool onKey(int key) override;

private:
    void focusedTermChanged();
    // Gives the value pane the focus and opens its editor on the first attribute.
    void editFirstValue();
    // Brackets a change of the term list that adds or removes rows in numbers: the view
    // drops its rows and its selection and reads them again afterwards.
    void beginRowsChange();
    void endRowsChange();
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
