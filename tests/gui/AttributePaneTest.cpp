// The attribute pane as the user drives it: new attributes named in place, renames, deletes
// with the value-count question, and how the term pane's display column and the Display
// Attribute menu follow.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "model/Limits.h"
#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/Panes.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "shell/Commands.h"
#include "shell/DocumentStatus.h"
#include "shell/OpenDatabase.h"
#include "shell/ViewSettings.h"
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"
#include "support/GuiSteps.h"

namespace {

// Ascii attributes of the given names and one term holding "<name>-value" for each.
void OpenWithAttributes(std::initializer_list<const char*> names) {
    cDatabase& db = CurrentDatabase();
    int32_t term = names.size() ? db.addTerm() : -1;
    for (const char* name : names) {
        int32_t attribute = db.addAttribute(MediaTypeAscii);
        db.renameAttribute(attribute, name);
        db.setValue(term, attribute, (std::string(name) + "-value").c_str());
    }
    SetDatabaseOpen(true);
    RefreshAllPanes();
}

QString DisplayTitle(cMainWindow& window) {
    return window.termPane().view()->model()->headerData(1, Qt::Horizontal).toString();
}

QString DisplayedValue(cMainWindow& window, int term) {
    return window.termPane().view()->model()->index(term, 1).data().toString();
}

QStringList MenuTexts(cMainWindow& window) {
    QStringList texts;
    for (QAction* action : window.displayAttributeMenu()->actions())
        texts << (action->isSeparator() ? QString("-") : action->text());
    return texts;
}

QStringList Names() {
    QStringList names;
    const cDatabase& db = CurrentDatabase();
    for (uint32_t i = 0; i < db.attributes.count(); ++i)
        names << QString::fromLatin1(db.attribute(i)->name.text());
    return names;
}

// Selects row of the attribute pane with the focus in it.
cListView& FocusAttributes(cMainWindow& window, int row) {
    cListView& attributes = *window.attributePane().view();
    attributes.setFocus();
    attributes.selectRow(row, true);
    return attributes;
}

} // namespace

TEST_F(EditorTest, FirstAttributeIsDisplayedUnderItsTypedName) {
    OpenWithAttributes({});
    ShowAndActivate(*window);
    EXPECT_EQ(MenuTexts(*window), QStringList{"-"});
    cListView& attributes = *window->attributePane().view();

    EXPECT_EQ(ExecuteCommand(CmdNewUnicodeAttribute), CommandDone);
    EXPECT_EQ(window->statusText(), "New attribute created.");
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_EQ(attributes.model()->index(0, 1).data().toString(), "Unicode");
    EXPECT_EQ(window->panes().focusedPane(), &attributes);
    ASSERT_NE(attributes.editor(), nullptr);
    EXPECT_FALSE(AppState().acceleratorsEnabled);
    // They act on the name being typed.
    for (int command : {CmdCut, CmdCopy, CmdDelete})
        EXPECT_TRUE(window->action(command)->isEnabled()) << command;

    QTest::keyClicks(attributes.editor(), "Hanzi");
    EndEdit(attributes.editor(), Qt::Key_Return);
    EXPECT_EQ(Names(), QStringList{"Hanzi"});
    EXPECT_EQ(DisplayTitle(*window), "Hanzi");
    EXPECT_EQ(MenuTexts(*window), QStringList{"Hanzi"});
    EXPECT_TRUE(AppState().acceleratorsEnabled);
    EXPECT_TRUE(window->action(CmdAttributeDelete)->isEnabled());

    // A second attribute leaves the display attribute alone.
    EXPECT_EQ(ExecuteCommand(CmdAttributeNewAscii), CommandDone);
    ASSERT_NE(attributes.editor(), nullptr);
    QTest::keyClicks(attributes.editor(), "Pinyin");
    EndEdit(attributes.editor(), Qt::Key_Enter);
    EXPECT_EQ(DisplayTitle(*window), "Hanzi");
    EXPECT_EQ(MenuTexts(*window), (QStringList{"Hanzi", "Pinyin"}));
    EXPECT_EQ(attributes.model()->index(1, 1).data().toString(), "Ascii");
}

