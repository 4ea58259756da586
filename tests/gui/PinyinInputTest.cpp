// Pinyin as learners write it, in the editor: the Input menu's Standard Tone Marks while
// typing, and the pinyin columns of the text imports and exports.

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include "panes/CommandIds.h"
#include "shell/DialogButtons.h"
#include "support/EditorFixture.h"
#include "support/TextFiles.h"
#include "support/ValueSteps.h"

namespace {

// The scripted platform with the file dialogs' check box: each answer is how the user leaves
// the box, and the boxes' labels are recorded.
class cOptionPlatform : public cScriptedPlatform {
public:
    QString fileNameWithOption(QWidget* owner, const sFileDialogRequest& request, bool forSaving,
                               const QString& option, bool& checked) override {
        options.push_back(option);
        checked = boxAnswers.front();
        boxAnswers.pop_front();
        return forSaving ? saveFileName(owner, request) : openFileName(owner, request);
    }
    std::deque<bool> boxAnswers;
    std::vector<QString> options;
};

QStringList Items(const QListWidget& list, Qt::CheckState state) {
    QStringList items;
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->checkState() == state)
            items << list.item(row)->text();
    return items;
}

} // namespace

TEST_F(EditorTest, StandardToneMarksAreAnInputItemKeptInTheSettings) {
    QAction* standard = window->action(CmdPinyinStandard);
    ASSERT_NE(standard, nullptr);
    QList<QAction*> input;
    for (QAction* menu : window->menuBar()->actions())
        if (menu->text() == "&Input")
            input = menu->menu()->actions();
    ASSERT_GE(input.indexOf(standard), 1);
    EXPECT_EQ(input[input.indexOf(standard) - 1], window->action(CmdPinyin)) << "beside it";
    EXPECT_EQ(standard->text(), "&Standard Tone Marks");
    EXPECT_TRUE(standard->isCheckable());
    EXPECT_FALSE(standard->isChecked());

    ShowDatabase(*window, "U", 1);
    AppState().pinyinConversion = true;
    QLineEdit* editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "hao3 ");
    ExecuteCommand(CmdPinyinStandard); // switched while the editor is open
    EXPECT_TRUE(standard->isChecked());
    EXPECT_EQ(window->statusText(), "Standard pinyin tone marks: on the vowel the dictionaries "
                                    "mark, caron for tone 3.");
    ASSERT_EQ(window->valuePane().editBox(), editor) << "the editor stays open";
    QTest::keyClicks(editor, "Liu2 An1 lu:4 NV3");
    EXPECT_EQ(editor->text().toStdU16String(), u"ha\u014F Li\u00FA \u0100n l\u01DC N\u01D9");
    Commit(editor);
    EXPECT_EQ(ShownValue(0, 0).toStdU16String(), u"ha\u014F Li\u00FA \u0100n l\u01DC N\u01D9");

    LoadSettings();
    EXPECT_EQ(Settings.pinyinStyle, ePinyinStyle::Standard) << "kept for the next start";
    ExecuteCommand(CmdPinyinStandard);
    EXPECT_FALSE(standard->isChecked());
    LoadSettings();
    EXPECT_EQ(Settings.pinyinStyle, ePinyinStyle::Handheld);
}

TEST_F(EditorTest, TextImportsAndExportsConvertTheChosenPinyinColumns) {
    cOptionPlatform options; // answers in place of the fixture's platform until the end
    const std::string in = dir.file("cedict.txt");
    WriteBytes(in, Bytes("\xE4\xBD\xA0\xE5\xA5\xBD\tni3 hao3\tLu:4\n"));
    const QString converted = QString::fromStdU16String(u"n\u01D0 h\u01CEo");

    // The box checked, the second column chosen, handheld marks changed to standard.
    options.boxAnswers = {true};
    options.fileAnswers = {QString::fromStdString(in)};
    options.dialogScripts = {[](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("pinyinColumns");
        auto* style = dialog.findChild<QComboBox*>("pinyinStyle");
        EXPECT_EQ(Items(*list, Qt::Unchecked),
                  (QStringList{"Attribute 1", "Attribute 2", "Attribute 3"}));
        list->item(1)->setCheckState(Qt::Checked);
        EXPECT_EQ(style->currentIndex(), 1) << "the Input menu's style to start with";
        style->setCurrentIndex(0);
        return int(DialogOk);
    }};
    EXPECT_EQ(ExecuteCommand(CmdImportTabDelimited), CommandDone);
    EXPECT_EQ(options.options.back(), "Convert pinyin tone &numbers to tone marks");
    EXPECT_EQ(ShownValue(0, 1), converted);
    EXPECT_EQ(ShownValue(0, 2), "Lu:4");

    // Cancelling the columns drops the import.
    options.boxAnswers = {true};
    options.fileAnswers = {QString::fromStdString(in)};
    options.dialogScripts = {[](QDialog&) { return int(DialogCancelled); }};
    EXPECT_EQ(ExecuteCommand(CmdImportTabDelimited), CommandFailed);
    EXPECT_TRUE(options.dialogScripts.empty());
    EXPECT_EQ(ShownValue(0, 1), converted);

    // The export writes numbers into its file only; the column chosen last is offered again.
    options.boxAnswers = {true};
    options.fileAnswers = {QString::fromStdString(dir.file("out.txt"))};
    options.dialogScripts = {[](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("pinyinColumns");
        EXPECT_EQ(Items(*list, Qt::Checked), QStringList{"Attribute 2"});
        EXPECT_EQ(dialog.findChild<QComboBox*>("pinyinStyle"), nullptr);
        return int(DialogOk);
    }};
    EXPECT_EQ(ExecuteCommand(CmdExportTabDelimited), CommandDone);
    EXPECT_EQ(options.options.back(), "Write pinyin with tone &numbers");
    EXPECT_EQ(ReadBytes(dir.file("out.txt")), Utf16File(u"\u4F60\u597D\tni3 hao3\tLu:4\n"));
    EXPECT_EQ(ShownValue(0, 1), converted);

    // Code-page text has no Unicode attribute to convert: said, and nothing changes.
    WriteBytes(dir.file("plain.txt"), Bytes("ni3\n"));
    options.boxAnswers = {true};
    options.fileAnswers = {QString::fromStdString(dir.file("plain.txt"))};
    EXPECT_EQ(ExecuteCommand(CmdImportTabDelimited), CommandFailed);
    EXPECT_EQ(options.messageTexts().back(),
              "Pinyin could not be converted: a pinyin column names no Unicode attribute of the "
              "database. Nothing was changed.");
    EXPECT_EQ(ShownValue(0, 1), converted);
    InstallPlatform(&platform);
}
