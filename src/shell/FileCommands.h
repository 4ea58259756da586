#pragma once
// The commands that read and write files: each returns a command result.

int OpenCommand();
int MergeCommand();
// 40105, 40092, 40076 or 40088.
int ImportCommand(int command);
int ExportCommand(bool ownFormat);
int SaveCommand();
int SaveAsCommand();
