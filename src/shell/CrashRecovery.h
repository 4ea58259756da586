#pragma once
// At start-up, before the welcome dialog and before anything could write a backup: the
// unsaved work an editor that crashed left in the backup slot this editor takes is offered
// back (document/BackupRecovery.h).

// Asks whether to restore the work left in this editor's backup, when there is some. Yes
// opens it as the file it belongs to, modified; No keeps the backup aside under a dated name.
// True when the work was restored and is the open database (no welcome dialog then).
bool OfferLeftWork();
