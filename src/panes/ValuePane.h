#pragma once
// The value pane: one row per attribute for the one selected term, the value in column 0
// (edited in place, at most 255 characters) and the attribute's name shown first. The two
// quick-entry modes chain the editor across a term or down an attribute.

#include "panes/ListView.h"

class cPanes;
class cValueModel;
class QWidget;

constexpr int MaxValueEditLength = 255;

class cValuePane : public cListViewEvents {
public:
    cValuePane(cPanes& panes, QWidget* parent);

    cListView* view() const { return view_; }

    // Rows for the term pane's selection (none unless exactly one term is selected), then
    // the category checkboxes.
    void fill();
    // The term the rows show, or -1.
    int term() const;
    void deleteValue();
    void cutValue();
    void copyValue();
    void pasteValue();
    void updateCommandState();
    // The open in-place editor, or nullptr.
    QLineEdit* editBox() const { return view_->editor(); }

    // The term whose value is being edited; -1 while no edit is open.
    int editTerm = -1;
    // The row whose editor opens the next time the pane receives the focus; -1 none.
    int pendingEditRow = -1;

    void onFocus() override;
    bool onKey(int key) override;
    bool onBeginEdit(int row) override;
    void onEditorOpened(QLineEdit& editor) override;
    void onEndEdit(int row, const QString* text) override;

private:
    cPanes& panes_;
    cValueModel* model_;
    cListView* view_;
};
