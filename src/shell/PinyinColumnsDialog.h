#pragma once
// Which Unicode attributes of a database hold pinyin: asked after a Vesk Text or
// tab-delimited file was read with "Convert pinyin tone numbers" checked (with the style of
// the marks to write), and before an export with "Write pinyin with tone numbers" checked.

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "text/PinyinStyle.h"

class QComboBox;
class QListWidget;
class cDatabase;

class cPinyinColumnsDialog : public QDialog {
public:
    // One check item per Unicode attribute of db, checked when its name is among checked or
    // holds "pinyin" in any letter case. forImport adds the choice of style, starting at style.
    cPinyinColumnsDialog(QWidget* parent, const cDatabase& db, bool forImport,
                         const std::vector<std::string>& checked, ePinyinStyle style);

    std::vector<uint32_t> chosenAttributes() const;
    // Their names as the database holds them (Windows-1252).
    std::vector<std::string> chosenNames() const;
    ePinyinStyle style() const;

private:
    QListWidget* list_;
    QComboBox* style_ = nullptr;
};
