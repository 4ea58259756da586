// Editing as a user meets it, with nothing lost: long values, pinyin beside digits already
// there, commands while an editor is open, the value clipboard from the keyboard and the
// keypad.

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <string>

#include "dbfile/DatabaseFiles.h"
#include "model/Category.h"
#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/Panes.h"
#include "shell/OpenDatabase.h"
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"
#include "support/ValueSteps.h"

namespace {

std::u16string UnicodeText(int t, int attribute) {
    const cValue* value = CurrentDatabase().term(uint32_t(t))->findValue(uint16_t(attribute));
    if (!value || value->mediaType() != MediaTypeUnicode)
        return u"<none>";
    const auto* unicode = static_cast<const cUnicodeValue*>(value);
    return std::u16string(unicode->text(), unicode->length());
}

// A text of length characters cycling through pattern.
template <class Text> Text Cycle(const Text& pattern, int length) {
    Text text;
    for (int i = 0; i < length; ++i)
        text += pattern[static_cast<size_t>(i) % pattern.size()];
    return text;
}

} // namespace

TEST_F(EditorTest, LongValuesOpenInFullAndAnUnchangedCommitKeepsThemByteForByte) {
    ShowDatabase(*window, "AU", 1);
    // Windows-1252 beyond ASCII ("€", "’", "–") and a byte the code page leaves undefined.
    const std::string asciiPattern = "price 5 \x80 \x92\x96\x81";
    const std::u16string unicodePattern = u"\u4E2D\u6587 ni3 \u00E2\U0001F600";
    for (int length : {9, 255, 256, 300, 511, 512, 600, 5000}) {
        const std::string ascii = Cycle(asciiPattern, length);
        const std::u16string unicode = Cycle(unicodePattern, length);
        CurrentDatabase().setValue(0, 0, ascii.c_str());
        CurrentDatabase().setValue(0, 1, unicode.c_str());
        for (int row : {0, 1}) {
            platform.messages.clear();
            QLineEdit* editor = OpenEditor(*window, 0, row);
            ASSERT_NE(editor, nullptr) << length;
            EXPECT_EQ(editor->text().size(), length) << "opens in full: " << length;
            // The limit holds for typing: nothing past max(255, the length it opened with).
            QTest::keyClick(editor, Qt::Key_End);
            QTest::keyClicks(editor, std::string(300, 'x').c_str());
            EXPECT_EQ(editor->text().size(), std::max(length, 255)) << length;
            EndEdit(editor, Qt::Key_Escape);

            editor = OpenEditor(*window, 0, row);
            ASSERT_NE(editor, nullptr);
            Commit(editor);
            EXPECT_EQ(AsciiText(0, 0), ascii) << length;
            EXPECT_EQ(UnicodeText(0, 1), unicode) << length;
            EXPECT_TRUE(platform.messages.empty()) << "no character lacks a Windows-1252 form";
        }
    }

    // A character without a Windows-1252 form still warns, and is stored as "?".
    QLineEdit* editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    editor->setText(QString("x") + QChar(0x4E2D));
    Commit(editor);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(AsciiText(0, 0), "x?");
}

TEST_F(EditorTest, PinyinConvertsOnlyTheDigitsTheUserInserts) {
    ShowDatabase(*window, "U", 1);
    AppState().pinyinConversion = true;
    struct sCase {
        const char16_t* stored;
        const char* typed;
        const char16_t* expected; // the mark where the rule puts it: the last vowel before
    } cases[] = {
        {u"born 1995", " ma3", u"born 1995 m\u0103"},
        {u"radical 118", "", u"radical 118"},
        {u"\u6064[xu4]", " hao3", u"\u6064[xu4] ha\u014F"},
        {u"", "ni3hao3", u"n\u012Dha\u014F"},
    };
    for (const sCase& c : cases) {
        CurrentDatabase().setValue(0, 0, c.stored);
        QLineEdit* editor = OpenEditor(*window, 0, 0);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text().toStdU16String(), c.stored) << "opening changes nothing";
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClicks(editor, c.typed);
        Commit(editor);
        EXPECT_EQ(UnicodeText(0, 0), c.expected) << c.typed;
    }

    // Pasted text is what the user inserted too.
    CurrentDatabase().setValue(0, 0, u"born 1995");
    QLineEdit* editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_End);
    platform.clipboard = " hao3 ma1";
    ExecuteCommand(CmdPaste);
    EXPECT_EQ(editor->text().toStdU16String(), u"born 1995 ha\u014F m\u0101");
    EXPECT_EQ(editor->cursorPosition(), editor->text().size());
}

