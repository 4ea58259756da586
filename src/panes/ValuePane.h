#pragma once
// The value pane: one row per attribute for the one selected term, the value in column 0
// (edited in place, at most 255 characters) and the attribute's name shown first. The two
// quick-entry modes chain the editor across a term or down an attribute.

#include "panes/ListView.h"

class cPanes;
class cValueModel;
class QWidget;

class cValuePane : public cListViewEvents {
public:
    cValuePane(cPanes& panes, QWidget* parent);
    // The view outlives the pane (the window destroys its widgets last) and may still close
    // an open editor then, so it is told to stop calling back.
    cListView* view() const { return view_; }

    // Rows for the term pane's selection (none unless exactly one term is selected); the
    // selected attribute row stays selected. False, and the rows are left for the end of
    // the edit, while an editor is open.
    bool fill();
    // The row of attribute, when the pane shows term.
    void refreshValue(int term, int attribute);
    // The term the rows show, or -1.
    int term() const;
    // Removes the selected row's value of the selected term; no question asked.
    void deleteValue();
    // Values travel through the system clipboard as plain text: Ascii values as their
    // Windows-1252 text decoded, and encoded again on the way back.
    void cutValue();
    void copyValue();
    void pasteValue();
    void updateCommandState();
    // The open in-place editor, or nullptr.
    QLineEdit* editBox() const { return view_->editor(); }

    bool editOpen() const { return editTerm != -1; }
    // The rows are refilled when the open edit ends.
    void refillAfterEdit() { deferredRefresh = true; }

    // The term whose value is being edited; -1 while no edit is open.
    int editTerm = -1;
    // The row whose editor opens the next time the pane receives the focus; -1 none.
    int pendingEditRow = -1;
    // Set when the selected term changed while an edit was open; the rows are refilled when
    // that edit ends.
    bool deferredRefresh = false;

    void onFocus() override;
    void onClick() override;
    bool onKey(int key) override;
    bool onBeginEdit(int row) override;
    void onEditorOpened(QLineEdit& editor) override;
    void onEndEdit(int row, const QString* text) override;
    void onSelectionChanged() override;

private:
    // Stores an edited text in the attribute's encoding; an empty text removes the value.
    void storeEditedText(int term, int attribute, const QString& text);
    // Quick entry after a committed edit of row attribute of term.
    void quickEntryStep(int term, int attribute);
    // Makes term + 1 the only selected term, appending a new term when term is the last.
    void selectNextTerm(int term);
    // Opens the editor on pendingEditRow when the pane has the focus.
    void openPendingEditor();
    // Copies the selected value to the clipboard; false when there was nothing to copy.
    bool copySelectedValue();

    cPanes& panes_;
    cValueModel* model_;
    cListView* view_;
    int editRow_ = -1;
};
