#pragma once
// The table model behind one pane. It holds no copy of the database: every call reads the
// model directly, so row i is always element i of the pane's list.

#include <QAbstractTableModel>
#include <QStringList>

class cPaneModel : public QAbstractTableModel {
public:
    // Column headings by string-table number, in column (not display) order.
    explicit cPaneModel(QList<int> columnTitles, QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setColumnTitle(int column, const QString& title);
    // Re-reads everything: rows may have come or gone.
    void reload();
    // Re-reads one row's texts.
    void refreshRow(int row);
    // Re-reads one column's texts in rows first to last.
    void refreshCells(int firstRow, int lastRow, int column);

private:
    QStringList titles_;
};