TEST_F(EditorTest, ClipboardCommandsDuringAnEditActOnTheTypedText) {
    ShowDatabase(*window, "A", 1);
    CurrentDatabase().setValue(0, 0, "stored");
    QLineEdit* editor = OpenEditor(*window, 0, 0);
    ASSERT_NE(editor, nullptr);
    editor->setText("hello world");
    editor->setSelection(6, 5);
    // The actions are those of the Edit menu and the toolbar buttons alike.
    window->action(CmdCopy)->trigger();
    EXPECT_EQ(platform.clipboard, "world");
    EXPECT_EQ(editor->text(), "hello world");
    editor->setSelection(5, 6);
    window->action(CmdCut)->trigger();
    EXPECT_EQ(platform.clipboard, " world");
    EXPECT_EQ(editor->text(), "hello");
    ASSERT_TRUE(window->action(CmdPaste)->isEnabled());
    window->action(CmdPaste)->trigger();
    window->action(CmdPaste)->trigger();
    EXPECT_EQ(editor->text(), "hello world world");
    editor->setSelection(0, 6);
    window->action(CmdDelete)->trigger();
    EXPECT_EQ(editor->text(), "world world");
    EXPECT_EQ(window->valuePane().editBox(), editor) << "the edit goes on";
    EXPECT_EQ(AsciiText(0, 0), "stored") << "the stored value waits for the commit";
    Commit(editor);
    EXPECT_EQ(AsciiText(0, 0), "world world");
    EXPECT_TRUE(AppState().acceleratorsEnabled);
}

TEST_F(EditorTest, CommandsThatChangeThePanesFirstCommitTheOpenEdit) {
    ShowDatabase(*window, "", 0);
    ExecuteCommand(CmdNewCategory);
    QTest::keyClicks(window->categoryPane().view()->editor(), "Animals");
    ExecuteCommand(CmdNewCategory);
    ASSERT_EQ(CurrentDatabase().categories.count(), 2u);
    EXPECT_STREQ(CurrentDatabase().category(0)->name.text(), "Animals");
    ASSERT_NE(window->categoryPane().view()->editor(), nullptr) << "the new row is named next";
    QTest::keyClicks(window->categoryPane().view()->editor(), "Plants");

    ExecuteCommand(CmdNewAsciiAttribute);
    EXPECT_STREQ(CurrentDatabase().category(1)->name.text(), "Plants");
    QTest::keyClicks(window->attributePane().view()->editor(), "Word");
    ExecuteCommand(CmdNewUnicodeAttribute);
    ASSERT_EQ(CurrentDatabase().attributes.count(), 2u);
    EXPECT_STREQ(CurrentDatabase().attribute(0)->name.text(), "Word");
    QTest::keyClicks(window->attributePane().view()->editor(), "Hanzi");
    ExecuteCommand(CmdNewTerm);
    EXPECT_STREQ(CurrentDatabase().attribute(1)->name.text(), "Hanzi");

    // New Term opened the first value's editor; Save writes what is typed there.
    QLineEdit* editor = window->valuePane().editBox();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "cat");
    const std::string path = dir.file("typed.PDB");
    platform.fileAnswers = {QString::fromStdString(path)};
    EXPECT_EQ(ExecuteCommand(CmdSave), CommandDone);
    EXPECT_TRUE(AppState().acceleratorsEnabled);
    cDatabase saved;
    ASSERT_EQ(LoadDatabaseFile(path, saved), 0);
    EXPECT_STREQ(static_cast<const cAsciiValue*>(saved.term(0)->findValue(0))->text.text(), "cat");

    // Rows read afresh under an open editor end its edit: the keys work again.
    ASSERT_NE(OpenEditor(*window, 0, 1), nullptr);
    EXPECT_FALSE(AppState().acceleratorsEnabled);
    ASSERT_EQ(OpenDatabaseFile(path, false), 0);
    EXPECT_TRUE(AppState().acceleratorsEnabled);
    EXPECT_EQ(window->valuePane().editTerm, -1);
}

