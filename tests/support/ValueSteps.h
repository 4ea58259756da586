#pragma once
// Steps of the GUI tests that work on values: a database shown in the active main window,
// the value editor opened as a user opens it, and the stored values read back.

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

#include "model/Database.h"
#include "panes/ListView.h"
#include "panes/QtText.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/MainWindow.h"
#include "shell/OpenDatabase.h"
#include "support/DocumentSetUp.h"
#include "support/GuiSteps.h"

// A database with one attribute per letter of kinds ('A' Ascii, 'U' Unicode) and count
// empty terms, shown in the active main window.
inline void ShowDatabase(cMainWindow& window, const char* kinds, int count) {
    cDatabase& db = CurrentDatabase();
    for (const char* kind = kinds; *kind; ++kind) {
        int32_t index = db.addAttribute(*kind == 'U' ? MediaTypeUnicode : MediaTypeAscii);
        db.renameAttribute(static_cast<uint32_t>(index), *kind == 'U' ? "Hanzi" : "Word");
    }
    for (int i = 0; i < count; ++i)
        db.addTerm();
    CurrentDocument().setOpen(true);
    RefreshAllPanes();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Enter in the open editor, and what follows it.
inline void Commit(QLineEdit* editor) {
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
}

inline cListView& ValueView(cMainWindow& window) {
    return *window.valuePane().view();
}

// Selects term t alone, gives the value pane the focus with row selected, and opens the
// editor with Enter.
inline QLineEdit* OpenEditor(cMainWindow& window, int t, int row) {
    window.termPane().view()->selectRow(t, true);
    cListView& view = ValueView(window);
    view.setFocus();
    view.selectRow(row, true);
    QTest::keyClick(&view, Qt::Key_Return);
    return window.valuePane().editBox();
}

inline std::string AsciiText(int t, int attribute) {
    const cTerm* term = CurrentDatabase().term(static_cast<uint32_t>(t));
    const cValue* value = term ? term->findValue(static_cast<uint16_t>(attribute)) : nullptr;
    if (!value || value->mediaType() != MediaTypeAscii)
        return "<none>";
    const char* text = static_cast<const cAsciiValue*>(value)->text.text();
    return text ? text : "";
}

inline QString ShownValue(int t, int attribute) {
    const cTerm* term = CurrentDatabase().term(static_cast<uint32_t>(t));
    return ValueToQString(term ? term->findValue(static_cast<uint16_t>(attribute)) : nullptr);
}
