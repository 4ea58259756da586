// Find and Find Next over the term pane, and the view settings: the user font and the
// display attribute.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneModel.h"
#include "panes/TermPane.h"
#include "shell/Commands.h"
#include "shell/DocumentStatus.h"
#include "shell/Find.h"
#include "shell/OpenDatabase.h"
#include "shell/ViewSettings.h"
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"

namespace {

class FindTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        cDatabase& db = CurrentDatabase();
        db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
        db.renameAttribute(db.addAttribute(MediaTypeUnicode), "Note");
        for (const char* word : {"cat", "the cat", "dog", "xabcx", "abc", "\xC9t\xE9"})
            db.setValue(db.addTerm(), 0, word);
        db.setValue(2, 1, u"\u4E2D\u6587 \u00C9");
        SetDatabaseOpen(true);
        RefreshAllPanes();
    }

    cListView& terms() { return *window->termPane().view(); }

    void find(const char16_t* text, bool wholeValue = false, bool matchCase = false,
              bool upward = false, bool selectMatches = false) {
        SetFindText(text);
        sFindOptions& options = AppState().findOptions;
        options.wholeValue = wholeValue;
        options.matchCase = matchCase;
        options.upward = upward;
        options.selectMatches = selectMatches;
        FindNext();
    }
};

} // namespace

TEST_F(FindTest, FindNextSkipsTheSelectedTermAndWraps) {
    find(u"cat");
    EXPECT_EQ(terms().selectedRows(), QList<int>{0}) << "nothing selected: term 0 is examined";
    find(u"cat");
    EXPECT_EQ(terms().selectedRows(), QList<int>{1});
    find(u"cat");
    EXPECT_EQ(terms().selectedRows(), QList<int>{0}) << "wrapped to the top";
    EXPECT_TRUE(platform.messages.empty());

    terms().selectRow(2, true);
    find(u"dog");
    ASSERT_EQ(platform.messages.size(), 1u) << "the only match is the selected term";
    EXPECT_EQ(platform.messages[0].caption, "Information");
    EXPECT_EQ(platform.messages[0].text, "Failed to find a match.");
    EXPECT_EQ(platform.messages[0].flags, unsigned(MessageOk));
    EXPECT_EQ(terms().selectedRows(), QList<int>{2});
}

TEST_F(FindTest, UpwardSearchWrapsFromTheFirstTerm) {
    terms().selectRow(0, true);
    find(u"abc", false, false, true);
    EXPECT_EQ(terms().selectedRows(), QList<int>{4}) << "from 0 upward: 5, then 4";
}

TEST_F(FindTest, CaseFoldingTouchesOnlyAToZ) {
    find(u"ABC", false, false);
    EXPECT_EQ(terms().selectedRows(), QList<int>{3}) << "ABC occurs in xabcx";
    find(u"ABC", true, false);
    EXPECT_EQ(terms().selectedRows(), QList<int>{4}) << "whole value: only abc";
    terms().clearRowSelection();
    find(u"ABC", false, true);
    EXPECT_EQ(platform.messages.size(), 1u) << "match case: no ABC anywhere";

    terms().clearRowSelection();
    find(u"\u00E9t\u00E9");
    EXPECT_TRUE(terms().selectedRows().isEmpty()) << "U+00C9 is not folded to U+00E9";
    find(u"\u00C9T\u00C9");
    EXPECT_TRUE(terms().selectedRows().isEmpty());
    find(u"\u00C9t\u00E9");
    EXPECT_EQ(terms().selectedRows(), QList<int>{5});

    // The ends of A to Z fold; the characters just outside them ("@[" and "`{") do not.
    cDatabase& db = CurrentDatabase();
    for (const char* word : {"Zebra", "Aardvark", "@["})
        db.setValue(db.addTerm(), 0, word);
    RefreshAllPanes();
    const struct {
        const char16_t* text;
        QList<int> found;
    } cases[] = {{u"zEBRA", {6}}, {u"aARDVARK", {7}}, {u"`{", {}}, {u"@[", {8}}};
    for (const auto& c : cases) {
        terms().clearRowSelection();
        find(c.text, true);
        EXPECT_EQ(terms().selectedRows(), c.found) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST_F(FindTest, UnicodeTextFindsUnicodeValues) {
    find(u"\u6587");
    EXPECT_EQ(terms().selectedRows(), QList<int>{2});
    EXPECT_EQ(AppState().findOptions.ansiText, "?") << "the ANSI form holds the replacement";
}

TEST_F(FindTest, SelectMatchesSelectsEveryMatchOrNothing) {
    terms().selectRow(1, true);
    find(u"cat", false, false, false, true);
    EXPECT_EQ(terms().selectedRows(), (QList<int>{0, 1})) << "the start term is examined too";
    EXPECT_EQ(terms().currentIndex().row(), 1) << "the first found, from the start term";
    find(u"zebra", false, false, false, true);
    EXPECT_TRUE(terms().selectedRows().isEmpty());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FindTest, TheDialogKeepsTheOptionsBetweenSearches) {
    platform.dialogScripts = {[](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QRadioButton*>("down")->isChecked(), true);
        dialog.findChild<QLineEdit*>("findText")->setText("dog");
        dialog.findChild<QCheckBox*>("matchCase")->setChecked(true);
        dialog.findChild<QPushButton*>("findButton")->click();
        return dialog.result();
    }};
    EXPECT_EQ(ExecuteCommand(CmdFind), CommandDone);
    EXPECT_EQ(terms().selectedRows(), QList<int>{2});
    EXPECT_TRUE(AppState().findOptions.matchCase);

    platform.dialogScripts = {[](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>("findText")->text(), "dog");
        EXPECT_TRUE(dialog.findChild<QCheckBox*>("matchCase")->isChecked());
        dialog.findChild<QLineEdit*>("findText")->setText("cat");
        dialog.findChild<QPushButton*>("cancelButton")->click();
        return dialog.result();
    }};
    ExecuteCommand(CmdFind);
    EXPECT_EQ(AppState().findOptions.wideText, u"dog") << "Cancel changes nothing";
}