TEST_F(EditorTest, TheValueClipboardWorksFromTheKeyboard) {
    cDatabase& db = CurrentDatabase();
    ShowDatabase(*window, "AA", 1);
    db.setValue(0, 0, "one");
    db.setValue(0, 1, "two");
    db.addCategory();
    cListView* terms = window->termPane().view();
    terms->setFocus();
    terms->selectRow(0, true);
    QTest::keyClick(terms, Qt::Key_Tab);
    cListView& values = ValueView(*window);
    ASSERT_EQ(window->panes().focusedPane(), &values);
    ASSERT_EQ(values.firstSelected(), 0);
    for (int command : {CmdCut, CmdCopy, CmdDelete})
        EXPECT_TRUE(window->action(command)->isEnabled()) << command;

    QTest::keyClick(&values, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(platform.clipboard, "one");
    QTest::keyClick(&values, Qt::Key_Down);
    QTest::keyClick(&values, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(AsciiText(0, 1), "one");
    QTest::keyClick(&values, Qt::Key_Up);
    QTest::keyClick(&values, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(AsciiText(0, 0), "<none>");
    QTest::keyClick(&values, Qt::Key_Delete);
    QTest::keyClick(&values, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(AsciiText(0, 0), "one") << "Cut, Delete, Paste loses nothing";

    // Copy does nothing in the attribute and category panes, keys included.
    for (cListView* pane : {window->attributePane().view(), window->categoryPane().view()}) {
        pane->setFocus();
        pane->selectRow(0, true);
        EXPECT_FALSE(window->action(CmdCopy)->isEnabled());
        QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(platform.clipboard, "one") << pane->objectName().toStdString();
    }
}

TEST_F(EditorTest, KeypadKeysWorkLikeTheMainKeys) {
    ShowDatabase(*window, "A", 3);
    CurrentDatabase().setValue(1, 0, "x");
    cListView* terms = window->termPane().view();
    terms->setFocus();
    terms->selectRow(0, true);
    QTest::keyClick(terms, Qt::Key_Down, Qt::KeypadModifier);
    EXPECT_EQ(terms->firstSelected(), 1);
    QTest::keyClick(terms, Qt::Key_End, Qt::KeypadModifier);
    EXPECT_EQ(terms->firstSelected(), 2);
    QTest::keyClick(terms, Qt::Key_Home, Qt::KeypadModifier);
    EXPECT_EQ(terms->firstSelected(), 0);
    QTest::keyClick(terms, Qt::Key_Down, Qt::KeypadModifier);

    QTest::keyClick(terms, Qt::Key_Right, Qt::KeypadModifier);
    cListView& values = ValueView(*window);
    ASSERT_EQ(window->panes().focusedPane(), &values);
    QTest::keyClick(&values, Qt::Key_Delete, Qt::KeypadModifier);
    EXPECT_EQ(AsciiText(1, 0), "<none>");
    QTest::keyClick(&values, Qt::Key_Enter, Qt::KeypadModifier);
    QLineEdit* editor = window->valuePane().editBox();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "y");
    QTest::keyClick(editor, Qt::Key_Enter, Qt::KeypadModifier);
    Settle();
    EXPECT_EQ(AsciiText(1, 0), "y");
    QTest::keyClick(&values, Qt::Key_Left, Qt::KeypadModifier);
    EXPECT_EQ(window->panes().focusedPane(), terms);
}
