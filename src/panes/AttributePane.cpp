#include "panes/AttributePane.h"

#include <QHeaderView>

#include "model/Database.h"
#include "panes/ListView.h"
#include "panes/PaneModel.h"
#include "panes/QtText.h"

namespace {

constexpr int TextAttributeName = 35;
constexpr int TextMedia = 34;
constexpr int TextAscii = 20;
constexpr int TextUnicode = 21;
constexpr int MediaColumnWidth = 80;

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

cAttributePane::cAttributePane(cDatabase& database, QWidget* parent)
    : model_(new cAttributeModel(database)), view_(new cListView(model_, false, parent)) {
    view_->setObjectName("attributePane");
    view_->setColumnOrder(1, 0);
    view_->header()->resizeSection(1, MediaColumnWidth);
}

void cAttributePane::fill() {
    model_->reload();
}
