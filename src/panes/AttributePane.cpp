#include "panes/AttributePane.h"

#include <QHeaderView>

#include "model/Database.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "panes/ValuePane.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

constexpr int MediaColumnWidth = 80;

} // namespace

class cAttributeModel : public cPaneModel {
public:
    explicit cAttributeModel(cDatabase& database)
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
    cDatabase& db_;
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
    panes_.values().fill();
    view_->selectRow(row, true);
}

void cAttributePane::newAttribute(int mediaType) {
    const int32_t index = database().addAttribute(static_cast<uint16_t>(mediaType));
    if (index < 0)
        return;
    host().databaseChanged();
    model_->reload();
    panes_.values().fill();
    if (database().attributes.count() == 1)
        host().setDisplayAttribute(0);
    // The attribute gets its real menu entry when its naming ends; listing it now as well
    // keeps it in the menu when the user cancels the naming.
    host().rebuildDisplayAttributeMenu();
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
    database().deleteAttribute(static_cast<uint32_t>(row));
    // The term pane keeps showing the same attribute under its new index; when that was the
    // deleted one it falls back to the first.
    const int displayed = host().displayAttribute();
    if (displayed == row)
        host().setDisplayAttribute(0);
    else if (displayed > row)
        host().setDisplayAttribute(displayed - 1);
    fill();
    view_->setFocus(Qt::OtherFocusReason);
    view_->selectRow(row < model_->rowCount() ? row : row - 1, true);
    host().databaseChanged();
    host().rebuildDisplayAttributeMenu();
    ShowStatusText(TextAttributeDeleted);
}

void cAttributePane::updateCommandState() {
    setCommandState({CmdAttributeDelete});
}

void cAttributePane::renamed(int row, const QString& text) {
    database().renameAttribute(static_cast<uint32_t>(row), QStringToAnsi(text).c_str());
    model_->refreshRow(row);
    if (row == host().displayAttribute())
        host().setDisplayAttribute(row);
    panes_.values().fill();
    host().rebuildDisplayAttributeMenu();
    host().databaseChanged();
}
