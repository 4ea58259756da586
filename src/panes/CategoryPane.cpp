#include "panes/CategoryPane.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "document/Document.h"
#include "model/Database.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "text/Messages.h"
#include "text/TextIds.h"

// Like the state images of the list this pane once was, the ticks are set by the pane
// (refreshChecks) rather than derived on every paint: deriving them would test every
// selected term against every member entry for each visible row, which is quadratic when
// all 65,532 terms are selected.
class cCategoryModel : public cPaneModel {
public:
    explicit cCategoryModel(const cDatabase& database)
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
    const cDatabase& db_;
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

cTermFlags cCategoryPane::selectedTermFlags() const {
    cTermFlags selected(database().terms.count());
    for (int term : panes_.selectedTerms())
        if (term >= 0)
            selected.add(static_cast<uint32_t>(term));
    return selected;
}

bool cCategoryPane::holdsAny(int row, const cTermFlags& selected) const {
    const cCategory* category = database().category(static_cast<uint32_t>(row));
    return category && category->anyMember(selected.termCount(),
                                           [&](uint32_t term) { return selected.holds(term); });
}

void cCategoryPane::refreshChecks() {
    checkUpdateInProgress_ = true;
    const int rows = model_->rowCount();
    std::vector<char> ticks(static_cast<size_t>(rows), 0);
    // Without a selected term no box is ticked: no need to walk the members.
    if (!panes_.selectedTerms().isEmpty()) {
        const cTermFlags selected = selectedTermFlags();
        for (int row = 0; row < rows; ++row)
            ticks[row] = holdsAny(row, selected);
    }
    // Only the rows from the first changed box to the last are repainted: after a value edit
    // or a move to a term of the same categories, none.
    int first = rows, last = -1;
    for (int row = 0; row < rows; ++row) {
        if (model_->isTicked(row) != (ticks[row] != 0)) {
            first = std::min(first, row);
            last = row;
        }
    }
    model_->ticks = std::move(ticks);
    if (first <= last)
        emit model_->dataChanged(model_->index(first, 0), model_->index(last, 0),
                                 {Qt::CheckStateRole});
    checkUpdateInProgress_ = false;
}

void cCategoryPane::refreshCheck(int row) {
    checkUpdateInProgress_ = true;
    model_->setTicked(row, holdsAny(row, selectedTermFlags()));
    checkUpdateInProgress_ = false;
}

void cCategoryPane::refreshRow(int row) {
    model_->refreshRow(row);
}

bool cCategoryPane::checkChanged(int row, bool ticked) {
    if (checkUpdateInProgress_)
        return false;
    if (panes_.selectedTerms().isEmpty()) {
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
    if (!database().category(static_cast<uint32_t>(row)))
        return;
    panes_.document().setMembership(static_cast<uint32_t>(row), panes_.selectedTermList(), add);
    ShowStatusText(TextCategorizationChanged);
}

void cCategoryPane::newCategory() {
    const int32_t index = panes_.document().addCategory();
    if (index < 0)
        return;
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
    panes_.document().deleteCategory(static_cast<uint32_t>(row));
    view_->setFocus(Qt::OtherFocusReason);
    view_->selectRow(row < model_->rowCount() ? row : row - 1, true);
    ShowStatusText(TextCategoryDeleted);
}

void cCategoryPane::selectMembers() {
    const int row = view_->firstSelected();
    const cCategory* category = row < 0 ? nullptr : database().category(uint32_t(row));
    if (!category)
        return;
    const uint32_t termCount = database().terms.count();
    std::vector<char> member(termCount, 0);
    category->forEachMember(termCount, [&](uint32_t term) { member[term] = 1; });
    panes_.selectTerms(member);
}

void cCategoryPane::updateCommandState() {
    setCommandState({CmdSelectMembers, CmdCategoryDelete});
}

void cCategoryPane::renamed(int row, const QString& text) {
    panes_.document().renameCategory(static_cast<uint32_t>(row), QStringToAnsi(text).c_str());
}
