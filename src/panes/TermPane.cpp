#include "panes/TermPane.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include "model/Database.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "panes/ValuePane.h"
#include "text/Messages.h"

namespace {

constexpr int TextTermId = 17;
constexpr int TermIdWidth = 80;
constexpr int TextTermAdded = 11;

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

cTermPane::cTermPane(cPanes& panes, QWidget* parent)
    : panes_(panes), model_(new cTermModel(panes.database())),
      view_(new cListView(model_, true, parent)) {
    view_->setObjectName("termPane");
    view_->setEvents(this);
    view_->header()->resizeSection(0, TermIdWidth);
    QObject::connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, view_,
                     [this] { focusedTermChanged(); });
}

void cTermPane::focusedTermChanged() {
    if (trackTermFocus)
        panes_.values().fill();
}

void cTermPane::refreshDisplayColumn() {
    model_->reload();
}
void cTermPane::relabelRows() {
    model_->reload();
}

void cTermPane::inheritCategories(int term) {
    int selected = view_->firstSelected();
    if (selected >= 0)
        panes_.database().copyMemberships(static_cast<uint32_t>(selected),
                                          static_cast<uint32_t>(term));
}

void cTermPane::newTerm() {
    const int32_t index = panes_.database().addTerm();
    if (index < 0)
        return;
    inheritCategories(index);
    fill();
    view_->selectRow(index, true);
    ShowStatusText(TextTermAdded);
    panes_.host().databaseChanged();
}

void cTermPane::deleteSelectedTerms() {}
void cTermPane::updateCommandState() {}
void cTermPane::cutTerms() {}
void cTermPane::copyTerms() {}
void cTermPane::pasteTerms() {}
void cTermPane::clearMarks() {
    markedTerms_.clear();
}
void cTermPane::onFocus() {}
void cTermPane::onClick() {}
bool cTermPane::onKey(int) {
    return false;
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
