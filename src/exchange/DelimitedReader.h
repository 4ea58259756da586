#pragma once
// Delimited text as spreadsheets and flashcard programs write it: comma, semicolon, tab or
// '|' separated fields with RFC 4180 quoting, read into a table of UTF-16 cells. The layout
// and the detection rules are described at the top of DelimitedReader.cpp.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class eDelimitedEncoding { Auto, Utf8, Utf16Le, Utf16Be, Windows1252 };

// The header row: detected from the rows, or as the user says.
enum class eHeaderRow { Detect, Absent, Present };

struct sDelimitedOptions {
    eDelimitedEncoding encoding = eDelimitedEncoding::Auto;
    // 0: from an Anki "#separator:" line, else detected.
    char16_t separator = 0;
    eHeaderRow header = eHeaderRow::Detect;
    // Data rows to read; the preview reads a few, an import all.
    uint32_t maxRows = UINT32_MAX;
};

class cDelimitedTable {
public:
    // What was read with, detection resolved.
    eDelimitedEncoding encoding = eDelimitedEncoding::Utf8;
    char16_t separator = u',';
    bool header = false;
    // Column names: the header row's, or those of an Anki "#columns:" line; else empty.
    std::vector<std::u16string> names;
    // 0-based columns that Anki's header lines name: the tags column, and the note type, deck
    // and GUID columns, which a flashcard database has no place for. -1: none.
    int tagsColumn = -1;
    std::vector<int> ankiOnlyColumns;
    // False when maxRows stopped the reading before the end of the text.
    bool complete = true;

    size_t rowCount() const { return rowFirstCell_.empty() ? 0 : rowFirstCell_.size() - 1; }
    // The widest row's number of cells.
    size_t columnCount() const { return columns_; }
    size_t cellCount(size_t row) const { return rowFirstCell_[row + 1] - rowFirstCell_[row]; }
    // An empty view for a column the row does not reach.
    std::u16string_view cell(size_t row, size_t column) const {
        if (column >= cellCount(row))
            return {};
        const size_t index = rowFirstCell_[row] + column;
        return std::u16string_view(text_.data() + cellStarts_[index],
                                   cellEnds_[index] - cellStarts_[index]);
    }
    // The 1-based line of the text on which the row starts.
    uint32_t line(size_t row) const { return rowLines_[row]; }

    // Building, for the reader: the decoded text, whose cells are unquoted in place (a cell
    // never grows by it), then the cells as ranges of it.
    std::u16string& text() { return text_; }
    void beginRow(uint32_t line);
    void addCell(size_t start, size_t end);
    void endRow();
    void dropFirstRow();
    void dropLastRow();
    void clear();

private:
    std::u16string text_;
    std::vector<uint32_t> cellStarts_;
    std::vector<uint32_t> cellEnds_;
    std::vector<uint32_t> rowFirstCell_;
    std::vector<uint32_t> rowLines_;
    size_t columns_ = 0;
};

struct sDelimitedError {
    // 1-based line of the text; 0 for a failure of the file as a whole.
    uint32_t line = 0;
    std::string reason;
};

// Reads the bytes of a delimited text file. False with the line and the reason when the
// quoting is malformed or a cell holds a NUL; table then holds nothing useful.
bool ReadDelimited(const uint8_t* bytes, size_t size, const sDelimitedOptions& options,
                   cDelimitedTable& table, sDelimitedError& error);

// The same for a file: all of it, or (preview) only as much of its head as options.maxRows
// rows take. A file that cannot be read records its reason (FileFailure.h) and fails with
// line 0.
bool ReadDelimitedFile(const std::string& path, const sDelimitedOptions& options,
                       cDelimitedTable& table, sDelimitedError& error);

// The names the user sees and types for the encodings and separators ("utf-8", "tab", …),
// and back; false for a name that is not one of them.
const char* DelimitedEncodingName(eDelimitedEncoding encoding);
bool DelimitedEncodingFromName(const std::string& name, eDelimitedEncoding& encoding);
std::string SeparatorName(char16_t separator);
bool SeparatorFromName(const std::string& name, char16_t& separator);
