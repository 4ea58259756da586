#pragma once
// Pinyin in chosen columns of an import or an export: tone numbers turned into marks while
// importing (CC-CEDICT's "ni3 hao3" becomes "nǐ hǎo"), marks of either style turned back
// into numbers for an export. The editor's import and export commands, the delimited-text
// import and the vesk tool (`import --pinyin`, `export --pinyin-numbers`) share it; an
// import runs it on the database it has just read, an export on a copy of the one it writes.

#include "text/PinyinStyle.h"

#include <cstdint>
#include <string>
#include <vector>

class cDatabase;

// Which columns hold pinyin and the style of the marks an import writes.
struct sPinyinColumns {
    // Attribute names (UTF-8) or 1-based attribute numbers, the value columns of a file as
    // tab-delimited text counts them. A name is tried first, so an attribute named "2" can be
    // chosen by name. Empty: nothing is converted.
    std::vector<std::string> columns;
    ePinyinStyle style = ePinyinStyle::Standard;
};

enum class ePinyinDirection { ToMarks, ToNumbers };

// Splits "Pinyin,3" into its columns; false for an empty list or an empty column.
bool ParsePinyinColumnList(const std::string& list, std::vector<std::string>& columns);

// The attributes the columns name in db, each once, in the columns' order. False for the
// first column that names no attribute or an Ascii one (pinyin marks need Unicode text),
// with reason saying which: `pinyin column "Pinyn": no such attribute`.
bool ResolvePinyinColumns(const cDatabase& db, const std::vector<std::string>& columns,
                          std::vector<uint32_t>& attributes, std::string& reason);

// Converts every value of the attributes (Unicode ones; any other is left alone), in the
// style given for ToMarks. Returns how many values changed. Throws std::bad_alloc when a
// value's new text could not be stored, so that nothing is left half-converted unnoticed.
uint32_t ConvertPinyinValues(cDatabase& db, const std::vector<uint32_t>& attributes,
                             ePinyinDirection direction, ePinyinStyle style);

// Resolves the columns in db and converts them, or changes nothing: 0, or the string-table
// text to show under TextCaptionError (TextPinyinColumnsFailed) with the reason recorded for
// path (FileFailure.h). Nothing to do when option names no columns.
int ApplyPinyinColumns(cDatabase& db, const sPinyinColumns& option, ePinyinDirection direction,
                       const std::string& path);
