#pragma once
// Application-wide state of the editor, one instance each for the whole run.

#include <string>

#include "panes/InputMode.h"

class cDocument;
class cMainWindow;

// The one open document; never replaced as an object, only filled and emptied. Its backup
// goes to the editor's backup folder, and the window's title follows it.
cDocument& CurrentDocument();
// <backup directory>/backup.PDB, or backup-N.PDB when other editors hold the first slots.
std::string BackupFilePath();
// Off while an in-place editor is open, so that its keys reach the editor.
extern bool AcceleratorsEnabled;
extern eInputMode InputMode;
extern bool PinyinConversion;

// The main window, or nullptr before it exists (and in tests without one).
cMainWindow* MainWindow();
void SetMainWindow(cMainWindow* window);

// Puts every item above back to its state at start-up; for tests.
void ResetAppState();
