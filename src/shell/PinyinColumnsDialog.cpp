#include "shell/PinyinColumnsDialog.h"

#include "model/Database.h"
#include "panes/QtText.h"
#include "shell/DialogButtons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const int AttributeRole = Qt::UserRole;
const int NameRole = Qt::UserRole + 1;

} // namespace

cPinyinColumnsDialog::cPinyinColumnsDialog(QWidget* parent, const cDatabase& db, bool forImport,
                                           const std::vector<std::string>& checked,
                                           ePinyinStyle style)
    : QDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Pinyin Columns"));
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(forImport ? QStringLiteral("Convert the tone numbers of these "
                                                         "attributes to tone marks (ni3 becomes "
                                                         "n\u01D0 or n\u012D):")
                                        : QStringLiteral("Write the tone marks of these "
                                                         "attributes as tone numbers (n\u01D0 "
                                                         "and n\u012D become ni3):"),
                              this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);

    list_->setObjectName(QStringLiteral("pinyinColumns"));
    uint32_t index = 0;
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes)) {
        const uint32_t number = index++;
        if (attribute->mediaType != MediaTypeUnicode)
            continue;
        const std::string name(attribute->name.textOrEmpty(), attribute->name.length());
        QString label = AnsiToQString(attribute->name);
        if (label.isEmpty())
            label = QStringLiteral("Attribute %1").arg(number + 1);
        auto* item = new QListWidgetItem(label, list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        const bool wanted = std::find(checked.begin(), checked.end(), name) != checked.end() ||
                            label.contains(QStringLiteral("pinyin"), Qt::CaseInsensitive);
        item->setCheckState(wanted ? Qt::Checked : Qt::Unchecked);
        item->setData(AttributeRole, number);
        item->setData(NameRole, QByteArray::fromStdString(name));
    }
    layout->addWidget(list_);

    if (forImport) {
        style_ = new QComboBox(this);
        style_->setObjectName(QStringLiteral("pinyinStyle"));
        style_->addItem(QStringLiteral("Standard (h\u01CEo, l\u01DC)"));
        style_->addItem(QStringLiteral("Handheld (ha\u014F)"));
        style_->setCurrentIndex(style == ePinyinStyle::Standard ? 0 : 1);
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("&Tone marks:"), style_);
        layout->addLayout(form);
    }
    sOkCancel buttons = AddOkCancelRow(*this, *layout);
    connect(buttons.ok, &QPushButton::clicked, this, [this] { done(DialogOk); });
    connect(buttons.cancel, &QPushButton::clicked, this, [this] { done(DialogCancelled); });
}

std::vector<uint32_t> cPinyinColumnsDialog::chosenAttributes() const {
    std::vector<uint32_t> attributes;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->checkState() == Qt::Checked)
            attributes.push_back(list_->item(row)->data(AttributeRole).toUInt());
    return attributes;
}

std::vector<std::string> cPinyinColumnsDialog::chosenNames() const {
    std::vector<std::string> names;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->checkState() == Qt::Checked)
            names.push_back(list_->item(row)->data(NameRole).toByteArray().toStdString());
    return names;
}

ePinyinStyle cPinyinColumnsDialog::style() const {
    return style_ && style_->currentIndex() == 1 ? ePinyinStyle::Handheld : ePinyinStyle::Standard;
}
