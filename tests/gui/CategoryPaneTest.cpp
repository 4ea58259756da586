// The category pane as the user drives it: the checkboxes over the term selection, new,
// renamed and deleted categories, Select Members, the command state and the keys.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
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
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"
#include "support/GuiSteps.h"

namespace {

// One Ascii attribute, terms "t0", "t1", ... and categories of the given names, shown.
void OpenWith(int terms, std::initializer_list<const char*> categories) {
    cDatabase& db = CurrentDatabase();
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
    for (int i = 0; i < terms; ++i)
        db.setValue(db.addTerm(), 0, ("t" + std::to_string(i)).c_str());
    for (const char* name : categories)
        db.renameCategory(db.addCategory(), name);
    SetDatabaseOpen(true);
    RefreshAllPanes();
}

void SelectTerms(cMainWindow& window, std::initializer_list<int> rows) {
    cListView& terms = *window.termPane().view();
    terms.clearRowSelection();
    for (int row : rows)
        terms.selectionModel()->select(terms.model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

std::vector<uint32_t> Members(uint32_t category) {
    std::vector<uint32_t> terms;
    const cCategory* c = CurrentDatabase().category(category);
    for (uint32_t i = 0; i < c->members.count(); ++i)
        terms.push_back(c->memberAt(i)->firstTerm);
    return terms;
}

Qt::CheckState Check(cMainWindow& window, int row) {
    QAbstractItemModel* model = window.categoryPane().view()->model();
    return static_cast<Qt::CheckState>(model->index(row, 0).data(Qt::CheckStateRole).toInt());
}

// A mouse click on the checkbox of row, where the style draws it.
void ClickCheckbox(cListView& view, int row) {
    QModelIndex index = view.model()->index(row, 0);
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.rect = view.visualRect(index);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = index.data().toString();
    QRect box = view.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &view);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
}

QStringList SelectedTermRows(cMainWindow& window) {
    QStringList rows;
    for (int row : window.termPane().view()->selectedRows())
        rows << QString::number(row);
    return rows;
}

} // namespace

TEST_F(EditorTest, CategoryBoxesWithoutSelectedTermsStayClear) {
    OpenWith(2, {"X", "Y"});
    CurrentDatabase().category(0)->addMember(0);
    SelectTerms(*window, {});
    window->categoryPane().refreshChecks();
    ShowAndActivate(*window);
    EXPECT_EQ(Check(*window, 0), Qt::Unchecked);
    EXPECT_EQ(Check(*window, 1), Qt::Unchecked);

    cListView& categories = *window->categoryPane().view();
    ClickCheckbox(categories, 1);
    EXPECT_EQ(Check(*window, 1), Qt::Unchecked) << "the tick is taken back";
    categories.setFocus();
    categories.selectRow(1, true);
    QTest::keyClick(&categories, Qt::Key_Space);
    EXPECT_EQ(Check(*window, 1), Qt::Unchecked);
    EXPECT_TRUE(Members(1).empty());
    EXPECT_EQ(Members(0), std::vector<uint32_t>{0});
    EXPECT_FALSE(CurrentDocument().isModified());
    EXPECT_NE(window->statusText(), "Term categorization changed.");
}

TEST_F(EditorTest, CategoryBoxPutsAllSelectedTermsInAndTakesThemOut) {
    OpenWith(3, {"X", "Y"});
    CurrentDatabase().category(0)->addMember(0);
    SetModified(false);
    ShowAndActivate(*window);
    SelectTerms(*window, {0, 1});
    EXPECT_EQ(Check(*window, 0), Qt::Checked) << "one of the two is a member";
    EXPECT_EQ(Check(*window, 1), Qt::Unchecked);

    cListView& categories = *window->categoryPane().view();
    ClickCheckbox(categories, 0);
    EXPECT_EQ(Check(*window, 0), Qt::Unchecked);
    EXPECT_TRUE(Members(0).empty());
    EXPECT_EQ(window->statusText(), "Term categorization changed.");
    EXPECT_TRUE(CurrentDocument().isModified());

    SetModified(false);
    categories.setFocus();
    categories.selectRow(0, true);
    QTest::keyClick(&categories, Qt::Key_Space);
    EXPECT_EQ(Check(*window, 0), Qt::Checked);
    EXPECT_EQ(Members(0), (std::vector<uint32_t>{0, 1})) << "ascending, one entry each";
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_EQ(window->termPane().selectedTerms(), (QList<int>{0, 1})) << "selection kept";

    SelectTerms(*window, {2});
    EXPECT_EQ(Check(*window, 0), Qt::Unchecked) << "the boxes follow the term selection";
}

TEST_F(EditorTest, NewCategoryStopsAtBothLimits) {
    OpenWith(0, {});
    cDatabase& db = CurrentDatabase();
    for (int i = 0; i < 245; ++i)
        db.categories.append(new cCategory(static_cast<uint16_t>(1 + i % 7), "c"));
    window->categoryPane().fill();
    EXPECT_EQ(ExecuteCommand(CmdNewCategory), CommandDone);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Error");
    EXPECT_EQ(platform.messages[0].text, "Failed to add category because this database has "
                                         "reached the maximum amount of space allowed for "
                                         "categories.");
    EXPECT_EQ(db.categories.count(), 245u);
    EXPECT_EQ(window->categoryPane().view()->model()->rowCount(), 245);

    db.categories.clear();
    for (int i = 0; i < 128; ++i)
        db.categories.append(new cCategory(0, "c"));
    window->categoryPane().fill();
    platform.messages.clear();
    EXPECT_EQ(ExecuteCommand(CmdCategoryNew), CommandDone);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Failed to add category because the specified category "
                                         "group has reached the maximum number of categories "
                                         "allowed.");
    EXPECT_EQ(db.categories.count(), 128u);
    EXPECT_FALSE(CurrentDocument().isModified());
}

