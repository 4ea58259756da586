#pragma once
// The backup: every change rewrites the whole database to this editor's own backup file,
// synchronously, in a folder only the user can write.

// Writes the current database to the backup. A failure changes nothing else: it is told
// once in the status bar, and again only after a backup has been written since.
void WriteBackup();
// Gives up the slot and forgets the failures told; the next backup starts afresh.
void ReleaseBackup();
