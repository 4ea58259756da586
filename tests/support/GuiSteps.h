#pragma once
// Small steps the GUI tests share. The list commits an edit on a queued call and a
// quick-entry editor opens on another, so a step is complete once the posted events have
// run; no timers are involved.

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

inline void Settle() {
    for (int round = 0; round < 3; ++round)
        QCoreApplication::processEvents();
}

// Ends the open edit with key (Return commits, Escape cancels) and lets it finish.
inline void EndEdit(QLineEdit* editor, Qt::Key key) {
    QTest::keyClick(editor, key);
    Settle();
}

inline void ShowAndActivate(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}
