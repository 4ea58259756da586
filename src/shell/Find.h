#pragma once
// Find: searching the values of every term for a text, then selecting the next matching
// term or every matching term.

#include <string>

class cValue;
class cDatabase;

struct sFindOptions {
    std::string ansiText;    // for Ascii values
    std::u16string wideText; // for Unicode values
    bool wholeValue = false; // the whole value must equal the text
    bool matchCase = false;  // otherwise only A to Z are folded
    bool upward = false;
    bool selectMatches = false;
};

// The options of the run; the Find dialog opens with them and Find Next reuses them.
extern sFindOptions FindOptions;

// Sets both forms of the search text from what the user typed.
void SetFindText(const std::u16string& text);
bool ValueMatches(const cDatabase& db, const cValue& value, const sFindOptions& options);
// One search with FindOptions over the current database, moving the term pane's selection.
void FindNext();
