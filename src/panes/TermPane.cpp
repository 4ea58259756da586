#include "panes/TermPane.h"

#include <QHeaderView>

#include "model/Database.h"
#include "panes/ListView.h"
#include "panes/PaneModel.h"
#include "panes/QtText.h"

namespace {

constexpr int TextTermId = 17;
constexpr int TermIdWidth = 80;

} // namespace

class cTermModel : public cPaneModel {
public:
    explicit cTermModel(cDatabase& database) : cPaneModel({TextTermId, 0}), db_(database) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(db_.terms.count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        if (index.column() == 0)
            return QString::number(index.row() + 1);
        const cTerm* term = db_.term(static_cast<uint32_t>(index.row()));
        if (!term || displayAttribute < 0)
            return QString();
        return ValueToQString(term->findValue(static_cast<uint16_t>(displayAttribute)));
    }

    int displayAttribute = -1;

private:
    cDatabase& db_;
};

cTermPane::cTermPane(cDatabase& database, QWidget* parent)
    : model_(new cTermModel(database)), view_(new cListView(model_, true, parent)) {
    view_->setObjectName("termPane");
    view_->header()->resizeSection(0, TermIdWidth);
}

void cTermPane::fill() {
    model_->reload();
}

void cTermPane::refreshRow(int row) {
    model_->refreshRow(row);
}

void cTermPane::setDisplayAttribute(int attribute) {
    model_->displayAttribute = attribute;
    model_->reload();
}

int cTermPane::displayAttribute() const {
    return model_->displayAttribute;
}

QList<int> cTermPane::selectedTerms() const {
    return view_->selectedRows();
}
