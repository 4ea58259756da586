#pragma once
// The term pane: one row per term, "Term Id" (index + 1) and the value of the display
// attribute.

#include <QList>

class cDatabase;
class cListView;
class cTermModel;
class QWidget;

class cTermPane {
public:
    cTermPane(cDatabase& database, QWidget* parent);

    cListView* view() const { return view_; }
    // Rebuilds every row from the database.
    void fill();
    void refreshRow(int row);
    // The attribute whose values the second column shows, or -1 for none.
    void setDisplayAttribute(int attribute);
    int displayAttribute() const;
    QList<int> selectedTerms() const;

private:
    cTermModel* model_;
    cListView* view_;
};
