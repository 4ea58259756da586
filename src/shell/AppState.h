#pragma once
// Application-wide state of the editor, one instance each for the whole run.

#include "panes/InputMode.h"

class cDatabase;
class cMainWindow;

// The one current database; never replaced as an object, only filled and emptied.
cDatabase& CurrentDatabase();

// A database is loaded or created (set by a completed New or Open; never cleared in a run).
extern bool DatabaseOpen;
// The current database has changes that are not saved.
extern bool Modified;
// Off while an in-place editor is open, so that its keys reach the editor.
extern bool AcceleratorsEnabled;
extern eInputMode InputMode;
extern bool PinyinConversion;

// The main window, or nullptr before it exists (and in tests without one).
cMainWindow* MainWindow();
void SetMainWindow(cMainWindow* window);

// Puts every item above back to its state at start-up; for tests.
void ResetAppState();
