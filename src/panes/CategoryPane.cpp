#include "panes/CategoryPane.h"

#include <QItemSelection>
#include <QItemSelectionModel>
#include <functional>
#include <vector>

#include "model/Database.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "text/Messages.h"
#include "text/TextIds.h"

// Like the state images of the list this pane once was, the ticks are set by the pane
// (refreshChecks) rather than derived on every paint: deriving them would test every
// selected term against every member entry for each visible row, which is quadratic when
// all 65,532 terms are selected.
class cCategoryModel : public cPaneModel {
public:
    explicit cCategoryModel(cDatabase& database)
        : cPaneModel({TextColumnCategoryName}), db_(database) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(db_.categories.count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.column() != 0)
            return QVariant();
        const cCategory* category = db_.category(static_cast<uint32_t>(index.row()));
        if (!category)
            return QVariant();
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return AnsiToQString(category->name);
        if (role == Qt::CheckStateRole)
            return isTicked(index.row()) ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags result = cPaneModel::flags(index);
        if (index.isValid())
            result |= Qt::ItemIsUserCheckable | Qt::ItemIsEditable;
        return result;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::CheckStateRole || !index.isValid() || !checkChanged)
            return false;
        bool ticked = static_cast<Qt::CheckState>(value.toInt()) != Qt::Unchecked;
        if (ticked == isTicked(index.row()))
            return true;
        return checkChanged(index.row(), ticked);
    }

    bool isTicked(int row) const {
        return row >= 0 && row < static_cast<int>(ticks.size()) && ticks[row];
    }

    void setTicked(int row, bool ticked) {
        if (row < 0 || row >= rowCount())
            return;
        if (ticks.size() < static_cast<size_t>(rowCount()))
            ticks.resize(rowCount(), 0);
        ticks[row] = ticked;
        emit dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole});
    }

    // One flag per category row.
    std::vector<char> ticks;
    std::function<bool(int, bool)> checkChanged;

private:
    cDatabase& db_;
};

cCategoryPane::cCategoryPane(cPanes& panes, QWidget* parent)
    : cNamedRowsPane(panes, new cCategoryModel(panes.database()), "categoryPane", parent),
      model_(static_cast<cCategoryModel*>(view_->paneModel())) {
    model_->checkChanged = [this](int row, bool ticked) { return checkChanged(row, ticked); };
}

void cCategoryPane::fill() {
    int row = view_->firstSelected();
    model_->reload();
    view_->selectRow(row, true);
    refreshChecks();
}

void cCategoryPane::refreshChecks() {
    checkUpdateInProgress_ = true;
    const uint32_t termCount = database().terms.count();
    std::vector<char> selected(termCount, 0);
    for (int term : panes_.terms().selectedTerms())
        if (term >= 0 && static_cast<uint32_t>(term) < termCount)
            selected[term] = 1;
    const int rows = model_->rowCount();
    model_->ticks.assign(rows, 0);
    for (int row = 0; row < rows; ++row) {
        const cCategory* category = database().category(static_cast<uint32_t>(row));
        if (!category)
            continue;
        model_->ticks[row] =
            category->anyMember(termCount, [&](uint32_t term) { return selected[term] != 0; });
    }
    if (rows > 0)
        emit model_->dataChanged(model_->index(0, 0), model_->index(rows - 1, 0),
                                 {Qt::CheckStateRole});
    checkUpdateInProgress_ = false;
}

bool cCategoryPane::checkChanged(int row, bool ticked) {
    if (checkUpdateInProgress_)
        return false;
    if (panes_.terms().selectedTerms().isEmpty()) {
        if (ticked) {
            // With no term to put into the category the tick is simply taken back.
            checkUpdateInProgress_ = true;
            model_->setTicked(row, false);
            checkUpdateInProgress_ = false;
        }
        return false;
    }
    setMembership(row, ticked);
    return true;
}

void cCategoryPane::setMembership(int row, bool add) {
    cCategory* category = database().category(static_cast<uint32_t>(row));
    if (!category)
        return;
    for (int term : panes_.terms().selectedTerms()) {
        if (add)
            category->addMember(static_cast<uint32_t>(term));
        else
            category->removeMember(static_cast<uint32_t>(term), false);
    }
    model_->setTicked(row, add);
    host().databaseChanged();
    ShowStatusText(TextCategorizationChanged);
}

void cCategoryPane::newCategory() {
    const int32_t index = database().addCategory();
    if (index < 0)
        return;
    host().databaseChanged();
    model_->reload();
    refreshChecks();
    ShowStatusText(TextCategoryCreated);
    view_->setFocus(Qt::OtherFocusReason);
    view_->beginEdit(index);
}

void cCategoryPane::deleteSelectedCategory() {
    const int row = view_->firstSelected();
    const cCategory* category = row < 0 ? nullptr : database().category(uint32_t(row));
    if (!category)
        return;
    if (category->members.count() > 0) {
        QString question = QString("Do you really wish to delete category '%1'?  Terms in this "
                                   "category will not be affected.")
                               .arg(AnsiToQString(category->name));
        if (host().messageBox(TableText(TextCaptionConfirm), question, MessageYesNo) !=
            MessageResultYes)
            return;
    }
    database().deleteCategory(static_cast<uint32_t>(row));
    fill();
    view_->setFocus(Qt::OtherFocusReason);
    view_->selectRow(row < model_->rowCount() ? row : row - 1, true);
    host().databaseChanged();
    ShowStatusText(TextCategoryDeleted);
}

void cCategoryPane::selectMembers() {
    const int row = view_->firstSelected();
    const cCategory* category = row < 0 ? nullptr : database().category(uint32_t(row));
    if (!category)
        return;
    cTermPane& terms = panes_.terms();
    cListView* termView = terms.view();
    QAbstractItemModel* termModel = termView->model();
    QItemSelectionModel* termSelection = termView->selectionModel();
    const int termRows = termModel->rowCount();

    std::vector<char> member(termRows, 0);
    category->forEachMember(static_cast<uint32_t>(termRows),
                            [&](uint32_t term) { member[term] = 1; });
    // One range per run of consecutive members, handed over in a single call: selecting
    // row by row would notify the term pane once per term.
    // The ranges span whole rows already: with the Rows flag the selection model would
    // expand them by merging each into the others, quadratic in the number of runs.
    const int lastColumn = termModel->columnCount() - 1;
    QItemSelection selection;
    int first = -1;
    for (int i = 0; i < termRows;) {
        if (!member[i]) {
            ++i;
            continue;
        }
        int last = i;
        while (last + 1 < termRows && member[last + 1])
            ++last;
        selection.select(termModel->index(i, 0), termModel->index(last, lastColumn));
        if (first < 0)
            first = i;
        i = last + 1;
    }

    terms.trackTermFocus = false;
    if (first >= 0)
        termSelection->setCurrentIndex(termModel->index(first, 0), QItemSelectionModel::NoUpdate);
    else
        termSelection->clearCurrentIndex();
    termSelection->select(selection, QItemSelectionModel::ClearAndSelect);
    if (first >= 0)
        termView->scrollTo(termModel->index(first, 0), QAbstractItemView::EnsureVisible);
    terms.trackTermFocus = true;
    panes_.values().fill();
    panes_.updateCommandState();
}

void cCategoryPane::updateCommandState() {
    setCommandState({CmdSelectMembers, CmdCategoryDelete});
}

void cCategoryPane::renamed(int row, const QString& text) {
    database().renameCategory(static_cast<uint32_t>(row), QStringToAnsi(text).c_str());
    model_->refreshRow(row);
    host().databaseChanged();
}
