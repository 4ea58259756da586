#pragma once
// Start-up, the welcome loop and shutdown of the editor.

#include <memory>
#include <string>

class cMainWindow;
class QString;

// Registers the icons and other resources built into the program.
void InitShellResources();
// Finds where the editor keeps its files, reads the settings and the templates, and routes
// messages to the platform's boxes and the status bar.
void InitializeEditor(const std::string& programDirectory);
// The main window, made current, with its font, title, Save state and menus set.
std::unique_ptr<cMainWindow> CreateEditorWindow();
// Shows the welcome dialog until a command completes (true: go on to the main window) or
// the user quits (false).
bool RunWelcomeLoop();
// Opens file (from the command line) as Open does and skips the welcome dialog; without a
// file, or when it does not open, the welcome loop decides. True: go on to the main window.
bool OpenStartingDatabase(const QString& file);
// The whole run; the exit code.
int RunEditor(int argc, char** argv);
