#pragma once
// The editor's command line: `vesk-builder [FILE]`, `--help` and `--version`.

#include <QString>
#include <QStringList>

struct sEditorCommandLine {
    enum eAction { Start, Print, Fail };
    eAction action = Start;
    QString file; // Start: the database to open, empty for none
    QString text; // Print: for standard output; Fail: the complaint and the usage, for errors
};

// arguments as QCoreApplication::arguments() gives them, the program's name first.
sEditorCommandLine ParseEditorCommandLine(const QStringList& arguments);
