#include "panes/ValuePane.h"

#include <QHeaderView>

#include "model/Database.h"
#include "panes/ListView.h"
#include "panes/PaneModel.h"
#include "panes/QtText.h"

namespace {

constexpr int TextValue = 19;
constexpr int TextAttribute = 18;
constexpr int AttributeColumnWidth = 140;

} // namespace

class cValueModel : public cPaneModel {
public:
    explicit cValueModel(cDatabase& database)
        : cPaneModel({TextValue, TextAttribute}), db_(database) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        if (parent.isValid() || !db_.term(static_cast<uint32_t>(term)))
            return 0;
        return static_cast<int>(db_.attributes.count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        auto row = static_cast<uint32_t>(index.row());
        if (index.column() == 1) {
            const cAttribute* attribute = db_.attribute(row);
            return attribute ? AnsiToQString(attribute->name) : QString();
        }
        const cTerm* t = db_.term(static_cast<uint32_t>(term));
        return t ? ValueToQString(t->findValue(static_cast<uint16_t>(row))) : QString();
    }

    int term = -1;

private:
    cDatabase& db_;
};

cValuePane::cValuePane(cDatabase& database, QWidget* parent)
    : model_(new cValueModel(database)), view_(new cListView(model_, false, parent)) {
    view_->setObjectName("valuePane");
    view_->setColumnOrder(1, 0);
    view_->header()->resizeSection(1, AttributeColumnWidth);
}

void cValuePane::fill(int term) {
    model_->term = term;
    model_->reload();
}

int cValuePane::term() const {
    return model_->term;
}
