// A whole database built the way a user builds it, with the keyboard: name it, add the
// attribute Word and the category Verbs, add the term "run" in Verbs, save. The file must
// hold exactly the bytes the core writes for the same database.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/ValuePane.h"
#include "shell/Commands.h"
#include "support/EditorFixture.h"
#include "support/GuiSteps.h"

namespace {

// Types text into the editor that the last command opened and commits it with Enter.
void TypeIntoEditor(cListView& view, const char* text) {
    Settle();
    QLineEdit* editor = view.editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
}

} // namespace

TEST_F(EditorTest, TheDemoDatabaseBuiltByHandHasTheCoresBytes) {
    platform.dialogScripts = {[](QDialog& dialog) { // welcome
                                  dialog.findChild<QPushButton*>("createButton")->click();
                                  return dialog.result();
                              },
                              [](QDialog& dialog) { // New Database: Blank
                                  dialog.findChild<QPushButton*>("okButton")->click();
                                  return dialog.result();
                              },
                              [](QDialog& dialog) { // Properties
                                  QTest::keyClicks(dialog.findChild<QLineEdit*>("nameEdit"),
                                                   "Demo");
                                  dialog.findChild<QPushButton*>("okButton")->click();
                                  return dialog.result();
                              }};
    ASSERT_TRUE(RunWelcomeLoop());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    ExecuteCommand(CmdNewAsciiAttribute);
    TypeIntoEditor(*window->attributePane().view(), "Word");
    ExecuteCommand(CmdNewCategory);
    TypeIntoEditor(*window->categoryPane().view(), "Verbs");
    ExecuteCommand(CmdNewTerm);
    TypeIntoEditor(*window->valuePane().view(), "run");
    QAbstractItemModel* categories = window->categoryPane().view()->model();
    ASSERT_TRUE(categories->setData(categories->index(0, 0), Qt::Checked, Qt::CheckStateRole));

    std::string path = dir.file("Demo.PDB");
    platform.fileAnswers = {QString::fromStdString(path)};
    ASSERT_EQ(ExecuteCommand(CmdSave), CommandDone);

    cDatabase expected;
    expected.name.assign("Demo");
    expected.renameAttribute(expected.addAttribute(MediaTypeAscii), "Word");
    expected.renameCategory(expected.addCategory(), "Verbs");
    expected.setValue(expected.addTerm(), 0, "run");
    expected.category(0)->addMember(0);
    expected.path.assign(dir.file("expected.PDB").c_str());
    ASSERT_EQ(expected.save(), 0);
    EXPECT_EQ(ReadBytes(path), ReadBytes(dir.file("expected.PDB")));
}
