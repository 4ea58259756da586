#include "panes/AttributePane.h"

#include <QHeaderView>

#include "model/Database.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "panes/ValuePane.h"
#include "text/Messages.h"

namespace {

constexpr int TextAttributeName = 35;
constexpr int TextMedia = 34;
constexpr int TextAscii = 20;
constexpr int TextUnicode = 21;
constexpr int MediaColumnWidth = 80;
constexpr int TextAttributeCreated = 3;

} // namespace

class cAttributeModel : public cPaneModel {
public:
    explicit cAttributeModel(cDatabase& database)
        : cPaneModel({TextAttributeName, TextMedia}), db_(database) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(db_.attributes.count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        const cAttribute* attribute = db_.attribute(static_cast<uint32_t>(index.row()));
        if (!attribute)
            return QVariant();
        if (index.column() == 0)
            return AnsiToQString(attribute->name);
        int text = attribute->mediaType == MediaTypeAscii     ? TextAscii
                   : attribute->mediaType == MediaTypeUnicode ? TextUnicode
                                                              : 0;
        return text ? TableText(text) : QString();
    }

private:
    cDatabase& db_;
};

cAttributePane::cAttributePane(cPanes& panes, QWidget* parent)
    : panes_(panes), model_(new cAttributeModel(panes.database())),
      view_(new cListView(model_, false, parent)) {
    view_->setObjectName("attributePane");
    view_->setEvents(this);
    view_->setColumnOrder(1, 0);
    view_->header()->resizeSection(1, MediaColumnWidth);
}

void cAttributePane::fill() {
    model_->reload();
    panes_.values().fill();
}

void cAttributePane::newAttribute(int mediaType) {
    const int32_t index = panes_.database().addAttribute(static_cast<uint16_t>(mediaType));
    if (index < 0)
        return;
    panes_.host().databaseChanged();
    fill();
    view_->selectRow(index, true);
    if (panes_.database().attributes.count() == 1)
        panes_.host().setDisplayAttribute(0);
    panes_.host().rebuildDisplayAttributeMenu();
    ShowStatusText(TextAttributeCreated);
}

void cAttributePane::deleteSelectedAttribute() {}
void cAttributePane::updateCommandState() {}
void cAttributePane::onFocus() {}
void cAttributePane::onClick() {}
bool cAttributePane::onKey(int) {
    return false;
}
bool cAttributePane::onBeginEdit(int) {
    return false;
}
void cAttributePane::onEndEdit(int, const QString*) {}
