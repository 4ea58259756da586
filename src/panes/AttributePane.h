#pragma once
// The attribute pane: one row per attribute, its media type shown first and its name in
// column 0 (edited in place). Every change here reshapes the value pane, the term pane's
// display column and the Display Attribute menu.

#include "panes/ListView.h"

class cAttributeModel;
class cPanes;
class QWidget;

class cAttributePane : public cListViewEvents {
public:
    cAttributePane(cPanes& panes, QWidget* parent);

    cListView* view() const { return view_; }

    void fill();
    void newAttribute(int mediaType);
    void deleteSelectedAttribute();
    void updateCommandState();

    void onFocus() override;
    void onClick() override;
    bool onKey(int key) override;
    bool onBeginEdit(int row) override;
    void onEndEdit(int row, const QString* text) override;

private:
    cPanes& panes_;
    cAttributeModel* model_;
    cListView* view_;
};
