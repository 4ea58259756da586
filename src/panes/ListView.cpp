#include "panes/ListView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

#include "panes/PaneModel.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

// The most a QLineEdit holds; a longer text would be cut on opening, so it is not edited.
constexpr int LineEditCapacity = 32767;

// The modifiers of a key that count: the keypad's Enter, Delete and arrows act as the main
// keys do.
Qt::KeyboardModifiers CountingModifiers(const QKeyEvent& event) {
    return event.modifiers() & ~Qt::KeypadModifier;
}

// One line of text, or a check box, whichever is higher.
int RowHeight(const QAbstractItemView& view) {
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.font = view.font();
    option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasCheckIndicator;
    option.text = QStringLiteral("Xg");
    return view.style()
        ->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), &view)
        .height();
}

} // namespace

// The in-place editor: a line edit holding the row's text, limited in length. It writes
// nothing into the model; the view hands the text to its pane instead.
class cEditDelegate : public QStyledItemDelegate {
public:
    explicit cEditDelegate(cListView& view) : QStyledItemDelegate(&view), view_(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (!view_.mayEdit(index.row()))
            return nullptr;
        auto* editor = static_cast<QLineEdit*>(QStyledItemDelegate::createEditor(
            parent, option, index.model()->index(index.row(), 0)));
        if (!editor)
            return nullptr;
        // The limit holds what the user types; a longer text already there opens in full.
        const int openedLength = view_.rowTextLength(index.row());
        editor->setMaxLength(std::max(view_.editLimit_, openedLength));
        view_.editorCreated(editor, index.row());
        return editor;
    }

    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

private:
    cListView& view_;
};

cListView::cListView(cPaneModel* model, bool multipleSelection, QWidget* parent)
    : QTableView(parent), model_(model) {
    model_->setParent(this);
    setModel(model_);
    setItemDelegate(new cEditDelegate(*this));
    // A list, not a grid: no row header, no grid lines, Tab leaves the list. Every row is one
    // line high, so rows coming or going move a few numbers, never a layout of every row.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(RowHeight(*this));
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setSortingEnabled(false);
    header()->setHighlightSections(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(multipleSelection ? QAbstractItemView::ExtendedSelection
                                       : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (events_)
            events_->onSelectionChanged();
    });
}

void cListView::doItemsLayout() {
    QTableView::doItemsLayout();
    laidOutRows_ = model_->rowCount();
}

QModelIndex cListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // A list moves from row to row: Home and End go to the first and the last row, and Left
    // and Right stay on the row.
    const int rows = model_->rowCount();
    switch (action) {
    case MoveHome:
        return rows > 0 ? model_->index(0, 0) : QModelIndex();
    case MoveEnd:
        return rows > 0 ? model_->index(rows - 1, 0) : QModelIndex();
    case MoveLeft:
    case MoveRight:
        return currentIndex();
    default:
        return QTableView::moveCursor(action, modifiers);
    }
}

void cListView::enableEditing(int maxLength) {
    editLimit_ = maxLength;
    setEditTriggers(QAbstractItemView::SelectedClicked);
}

void cListView::setColumnOrder(int column, int order) {
    int from = header()->visualIndex(column);
    if (from >= 0 && from != order)
        header()->moveSection(from, order);
}