TEST_F(EditorTest, NewCategoryIsNamedInPlace) {
    OpenWith(1, {"X"});
    ShowAndActivate(*window);
    cListView& categories = *window->categoryPane().view();
    EXPECT_EQ(ExecuteCommand(CmdNewCategory), CommandDone);
    EXPECT_EQ(categories.model()->rowCount(), 2);
    EXPECT_EQ(window->statusText(), "New category created.");
    EXPECT_TRUE(CurrentDocument().isModified());
    ASSERT_NE(categories.editor(), nullptr);
    EXPECT_EQ(window->panes().focusedPane(), &categories);
    EXPECT_FALSE(AppState().acceleratorsEnabled);
    // They act on the name being typed.
    for (int command : {CmdCut, CmdCopy, CmdDelete})
        EXPECT_TRUE(window->action(command)->isEnabled()) << command;

    QTest::keyClicks(categories.editor(), "Animals");
    EndEdit(categories.editor(), Qt::Key_Return);
    EXPECT_STREQ(CurrentDatabase().category(1)->name.text(), "Animals");
    EXPECT_EQ(categories.model()->index(1, 0).data().toString(), "Animals");
    EXPECT_TRUE(AppState().acceleratorsEnabled);
    EXPECT_TRUE(window->action(CmdDelete)->isEnabled()) << "the pane's state again";
    EXPECT_EQ(window->statusText(), "New category created.") << "no text for a rename";

    // Escape leaves a new category without a name.
    EXPECT_EQ(ExecuteCommand(CmdCategoryNew), CommandDone);
    ASSERT_NE(categories.editor(), nullptr);
    QTest::keyClicks(categories.editor(), "Plants");
    EndEdit(categories.editor(), Qt::Key_Escape);
    EXPECT_EQ(CurrentDatabase().categories.count(), 3u);
    EXPECT_TRUE(CurrentDatabase().category(2)->name.isEmpty());
    EXPECT_TRUE(AppState().acceleratorsEnabled);
}

TEST_F(EditorTest, EnterRenamesTheSelectedCategory) {
    OpenWith(1, {"Colours", "Fruit"});
    ShowAndActivate(*window);
    cListView& categories = *window->categoryPane().view();
    categories.setFocus();
    categories.selectRow(0, true);
    SetModified(false);
    QTest::keyClick(&categories, Qt::Key_Return);
    ASSERT_NE(categories.editor(), nullptr);
    EXPECT_EQ(categories.editor()->text(), "Colours");
    categories.editor()->selectAll();
    QTest::keyClicks(categories.editor(), "Farben ");
    // A character of Windows-1252 beyond ASCII, as a key that carries its text.
    QTest::sendKeyEvent(QTest::Click, categories.editor(), Qt::Key_unknown, QString(QChar(0xe9)),
                        Qt::NoModifier);
    EndEdit(categories.editor(), Qt::Key_Enter);
    EXPECT_STREQ(CurrentDatabase().category(0)->name.text(), "Farben \xe9");
    EXPECT_TRUE(CurrentDocument().isModified());

    // An emptied name is a name too.
    QTest::keyClick(&categories, Qt::Key_Return);
    ASSERT_NE(categories.editor(), nullptr);
    categories.editor()->clear();
    EndEdit(categories.editor(), Qt::Key_Return);
    EXPECT_TRUE(CurrentDatabase().category(0)->name.isEmpty());

    // F2, the desktop's rename key, does what Enter does.
    QTest::keyClick(&categories, Qt::Key_F2);
    ASSERT_NE(categories.editor(), nullptr);
    QTest::keyClicks(categories.editor(), "Obst");
    EndEdit(categories.editor(), Qt::Key_Return);
    EXPECT_STREQ(CurrentDatabase().category(0)->name.text(), "Obst");
}

