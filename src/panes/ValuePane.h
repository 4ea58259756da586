#pragma once
// The value pane: one row per attribute, the selected term's value of it in column 0 (the
// editable column) and the attribute's name shown first.

class cDatabase;
class cListView;
class cValueModel;
class QWidget;

class cValuePane {
public:
    cValuePane(cDatabase& database, QWidget* parent);

    cListView* view() const { return view_; }
    // Shows the values of term, or no rows for -1.
    void fill(int term);
    int term() const;

private:
    cValueModel* model_;
    cListView* view_;
};
