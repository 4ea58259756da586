// Undo and Redo as the user meets them: the keys and the Edit menu, the modified mark that
// follows the saved file, the edit box's own undo, and the selection put back.

#include <QAction>
#include <QLineEdit>
#include <QTest>

#include "model/Category.h"
#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/TermPane.h"
#include "shell/Commands.h"
#include "shell/DocumentStatus.h"
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"
#include "support/ValueSteps.h"

namespace {

QString Label(cMainWindow& window, int command) {
    return window.action(command)->text();
}

void Press(cMainWindow& window, QKeySequence keys) {
    QTest::keySequence(&window, keys);
    Settle();
}

} // namespace

TEST_F(EditorTest, UndoAndRedoFollowTheKeysTheMenuAndTheSavedFile) {
    ShowDatabase(*window, "A", 3);
    EXPECT_FALSE(window->action(CmdUndo)->isEnabled()) << "nothing to undo yet";
    EXPECT_EQ(Label(*window, CmdUndo), "&Undo\tCtrl+Z");

    QLineEdit* editor = OpenEditor(*window, 1, 0);
    ASSERT_NE(editor, nullptr);
    editor->setText("cat");
    Commit(editor);
    ASSERT_EQ(AsciiText(1, 0), "cat");
    EXPECT_EQ(Label(*window, CmdUndo), "&Undo Typing\tCtrl+Z");
    EXPECT_TRUE(window->action(CmdUndo)->isEnabled());
    EXPECT_FALSE(window->action(CmdRedo)->isEnabled());

    // The file is saved here: undoing away from it marks the database, coming back clears it.
    ASSERT_EQ(CurrentDocument().saveAs(dir.file("words.pdb")), 0);
    EXPECT_FALSE(TitleText().endsWith(" *"));
    window->termPane().view()->selectRow(0, true);
    window->termPane().view()->setFocus();
    Press(*window, QKeySequence("Ctrl+Z"));
    EXPECT_EQ(AsciiText(1, 0), "<none>");
    EXPECT_TRUE(TitleText().endsWith(" *"));
    EXPECT_TRUE(window->action(CmdSave)->isEnabled());
    EXPECT_EQ(window->termPane().selectedTerms(), QList<int>{1}) << "the term edited";
    EXPECT_TRUE(window->valuePane().view()->hasFocus()) << "where the edit was";
    EXPECT_EQ(Label(*window, CmdRedo), "&Redo Typing\tCtrl+Shift+Z");

    Press(*window, QKeySequence("Ctrl+Y"));
    EXPECT_EQ(AsciiText(1, 0), "cat");
    EXPECT_FALSE(TitleText().endsWith(" *")) << "back at the saved file";
    EXPECT_FALSE(window->action(CmdSave)->isEnabled());
    Press(*window, QKeySequence("Ctrl+Z"));
    Press(*window, QKeySequence("Ctrl+Shift+Z"));
    EXPECT_EQ(AsciiText(1, 0), "cat");

    // While the box is open, Ctrl+Z takes back typing in the box, not the stored value.
    editor = OpenEditor(*window, 1, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, "s");
    EXPECT_EQ(editor->text(), "cats");
    QTest::keySequence(editor, QKeySequence("Ctrl+Z"));
    EXPECT_EQ(editor->text(), "cat");
    EXPECT_EQ(AsciiText(1, 0), "cat");
    EndEdit(editor, Qt::Key_Escape);
}

TEST_F(EditorTest, UndoingADeleteBringsTheTermsBackSelected) {
    ShowDatabase(*window, "A", 5);
    CurrentDatabase().setValue(2, 0, "two");
    ExecuteCommand(CmdNewCategory);
    EndEdit(window->categoryPane().view()->editor(), Qt::Key_Escape);
    window->termPane().view()->selectRow(2, true);
    window->categoryPane().setMembership(0, true);
    window->termPane().view()->setFocus();
    platform.messageAnswers = {MessageResultYes};
    window->termPane().deleteSelectedTerms();
    ASSERT_EQ(CurrentDatabase().terms.count(), 4u);
    EXPECT_EQ(Label(*window, CmdUndo), "&Undo Delete Terms\tCtrl+Z");
    ExecuteCommand(CmdUndo);
    Settle();
    EXPECT_EQ(CurrentDatabase().terms.count(), 5u);
    EXPECT_EQ(AsciiText(2, 0), "two");
    EXPECT_TRUE(CurrentDatabase().category(0)->isMember(2)) << "with its memberships";
    EXPECT_EQ(window->termPane().selectedTerms(), QList<int>{2});
    EXPECT_TRUE(window->termPane().view()->hasFocus());
}
