#pragma once
// The file dialogs of the commands, each as the user meets it.

#include "shell/Platform.h"

extern const sFileDialogRequest OpenDatabaseDialog;
extern const sFileDialogRequest MergeDatabaseDialog;
extern const sFileDialogRequest ImportQuizAppDialog;
extern const sFileDialogRequest ImportTextDialog;
extern const sFileDialogRequest ImportErganeDialog;
extern const sFileDialogRequest ExportTextDialog;
extern const sFileDialogRequest ImportAnkiPackageDialog;
extern const sFileDialogRequest ExportAnkiPackageDialog;
extern const sFileDialogRequest ExportAnkiTextDialog;
// Save As proposes the database's path, else its name + ".PDB", else "*.PDB".
sFileDialogRequest SaveDatabaseDialog();

// A path from a dialog as the file system spells it, and back.
std::string PathFromDialog(const QString& path);
QString PathForDisplay(const char* path);
// A database's file as the title and the questions name it: its path, or "Unnamed".
QString FileNameForDisplay(const char* path);