QList<int> cListView::selectedRows() const {
    QList<int> rows;
    if (!selectionModel())
        return rows;
    // Read from the ranges: QItemSelectionModel::selectedRows tests every row against every
    // range, which takes seconds when Select Members picks thousands of scattered terms.
    // Whole rows are always selected here, so each range stands for its rows.
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void cListView::refreshShownCells(int column) {
    const int rows = model_->rowCount();
    if (rows == 0)
        return;
    // Rows that came or went (the view has not laid them out yet, or the database changed
    // wholesale before a refill) repaint the whole view once it has; finding the rows on
    // screen now would lay out all of them twice.
    if (rows != laidOutRows_) {
        viewport()->update();
        return;
    }
    const QModelIndex top = indexAt(QPoint(0, 0));
    const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
    model_->refreshCells(top.isValid() ? top.row() : 0, bottom.isValid() ? bottom.row() : rows - 1,
                         column);
}

int cListView::firstSelected() const {
    QList<int> rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

int cListView::selectedCount() const {
    return static_cast<int>(selectedRows().size());
}

void cListView::selectRow(int row, bool exclusive) {
    if (row < 0 || row >= model_->rowCount())
        return;
    QModelIndex index = model_->index(row, 0);
    auto flags = QItemSelectionModel::Rows;
    if (exclusive) {
        selectionModel()->setCurrentIndex(index, flags | QItemSelectionModel::ClearAndSelect);
        scrollTo(index, QAbstractItemView::EnsureVisible);
    } else {
        selectionModel()->select(index, flags | QItemSelectionModel::Deselect);
    }
}

void cListView::clearRowSelection() {
    if (selectionModel())
        selectionModel()->clearSelection();
}

bool cListView::beginEdit(int row) {
    if (editLimit_ == 0 || row < 0 || row >= model_->rowCount())
        return false;
    QModelIndex index = model_->index(row, 0);
    setCurrentIndex(index);
    return edit(index, QAbstractItemView::AllEditTriggers, nullptr);
}

bool cListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!index.isValid() || editLimit_ == 0 || editor_)
        return QTableView::edit(index, trigger, event);
    // Only column 0 is edited, wherever in the row the user clicked.
    return QTableView::edit(model_->index(index.row(), 0), trigger, event);
}

int cListView::rowTextLength(int row) const {
    return static_cast<int>(model_->index(row, 0).data(Qt::EditRole).toString().size());
}

bool cListView::mayEdit(int row) {
    if (rowTextLength(row) > LineEditCapacity) {
        ShowStatusText(TextTooLongToEdit);
        return false;
    }
    return !events_ || events_->onBeginEdit(row);
}

void cListView::editorCreated(QLineEdit* editor, int row) {
    editor_ = editor;
    editRow_ = row;
    committed_ = false;
    if (events_)
        events_->onEditorOpened(*editor);
}

void cListView::commitData(QWidget* editor) {
    if (editor != editor_ || committed_)
        return;
    committed_ = true;
    committedText_ = editor_->text();
}

void cListView::commitOpenEdit() {
    if (!editor_)
        return;
    commitData(editor_);
    closeEditor(editor_, QAbstractItemDelegate::NoHint);
}

void cListView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool ours = editor_ && editor == editor_;
    const int row = editRow_;
    const bool committed = committed_;
    const QString text = committedText_;
    if (ours) {
        editor_ = nullptr;
        editRow_ = -1;
        committed_ = false;
        committedText_.clear();
    }
    // Tab in the editor only ends the edit; it does not walk on to the next cell.
    if (hint == QAbstractItemDelegate::EditNextItem ||
        hint == QAbstractItemDelegate::EditPreviousItem)
        hint = QAbstractItemDelegate::NoHint;
    QTableView::closeEditor(editor, hint);
    // The pane hears of the end only once the editor is gone, so that it may refill the
    // list, move the selection or open the next editor without pulling the editor (and the
    // keyboard focus with it) out from under the view.
    if (ours && events_)
        events_->onEndEdit(row, committed ? &text : nullptr);
}

// Rows read afresh take any open editor away without closing it; the pane still hears that
// its edit ended, so that its state (the accelerators among it) is whole again. Commands end
// an open edit before they change the rows, so no typed text is left in it here.
void cListView::reset() {
    if (editor_)
        closeEditor(editor_, QAbstractItemDelegate::RevertModelCache);
    QTableView::reset();
    // The selection is gone without a signal of its own.
    if (events_)
        events_->onSelectionChanged();
}

bool cListView::event(QEvent* event) {
    // Tab would move the focus along the window's chain before keyPressEvent sees it.
    if (event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && events_ && events_->onKey(key))
            return true;
    }
    return QTableView::event(event);
}

void cListView::keyPressEvent(QKeyEvent* event) {
    // Cut, Copy and Paste are the window's commands; a key of theirs that reaches the list
    // (the command is greyed here) does nothing, rather than the list copying a row's text.
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Paste)) {
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        if (events_ && CountingModifiers(*event) == Qt::NoModifier && events_->onKey(event->key()))
            return;
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void cListView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    // The rows and the headings follow the pane's font (the user's choice).
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        header()->setFont(font());
        verticalHeader()->setDefaultSectionSize(RowHeight(*this));
    }
}

void cListView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    if (events_)
        events_->onFocus();
}

void cListView::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    if (events_)
        events_->onClick();
}
