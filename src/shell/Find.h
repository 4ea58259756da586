#pragma once
// Find: searching the values of every term for a text, then selecting the next matching
// term or every matching term.

#include <string>

#include "shell/FindOptions.h"

class cValue;
class cDatabase;

// Sets both forms of the run's search text from what the user typed.
void SetFindText(const std::u16string& text);
bool ValueMatches(const cDatabase& db, const cValue& value, const sFindOptions& options);
// One search with the run's Find options over the current database, moving the term pane's
// selection.
void FindNext();
