// The value pane as a user drives it: typing values in place, the two quick-entry walks,
// the pinyin conversion while typing, and cut, copy and paste through the clipboard.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QLineEdit>
#include <QTest>

#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "shell/Commands.h"
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"
#include "support/GuiSteps.h"
#include "support/ValueSteps.h"

namespace {

// Types text into the editor of row of term t and commits it with Enter.
void TypeValue(cMainWindow& window, int t, int row, const char* text) {
    QLineEdit* editor = OpenEditor(window, t, row);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, text);
    Commit(editor);
}

bool HasValue(int t, int attribute) {
    return CurrentDatabase()
               .term(static_cast<uint32_t>(t))
               ->findValue(static_cast<uint16_t>(attribute)) != nullptr;
}

int EditedRow(cMainWindow& window) {
    return ValueView(window).currentIndex().row();
}

} // namespace

TEST_F(EditorTest, EnteringTextCreatesTheValueAndClearingItRemovesIt) {
    ShowDatabase(*window, "AA", 2);
    TypeValue(*window, 1, 1, "abc");
    EXPECT_EQ(AsciiText(1, 1), "abc");
    EXPECT_FALSE(HasValue(1, 0));
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_TRUE(AppState().acceleratorsEnabled);
    EXPECT_EQ(window->valuePane().editTerm, -1);
    EXPECT_EQ(ValueView(*window).paneModel()->index(1, 0).data().toString(), "abc");

    CurrentDocument().setModified(false);
    QLineEdit* editor = OpenEditor(*window, 1, 1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "abc");
    EXPECT_FALSE(AppState().acceleratorsEnabled);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    Commit(editor);
    EXPECT_FALSE(HasValue(1, 1));
    EXPECT_TRUE(CurrentDocument().isModified());
}

TEST_F(EditorTest, AcceleratorKeysGoToTheOpenEditorAndWorkAgainAfterIt) {
    ShowDatabase(*window, "A", 2);
    ASSERT_EQ(AppState().inputMode, eInputMode::Normal);
    QLineEdit* editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(AppState().inputMode, eInputMode::Normal)
        << "Ctrl+2 belongs to the editor while it is open";
    QTest::keyClick(editor, Qt::Key_Escape);
    Settle();
    ASSERT_TRUE(AppState().acceleratorsEnabled);
    QTest::keyClick(window->termPane().view(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(AppState().inputMode, eInputMode::OneTerm);
    // The table itself never changes: the menus keep showing every accelerator.
    EXPECT_EQ(window->action(CmdCopy)->shortcut(), QKeySequence("Ctrl+C"));
}

TEST_F(EditorTest, EscapeChangesNothingAndLeavesTheDatabaseUnmodified) {
    ShowDatabase(*window, "A", 1);
    CurrentDatabase().setValue(0, 0, "old");
    QLineEdit* editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "new");
    QTest::keyClick(editor, Qt::Key_Escape);
    Settle();
    EXPECT_EQ(AsciiText(0, 0), "old");
    EXPECT_FALSE(CurrentDocument().isModified());
    EXPECT_TRUE(AppState().acceleratorsEnabled);
    EXPECT_EQ(window->valuePane().editTerm, -1);
    EXPECT_EQ(window->valuePane().editBox(), nullptr);
}

TEST_F(EditorTest, EscapeInQuickEntryBreaksTheChain) {
    ShowDatabase(*window, "AA", 1);
    AppState().inputMode = eInputMode::OneTerm;
    QLineEdit* editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Escape);
    Settle();
    EXPECT_EQ(window->valuePane().editBox(), nullptr);
    EXPECT_EQ(window->valuePane().pendingEditRow, -1);
}

TEST_F(EditorTest, CommittingAnUnchangedEmptyRowStillMarksModified) {
    ShowDatabase(*window, "A", 1);
    TypeValue(*window, 0, 0, "");
    EXPECT_FALSE(HasValue(0, 0));
    EXPECT_TRUE(CurrentDocument().isModified());
}

