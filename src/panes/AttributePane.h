#pragma once
// The attribute pane: one row per attribute, its media type shown first and its name in
// column 0 (edited in place). Every change here reshapes the value pane, the term pane's
// display column and the Display Attribute menu.

#include "panes/ListView.h"

class cAttributeModel;
class cDatabase;
class cPaneHost;
class cPanes;
class QWidget;

class cAttributePane : public cListViewEvents {
public:
    cAttributePane(cPanes& panes, QWidget* parent);

    cListView* view() const { return view_; }

    // Rebuilds the rows and the value pane, keeping the selected row.
    void fill();
    // mediaType: 1 Ascii, 2 Unicode.
    void newAttribute(int mediaType);
    void deleteSelectedAttribute();
    void updateCommandState();

    void onFocus() override;
    void onClick() override;
    bool onKey(int key) override;
    bool onBeginEdit(int row) override;
    void onEndEdit(int row, const QString* text) override;
    void onSelectionChanged() override;

private:
    cDatabase& database() const;
    cPaneHost& host() const;

    cPanes& panes_;
    cAttributeModel* model_;
    cListView* view_;
};
