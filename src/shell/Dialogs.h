#pragma once
// Runs the Welcome, New Database, Properties and About dialogs modally through the
// platform, centred over the owner's window as it is now, and returns their results.

class QPixmap;
class QWidget;

// CmdNewDatabase, CmdOpen, WelcomeOpenRecent or WelcomeQuit (shell/CommandIds.h).
int RunWelcomeDialog(QWidget* owner);
// 1 when a database was created, 2 when cancelled.
int RunNewDatabaseDialog(QWidget* owner);
// 1 (OK) or 2 (cancelled).
int RunPropertiesDialog(QWidget* owner);
// 1.
int RunAboutDialog(QWidget* owner);

// The product logo of the Welcome and About dialogs, 64 pixels square; empty when the
// icon resources are not linked in (some test programs).
QPixmap ProductLogo();
