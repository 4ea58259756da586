#pragma once
// Application-wide state of the editor, one instance each for the whole run.

#include <QFont>
#include <optional>
#include <string>
#include <vector>

#include "panes/InputMode.h"
#include "shell/FindOptions.h"

class cDocument;
class cMainWindow;

// The one open document; never replaced as an object, only filled and emptied. Its backup
// goes to the editor's backup folder, and the window's title follows it.
cDocument& CurrentDocument();
// <backup directory>/backup.PDB, or backup-N.PDB when other editors hold the first slots.
std::string BackupFilePath();

// The pinyin check boxes of the text imports' and exports' file dialogs, and the names of
// the attributes chosen for them last, offered checked the next time.
struct sPinyinFileChoices {
    bool marksOnImport = false;
    bool numbersOnExport = false;
    std::vector<std::string> columns;
};

// The editor's own flags and view settings for the run; none of them belongs to the database.
struct sAppState {
    // Off while an in-place editor is open, so that its keys reach the editor.
    bool acceleratorsEnabled = true;
    eInputMode inputMode = eInputMode::Normal;
    bool pinyinConversion = false;
    // The attribute whose values the term pane shows beside each term.
    int displayAttribute = 0;
    // The font of the panes: made from the settings at start-up or chosen with Font; until
    // then the settings describe it.
    std::optional<QFont> userFont;
    // The Find dialog opens with these and Find Next reuses them.
    sFindOptions findOptions;
    sPinyinFileChoices pinyinFiles;
};

sAppState& AppState();

// The main window, or nullptr before it exists (and in tests without one).
cMainWindow* MainWindow();
void SetMainWindow(cMainWindow* window);

// Puts every item above, the settings and the editor's paths back to their state at
// start-up; for tests.
void ResetAppState();