TEST_F(EditorTest, CancelledNamingKeepsTheNewAttributeUnnamed) {
    OpenWithAttributes({"Word"});
    ShowAndActivate(*window);
    cListView& attributes = *window->attributePane().view();
    EXPECT_EQ(ExecuteCommand(CmdNewAsciiAttribute), CommandDone);
    ASSERT_NE(attributes.editor(), nullptr);
    QTest::keyClicks(attributes.editor(), "Gloss");
    EndEdit(attributes.editor(), Qt::Key_Escape);
    EXPECT_EQ(Names(), (QStringList{"Word", ""}));
    EXPECT_TRUE(AppState().acceleratorsEnabled);
    EXPECT_EQ(window->displayAttributeMenu()->actions().size(), 2);
}

TEST_F(EditorTest, CancelledNamingOfTheFirstAttributeLeavesItDisplayed) {
    OpenWithAttributes({});
    ShowAndActivate(*window);
    cListView& attributes = *window->attributePane().view();
    ExecuteCommand(CmdNewUnicodeAttribute);
    ASSERT_NE(attributes.editor(), nullptr);
    EndEdit(attributes.editor(), Qt::Key_Escape);
    EXPECT_EQ(AppState().displayAttribute, 0);
    EXPECT_EQ(window->termPane().displayAttribute(), 0);
    CurrentDatabase().setValue(CurrentDatabase().addTerm(), 0, u"shown");
    window->termPane().fill();
    EXPECT_EQ(DisplayedValue(*window, 0), "shown");
}

TEST_F(EditorTest, DeletingAnAttributeBeforeTheDisplayedOneKeepsShowingIt) {
    OpenWithAttributes({"A", "B", "C", "D"});
    ShowAndActivate(*window);
    EXPECT_EQ(ExecuteCommand(CmdDisplayAttributeFirst + 3), CommandDone);
    ASSERT_EQ(DisplayedValue(*window, 0), "D-value");

    cListView& attributes = FocusAttributes(*window, 1);
    platform.messageAnswers = {MessageResultYes};
    QTest::keyClick(&attributes, Qt::Key_Delete);
    EXPECT_EQ(Names(), (QStringList{"A", "C", "D"}));
    EXPECT_EQ(AppState().displayAttribute, 2);
    EXPECT_EQ(DisplayTitle(*window), "D");
    EXPECT_EQ(DisplayedValue(*window, 0), "D-value");
    EXPECT_EQ(attributes.selectedRows(), QList<int>{1});
    EXPECT_EQ(MenuTexts(*window), (QStringList{"A", "C", "D"}));
    EXPECT_EQ(window->statusText(), "Attribute deleted.");
    EXPECT_TRUE(CurrentDocument().isModified());

    // Deleting the displayed attribute falls back to the first.
    attributes.selectRow(2, true);
    platform.messageAnswers = {MessageResultYes};
    EXPECT_EQ(ExecuteCommand(CmdAttributeDelete), CommandDone);
    EXPECT_EQ(DisplayTitle(*window), "A");
    EXPECT_EQ(DisplayedValue(*window, 0), "A-value");
    EXPECT_EQ(attributes.selectedRows(), QList<int>{1}) << "the new last row";
}

TEST_F(EditorTest, DeletingTheOnlyAttributeEmptiesTheDisplayColumn) {
    OpenWithAttributes({"Word"});
    ShowAndActivate(*window);
    ASSERT_EQ(DisplayTitle(*window), "Word");
    cListView& attributes = FocusAttributes(*window, 0);
    platform.messageAnswers = {MessageResultYes};
    EXPECT_EQ(ExecuteCommand(CmdDelete), CommandDone) << "Edit > Delete in the focused pane";
    EXPECT_TRUE(Names().isEmpty());
    EXPECT_EQ(DisplayTitle(*window), "");
    EXPECT_EQ(DisplayedValue(*window, 0), "");
    EXPECT_EQ(attributes.firstSelected(), -1);
    EXPECT_EQ(MenuTexts(*window), QStringList{"-"});
    EXPECT_EQ(window->valuePane().view()->model()->rowCount(), 0);
}

