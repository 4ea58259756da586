#include "support/EditorFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "document/Document.h"
#include "panes/CommandIds.h"
#include "shell/Commands.h"
#include "shell/OpenDatabase.h"
#include "shell/Settings.h"

namespace {

void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

QComboBox* Box(QDialog& dialog, const char* name) {
    return dialog.findChild<QComboBox*>(name);
}

int PressOk(QDialog& dialog) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->isDefault())
            button->click();
    return dialog.result();
}

// Each term's values, "a/b" joined by spaces.
std::string Terms() {
    std::string out;
    const cDatabase& db = CurrentDocument().database();
    for (uint32_t term = 0; term < db.terms.count(); ++term) {
        for (uint16_t attribute = 0; attribute < db.attributes.count(); ++attribute) {
            const cValue* value = db.term(term)->findValue(attribute);
            out += attribute ? "/" : (term ? " " : "");
            out += value && value->mediaType() == MediaTypeAscii
                       ? static_cast<const cAsciiValue*>(value)->text.textOrEmpty()
                       : (value ? "U" : "");
        }
    }
    return out;
}

} // namespace

TEST_F(EditorTest, DelimitedPreviewMapsColumnsAndReadsAgainAtOnce) {
    const std::string csv = dir.file("words.csv");
    // Past the rows the preview shows, a meaning that Ascii text cannot hold.
    std::string text = "Word;Meaning;Tags\r\napple;Apfel;fruit\r\n\xE4\xB8\xAD;middle;x y\r\n";
    for (int row = 0; row < 55; ++row)
        text += "w" + std::to_string(row) + ";m;t\r\n";
    WriteText(csv, text + "last;\xE4\xB8\xAD\xE6\x96\x87;t\r\n");
    platform.fileAnswers = {QString::fromStdString(csv)};
    platform.dialogScripts.push_back([](QDialog& dialog) {
        auto* rows = dialog.findChild<QTableWidget*>("rows");
        EXPECT_EQ(Box(dialog, "separator")->itemText(0), "Detected: Semicolon ;");
        EXPECT_EQ(Box(dialog, "encoding")->itemText(0), "Detected: UTF-8");
        EXPECT_EQ(rows->rowCount(), 50);
        EXPECT_EQ(rows->item(0, 0)->text(), "apple");
        EXPECT_EQ(rows->horizontalHeaderItem(0)->text(), "Word (Unicode)");
        EXPECT_EQ(rows->horizontalHeaderItem(1)->text(), "Meaning (Ascii)");
        EXPECT_EQ(rows->horizontalHeaderItem(2)->text(), "(categories)");
        Box(dialog, "header")->setCurrentIndex(2);
        EXPECT_EQ(rows->item(0, 0)->text(), "Word");
        EXPECT_EQ(rows->horizontalHeaderItem(0)->text(), "Attribute 1 (Unicode)");
        Box(dialog, "separator")->setCurrentIndex(1); // comma: one column
        EXPECT_EQ(rows->columnCount(), 1);
        Box(dialog, "separator")->setCurrentIndex(0);
        Box(dialog, "header")->setCurrentIndex(0);
        Box(dialog, "column")->setCurrentIndex(2);
        Box(dialog, "use")->setCurrentIndex(Box(dialog, "use")->findData(3)); // skip
        EXPECT_EQ(rows->horizontalHeaderItem(2)->text(), "(skip)");
        return PressOk(dialog);
    });
    EXPECT_EQ(ExecuteCommand(CmdImportDelimited), CommandDone);
    const cDatabase& db = CurrentDocument().database();
    ASSERT_EQ(db.attributes.count(), 2u);
    EXPECT_EQ(db.attribute(0)->mediaType, MediaTypeUnicode);
    EXPECT_EQ(db.attribute(1)->mediaType, MediaTypeUnicode); // proposed again from every row
    EXPECT_EQ(db.terms.count(), 58u);
    EXPECT_EQ(db.categories.count(), 0u);
    EXPECT_EQ(window->statusText(), "58 added, 0 updated, 0 skipped");
    EXPECT_EQ(Settings.delimitedChoices, "0 0 0 0 0");
}

