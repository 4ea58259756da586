#pragma once
// What the window shows of the open document: the title with the path and the modified
// mark, the Save command, and a backup that could not be written.

#include <QString>

class cDocumentListener;

// Follows the document: the title and Save after every change of the modified flag, the
// status bar when a backup fails.
cDocumentListener& DocumentStatusListener();

// "Vesk-Builder", then " - " and the path (or "Unnamed") when a database is open, then " *"
// when modified.
void UpdateTitle();
QString TitleText();
void UpdateSaveEnabling();
// Edit > Undo and Redo name the step they would take, and are greyed without one.
void UpdateUndoCommands();
