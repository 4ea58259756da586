#include "shell/DelimitedImportDialog.h"

#include "model/Database.h"
#include "shell/DialogButtons.h"
#include "shell/DuplicatePolicyBox.h"
#include "shell/Settings.h"
#include "text/CodePage.h"
#include "text/PinyinStyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <sstream>

namespace {

// The items of the use box beyond the fixed ones: existing attribute i is UseExisting + i.
enum : int { UseAscii, UseUnicode, UseCategories, UseSkip, UseExisting = 100 };

const eDelimitedEncoding Encodings[] = {eDelimitedEncoding::Utf8, eDelimitedEncoding::Utf16Le,
                                        eDelimitedEncoding::Utf16Be,
                                        eDelimitedEncoding::Windows1252};
const char* const EncodingLabels[] = {"UTF-8", "UTF-16 LE", "UTF-16 BE", "Windows-1252"};
const char16_t Separators[] = {u',', u';', u'\t', u'|'};
const char* const SeparatorLabels[] = {"Comma ,", "Semicolon ;", "Tab", "Pipe |"};

// The remembered choices: encoding, separator and header box positions, into the open
// database, policy.
struct sRemembered {
    int encoding = 0, separator = 0, header = 0, intoOpen = 0, policy = 0;
};

sRemembered Remembered() {
    sRemembered r;
    std::istringstream in(Settings.delimitedChoices);
    in >> r.encoding >> r.separator >> r.header >> r.intoOpen >> r.policy;
    return r;
}

QString EncodingLabel(eDelimitedEncoding encoding) {
    for (size_t i = 0; i < std::size(Encodings); ++i)
        if (Encodings[i] == encoding)
            return EncodingLabels[i];
    return QStringLiteral("?");
}

QString SeparatorLabel(char16_t separator) {
    for (size_t i = 0; i < std::size(Separators); ++i)
        if (Separators[i] == separator)
            return SeparatorLabels[i];
    return QString(QChar(separator));
}

QString NameOf(const cString& name) {
    return QString::fromStdU16String(AnsiToWide(std::string(name.textOrEmpty())));
}

// Tone marks need Unicode text: a new attribute becomes Unicode, an existing one must be.
bool TakesPinyin(const sColumnMapping& mapping, const cDatabase* open) {
    return mapping.use == eColumnUse::NewAttribute ||
           (mapping.use == eColumnUse::ExistingAttribute && open &&
            open->attribute(mapping.attribute)->mediaType == MediaTypeUnicode);
}

void SetIndex(QComboBox* box, int index) {
    if (index >= 0 && index < box->count())
        box->setCurrentIndex(index);
}

} // namespace

