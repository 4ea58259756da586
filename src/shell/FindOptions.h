#pragma once
// What Find searches for and how, apart from the search itself.

#include <string>

struct sFindOptions {
    std::string ansiText;    // for Ascii values
    std::u16string wideText; // for Unicode values
    bool wholeValue = false; // the whole value must equal the text
    bool matchCase = false;  // otherwise only A to Z are folded
    bool upward = false;
    bool selectMatches = false;
};
