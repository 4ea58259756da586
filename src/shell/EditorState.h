#pragma once

#include <QString>
// The modified state of the current database, the title that shows it and the backup that
// every change rewrites.

// Sets or clears Modified, updates the Save enabling and the title; when set, writes the
// whole database to the backup file (a failure is only told in the status bar).
void SetModified(bool modified);
// Sets DatabaseOpen, clears Modified and updates Save and the title, writing no backup.
void SetDatabaseOpen(bool open);
// "Vesk-Builder", then " - " and the path (or "Unnamed") when a database is open, then " *"
// when modified.
void UpdateTitle();
QString TitleText();
void UpdateSaveEnabling();