TEST_F(EditorTest, OneTermAtATimeWalksTheAttributesThenAppendsATermInTheSameCategories) {
    ShowDatabase(*window, "AAA", 2);
    cDatabase& db = CurrentDatabase();
    db.addCategory();
    db.category(0)->addMember(1);
    window->categoryPane().fill();
    AppState().inputMode = eInputMode::OneTerm;

    TypeValue(*window, 1, 1, "b");
    cValuePane& values = window->valuePane();
    QLineEdit* editor = values.editBox();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(EditedRow(*window), 2);
    EXPECT_EQ(values.editTerm, 1);

    QTest::keyClicks(editor, "c");
    Commit(editor);
    EXPECT_EQ(AsciiText(1, 1), "b");
    EXPECT_EQ(AsciiText(1, 2), "c");
    ASSERT_EQ(db.terms.count(), 3u);
    EXPECT_TRUE(db.category(0)->isMember(2));
    EXPECT_EQ(window->termPane().selectedTerms(), QList<int>{2});
    EXPECT_EQ(window->termPane().view()->model()->rowCount(), 3);
    ASSERT_NE(values.editBox(), nullptr);
    EXPECT_EQ(EditedRow(*window), 0);
    EXPECT_EQ(values.editTerm, 2);
    EXPECT_FALSE(AppState().acceleratorsEnabled);
}

TEST_F(EditorTest, OneAttributeAtATimeWalksDownTheTerms) {
    ShowDatabase(*window, "AAA", 10);
    AppState().inputMode = eInputMode::OneAttribute;
    TypeValue(*window, 3, 1, "four");
    EXPECT_EQ(AsciiText(3, 1), "four");
    EXPECT_EQ(window->termPane().selectedTerms(), QList<int>{4});
    cValuePane& values = window->valuePane();
    ASSERT_NE(values.editBox(), nullptr);
    EXPECT_EQ(EditedRow(*window), 1);
    EXPECT_EQ(values.editTerm, 4);
    EXPECT_EQ(CurrentDatabase().terms.count(), 10u);

    QTest::keyClicks(values.editBox(), "five");
    Commit(values.editBox());
    EXPECT_EQ(AsciiText(4, 1), "five");
    EXPECT_EQ(window->termPane().selectedTerms(), QList<int>{5});
}

TEST_F(EditorTest, TypedValuesStopAt255Characters) {
    ShowDatabase(*window, "A", 1);
    QLineEdit* editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QString(300, 'x'));
    EXPECT_EQ(editor->text().size(), 255);
    Commit(editor);
    EXPECT_EQ(AsciiText(0, 0), std::string(255, 'x'));
}

TEST_F(EditorTest, WithSeveralTermsSelectedThePaneIsEmptyAndNoEditStarts) {
    ShowDatabase(*window, "AA", 3);
    cListView& terms = *window->termPane().view();
    terms.selectRow(0, true);
    EXPECT_EQ(ValueView(*window).paneModel()->rowCount(), 2);
    terms.selectionModel()->select(terms.model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(ValueView(*window).paneModel()->rowCount(), 0);
    EXPECT_FALSE(ValueView(*window).beginEdit(0));
    EXPECT_EQ(window->valuePane().editBox(), nullptr);

    // With no term selected at all an edit is refused and the accelerators stay on.
    terms.clearRowSelection();
    EXPECT_FALSE(window->valuePane().onBeginEdit(0));
    EXPECT_EQ(window->valuePane().editTerm, -1);
    EXPECT_TRUE(AppState().acceleratorsEnabled);
}

TEST_F(EditorTest, AnotherTermKeepsTheSelectedAttributeRow) {
    ShowDatabase(*window, "AAA", 2);
    window->termPane().view()->selectRow(0, true);
    ValueView(*window).selectRow(2, true);
    window->termPane().view()->selectRow(1, true);
    EXPECT_EQ(ValueView(*window).firstSelected(), 2);
}

TEST_F(EditorTest, UnicodeTextInAnAsciiValueWarnsAndLosesWhatTheCodePageCannotHold) {
    ShowDatabase(*window, "A", 1);
    QLineEdit* editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "a");
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(QChar(0x4E2D)),
                        Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(QChar(0xE9)),
                        Qt::NoModifier);
    Commit(editor);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, TableText(53));
    EXPECT_EQ(platform.messages[0].text, TableText(95));
    EXPECT_EQ(AsciiText(0, 0), "a?\xE9");
}

