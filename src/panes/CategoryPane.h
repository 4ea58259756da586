#pragma once
// The category pane: one row per category, its name and a checkbox that shows whether a
// selected term belongs to it.

#include <QList>

class cDatabase;
class cListView;
class cCategoryModel;
class QWidget;

class cCategoryPane {
public:
    cCategoryPane(cDatabase& database, QWidget* parent);

    cListView* view() const { return view_; }
    void fill();
    // Ticks each category that at least one of terms belongs to.
    void refreshChecks(const QList<int>& terms);

private:
    cCategoryModel* model_;
    cListView* view_;
};
