#pragma once
// Notices when another program changes or deletes the open database's file behind the
// editor's back. The document takes the file's identity (dbfile/FileIdentity.h) after every
// open and save; it is compared before Save writes over the file and whenever the window is
// activated, and a file-system watcher runs the same comparison as soon as the file changes.

class cMainWindow;

// After an open or a save: watches the document's file (none for an unnamed database); the
// changes told before are forgotten.
void RememberOpenFile();

// What Save does once the file's identity has been checked.
enum : int {
    SaveOverFile = 0,  // unchanged, or the user agreed to overwrite or recreate it
    SaveElsewhere = 1, // the user keeps the other program's version: offer Save As
    SaveNothing = 2,   // cancelled
};

// Before Save writes over the database's file: when another program changed or deleted it
// since it was opened or saved, asks whether to overwrite (or recreate) it.
int ConfirmSaveOverOpenFile();

// When another program changed or deleted the file since, says so in the status bar, once
// for each change.
void NoticeOpenFileChange();

// Runs NoticeOpenFileChange when the window is activated and when the watched file changes.
void InstallFileWatch(cMainWindow& window);