TEST_F(FindTest, TheFontKeepsTheWeightTheUserChose) {
    for (int weight : {100, 300, 500, 700, 900}) {
        QFont font("DejaVu Sans");
        font.setWeight(static_cast<QFont::Weight>(weight));
        platform.fontAnswer = font;
        ExecuteCommand(CmdFont);
        std::vector<uint8_t> bytes = ReadBytes(dir.file("vesk_prefs.txt"));
        const std::string settings(bytes.begin(), bytes.end());
        EXPECT_NE(settings.find("font_weight " + std::to_string(weight) + "\n"), std::string::npos)
            << settings;
        CreateUserFont(); // as the next start reads it
        EXPECT_EQ(UserFont().weight(), weight);
    }
}

TEST_F(FindTest, AFontChangeIsWrittenAtOnce) {
    QFont font("DejaVu Sans");
    font.setPointSize(10);
    font.setBold(true);
    platform.fontAnswer = font;
    ExecuteCommand(CmdFont);
    std::vector<uint8_t> bytes = ReadBytes(dir.file("vesk_prefs.txt"));
    std::string settings(bytes.begin(), bytes.end());
    EXPECT_NE(settings.find("font_face \"DejaVu Sans\"\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("font_size 10\n"), std::string::npos);
    EXPECT_NE(settings.find("font_weight 700\n"), std::string::npos);
    EXPECT_EQ(terms().font().pointSize(), 10);

    platform.fontAnswer.reset();
    ExecuteCommand(CmdFont);
    EXPECT_EQ(Settings.fontSize, 10) << "cancelled: nothing changes";
}

TEST_F(FindTest, DisplayAttributeMenuListsEveryAttribute) {
    QList<QAction*> items = window->displayAttributeMenu()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[1]->text(), "Note");
    EXPECT_EQ(items[1]->data().toInt(), CmdDisplayAttributeFirst + 1);
    items[1]->trigger();
    EXPECT_EQ(AppState().displayAttribute, 1);
    EXPECT_EQ(terms().paneModel()->headerData(1, Qt::Horizontal).toString(), "Note");
    EXPECT_EQ(terms().model()->index(2, 1).data().toString(),
              QString::fromUtf16(u"\u4E2D\u6587 \u00C9"));
    items[0]->trigger();
    EXPECT_EQ(AppState().displayAttribute, 0) << "back to the first entry";
    EXPECT_EQ(terms().paneModel()->headerData(1, Qt::Horizontal).toString(), "Word");
    EXPECT_EQ(terms().model()->index(2, 1).data().toString(), "dog");

    CurrentDatabase().clear();
    RefreshAllPanes();
    items = window->displayAttributeMenu()->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_TRUE(items[0]->isSeparator());
    EXPECT_EQ(terms().paneModel()->headerData(1, Qt::Horizontal).toString(), "");
}
