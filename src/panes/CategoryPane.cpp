#include "panes/CategoryPane.h"

#include "model/Database.h"
#include "panes/ListView.h"
#include "panes/PaneModel.h"
#include "panes/QtText.h"

namespace {

constexpr int TextCategoryName = 24;

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

cCategoryPane::cCategoryPane(cDatabase& database, QWidget* parent)
    : model_(new cCategoryModel(database)), view_(new cListView(model_, false, parent)) {
    view_->setObjectName("categoryPane");
}

void cCategoryPane::fill() {
    model_->reload();
}

void cCategoryPane::refreshChecks(const QList<int>& terms) {
    model_->terms = terms;
    if (model_->rowCount() > 0)
        emit model_->dataChanged(model_->index(0, 0), model_->index(model_->rowCount() - 1, 0),
                                 {Qt::CheckStateRole});
}