TEST_F(EditorTest, LatinTextInAnAsciiValueGivesNoWarning) {
    ShowDatabase(*window, "A", 1);
    QLineEdit* editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(QChar(0xE9)),
                        Qt::NoModifier);
    Commit(editor);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(AsciiText(0, 0), "\xE9");
}

TEST_F(EditorTest, PinyinToneNumbersBecomeMarksInAUnicodeValueOnly) {
    ShowDatabase(*window, "AU", 1);
    AppState().pinyinConversion = true;
    QLineEdit* editor = OpenEditor(*window, 0, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "ni3");
    EXPECT_EQ(editor->text(), QString("n") + QChar(0x012D));
    EXPECT_EQ(editor->cursorPosition(), 2);
    EXPECT_TRUE(AppState().pinyinConversion);
    Commit(editor);
    EXPECT_EQ(ShownValue(0, 1), QString("n") + QChar(0x012D));

    editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "ni3");
    EXPECT_EQ(editor->text(), "ni3");
    Commit(editor);
    EXPECT_EQ(AsciiText(0, 0), "ni3");
}

TEST_F(EditorTest, PinyinConversionOffLeavesUnicodeTextAlone) {
    ShowDatabase(*window, "U", 1);
    QLineEdit* editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "ni3");
    EXPECT_EQ(editor->text(), "ni3");
}

TEST_F(EditorTest, AnAsciiValueCopiedAndPastedIntoAUnicodeRowIsConverted) {
    ShowDatabase(*window, "AU", 1);
    CurrentDatabase().setValue(0, 0, "caf\xE9");
    window->termPane().view()->selectRow(0, true);
    cListView& view = ValueView(*window);
    view.setFocus();
    view.selectRow(0, true);
    ExecuteCommand(CmdCopy);
    EXPECT_EQ(platform.clipboard, QString("caf") + QChar(0xE9));
    EXPECT_FALSE(CurrentDocument().isModified());
    EXPECT_TRUE(window->action(CmdPaste)->isEnabled());

    view.selectRow(1, true);
    ExecuteCommand(CmdPaste);
    const auto* pasted = static_cast<const cUnicodeValue*>(CurrentDatabase().term(0)->findValue(1));
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(std::u16string(pasted->text(), pasted->length()), u"caf\u00E9");
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_EQ(view.firstSelected(), 1);
    EXPECT_EQ(view.paneModel()->index(1, 0).data().toString(), QString("caf") + QChar(0xE9));
}