TEST_F(EditorTest, DeletingTheLastCategorySelectsTheNewLast) {
    OpenWith(1, {"A", "B", "C"});
    ShowAndActivate(*window);
    cListView& categories = *window->categoryPane().view();
    categories.setFocus();
    categories.selectRow(2, true);
    QTest::keyClick(&categories, Qt::Key_Delete);
    EXPECT_TRUE(platform.messages.empty()) << "no members, no question";
    EXPECT_EQ(categories.model()->rowCount(), 2);
    EXPECT_EQ(categories.selectedRows(), QList<int>{1});
    EXPECT_EQ(window->statusText(), "Category deleted.");
    EXPECT_TRUE(CurrentDocument().isModified());

    categories.selectRow(0, true);
    EXPECT_EQ(ExecuteCommand(CmdCategoryDelete), CommandDone);
    EXPECT_EQ(categories.selectedRows(), QList<int>{0}) << "the next row moved up";
    EXPECT_STREQ(CurrentDatabase().category(0)->name.text(), "B");
    EXPECT_EQ(ExecuteCommand(CmdCategoryDelete), CommandDone);
    EXPECT_EQ(categories.model()->rowCount(), 0);
    EXPECT_EQ(categories.firstSelected(), -1);
    EXPECT_FALSE(window->action(CmdCategoryDelete)->isEnabled());
}

TEST_F(EditorTest, DeletingACategoryWithMembersAsksFirst) {
    OpenWith(2, {"Verbs", "Nouns"});
    CurrentDatabase().category(0)->addMember(1);
    ShowAndActivate(*window);
    cListView& categories = *window->categoryPane().view();
    categories.setFocus();
    categories.selectRow(0, true);
    SetModified(false);

    platform.messageAnswers = {MessageResultNo};
    EXPECT_EQ(ExecuteCommand(CmdDelete), CommandDone) << "Edit > Delete in the focused pane";
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Dangerous Command Confirmation");
    EXPECT_EQ(platform.messages[0].text, "Do you really wish to delete category 'Verbs'?  Terms "
                                         "in this category will not be affected.");
    EXPECT_EQ(platform.messages[0].flags, unsigned(MessageYesNo)) << "no icon";
    EXPECT_EQ(CurrentDatabase().categories.count(), 2u);
    EXPECT_FALSE(CurrentDocument().isModified());

    platform.messageAnswers = {MessageResultYes};
    QTest::keyClick(&categories, Qt::Key_Delete);
    EXPECT_EQ(platform.messages.size(), 2u);
    ASSERT_EQ(CurrentDatabase().categories.count(), 1u);
    EXPECT_STREQ(CurrentDatabase().category(0)->name.text(), "Nouns");
    EXPECT_EQ(CurrentDatabase().terms.count(), 2u) << "terms are not affected";
    EXPECT_TRUE(CurrentDocument().isModified());
}

TEST_F(EditorTest, SelectMembersOfAnEmptyCategoryDeselectsEveryTerm) {
    OpenWith(3, {"Empty"});
    ShowAndActivate(*window);
    SelectTerms(*window, {0});
    ASSERT_EQ(window->valuePane().view()->model()->rowCount(), 1);
    cListView& categories = *window->categoryPane().view();
    categories.setFocus();
    categories.selectRow(0, true);
    EXPECT_EQ(ExecuteCommand(CmdSelectMembers), CommandDone);
    EXPECT_TRUE(window->termPane().selectedTerms().isEmpty());
    EXPECT_EQ(window->valuePane().view()->model()->rowCount(), 0);
    EXPECT_EQ(window->panes().focusedPane(), &categories) << "the focus stays";
}

