#include "panes/ListView.h"

#include <QHeaderView>
#include <algorithm>

#include "panes/PaneModel.h"

cListView::cListView(cPaneModel* model, bool multipleSelection, QWidget* parent)
    : QTreeView(parent), model_(model) {
    model_->setParent(this);
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true); // lets the view skip measuring 65,532 rows
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(multipleSelection ? QAbstractItemView::ExtendedSelection
                                       : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(true);
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
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int cListView::firstSelected() const {
    QList<int> rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

int cListView::selectedCount() const {
    return selectionModel() ? static_cast<int>(selectionModel()->selectedRows().size()) : 0;
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
