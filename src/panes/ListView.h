#pragma once
// cListView: the report-style list every pane is built on, a one-column-headed table view over the
// pane's own table model. Column 0 holds the editable text; a pane that shows another column first
// moves it to the front of the header. The view translates Qt's events into its pane's
// handlers in one place, so each handler keeps its documented order of effects.

#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>

class cPaneModel;

// What a pane does with the events of its view. Every handler has a default that does
// nothing, so a pane overrides only what it handles.
class cListViewEvents {
public:
    virtual ~cListViewEvents() = default;
    virtual void onFocus() {}
    // A left or right click in the list.
    virtual void onClick() {}
    // Tab, Backtab, Left, Right, Delete, Return and Enter reach the pane first; true when the
    // pane handled the key, false to leave it to the list.
    virtual bool onKey(int key) {
        (void)key;
        return false;
    }
    // An in-place edit of row is about to open; false refuses it.
    virtual bool onBeginEdit(int row) {
        (void)row;
        return true;
    }
    // The editor of an accepted edit is open.
    virtual void onEditorOpened(QLineEdit& editor) { (void)editor; }
    // The edit of row ended and its editor is closed: text is the committed text, or nullptr
    // when it was cancelled.
    virtual void onEndEdit(int row, const QString* text) {
        (void)row;
        (void)text;
    }
    // The selected rows changed, by the mouse, the keys or the program, or the rows were
    // read afresh.
    virtual void onSelectionChanged() {}
};

class cListView : public QTableView {
public:
    cListView(cPaneModel* model, bool multipleSelection, QWidget* parent = nullptr);

    cPaneModel* paneModel() const { return model_; }
    void setEvents(cListViewEvents* events) { events_ = events; }
    // Lets the user edit column 0 in place. The user types at most maxLength characters; a
    // longer text that is already there opens in full and may be kept or shortened.
    void enableEditing(int maxLength);

    // Shows column at display position order.
    void setColumnOrder(int column, int order);
    // The first selected row, or -1.
    int firstSelected() const;
    int selectedCount() const;
    // The selected rows, ascending.
    QList<int> selectedRows() const;
    // Exclusive: only row is selected, focused and scrolled into view. Not exclusive: row
    // leaves the selection. Rows out of range change nothing.
    void selectRow(int row, bool exclusive);
    void clearRowSelection();
    // Repaints column in the rows on screen. The model reads the database on every paint,
    // so rows out of sight show their new text when they come into view; a change
    // announced for all rows would make the view measure every one of them.
    void refreshShownCells(int column);
    // Opens the in-place editor on row; false when there is no such row or it was refused.
    bool beginEdit(int row);
    // The open in-place editor, or nullptr.
    QLineEdit* editor() const { return editor_; }
    // Ends the open edit as losing the focus does: the text is committed.
    void commitOpenEdit();

    void doItemsLayout() override;
    // The column headings.
    QHeaderView* header() const { return horizontalHeader(); }

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void reset() override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    friend class cEditDelegate;
    bool mayEdit(int row);
    int rowTextLength(int row) const;
    void editorCreated(QLineEdit* editor, int row);

    cPaneModel* model_;
    cListViewEvents* events_ = nullptr;
    QPointer<QLineEdit> editor_;
    int editRow_ = -1;
    int editLimit_ = 0;
    bool committed_ = false;
    QString committedText_;
    // The rows of the last layout. The model reads the database directly, so after a
    // wholesale change (an open) it may hold other rows until the pane is refilled.
    int laidOutRows_ = 0;
};