// A pinyin column shows and imports its tone numbers as marks, in the Input menu's style, and
// becomes Unicode though its text is plain Ascii.
TEST_F(EditorTest, DelimitedPreviewConvertsAPinyinColumn) {
    const std::string csv = dir.file("pinyin.csv");
    WriteText(csv, "Word,Pinyin\nhello,ni3 hao3\n");
    Settings.pinyinStyle = ePinyinStyle::Standard;
    platform.fileAnswers = {QString::fromStdString(csv)};
    platform.dialogScripts.push_back([](QDialog& dialog) {
        auto* rows = dialog.findChild<QTableWidget*>("rows");
        auto* pinyin = dialog.findChild<QCheckBox*>("pinyin");
        Box(dialog, "column")->setCurrentIndex(1);
        EXPECT_TRUE(pinyin->isEnabled());
        pinyin->setChecked(true);
        EXPECT_EQ(rows->item(0, 1)->text(), QString::fromUtf8("n\xC7\x90 h\xC7\x8Eo"));
        EXPECT_EQ(rows->horizontalHeaderItem(1)->text(), "Pinyin (Unicode, pinyin)");
        Box(dialog, "use")->setCurrentIndex(Box(dialog, "use")->findData(2)); // categories
        EXPECT_FALSE(pinyin->isEnabled());
        EXPECT_EQ(rows->item(0, 1)->text(), "ni3 hao3");
        Box(dialog, "use")->setCurrentIndex(Box(dialog, "use")->findData(0)); // Ascii
        pinyin->setChecked(true);
        return PressOk(dialog);
    });
    EXPECT_EQ(ExecuteCommand(CmdImportDelimited), CommandDone);
    const cDatabase& db = CurrentDocument().database();
    ASSERT_EQ(db.attributes.count(), 2u);
    EXPECT_EQ(db.attribute(1)->mediaType, MediaTypeUnicode);
    EXPECT_EQ(Terms(), "hello/U");
    const auto* value = static_cast<const cUnicodeValue*>(db.term(0)->findValue(1));
    EXPECT_EQ(std::u16string(value->text(), value->length()), u"n\u01D0 h\u01CEo");
}

TEST_F(EditorTest, ImportIntoTheOpenDatabaseFollowsEachPolicyAsOneUndoStep) {
    const std::string path = makeDatabase("open.PDB", [](cDatabase& db) {
        db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
        db.renameAttribute(db.addAttribute(MediaTypeAscii), "Meaning");
        db.setValue(db.addTerm(), 0, "apple");
        db.setValue(0, 1, "old");
    });
    ASSERT_EQ(OpenDatabaseFile(path, false), 0);
    const std::string csv = dir.file("more.csv");
    WriteText(csv, "Word,Meaning\n apple,Apfel\npear,Birne\n");
    const struct {
        int policy;
        const char* terms;
        const char* summary;
    } cases[] = {
        {0, "apple/old  apple/Apfel pear/Birne", "2 added, 0 updated, 0 skipped"},
        {1, "apple/old pear/Birne", "1 added, 0 updated, 1 skipped"},
        {2, "apple/Apfel pear/Birne", "1 added, 1 updated, 0 skipped"},
    };
    for (const auto& c : cases) {
        platform.fileAnswers = {QString::fromStdString(csv)};
        platform.dialogScripts.push_back([&c](QDialog& dialog) {
            dialog.findChild<QRadioButton*>("intoOpen")->setChecked(true);
            EXPECT_EQ(dialog.findChild<QTableWidget*>("rows")->horizontalHeaderItem(1)->text(),
                      "Meaning");
            Box(dialog, "duplicatePolicy")->setCurrentIndex(c.policy);
            Box(dialog, "duplicateKey")->setCurrentIndex(0);
            return PressOk(dialog);
        });
        EXPECT_EQ(ExecuteCommand(CmdImportDelimited), CommandDone);
        EXPECT_EQ(Terms(), c.terms);
        EXPECT_EQ(window->statusText(), c.summary);
        EXPECT_EQ(CurrentDocument().database().attributes.count(), 2u);
        ExecuteCommand(CmdUndo);
        EXPECT_EQ(Terms(), "apple/old");
    }

    platform.fileAnswers = {QString::fromStdString(path)};
    platform.dialogScripts.push_back([](QDialog& dialog) {
        Box(dialog, "duplicatePolicy")->setCurrentIndex(1);
        return PressOk(dialog);
    });
    EXPECT_EQ(ExecuteCommand(CmdMerge), CommandDone);
    EXPECT_EQ(Terms(), "apple/old");
    EXPECT_EQ(window->statusText(), "0 added, 0 updated, 1 skipped");
}
