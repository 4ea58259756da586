#pragma once
// What the attribute and category panes share: one row per named item, the name edited in
// place, Enter to rename and Delete to remove, and a command state that follows the focus,
// the clicks and the selection. Cut, Copy and Paste do nothing in these panes.

#include <initializer_list>

#include "panes/ListView.h"

class cDatabase;
class cPaneHost;
class cPaneModel;
class cPanes;
class QWidget;

class cNamedRowsPane : public cListViewEvents {
public:
    cListView* view() const { return view_; }
    virtual void updateCommandState() = 0;

    void onFocus() override;
    void onClick() override;
    bool onKey(int key) override;
    bool onBeginEdit(int row) override;
    void onEndEdit(int row, const QString* text) override;
    void onSelectionChanged() override;

protected:
    // The view shows model, which it takes over.
    cNamedRowsPane(cPanes& panes, cPaneModel* model, const char* objectName, QWidget* parent);

    // Delete in the pane: removes the selected row's item, asking first where it must.
    virtual void deleteSelected() = 0;
    // The in-place edit of row was committed with text.
    virtual void renamed(int row, const QString& text) = 0;
    // Delete and the pane's own commands are enabled while a row is selected.
    void setCommandState(std::initializer_list<int> ownCommands);

    const cDatabase& database() const;
    cPaneHost& host() const;

    cPanes& panes_;
    cListView* view_;
};
