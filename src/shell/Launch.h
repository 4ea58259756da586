#pragma once
// Handing documents and web pages to the desktop.

#include <QString>

// The product's pages live in the bundled help folder.
extern const char* const HelpContentsPage; // "Help/Vesk-Builder_UserManual.html"
extern const char* const HomePage;         // "Help/index.html"
extern const char* const DownloadPage;     // "Help/download.html"

// Opens a file path or a web address. 0 on success; 1 after TextHelpMissing (a document
// that does not exist) or TextLaunchFailed (any other failure) under TextCaptionError.
int OpenWithShell(const QString& target);
// Opens a document given relative to the program directory.
int OpenHelpPage(const QString& relativePath);
