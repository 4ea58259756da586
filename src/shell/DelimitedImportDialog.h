#pragma once
// The preview of a delimited import: the first rows as a table; the encoding, separator and
// header row as detected and changeable, each change read again at once; per column what it
// becomes; into a new database or the open one, with the duplicate policy. Only the head of
// the file is read here.

#include <QDialog>
#include <string>
#include <vector>

#include "exchange/ColumnMapping.h"
#include "exchange/DelimitedReader.h"
#include "exchange/DuplicatePolicy.h"

class cDatabase;
class cDuplicatePolicyBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

struct sDelimitedImportChoice {
    // What the preview resolved, for reading the whole file the same way.
    sDelimitedOptions options;
    tColumnMappings mappings;
    // Per column: the user chose what it becomes. The media type of a new attribute that was
    // only proposed is proposed again from the whole file.
    std::vector<bool> chosen;
    bool intoOpen = false;
    sDuplicatePolicy policy;
};

class cDelimitedImportDialog : public QDialog {
public:
    static constexpr uint32_t PreviewRows = 50;

    // open: the open database, nullptr when none is open. separator: a separator to start
    // with (the tab-delimited import), 0 for the remembered choice.
    cDelimitedImportDialog(QWidget* parent, const std::string& path, const cDatabase* open,
                           char16_t separator);

    sDelimitedImportChoice choice() const;
    // Remembers the choices for the next preview (Settings).
    void remember() const;
    void reject() override;

private:
    void preview();
    void fillTable();
    void showColumn(int column);
    void useChanged();
    void nameChanged();
    void pinyinChanged(bool convert);
    // The cell as it will be imported: its tone numbers as marks in a pinyin column.
    QString cellText(size_t row, size_t column) const;
    void refreshColumnCells(int column);
    void showPinyinChoice(const sColumnMapping& mapping);
    void intoChanged();
    void updateKeys();
    QString columnLabel(int column) const;

    std::string path_;
    const cDatabase* open_;
    cDelimitedTable table_;
    tColumnMappings mappings_;
    std::vector<bool> chosen_;
    bool readable_ = false;

    QComboBox* encoding_;
    QComboBox* separator_;
    QComboBox* header_;
    QLabel* problem_;
    QTableWidget* rows_;
    QComboBox* column_;
    QComboBox* use_;
    QLineEdit* name_;
    QCheckBox* pinyin_;
    QRadioButton* intoNew_;
    QRadioButton* intoOpen_;
    cDuplicatePolicyBox* policy_;
    QPushButton* ok_;
};
