#pragma once
// The attribute pane: one row per attribute, its media type shown first and its name in
// column 0 (the editable column).

class cDatabase;
class cListView;
class cAttributeModel;
class QWidget;

class cAttributePane {
public:
    cAttributePane(cDatabase& database, QWidget* parent);

    cListView* view() const { return view_; }
    void fill();

private:
    cAttributeModel* model_;
    cListView* view_;
};
