#pragma once
// The commands that read and write files: each returns a command result.

#include <string>

int OpenCommand();
// Opens path as Open opens the file chosen, the save prompt first (the file argument and a
// file dropped on the window).
int OpenFileCommand(const std::string& path);
int MergeCommand();
// 40105, 40092, 40076, 40088 or 40300.
int ImportCommand(int command);
int ExportCommand(bool ownFormat);
// An Anki package (its options asked first) or text for Anki's importer.
int ExportAnkiCommand(bool package);
int SaveCommand();
int SaveAsCommand();