TEST_F(EditorTest, UnicodeTextPastedIntoAnAsciiRowIsEncodedWithoutWarning) {
    ShowDatabase(*window, "A", 1);
    platform.clipboard = QString("x") + QChar(0x4E2D) + QChar(0xFC);
    window->termPane().view()->selectRow(0, true);
    ValueView(*window).setFocus();
    ValueView(*window).selectRow(0, true);
    ExecuteCommand(CmdPaste);
    EXPECT_EQ(AsciiText(0, 0), "x?\xFC");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(EditorTest, CutMovesTheValueToTheClipboard) {
    ShowDatabase(*window, "A", 1);
    CurrentDatabase().setValue(0, 0, "gone");
    window->termPane().view()->selectRow(0, true);
    ValueView(*window).setFocus();
    ValueView(*window).selectRow(0, true);
    ExecuteCommand(CmdCut);
    EXPECT_EQ(platform.clipboard, "gone");
    EXPECT_FALSE(HasValue(0, 0));
    EXPECT_TRUE(CurrentDocument().isModified());
}

TEST_F(EditorTest, CopyAndCutOfAnEmptyValueLeaveTheClipboardAndTheDatabase) {
    ShowDatabase(*window, "AU", 1);
    CurrentDatabase().term(0)->changeValues().append(CurrentDatabase().createValue(1));
    platform.clipboard = "keep";
    window->termPane().view()->selectRow(0, true);
    ValueView(*window).setFocus();
    ValueView(*window).selectRow(0, true);
    ExecuteCommand(CmdCopy);
    EXPECT_EQ(platform.clipboard, "keep");
    ValueView(*window).selectRow(1, true);
    ExecuteCommand(CmdCut);
    EXPECT_EQ(platform.clipboard, "keep");
    EXPECT_TRUE(HasValue(0, 1));
    EXPECT_FALSE(CurrentDocument().isModified());
}

TEST_F(EditorTest, PasteInOneAttributeModeWalksDownAndStaysOnTheLastTerm) {
    ShowDatabase(*window, "AA", 2);
    AppState().inputMode = eInputMode::OneAttribute;
    platform.clipboard = "x";
    window->termPane().view()->selectRow(0, true);
    ValueView(*window).setFocus();
    ValueView(*window).selectRow(1, true);
    ExecuteCommand(CmdPaste);
    EXPECT_EQ(window->termPane().selectedTerms(), QList<int>{1});
    EXPECT_EQ(ValueView(*window).firstSelected(), 1);
    ExecuteCommand(CmdPaste);
    EXPECT_EQ(AsciiText(0, 1), "x");
    EXPECT_EQ(AsciiText(1, 1), "x");
    EXPECT_EQ(window->termPane().selectedTerms(), QList<int>{1});
    EXPECT_EQ(CurrentDatabase().terms.count(), 2u);
}

TEST_F(EditorTest, PasteWithAnEmptyClipboardLeavesAnEmptyValue) {
    ShowDatabase(*window, "A", 1);
    window->termPane().view()->selectRow(0, true);
    ValueView(*window).setFocus();
    ValueView(*window).selectRow(0, true);
    EXPECT_FALSE(window->action(CmdPaste)->isEnabled());
    ExecuteCommand(CmdPaste);
    ASSERT_TRUE(HasValue(0, 0));
    EXPECT_EQ(AsciiText(0, 0), "");
    EXPECT_TRUE(CurrentDocument().isModified());
}

TEST_F(EditorTest, CommandStateFollowsTheSelectedRowAndTheClipboard) {
    ShowDatabase(*window, "A", 1);
    window->termPane().view()->selectRow(0, true);
    cValuePane& values = window->valuePane();
    ValueView(*window).clearRowSelection();
    values.updateCommandState();
    for (int command : {CmdCut, CmdCopy, CmdDelete, CmdPaste})
        EXPECT_FALSE(window->action(command)->isEnabled()) << command;
    ValueView(*window).selectRow(0, true);
    platform.clipboard = "text";
    values.updateCommandState();
    for (int command : {CmdCut, CmdCopy, CmdDelete, CmdPaste})
        EXPECT_TRUE(window->action(command)->isEnabled()) << command;
}

TEST_F(EditorTest, DeleteKeyRemovesTheValueAndKeepsTheRow) {
    ShowDatabase(*window, "AA", 1);
    CurrentDatabase().setValue(0, 1, "x");
    window->termPane().view()->selectRow(0, true);
    cListView& view = ValueView(*window);
    view.setFocus();
    view.selectRow(1, true);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_FALSE(HasValue(0, 1));
    EXPECT_EQ(view.firstSelected(), 1);
    EXPECT_TRUE(CurrentDocument().isModified());
}

TEST_F(EditorTest, ValuePaneModelPassesTheModelTester) {
    ShowDatabase(*window, "AU", 3);
    CurrentDatabase().setValue(1, 1, u"\u4E2D");
    QAbstractItemModelTester tester(ValueView(*window).paneModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    cListView& terms = *window->termPane().view();
    terms.selectRow(1, true);
    EXPECT_EQ(ValueView(*window).paneModel()->index(1, 0).data().toString(), QChar(0x4E2D));
    EXPECT_EQ(ValueView(*window).paneModel()->index(1, 1).data().toString(), "Hanzi");
    terms.selectRow(0, true);
    window->valuePane().deleteValue();
    terms.clearRowSelection();
    EXPECT_EQ(ValueView(*window).paneModel()->rowCount(), 0);
}
