#include "panes/AttributePane.h"

#include <QHeaderView>

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

namespace {

constexpr int MediaColumnWidth = 80;

} // namespace

class cAttributeModel : public cPaneModel {
public:
    explicit cAttributeModel(const cDatabase& database)
        : cPaneModel({TextColumnAttributeName, TextColumnMedia}), db_(database) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(db_.attributes.count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return QVariant();
        const cAttribute* attribute = db_.attribute(static_cast<uint32_t>(index.row()));
        if (!attribute)
            return QVariant();
        if (index.column() == 0)
            return AnsiToQString(attribute->name);
        int text = attribute->mediaType == MediaTypeAscii     ? TextMediaAscii
                   : attribute->mediaType == MediaTypeUnicode ? TextMediaUnicode
                                                              : 0;
        return text ? TableText(text) : QString();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags result = cPaneModel::flags(index);
        if (index.isValid() && index.column() == 0)
            result |= Qt::ItemIsEditable;
        return result;
    }

private:
    const cDatabase& db_;
};

cAttributePane::cAttributePane(cPanes& panes, QWidget* parent)
    : cNamedRowsPane(panes, new cAttributeModel(panes.database()), "attributePane", parent),
      model_(static_cast<cAttributeModel*>(view_->paneModel())) {
    view_->setColumnOrder(1, 0);
    view_->header()->resizeSection(1, MediaColumnWidth);
}

void cAttributePane::fill() {
    int row = view_->firstSelected();
    model_->reload();
    view_->selectRow(row, true);
}

void cAttributePane::refreshRow(int row) {
    model_->refreshRow(row);
}

void cAttributePane::newAttribute(int mediaType) {
    // The attribute is listed in the Display Attribute menu at once and again when its
    // naming ends, so it stays there when the user cancels the naming.
    const int32_t index = panes_.document().addAttribute(static_cast<uint16_t>(mediaType));
    if (index < 0)
        return;
    ShowStatusText(TextAttributeCreated);
    view_->setFocus(Qt::OtherFocusReason);
    view_->beginEdit(index);
}

void cAttributePane::deleteSelectedAttribute() {
    const int row = view_->firstSelected();
    const cAttribute* attribute = row < 0 ? nullptr : database().attribute(uint32_t(row));
    if (!attribute)
        return;
    const uint32_t values = database().countValuesOfAttribute(static_cast<uint32_t>(row));
    if (values > 0) {
        QString question = QString("Do you really wish to delete attribute '%1'? This operation "
                                   "will remove all values the database that use this attribute "
                                   "(%2 values).")
                               .arg(AnsiToQString(attribute->name))
                               .arg(values);
        if (host().messageBox(TableText(TextCaptionConfirm), question, MessageYesNo) !=
            MessageResultYes)
            return;
    }
    panes_.document().deleteAttribute(static_cast<uint32_t>(row));
    view_->setFocus(Qt::OtherFocusReason);
    view_->selectRow(row < model_->rowCount() ? row : row - 1, true);
    ShowStatusText(TextAttributeDeleted);
}

void cAttributePane::updateCommandState() {
    setCommandState({CmdAttributeDelete});
}

void cAttributePane::renamed(int row, const QString& text) {
    panes_.document().renameAttribute(static_cast<uint32_t>(row), QStringToAnsi(text).c_str());
}