TEST_F(EditorTest, DeletingAnAttributeWithValuesAsksWithTheirCount) {
    OpenWithAttributes({"Word", "Note"});
    cDatabase& db = CurrentDatabase();
    for (int i = 0; i < 6; ++i)
        db.setValue(db.addTerm(), 0, "w");
    RefreshAllPanes();
    SetModified(false);
    ShowAndActivate(*window);
    cListView& attributes = FocusAttributes(*window, 0);

    platform.messageAnswers = {MessageResultNo};
    QTest::keyClick(&attributes, Qt::Key_Delete);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Dangerous Command Confirmation");
    EXPECT_EQ(platform.messages[0].text,
              "Do you really wish to delete attribute 'Word'? This operation will remove all "
              "values the database that use this attribute (7 values).");
    EXPECT_EQ(platform.messages[0].flags, unsigned(MessageYesNo)) << "no icon";
    EXPECT_EQ(Names(), (QStringList{"Word", "Note"}));
    EXPECT_EQ(db.countValuesOfAttribute(0), 7u);
    EXPECT_FALSE(CurrentDocument().isModified());

    // An attribute without values goes without a question.
    db.setValue(0, 1, "");
    attributes.selectRow(1, true);
    QTest::keyClick(&attributes, Qt::Key_Delete);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(Names(), QStringList{"Word"});

    // One value is a value too: the question comes, and Yes removes it with the attribute.
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Gloss");
    db.setValue(3, 1, "only");
    window->attributePane().fill();
    attributes.selectRow(1, true);
    platform.messageAnswers = {MessageResultYes};
    QTest::keyClick(&attributes, Qt::Key_Delete);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(platform.messages[1].text.endsWith("'Gloss'? This operation will remove all "
                                                   "values the database that use this attribute "
                                                   "(1 values)."));
    EXPECT_EQ(Names(), QStringList{"Word"});
    EXPECT_EQ(CurrentDatabase().term(3)->findValue(1), nullptr);
}

TEST_F(EditorTest, NewAttributeStopsAtTheLimit) {
    OpenWithAttributes({});
    cDatabase& db = CurrentDatabase();
    for (uint32_t i = 0; i < MaxAttributeCount; ++i)
        db.addAttribute(MediaTypeAscii);
    window->attributePane().fill();
    SetModified(false);
    const QString text = "Failed to add attribute because this database has reached the maximum "
                         "amount of space allowed for attributes.";
    for (int command : {CmdNewAsciiAttribute, CmdAttributeNewUnicode}) {
        platform.messages.clear();
        EXPECT_EQ(ExecuteCommand(command), CommandDone);
        ASSERT_EQ(platform.messages.size(), 1u) << command;
        EXPECT_EQ(platform.messages[0].caption, "Error");
        EXPECT_EQ(platform.messages[0].text, text);
    }
    EXPECT_EQ(db.attributes.count(), MaxAttributeCount);
    EXPECT_EQ(window->attributePane().view()->model()->rowCount(), int(MaxAttributeCount));
    EXPECT_FALSE(CurrentDocument().isModified());
}