TEST_F(EditorTest, SelectMembersSelectsExactlyTheMembers) {
    OpenWith(6, {"One", "Several"});
    CurrentDatabase().category(0)->addMember(4);
    for (uint32_t term : {5u, 1u, 3u, 2u})
        CurrentDatabase().category(1)->addMember(term);
    ShowAndActivate(*window);
    SelectTerms(*window, {0, 5});
    cListView& categories = *window->categoryPane().view();
    categories.setFocus();
    categories.selectRow(0, true);

    EXPECT_EQ(ExecuteCommand(CmdSelectMembers), CommandDone);
    EXPECT_EQ(SelectedTermRows(*window), QStringList{"4"});
    EXPECT_EQ(window->valuePane().term(), 4);
    EXPECT_EQ(window->valuePane().view()->model()->index(0, 0).data().toString(), "t4");
    EXPECT_EQ(Check(*window, 0), Qt::Checked);
    EXPECT_EQ(Check(*window, 1), Qt::Unchecked);

    categories.selectRow(1, true);
    EXPECT_EQ(ExecuteCommand(CmdSelectMembers), CommandDone);
    EXPECT_EQ(SelectedTermRows(*window), (QStringList{"1", "2", "3", "5"}));
    EXPECT_EQ(window->termPane().view()->currentIndex().row(), 1) << "the first member";
    EXPECT_EQ(window->valuePane().view()->model()->rowCount(), 0) << "several terms";
    EXPECT_EQ(window->panes().focusedPane(), &categories);
}

TEST_F(EditorTest, SelectMembersOfManyTermsChangesTheSelectionOnce) {
    OpenWith(0, {"Even"});
    cDatabase& db = CurrentDatabase();
    const int count = static_cast<int>(MaxTermCount);
    for (int i = 0; i < count; ++i)
        db.addTerm();
    for (int i = 0; i < count; i += 2)
        db.category(0)->addMember(static_cast<uint32_t>(i));
    RefreshAllPanes();
    cListView& categories = *window->categoryPane().view();
    categories.selectRow(0, true);
    QSignalSpy changes(window->termPane().view()->selectionModel(),
                       &QItemSelectionModel::selectionChanged);
    window->categoryPane().selectMembers();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(window->termPane().view()->selectedCount(), count / 2);
}

TEST_F(EditorTest, CategoryCommandStateFollowsTheSelection) {
    OpenWith(1, {"A"});
    ShowAndActivate(*window);
    cListView& categories = *window->categoryPane().view();
    categories.clearRowSelection();
    categories.setFocus();
    window->categoryPane().updateCommandState();
    for (int command : {CmdSelectMembers, CmdCategoryDelete, CmdDelete, CmdCut, CmdCopy, CmdPaste})
        EXPECT_FALSE(window->action(command)->isEnabled()) << command;

    QRect row = categories.visualRect(categories.model()->index(0, 0));
    QTest::mouseClick(categories.viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    for (int command : {CmdSelectMembers, CmdCategoryDelete, CmdDelete})
        EXPECT_TRUE(window->action(command)->isEnabled()) << command;
    for (int command : {CmdCut, CmdCopy, CmdPaste})
        EXPECT_FALSE(window->action(command)->isEnabled()) << command;
    EXPECT_TRUE(window->action(CmdCategoryNew)->isEnabled());
}

TEST_F(EditorTest, CategoryPaneKeysMoveTheFocus) {
    OpenWith(1, {"A"});
    ShowAndActivate(*window);
    cPanes& panes = window->panes();
    cListView& categories = *window->categoryPane().view();
    categories.setFocus();
    QTest::keyClick(&categories, Qt::Key_Tab);
    EXPECT_EQ(panes.focusedPane(), window->attributePane().view());
    categories.setFocus();
    QTest::keyClick(&categories, Qt::Key_Left);
    EXPECT_EQ(panes.focusedPane(), window->valuePane().view());
    categories.setFocus();
    QTest::keyClick(&categories, Qt::Key_Right);
    EXPECT_EQ(panes.focusedPane(), window->attributePane().view());
}

TEST_F(EditorTest, CategoryModelKeepsTheModelRules) {
    OpenWith(2, {"A", "B"});
    QAbstractItemModelTester tester(window->categoryPane().view()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    SelectTerms(*window, {0});
    window->categoryPane().setMembership(1, true);
    window->categoryPane().newCategory();
    window->categoryPane().view()->selectRow(0, true);
    window->categoryPane().deleteSelectedCategory();
    window->categoryPane().fill();
    EXPECT_EQ(window->categoryPane().view()->model()->rowCount(), 2);
    EXPECT_EQ(Check(*window, 0), Qt::Checked) << "B, now row 0, holds term 0";
}
