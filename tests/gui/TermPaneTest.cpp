// The term pane as the user drives it: new and deleted terms, the marks of Cut and Copy and
// where Paste puts the marked terms, the command state, the keys and the focus cycle.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QTest>
#include <random>

#include "model/Limits.h"
#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "shell/Commands.h"
#include "shell/DocumentStatus.h"
#include "shell/OpenDatabase.h"
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"

namespace {

constexpr uint32_t CategoryA = 0;
constexpr uint32_t CategoryB = 1;

class TermPaneTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        cDatabase& db = CurrentDatabase();
        db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
        db.renameCategory(db.addCategory(), "A");
        db.renameCategory(db.addCategory(), "B");
        SetDatabaseOpen(true);
        RefreshAllPanes();
    }

    // Terms "t0", "t1", ... shown again by the panes.
    void makeTerms(int count) {
        cDatabase& db = CurrentDatabase();
        for (int i = 0; i < count; ++i)
            db.setValue(db.addTerm(), 0, ("t" + std::to_string(i)).c_str());
        RefreshAllPanes();
        SetModified(false);
    }

    void join(uint32_t category, std::initializer_list<uint32_t> terms) {
        for (uint32_t term : terms)
            CurrentDatabase().category(category)->addMember(term);
    }

    // The categories of term, as their names.
    std::string categoriesOf(uint32_t term) {
        std::string names;
        const cDatabase& db = CurrentDatabase();
        for (uint32_t c = 0; c < db.categories.count(); ++c)
            if (db.category(c)->isMember(term))
                names += db.category(c)->name.text();
        return names;
    }

    cTermPane& pane() { return window->termPane(); }
    cListView& terms() { return *pane().view(); }

    QStringList column(int column) {
        QStringList texts;
        QAbstractItemModel* model = terms().model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, column).data().toString();
        return texts;
    }
    QStringList words() { return column(1); }
    QStringList labels() { return column(0); }

    void select(std::initializer_list<int> rows) {
        terms().clearRowSelection();
        for (int row : rows)
            terms().selectionModel()->select(terms().model()->index(row, 0),
                                             QItemSelectionModel::Select |
                                                 QItemSelectionModel::Rows);
    }

    void showAndActivate() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    bool enabled(int command) { return window->action(command)->isEnabled(); }
};

QStringList Words(std::initializer_list<int> numbers) {
    QStringList words;
    for (int n : numbers)
        words << QString("t%1").arg(n);
    return words;
}

} // namespace

// ---- new term

TEST_F(TermPaneTest, NewTermWithoutSelectionJoinsNoCategoryAndOpensTheFirstValue) {
    showAndActivate();
    makeTerms(2);
    join(CategoryA, {0, 1});
    terms().clearRowSelection();
    EXPECT_EQ(ExecuteCommand(CmdNewTerm), CommandDone);

    ASSERT_EQ(CurrentDatabase().terms.count(), 3u);
    EXPECT_EQ(categoriesOf(2), "");
    EXPECT_EQ(terms().selectedRows(), QList<int>{2});
    EXPECT_EQ(labels().back(), "3");
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_EQ(window->statusText(), "New term added.");
    cValuePane& values = window->valuePane();
    EXPECT_EQ(values.term(), 2) << "the value pane shows the new term";
    EXPECT_EQ(values.view()->model()->rowCount(), 1);
    EXPECT_EQ(window->panes().focusedPane(), values.view());
    ASSERT_NE(values.editBox(), nullptr) << "the first attribute is edited at once";
    EXPECT_EQ(values.editTerm, 2);
}

TEST_F(TermPaneTest, NewTermJoinsExactlyTheSelectedTermsCategories) {
    makeTerms(3);
    join(CategoryA, {0, 1});
    join(CategoryB, {1, 2});
    terms().selectRow(2, true);
    pane().newTerm();
    EXPECT_EQ(categoriesOf(3), "B");
    terms().selectRow(1, true);
    pane().newTerm();
    EXPECT_EQ(categoriesOf(4), "AB");
    EXPECT_EQ(categoriesOf(0), "A") << "the other terms keep their own";
}

