#pragma once
// What a text needs to pass through a field of the text exchange formats unchanged, the
// writer's side of the cleaning in TextFields.h. Text is std::string (code-page bytes) or
// std::u16string (UTF-16 units).

#include <algorithm>

// Cleaning drops a double quote that opens a field.
template <class Text> bool StartsWithQuote(const Text& text) {
    return !text.empty() && text.front() == '"';
}

// Cleaning drops a CR that ends a field, then a double quote that ends it.
template <class Text> bool NeedsClosingQuote(const Text& text) {
    return !text.empty() && (text.back() == '"' || text.back() == '\r');
}

// Replaces what no field can hold, a TAB or an LF, by a space, and in a category name a
// '|' by '/'; true when anything was replaced.
template <class Text> bool ReplaceUnholdable(Text& text, bool categoryName) {
    bool replaced = false;
    for (auto& character : text) {
        if (character == '\t' || character == '\n') {
            character = ' ';
            replaced = true;
        } else if (categoryName && character == '|') {
            character = '/';
            replaced = true;
        }
    }
    return replaced;
}

// Cleaning drops trailing spaces, so no quoting keeps them.
template <class Text> void DropTrailingSpaces(Text& text) {
    auto last = std::find_if(text.rbegin(), text.rend(), [](auto c) { return c != ' '; });
    text.erase(last.base(), text.end());
}
