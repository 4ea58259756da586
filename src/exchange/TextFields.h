#pragma once
// Lines and fields of the text exchange formats, shared by every encoding: the character
// type is a byte for code-page text and a UTF-16 unit otherwise.
//
//   line   := field (TAB field)*  ending at LF or at the end of the text
//   field  := any characters but TAB and LF, cleaned as below
//
// Cleaning, in this order: a double quote that opens the field goes; a CR that ends it goes
// (so CR LF line ends need no special reading); a double quote that now ends it goes; then
// all trailing spaces go. A field left empty is absent. Spreadsheets quote fields and
// editors leave stray blanks, which is what the cleaning is for; quotes inside a field and
// leading spaces stay.
//
// A NUL cannot be held by any text the fields go to; lines holding one are refused before
// they are split (see HoldsNul).

#include <cstddef>
#include <cstring>
#include <vector>

template <class Char> struct cFieldView {
    const Char* text = nullptr;
    size_t length = 0;

    bool present() const { return length != 0; }
};

namespace TextFieldsDetail {

inline const char* FindChar(const char* begin, const char* end, char wanted) {
    // An empty file's bytes may have no address at all, and memchr must not be given none.
    if (begin == end)
        return end;
    const void* found = std::memchr(begin, wanted, static_cast<size_t>(end - begin));
    return found ? static_cast<const char*>(found) : end;
}

inline const char16_t* FindChar(const char16_t* begin, const char16_t* end, char16_t wanted) {
    while (begin != end && *begin != wanted)
        ++begin;
    return begin;
}

} // namespace TextFieldsDetail

// The end of the line that starts at begin: its LF, or end.
template <class Char> const Char* FindLineEnd(const Char* begin, const Char* end) {
    return TextFieldsDetail::FindChar(begin, end, Char('\n'));
}

// True when [begin, end) holds a NUL.
template <class Char> bool HoldsNul(const Char* begin, const Char* end) {
    return TextFieldsDetail::FindChar(begin, end, Char(0)) != end;
}

template <class Char> cFieldView<Char> CleanField(const Char* text, size_t length) {
    if (length != 0 && text[0] == Char('"')) {
        ++text;
        --length;
    }
    if (length != 0 && text[length - 1] == Char('\r'))
        --length;
    if (length != 0 && text[length - 1] == Char('"'))
        --length;
    while (length != 0 && text[length - 1] == Char(' '))
        --length;
    return {text, length};
}

// Replaces fields with the cleaned fields of the line [begin, end), which holds no LF.
template <class Char>
void SplitFields(const Char* begin, const Char* end, std::vector<cFieldView<Char>>& fields) {
    fields.clear();
    for (;;) {
        const Char* tab = TextFieldsDetail::FindChar(begin, end, Char('\t'));
        fields.push_back(CleanField(begin, static_cast<size_t>(tab - begin)));
        if (tab == end)
            return;
        begin = tab + 1;
    }
}
