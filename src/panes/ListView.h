#pragma once
// cListView: the report-style list every pane is built on, a QTreeView over the pane's own
// table model. Column 0 holds the editable text; a pane that shows another column first
// moves it to the front of the header.

#include <QTreeView>

class cPaneModel;

class cListView : public QTreeView {
public:
    cListView(cPaneModel* model, bool multipleSelection, QWidget* parent = nullptr);

    cPaneModel* paneModel() const { return model_; }

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

private:
    cPaneModel* model_;
};