cDelimitedImportDialog::cDelimitedImportDialog(QWidget* parent, const std::string& path,
                                               const cDatabase* open, char16_t separator)
    : QDialog(parent), path_(path), open_(open), encoding_(new QComboBox(this)),
      separator_(new QComboBox(this)), header_(new QComboBox(this)), problem_(new QLabel(this)),
      rows_(new QTableWidget(this)), column_(new QComboBox(this)), use_(new QComboBox(this)),
      name_(new QLineEdit(this)),
      pinyin_(new QCheckBox(Settings.pinyinStyle == ePinyinStyle::Standard
                                ? QStringLiteral("Convert pinyin tone n&umbers to tone marks "
                                                 "(standard marks, as the Input menu)")
                                : QStringLiteral("Convert pinyin tone n&umbers to tone marks "
                                                 "(handheld marks, as the Input menu)"),
                            this)),
      intoNew_(new QRadioButton(QStringLiteral("a &new database"), this)),
      intoOpen_(new QRadioButton(QStringLiteral("the &open database"), this)),
      policy_(new cDuplicatePolicyBox(this)) {
    setWindowTitle(QStringLiteral("Import Delimited Text"));
    encoding_->setObjectName(QStringLiteral("encoding"));
    separator_->setObjectName(QStringLiteral("separator"));
    header_->setObjectName(QStringLiteral("header"));
    rows_->setObjectName(QStringLiteral("rows"));
    column_->setObjectName(QStringLiteral("column"));
    use_->setObjectName(QStringLiteral("use"));
    name_->setObjectName(QStringLiteral("name"));
    pinyin_->setObjectName(QStringLiteral("pinyin"));
    intoOpen_->setObjectName(QStringLiteral("intoOpen"));
    problem_->setObjectName(QStringLiteral("problem"));

    encoding_->addItem(QString());
    for (const char* label : EncodingLabels)
        encoding_->addItem(label);
    separator_->addItem(QString());
    for (const char* label : SeparatorLabels)
        separator_->addItem(label);
    header_->addItems({QString(), QStringLiteral("The first row names the columns"),
                       QStringLiteral("No header row")});

    auto* layout = new QVBoxLayout(this);
    auto* reading = new QFormLayout;
    reading->addRow(QStringLiteral("&Encoding:"), encoding_);
    reading->addRow(QStringLiteral("&Separator:"), separator_);
    reading->addRow(QStringLiteral("&Header:"), header_);
    layout->addLayout(reading);
    problem_->setWordWrap(true);
    layout->addWidget(problem_);
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows_->setSelectionBehavior(QAbstractItemView::SelectColumns);
    rows_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(rows_, 1);

    auto* mapping = new QFormLayout;
    mapping->addRow(QStringLiteral("&Column:"), column_);
    mapping->addRow(QStringLiteral("Import &as:"), use_);
    mapping->addRow(QStringLiteral("Attribute na&me:"), name_);
    mapping->addRow(QString(), pinyin_);
    layout->addLayout(mapping);

    auto* into = new QHBoxLayout;
    into->addWidget(new QLabel(QStringLiteral("Import into:"), this));
    into->addWidget(intoNew_);
    into->addWidget(intoOpen_);
    into->addStretch(1);
    layout->addLayout(into);
    layout->addWidget(policy_);
    auto buttons = AddOkCancelRow(*this, *layout);
    ok_ = buttons.ok;

    const sRemembered remembered = Remembered();
    SetIndex(encoding_, remembered.encoding);
    SetIndex(separator_, remembered.separator);
    for (size_t i = 0; separator != 0 && i < std::size(Separators); ++i)
        if (Separators[i] == separator)
            separator_->setCurrentIndex(static_cast<int>(i) + 1);
    SetIndex(header_, remembered.header);
    intoOpen_->setEnabled(open_ != nullptr);
    (open_ && remembered.intoOpen ? intoOpen_ : intoNew_)->setChecked(true);
    SetIndex(policy_->policyBox(), remembered.policy);

    for (QComboBox* box : {encoding_, separator_, header_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { preview(); });
    connect(column_, &QComboBox::currentIndexChanged, this, [this](int c) { showColumn(c); });
    connect(rows_, &QTableWidget::currentCellChanged, this,
            [this](int, int c) { column_->setCurrentIndex(c); });
    connect(use_, &QComboBox::currentIndexChanged, this, [this] { useChanged(); });
    connect(pinyin_, &QCheckBox::toggled, this, [this](bool convert) { pinyinChanged(convert); });
    connect(name_, &QLineEdit::textEdited, this, [this] { nameChanged(); });
    connect(intoOpen_, &QRadioButton::toggled, this, [this] { intoChanged(); });
    connect(ok_, &QPushButton::clicked, this, [this] {
        remember();
        done(DialogOk);
    });
    connect(buttons.cancel, &QPushButton::clicked, this, [this] { reject(); });
    resize(720, 560);
    preview();
    // An unscripted run accepts what the preview proposes.
    setResult(readable_ ? DialogOk : DialogCancelled);
}

void cDelimitedImportDialog::reject() {
    done(DialogCancelled);
}

void cDelimitedImportDialog::preview() {
    sDelimitedOptions options;
    options.maxRows = PreviewRows;
    const int encoding = encoding_->currentIndex();
    options.encoding = encoding > 0 ? Encodings[encoding - 1] : eDelimitedEncoding::Auto;
    const int separator = separator_->currentIndex();
    options.separator = separator > 0 ? Separators[separator - 1] : 0;
    options.header = header_->currentIndex() == 1   ? eHeaderRow::Present
                     : header_->currentIndex() == 2 ? eHeaderRow::Absent
                                                    : eHeaderRow::Detect;
    sDelimitedError error;
    readable_ = ReadDelimitedFile(path_, options, table_, error);
    ok_->setEnabled(readable_);
    problem_->setText(
        readable_ ? QString()
                  : QString::fromStdString(error.line == 0 ? error.reason
                                                           : "Line " + std::to_string(error.line) +
                                                                 ": " + error.reason));
    problem_->setVisible(!readable_);
    if (!readable_)
        table_.clear();
    encoding_->setItemText(0, "Detected: " + EncodingLabel(table_.encoding));
    separator_->setItemText(0, "Detected: " + SeparatorLabel(table_.separator));
    header_->setItemText(0, table_.header || !table_.names.empty()
                                ? QStringLiteral("Detected: the first row names the columns")
                                : QStringLiteral("Detected: no header row"));
    mappings_ = ProposeMappings(table_, intoOpen_->isChecked() ? open_ : nullptr);
    fillTable();
}

QString cDelimitedImportDialog::columnLabel(int column) const {
    const sColumnMapping& mapping = mappings_[static_cast<size_t>(column)];
    switch (mapping.use) {
    case eColumnUse::Skip:
        return QStringLiteral("(skip)");
    case eColumnUse::Categories:
        return QStringLiteral("(categories)");
    case eColumnUse::ExistingAttribute:
        return NameOf(open_->attribute(mapping.attribute)->name) +
               (mapping.pinyin ? QStringLiteral(" (pinyin)") : QString());
    case eColumnUse::NewAttribute:
        return QString::fromStdU16String(mapping.name) +
               (mapping.pinyin                          ? QStringLiteral(" (Unicode, pinyin)")
                : mapping.mediaType == MediaTypeUnicode ? QStringLiteral(" (Unicode)")
                                                        : QStringLiteral(" (Ascii)"));
    }
    return QString();
}

void cDelimitedImportDialog::fillTable() {
    const int columns = static_cast<int>(mappings_.size());
    chosen_.assign(mappings_.size(), false);
    rows_->clear();
    rows_->setColumnCount(columns);
    rows_->setRowCount(static_cast<int>(table_.rowCount()));
    for (size_t row = 0; row < table_.rowCount(); ++row)
        for (size_t column = 0; column < std::min(table_.cellCount(row), mappings_.size());
             ++column)
            rows_->setItem(static_cast<int>(row), static_cast<int>(column),
                           new QTableWidgetItem(cellText(row, column)));
    column_->blockSignals(true);
    column_->clear();
    for (int column = 0; column < columns; ++column) {
        rows_->setHorizontalHeaderItem(column, new QTableWidgetItem(columnLabel(column)));
        column_->addItem(QString::number(column + 1));
    }
    column_->blockSignals(false);
    rows_->resizeColumnsToContents();
    showColumn(columns > 0 ? 0 : -1);
    updateKeys();
}

void cDelimitedImportDialog::showColumn(int column) {
    const QSignalBlocker quiet(use_);
    use_->clear();
    name_->clear();
    const bool any = column >= 0 && column < static_cast<int>(mappings_.size());
    use_->setEnabled(any);
    name_->setEnabled(false);
    pinyin_->setEnabled(false);
    if (!any)
        return;
    use_->addItem(QStringLiteral("New Ascii attribute"), UseAscii);
    use_->addItem(QStringLiteral("New Unicode attribute"), UseUnicode);
    use_->addItem(QStringLiteral("Categories (names separated by spaces or ';')"), UseCategories);
    use_->addItem(QStringLiteral("Skip"), UseSkip);
    if (intoOpen_->isChecked())
        for (uint32_t i = 0; i < open_->attributes.count(); ++i)
            use_->addItem("Attribute: " + NameOf(open_->attribute(i)->name),
                          UseExisting + static_cast<int>(i));
    const sColumnMapping& mapping = mappings_[static_cast<size_t>(column)];
    int data = UseSkip;
    if (mapping.use == eColumnUse::NewAttribute)
        data = mapping.mediaType == MediaTypeUnicode ? UseUnicode : UseAscii;
    else if (mapping.use == eColumnUse::Categories)
        data = UseCategories;
    else if (mapping.use == eColumnUse::ExistingAttribute)
        data = UseExisting + static_cast<int>(mapping.attribute);
    use_->setCurrentIndex(use_->findData(data));
    name_->setEnabled(mapping.use == eColumnUse::NewAttribute);
    name_->setText(QString::fromStdU16String(mapping.name));
    showPinyinChoice(mapping);
    if (rows_->currentColumn() != column)
        rows_->setCurrentCell(rows_->rowCount() > 0 ? 0 : -1, column);
}

void cDelimitedImportDialog::useChanged() {
    const int column = column_->currentIndex();
    if (column < 0 || column >= static_cast<int>(mappings_.size()))
        return;
    sColumnMapping& mapping = mappings_[static_cast<size_t>(column)];
    const int data = use_->currentData().toInt();
    chosen_[static_cast<size_t>(column)] = true;
    if (mapping.name.empty())
        mapping.name = column < static_cast<int>(table_.names.size())
                           ? table_.names[static_cast<size_t>(column)]
                           : ("Attribute " + QString::number(column + 1)).toStdU16String();
    if (data == UseAscii || data == UseUnicode) {
        mapping.use = eColumnUse::NewAttribute;
        mapping.mediaType = data == UseUnicode ? MediaTypeUnicode : MediaTypeAscii;
    } else if (data == UseCategories) {
        mapping.use = eColumnUse::Categories;
    } else if (data == UseSkip) {
        mapping.use = eColumnUse::Skip;
    } else {
        mapping.use = eColumnUse::ExistingAttribute;
        mapping.attribute = static_cast<uint32_t>(data - UseExisting);
    }
    name_->setEnabled(mapping.use == eColumnUse::NewAttribute);
    name_->setText(QString::fromStdU16String(mapping.name));
    if (mapping.pinyin && !TakesPinyin(mapping, open_)) {
        mapping.pinyin = false;
        refreshColumnCells(column);
    }
    showPinyinChoice(mapping);
    rows_->horizontalHeaderItem(column)->setText(columnLabel(column));
    rows_->resizeColumnToContents(column);
    updateKeys();
}

QString cDelimitedImportDialog::cellText(size_t row, size_t column) const {
    const std::u16string text(table_.cell(row, column));
    const sColumnMapping& mapping = mappings_[column];
    return QString::fromStdU16String(mapping.pinyin ? ConvertPinyin(text, mapping.pinyinStyle)
                                                    : text);
}

void cDelimitedImportDialog::refreshColumnCells(int column) {
    const auto index = static_cast<size_t>(column);
    for (size_t row = 0; row < table_.rowCount(); ++row)
        if (QTableWidgetItem* item = rows_->item(static_cast<int>(row), column))
            item->setText(cellText(row, index));
}

void cDelimitedImportDialog::showPinyinChoice(const sColumnMapping& mapping) {
    const QSignalBlocker quiet(pinyin_);
    pinyin_->setEnabled(TakesPinyin(mapping, open_));
    pinyin_->setChecked(mapping.pinyin);
}

void cDelimitedImportDialog::pinyinChanged(bool convert) {
    const int column = column_->currentIndex();
    if (column < 0 || column >= static_cast<int>(mappings_.size()))
        return;
    sColumnMapping& mapping = mappings_[static_cast<size_t>(column)];
    mapping.pinyin = convert;
    mapping.pinyinStyle = Settings.pinyinStyle;
    if (convert && mapping.use == eColumnUse::NewAttribute) {
        mapping.mediaType = MediaTypeUnicode;
        chosen_[static_cast<size_t>(column)] = true;
        const QSignalBlocker quiet(use_);
        use_->setCurrentIndex(use_->findData(UseUnicode));
    }
    refreshColumnCells(column);
    rows_->horizontalHeaderItem(column)->setText(columnLabel(column));
    rows_->resizeColumnToContents(column);
}

void cDelimitedImportDialog::nameChanged() {
    const int column = column_->currentIndex();
    if (column < 0 || column >= static_cast<int>(mappings_.size()))
        return;
    mappings_[static_cast<size_t>(column)].name = name_->text().toStdU16String();
    rows_->horizontalHeaderItem(column)->setText(columnLabel(column));
    rows_->resizeColumnToContents(column);
    updateKeys();
}

void cDelimitedImportDialog::intoChanged() {
    mappings_ = ProposeMappings(table_, intoOpen_->isChecked() ? open_ : nullptr);
    fillTable();
}

void cDelimitedImportDialog::updateKeys() {
    policy_->setEnabled(intoOpen_->isChecked());
    QStringList names;
    for (const sColumnMapping& mapping : mappings_) {
        if (mapping.use == eColumnUse::NewAttribute)
            names << QString::fromStdU16String(mapping.name);
        else if (mapping.use == eColumnUse::ExistingAttribute)
            names << NameOf(open_->attribute(mapping.attribute)->name);
    }
    policy_->setKeyNames(names);
}

sDelimitedImportChoice cDelimitedImportDialog::choice() const {
    sDelimitedImportChoice chosen;
    // Detected again over the whole file: a head of 7-bit text says nothing of what follows.
    chosen.options.encoding =
        encoding_->currentIndex() > 0 ? table_.encoding : eDelimitedEncoding::Auto;
    chosen.options.separator = table_.separator;
    chosen.options.header = table_.header ? eHeaderRow::Present : eHeaderRow::Absent;
    chosen.mappings = mappings_;
    chosen.chosen = chosen_;
    chosen.intoOpen = intoOpen_->isChecked();
    if (chosen.intoOpen)
        chosen.policy = policy_->policy();
    return chosen;
}

void cDelimitedImportDialog::remember() const {
    Settings.delimitedChoices = std::to_string(encoding_->currentIndex()) + " " +
                                std::to_string(separator_->currentIndex()) + " " +
                                std::to_string(header_->currentIndex()) + " " +
                                (intoOpen_->isChecked() ? "1 " : "0 ") +
                                std::to_string(policy_->policyBox()->currentIndex());
    SaveSettings();
}