TEST_F(TermPaneTest, NewTermAtTheLimitSaysSoAndAddsNothing) {
    cDatabase& db = CurrentDatabase();
    while (db.terms.count() < MaxTermCount)
        db.addTerm();
    RefreshAllPanes();
    SetModified(false);
    terms().selectRow(5, true);

    pane().newTerm();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Error");
    EXPECT_EQ(platform.messages[0].text, "Failed to add term because this database has reached "
                                         "the maximum number of terms allowed.");
    EXPECT_EQ(db.terms.count(), MaxTermCount);
    EXPECT_EQ(terms().model()->rowCount(), int(MaxTermCount));
    EXPECT_EQ(terms().selectedRows(), QList<int>{5}) << "nothing else happens";
    EXPECT_FALSE(CurrentDocument().isModified());
}

// ---- delete

TEST_F(TermPaneTest, DeletingTermsTwoAndThreeKeepsTheOthersMemberships) {
    makeTerms(5);
    join(CategoryA, {0, 2, 4});
    join(CategoryB, {1, 3, 4});
    select({2, 3});
    platform.messageAnswers = {MessageResultYes};
    QTest::keyClick(&terms(), Qt::Key_Delete);

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "Dangerous Command Confirmation");
    EXPECT_EQ(platform.messages[0].text,
              "Do you really wish to delete the currently selected terms?");
    EXPECT_EQ(words(), Words({0, 1, 4}));
    EXPECT_EQ(categoriesOf(0), "A");
    EXPECT_EQ(categoriesOf(1), "B");
    EXPECT_EQ(categoriesOf(2), "AB") << "the former term 4";
    EXPECT_EQ(labels(), (QStringList{"1", "2", "3"}));
    EXPECT_TRUE(terms().selectedRows().isEmpty());
    EXPECT_EQ(window->valuePane().view()->model()->rowCount(), 0);
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_EQ(window->statusText(), "Term deleted.");
    EXPECT_FALSE(enabled(CmdDelete)) << "nothing is selected any more";
}

TEST_F(TermPaneTest, DeleteAnsweredNoChangesNothing) {
    makeTerms(3);
    terms().selectRow(1, true);
    pane().copyTerms();
    QTest::keyClick(&terms(), Qt::Key_Delete); // the scripted box answers No
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "Do you really wish to delete the currently selected term?");
    EXPECT_EQ(words(), Words({0, 1, 2}));
    EXPECT_EQ(terms().selectedRows(), QList<int>{1});
    EXPECT_EQ(pane().markedTerms(), QList<int>{1});
    EXPECT_FALSE(CurrentDocument().isModified());
}

TEST_F(TermPaneTest, DeletingAMarkedTermDropsItsMarkAndMovesTheOthersDown) {
    makeTerms(6);
    select({1, 3, 4});
    pane().copyTerms();
    terms().selectRow(1, true);
    platform.messageAnswers = {MessageResultYes};
    ExecuteCommand(CmdTermDelete);
    EXPECT_EQ(pane().markedTerms(), (QList<int>{2, 3}));
    EXPECT_EQ(labels(), (QStringList{"1", "2", "3 +", "4 +", "5"}));

    select({0, 4});
    pane().cutTerms();
    select({1, 2});
    platform.messageAnswers = {MessageResultYes};
    pane().deleteSelectedTerms();
    EXPECT_EQ(pane().markedTerms(), (QList<int>{0, 2}));
    EXPECT_EQ(labels(), (QStringList{"1 -", "2", "3 -"}));
    EXPECT_EQ(words(), Words({0, 4, 5}));
}

// ---- cut, copy and paste

