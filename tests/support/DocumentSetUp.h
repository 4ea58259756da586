#pragma once
// Building the open document's contents in place, as a test sets the editor up: the
// database itself, then the document opened (or closed) and the panes told it is all new.

#include "document/Document.h"
#include "shell/AppState.h"

inline cDatabase& CurrentDatabase() {
    return CurrentDocument().databaseForSetUp();
}

inline void SetDatabaseOpen(bool open) {
    CurrentDocument().setOpen(open);
}

inline void RefreshAllPanes() {
    CurrentDocument().tellReset();
}

inline void SetModified(bool modified) {
    CurrentDocument().setModified(modified);
}
