#include "panes/CategoryPane.h"

#include "model/Database.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "panes/TermPane.h"
#include "text/Messages.h"

namespace {

constexpr int TextCategoryName = 24;
constexpr int TextCategoryCreated = 9;

} // namespace

class cCategoryModel : public cPaneModel {
public:
    explicit cCategoryModel(cDatabase& database) : cPaneModel({TextCategoryName}), db_(database) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(db_.categories.count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return QVariant();
        const cCategory* category = db_.category(static_cast<uint32_t>(index.row()));
        if (!category)
            return QVariant();
        if (role == Qt::DisplayRole)
            return AnsiToQString(category->name);
        if (role == Qt::CheckStateRole) {
            for (int term : terms)
                if (category->isMember(static_cast<uint32_t>(term)))
                    return Qt::Checked;
            return Qt::Unchecked;
        }
        return QVariant();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return cPaneModel::flags(index) | Qt::ItemIsUserCheckable;
    }

    QList<int> terms;

private:
    cDatabase& db_;
};

cCategoryPane::cCategoryPane(cPanes& panes, QWidget* parent)
    : panes_(panes), model_(new cCategoryModel(panes.database())),
      view_(new cListView(model_, false, parent)) {
    view_->setObjectName("categoryPane");
    view_->setEvents(this);
}

void cCategoryPane::fill() {
    model_->reload();
    refreshChecks();
}

void cCategoryPane::newCategory() {
    const int32_t index = panes_.database().addCategory();
    if (index < 0)
        return;
    panes_.host().databaseChanged();
    fill();
    view_->selectRow(index, true);
    ShowStatusText(TextCategoryCreated);
}

void cCategoryPane::deleteSelectedCategory() {}
void cCategoryPane::selectMembers() {}
void cCategoryPane::setMembership(int, bool) {}
void cCategoryPane::updateCommandState() {}
void cCategoryPane::onFocus() {}
void cCategoryPane::onClick() {}
bool cCategoryPane::onKey(int) {
    return false;
}
bool cCategoryPane::onBeginEdit(int) {
    return false;
}
void cCategoryPane::onEndEdit(int, const QString*) {}

void cCategoryPane::refreshChecks() {
    model_->terms = panes_.terms().selectedTerms();
    if (model_->rowCount() > 0)
        emit model_->dataChanged(model_->index(0, 0), model_->index(model_->rowCount() - 1, 0),
                                 {Qt::CheckStateRole});
}