TEST_F(TermPaneTest, CopyOfTermsOneAndThreePastedAtTermZero) {
    makeTerms(5);
    join(CategoryA, {1});
    join(CategoryB, {3});
    select({1, 3});
    ExecuteCommand(CmdTermCopy);
    EXPECT_EQ(labels(), (QStringList{"1", "2 +", "3", "4 +", "5"}));
    EXPECT_FALSE(CurrentDocument().isModified()) << "marking changes nothing";

    terms().selectRow(0, true);
    ExecuteCommand(CmdTermPaste);
    EXPECT_EQ(words(), Words({1, 3, 0, 1, 2, 3, 4}));
    EXPECT_EQ(pane().markedTerms(), (QList<int>{3, 5}));
    EXPECT_EQ(labels(), (QStringList{"1", "2", "3", "4 +", "5", "6 +", "7"}));
    EXPECT_EQ(categoriesOf(0), "A");
    EXPECT_EQ(categoriesOf(1), "B");
    EXPECT_EQ(categoriesOf(3), "A");
    EXPECT_EQ(categoriesOf(5), "B");
    EXPECT_EQ(terms().selectedRows(), QList<int>{0});
    EXPECT_EQ(window->valuePane().term(), 0);
    const QAbstractItemModel* ticks = window->categoryPane().view()->model();
    EXPECT_EQ(ticks->index(CategoryA, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked)
        << "the boxes show the pasted copy of term 1";
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_TRUE(enabled(CmdPaste)) << "copy marks paste again";

    terms().selectRow(6, true);
    pane().pasteTerms();
    EXPECT_EQ(words(), Words({1, 3, 0, 1, 2, 3, 1, 3, 4}));
    EXPECT_EQ(pane().markedTerms(), (QList<int>{3, 5}));
}

TEST_F(TermPaneTest, CutOfTermsFourAndFivePastedAtTermOne) {
    makeTerms(7);
    join(CategoryA, {4});
    join(CategoryB, {5, 1});
    select({4, 5});
    ExecuteCommand(CmdTermCut);
    EXPECT_EQ(labels()[4], "5 -");
    EXPECT_EQ(labels()[5], "6 -");
    EXPECT_FALSE(CurrentDocument().isModified());

    terms().selectRow(1, true);
    ExecuteCommand(CmdTermPaste);
    EXPECT_EQ(words(), Words({0, 4, 5, 1, 2, 3, 6}));
    EXPECT_TRUE(pane().markedTerms().isEmpty());
    EXPECT_EQ(labels(), (QStringList{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(categoriesOf(1), "A");
    EXPECT_EQ(categoriesOf(2), "B");
    EXPECT_EQ(categoriesOf(3), "B") << "the former term 1";
    EXPECT_EQ(categoriesOf(6), "");
    EXPECT_FALSE(enabled(CmdPaste)) << "a cut pastes once";
    EXPECT_TRUE(CurrentDocument().isModified());
}

TEST_F(TermPaneTest, CutPastedOntoItselfOnlyClearsTheMark) {
    makeTerms(4);
    terms().selectRow(2, true);
    pane().cutTerms();
    pane().pasteTerms();
    EXPECT_EQ(words(), Words({0, 1, 2, 3}));
    EXPECT_TRUE(pane().markedTerms().isEmpty());
    EXPECT_EQ(labels()[2], "3");
    EXPECT_TRUE(CurrentDocument().isModified());
}

TEST_F(TermPaneTest, PasteWithoutTargetOrMarksDoesNothing) {
    makeTerms(3);
    terms().selectRow(0, true);
    pane().pasteTerms();
    pane().copyTerms();
    terms().clearRowSelection();
    pane().pasteTerms();
    EXPECT_EQ(words(), Words({0, 1, 2}));
    EXPECT_FALSE(CurrentDocument().isModified());
}

// Paste puts the marked terms, in their order, where the target stood among the terms that
// stay; a copy leaves the sources where they are. Random marks and targets, checked against
// that rule rather than against the steps that get there.
TEST_F(TermPaneTest, PastedTermsLandTogetherInFrontOfTheTarget) {
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        const int count = 2 + int(random() % 10);
        CurrentDatabase().clear();
        cDatabase& db = CurrentDatabase();
        db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
        makeTerms(count);
        QList<int> marks;
        for (int i = 0; i < count; ++i)
            if (random() % 3 == 0)
                marks << i;
        if (marks.isEmpty())
            marks << int(random() % count);
        const int target = int(random() % count);
        const bool cut = random() % 2 == 0;

        QStringList expected;
        QStringList block;
        for (int mark : marks)
            block << QString("t%1").arg(mark);
        for (int i = 0; i < count; ++i) {
            if (i == target)
                expected << block;
            if (!cut || !marks.contains(i))
                expected << QString("t%1").arg(i);
        }

        terms().clearRowSelection();
        for (int mark : marks)
            terms().selectionModel()->select(terms().model()->index(mark, 0),
                                             QItemSelectionModel::Select |
                                                 QItemSelectionModel::Rows);
        cut ? pane().cutTerms() : pane().copyTerms();
        terms().selectRow(target, true);
        pane().pasteTerms();
        ASSERT_EQ(words(), expected) << (cut ? "cut" : "copy") << " at " << target;
        if (!cut) {
            // The marks still name the source terms.
            for (int mark : pane().markedTerms())
                EXPECT_EQ(terms().model()->index(mark, 1).data().toString(),
                          block[pane().markedTerms().indexOf(mark)]);
        }
    }
}

// ---- command state, focus and keys

TEST_F(TermPaneTest, CommandStateFollowsSelectionAndMarks) {
    makeTerms(3);
    const int always[] = {CmdCut, CmdCopy, CmdDelete, CmdTermCut, CmdTermCopy, CmdTermDelete};
    terms().clearRowSelection();
    for (int command : always)
        EXPECT_FALSE(enabled(command)) << command;
    EXPECT_FALSE(enabled(CmdPaste));

    terms().selectRow(1, true);
    for (int command : always)
        EXPECT_TRUE(enabled(command)) << command;
    EXPECT_FALSE(enabled(CmdPaste));
    EXPECT_FALSE(enabled(CmdTermPaste));

    pane().copyTerms();
    EXPECT_TRUE(enabled(CmdPaste));
    EXPECT_TRUE(enabled(CmdTermPaste));

    select({0, 2});
    EXPECT_EQ(window->valuePane().view()->model()->rowCount(), 0) << "several terms: no values";
    terms().clearRowSelection();
    for (int command : always)
        EXPECT_FALSE(enabled(command)) << command;
    EXPECT_FALSE(enabled(CmdTermPaste)) << "marks but no target";
}

TEST_F(TermPaneTest, ValuePaneFollowsTheSelectionUnlessAnEditIsOpen) {
    makeTerms(3);
    cValuePane& values = window->valuePane();
    terms().selectRow(0, true);
    EXPECT_EQ(values.term(), 0);

    values.editTerm = 0; // as while an edit of term 0 is open
    terms().selectRow(2, true);
    EXPECT_EQ(values.term(), 0) << "the open edit keeps its rows";
    EXPECT_TRUE(values.deferredRefresh);
    values.editTerm = -1;
    values.deferredRefresh = false;

    pane().trackTermFocus = false;
    terms().selectRow(1, true);
    EXPECT_EQ(values.term(), 0);
    pane().trackTermFocus = true;
    terms().selectRow(2, true);
    EXPECT_EQ(values.term(), 2);
}

TEST_F(TermPaneTest, TabRightLeftAndEnterMoveTheFocus) {
    showAndActivate();
    makeTerms(2);
    cPanes& panes = window->panes();
    cListView* values = window->valuePane().view();
    cListView* attributes = window->attributePane().view();

    terms().setFocus();
    QTest::keyClick(&terms(), Qt::Key_Tab);
    EXPECT_EQ(panes.focusedPane(), values);
    terms().setFocus();
    QTest::keyClick(&terms(), Qt::Key_Right);
    EXPECT_EQ(panes.focusedPane(), values);
    terms().setFocus();
    QTest::keyClick(&terms(), Qt::Key_Left);
    EXPECT_EQ(panes.focusedPane(), attributes);
    EXPECT_EQ(attributes->selectedRows(), QList<int>{0}) << "row 0 selected on arrival";
    QTest::keyClick(attributes, Qt::Key_Tab);
    EXPECT_EQ(panes.focusedPane(), &terms()) << "the cycle closes";
    QTest::keyClick(&terms(), Qt::Key_Backtab);
    EXPECT_EQ(panes.focusedPane(), attributes);

    terms().setFocus();
    terms().selectRow(1, true);
    QTest::keyClick(&terms(), Qt::Key_Return);
    EXPECT_EQ(panes.focusedPane(), values);
    EXPECT_NE(window->valuePane().editBox(), nullptr);
}

// The list moves by rows whatever the column, and its rows and headings grow with its font.
TEST_F(TermPaneTest, KeysMoveByRowsAndRowsFollowTheFont) {
    showAndActivate();
    makeTerms(5);
    terms().setFocus();
    terms().selectRow(2, true);
    const struct {
        Qt::Key key;
        int row;
    } moves[] = {{Qt::Key_End, 4}, {Qt::Key_Up, 3}, {Qt::Key_Home, 0}, {Qt::Key_Down, 1}};
    for (const auto& move : moves) {
        QTest::keyClick(&terms(), move.key);
        EXPECT_EQ(terms().selectedRows(), QList<int>{move.row}) << move.key;
    }

    const int rowHeight = terms().visualRect(terms().model()->index(0, 1)).height();
    QFont larger = terms().font();
    larger.setPointSize(larger.pointSize() * 2);
    terms().setFont(larger);
    EXPECT_GT(terms().visualRect(terms().model()->index(0, 1)).height(), rowHeight * 3 / 2);
    EXPECT_EQ(terms().header()->font().pointSize(), larger.pointSize());
}

TEST_F(TermPaneTest, ModelKeepsItsPromisesThroughEveryChange) {
    makeTerms(6);
    QStringList failures;
    static QStringList* sink = nullptr;
    sink = &failures;
    QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type != QtDebugMsg && sink)
                *sink << text;
        });
    {
        QAbstractItemModelTester tester(terms().model(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        terms().selectRow(2, true);
        pane().newTerm();
        select({1, 3});
        pane().copyTerms();
        terms().selectRow(0, true);
        pane().pasteTerms();
        select({4, 5});
        pane().cutTerms();
        terms().selectRow(1, true);
        pane().pasteTerms();
        pane().setDisplayAttribute(-1);
        pane().setDisplayAttribute(0);
        select({0, 2});
        platform.messageAnswers = {MessageResultYes};
        pane().deleteSelectedTerms();
        pane().clearMarks();
    }
    qInstallMessageHandler(previous);
    sink = nullptr;
    EXPECT_TRUE(failures.isEmpty()) << failures.join("\n").toStdString();
}

TEST_F(TermPaneTest, MarkingAndDeletingEveryTermOfAFullDatabase) {
    cDatabase& db = CurrentDatabase();
    while (db.terms.count() < MaxTermCount)
        db.addTerm();
    RefreshAllPanes();
    terms().selectAll();
    pane().copyTerms();
    EXPECT_EQ(pane().markedTerms().size(), int(MaxTermCount));
    platform.messageAnswers = {MessageResultYes};
    pane().deleteSelectedTerms();
    EXPECT_EQ(db.terms.count(), 0u);
    EXPECT_EQ(terms().model()->rowCount(), 0);
    EXPECT_TRUE(pane().markedTerms().isEmpty());
}
