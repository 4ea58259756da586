#include "panes/ValuePane.h"

#include <QHeaderView>

#include "model/Database.h"
#include "panes/CategoryPane.h"
#include "panes/ListView.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "panes/TermPane.h"

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

cValuePane::cValuePane(cPanes& panes, QWidget* parent)
    : panes_(panes), model_(new cValueModel(panes.database())),
      view_(new cListView(model_, false, parent)) {
    view_->setObjectName("valuePane");
    view_->setEvents(this);
    view_->enableEditing(MaxValueEditLength);
    view_->setColumnOrder(1, 0);
    view_->header()->resizeSection(1, AttributeColumnWidth);
}

void cValuePane::fill() {
    const cListView* terms = panes_.terms().view();
    model_->term = terms->selectedCount() == 1 ? terms->firstSelected() : -1;
    model_->reload();
    panes_.categories().refreshChecks();
}

void cValuePane::deleteValue() {}
void cValuePane::cutValue() {}
void cValuePane::copyValue() {}
void cValuePane::pasteValue() {}
void cValuePane::updateCommandState() {}
void cValuePane::onFocus() {}
bool cValuePane::onKey(int) {
    return false;
}
bool cValuePane::onBeginEdit(int) {
    return false;
}
void cValuePane::onEditorOpened(QLineEdit&) {}
void cValuePane::onEndEdit(int, const QString*) {}

int cValuePane::term() const {
    return model_->term;
}