TEST_F(EditorTest, RenamingAnAttributeReachesValuePaneTitleAndMenu) {
    OpenWithAttributes({"Word", "Gloss"});
    ShowAndActivate(*window);
    window->termPane().view()->selectRow(0, true);
    ASSERT_EQ(window->valuePane().view()->model()->rowCount(), 2);
    EXPECT_EQ(ExecuteCommand(CmdDisplayAttributeFirst + 1), CommandDone);
    SetModified(false);

    cListView& attributes = FocusAttributes(*window, 1);
    QTest::keyClick(&attributes, Qt::Key_Return);
    ASSERT_NE(attributes.editor(), nullptr);
    EXPECT_EQ(attributes.editor()->text(), "Gloss");
    attributes.editor()->selectAll();
    QTest::keyClicks(attributes.editor(), "Meaning");
    EndEdit(attributes.editor(), Qt::Key_Return);

    EXPECT_EQ(Names(), (QStringList{"Word", "Meaning"}));
    EXPECT_EQ(window->valuePane().view()->model()->index(1, 1).data().toString(), "Meaning");
    EXPECT_EQ(DisplayTitle(*window), "Meaning");
    EXPECT_EQ(MenuTexts(*window), (QStringList{"Word", "Meaning"}));
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_NE(window->statusText(), "New attribute created.");

    // F2, the desktop's rename key, does what Enter does.
    QTest::keyClick(&attributes, Qt::Key_F2);
    ASSERT_NE(attributes.editor(), nullptr);
    EXPECT_EQ(attributes.editor()->text(), "Meaning");
    EndEdit(attributes.editor(), Qt::Key_Escape);

    // A rename of an attribute that is not displayed leaves the title.
    attributes.selectRow(0, true);
    QTest::keyClick(&attributes, Qt::Key_Return);
    ASSERT_NE(attributes.editor(), nullptr);
    attributes.editor()->selectAll();
    QTest::keyClicks(attributes.editor(), "Hanzi");
    EndEdit(attributes.editor(), Qt::Key_Return);
    EXPECT_EQ(DisplayTitle(*window), "Meaning");
    EXPECT_EQ(MenuTexts(*window), (QStringList{"Hanzi", "Meaning"}));
}

TEST_F(EditorTest, AttributeCommandStateAndKeys) {
    OpenWithAttributes({"Word"});
    ShowAndActivate(*window);
    cListView& attributes = *window->attributePane().view();
    attributes.clearRowSelection();
    attributes.setFocus();
    window->attributePane().updateCommandState();
    for (int command : {CmdAttributeDelete, CmdDelete, CmdCut, CmdCopy, CmdPaste})
        EXPECT_FALSE(window->action(command)->isEnabled()) << command;
    EXPECT_TRUE(window->action(CmdAttributeNewAscii)->isEnabled());
    EXPECT_TRUE(window->action(CmdAttributeNewUnicode)->isEnabled());

    QRect row = attributes.visualRect(attributes.model()->index(0, 1));
    QTest::mouseClick(attributes.viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    EXPECT_TRUE(window->action(CmdAttributeDelete)->isEnabled());
    EXPECT_TRUE(window->action(CmdDelete)->isEnabled());
    EXPECT_FALSE(window->action(CmdCopy)->isEnabled());

    QTest::keyClick(&attributes, Qt::Key_Tab);
    EXPECT_EQ(window->panes().focusedPane(), window->termPane().view()) << "the cycle wraps";
    attributes.setFocus();
    QTest::keyClick(&attributes, Qt::Key_Left);
    EXPECT_EQ(window->panes().focusedPane(), window->categoryPane().view());
}

TEST_F(EditorTest, AttributeModelKeepsTheModelRules) {
    OpenWithAttributes({"A", "B"});
    QAbstractItemModelTester tester(window->attributePane().view()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    window->attributePane().newAttribute(MediaTypeUnicode);
    window->attributePane().view()->selectRow(0, true);
    platform.messageAnswers = {MessageResultYes};
    window->attributePane().deleteSelectedAttribute();
    window->attributePane().fill();
    EXPECT_EQ(window->attributePane().view()->model()->rowCount(), 2);
    EXPECT_EQ(window->attributePane().view()->model()->index(1, 1).data().toString(), "Unicode");
}
