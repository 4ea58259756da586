#include "panes/PaneModel.h"

#include "panes/QtText.h"

#include <algorithm>

cPaneModel::cPaneModel(QList<int> columnTitles, QObject* parent) : QAbstractTableModel(parent) {
    for (int id : columnTitles)
        titles_.append(id ? TableText(id) : QString());
}

int cPaneModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant cPaneModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= titles_.size())
        return QVariant();
    return titles_[section];
}

void cPaneModel::setColumnTitle(int column, const QString& title) {
    if (column < 0 || column >= titles_.size() || titles_[column] == title)
        return;
    titles_[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void cPaneModel::reload() {
    beginResetModel();
    endResetModel();
}

void cPaneModel::refreshRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void cPaneModel::refreshCells(int firstRow, int lastRow, int column) {
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, rowCount() - 1);
    if (firstRow > lastRow || column < 0 || column >= columnCount())
        return;
    emit dataChanged(index(firstRow, column), index(lastRow, column));
}
