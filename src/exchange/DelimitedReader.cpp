// Delimited text, as read.
//
// Encoding: a byte-order mark decides (EF BB BF UTF-8, FF FE UTF-16 LE, FE FF UTF-16 BE);
// without one, the rules of TextEncoding.h (UTF-16 by its NUL bytes, UTF-8 when valid and
// multi-byte, else Windows-1252, which is UTF-8 too for 7-bit text). A chosen encoding
// skips its own mark when there is one.
//
// Anki's header lines come first, each "#key:value" on a line of its own:
//
//   #separator:Comma|Semicolon|Tab|Space|Pipe|Colon|<one character>
//   #html:true|false          true: cells are HTML, read as text (HtmlText.h)
//   #columns:<name><sep>...   the column names; there is no header row then
//   #tags column:<n>          1-based; that column names categories
//   #notetype column, #deck column, #guid column: columns that are skipped
//   #tags, #deck, #notetype:  read and ignored
//
// A line starting with '#' that is none of these is a data row.
//
// Rows (RFC 4180): cells separated by the separator, rows ended by LF, CR LF or CR. A cell
// that opens with a double quote runs to the next quote that is not doubled and may hold
// separators and line breaks; "" inside it is one quote; after its closing quote only a
// separator or the row's end may follow. A quote inside an unquoted cell is an ordinary
// character. Empty lines are no rows. A NUL anywhere is refused: no text can hold one.
//
// Separator detection, when neither the options nor "#separator:" name one: over the first
// 20 lines (quotes respected) the candidate found the same number of times on every line
// wins, the most frequent of those first; failing that the one on every line; failing
// that ','. Ties go in the order tab, comma, semicolon, '|'.
//
// Header detection, over the first 51 rows (what the preview reads): the first row names the
// columns when there is another row, its cells are all present, distinct, single-line and at
// most 64 characters long, none of them recurs in its column below, and no column whose
// values are all numbers has a number on top.

#include "exchange/DelimitedReader.h"

#include "dbfile/FileBytes.h"
#include "dbfile/FileFailure.h"
#include "exchange/HtmlText.h"
#include "exchange/TextEncoding.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

constexpr size_t SeparatorSampleLines = 20;
constexpr size_t MaxHeaderCellLength = 64;
constexpr size_t MaxHeaderCells = 1024;
constexpr size_t HeaderSampleRows = 51;
constexpr char16_t Candidates[] = {u'\t', u',', u';', u'|'};

const struct {
    const char* name;
    char16_t separator;
} SeparatorNames[] = {{"comma", u','}, {"semicolon", u';'}, {"tab", u'\t'},
                      {"space", u' '}, {"pipe", u'|'},      {"colon", u':'}};

const struct {
    const char* name;
    eDelimitedEncoding encoding;
} EncodingNames[] = {{"auto", eDelimitedEncoding::Auto},
                     {"utf-8", eDelimitedEncoding::Utf8},
                     {"utf-16le", eDelimitedEncoding::Utf16Le},
                     {"utf-16be", eDelimitedEncoding::Utf16Be},
                     {"windows-1252", eDelimitedEncoding::Windows1252}};

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool HasPrefix(const uint8_t* bytes, size_t size, std::initializer_list<uint8_t> mark) {
    return size >= mark.size() && std::equal(mark.begin(), mark.end(), bytes);
}

bool IsSevenBit(const uint8_t* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i)
        if (bytes[i] & 0x80)
            return false;
    return true;
}

// The text as UTF-16, the encoding resolved.
std::u16string Decode(const uint8_t* bytes, size_t size, eDelimitedEncoding& encoding) {
    if (encoding == eDelimitedEncoding::Auto) {
        const cTextEncoding detected = DetectTextEncoding(bytes, size);
        switch (detected.encoding) {
        case eTextEncoding::Utf16:
            encoding =
                detected.bigEndian ? eDelimitedEncoding::Utf16Be : eDelimitedEncoding::Utf16Le;
            break;
        case eTextEncoding::Utf8:
            encoding = eDelimitedEncoding::Utf8;
            break;
        case eTextEncoding::CodePage:
            encoding = IsSevenBit(bytes, size) ? eDelimitedEncoding::Utf8
                                               : eDelimitedEncoding::Windows1252;
            break;
        }
    }
    switch (encoding) {
    case eDelimitedEncoding::Utf16Le:
    case eDelimitedEncoding::Utf16Be: {
        const bool big = encoding == eDelimitedEncoding::Utf16Be;
        const size_t mark =
            HasPrefix(bytes, size, {uint8_t(big ? 0xFE : 0xFF), uint8_t(big ? 0xFF : 0xFE)}) ? 2
                                                                                             : 0;
        return DecodeUtf16(bytes + mark, size - mark, big);
    }
    case eDelimitedEncoding::Windows1252: {
        std::u16string units(size, u'\0');
        for (size_t i = 0; i < size; ++i)
            units[i] = AnsiCharToWide(bytes[i]);
        return units;
    }
    default: {
        const size_t mark = HasPrefix(bytes, size, {0xEF, 0xBB, 0xBF}) ? 3 : 0;
        return Utf8ToUtf16(reinterpret_cast<const char*>(bytes) + mark, size - mark);
    }
    }
}

std::string Narrow(std::u16string_view text) {
    std::string out;
    for (char16_t unit : text)
        out += unit < 0x80 ? static_cast<char>(unit) : '?';
    return out;
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t' || text.back() == u'\r'))
        text.remove_suffix(1);
    return text;
}

class cParser {
public:
    cParser(const sDelimitedOptions& options, cDelimitedTable& table, sDelimitedError& error)
        : begin_(&table.text()[0]), p_(begin_), end_(begin_ + table.text().size()),
          options_(options), table_(table), error_(error) {}

    bool run();

private:
    void readAnkiHeader();
    bool ankiLine(std::u16string_view line);
    char16_t detectSeparator() const;
    bool readRows(uint32_t limit);
    // Unquotes the cell at p_ in place; its end in end.
    bool quotedCell(char16_t*& end);
    void skipLineEnd() {
        if (*p_ == u'\r' && p_ + 1 != end_ && p_[1] == u'\n')
            ++p_;
        ++p_;
        ++line_;
    }
    bool fail(uint32_t line, std::string reason) {
        error_.line = line;
        error_.reason = std::move(reason);
        return false;
    }
    bool detectHeader() const;
    // True for what ends an unquoted cell: the separator, a line break, a NUL.
    bool ends(char16_t c) const { return c < 0x80 ? enders_[c] : c == separator_; }

    char16_t* const begin_;
    char16_t* p_;
    char16_t* const end_;
    const sDelimitedOptions& options_;
    cDelimitedTable& table_;
    sDelimitedError& error_;
    uint32_t line_ = 1;
    char16_t separator_ = 0;
    bool html_ = false;
    std::u16string columns_;
    bool enders_[0x80] = {};
};

bool cParser::ankiLine(std::u16string_view line) {
    const size_t colon = line.find(u':');
    if (line.size() < 2 || line[0] != u'#' || colon == std::u16string_view::npos)
        return false;
    const std::string key = Lower(Narrow(line.substr(1, colon - 1)));
    const std::u16string_view value = Trim(line.substr(colon + 1));
    const std::string word = Lower(Narrow(value));
    if (key == "separator") {
        char16_t named;
        if (SeparatorFromName(word, named))
            separator_ = named;
        else if (value.size() == 1)
            separator_ = value[0];
    } else if (key == "html") {
        html_ = word == "true";
    } else if (key == "columns") {
        columns_.assign(value);
    } else if (key == "tags column" || key == "notetype column" || key == "deck column" ||
               key == "guid column") {
        // 1-based; anything but a number of at most four digits names no column.
        int column = word.empty() || word.size() > 4 ? -1 : 0;
        for (char digit : word)
            column = column >= 0 && digit >= '0' && digit <= '9' ? column * 10 + (digit - '0') : -1;
        --column;
        if (column < 0)
            return true;
        if (key == "tags column")
            table_.tagsColumn = column;
        else
            table_.ankiOnlyColumns.push_back(column);
    } else if (key != "tags" && key != "deck" && key != "notetype") {
        return false;
    }
    return true;
}

void cParser::readAnkiHeader() {
    while (p_ != end_ && *p_ == u'#') {
        char16_t* lineEnd = std::find(p_, end_, u'\n');
        if (!ankiLine(Trim(std::u16string_view(p_, static_cast<size_t>(lineEnd - p_)))))
            return;
        p_ = lineEnd;
        if (p_ != end_)
            skipLineEnd();
    }
}

char16_t cParser::detectSeparator() const {
    size_t counts[SeparatorSampleLines][std::size(Candidates)] = {};
    size_t lines = 0;
    bool quoted = false, blank = true;
    for (const char16_t* p = p_; p != end_ && lines < SeparatorSampleLines; ++p) {
        const char16_t c = *p;
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && (c == u'\n' || c == u'\r')) {
            lines += blank ? 0 : 1;
            blank = true;
            continue;
        } else if (!quoted) {
            for (size_t k = 0; k < std::size(Candidates); ++k)
                counts[lines][k] += c == Candidates[k];
        }
        blank = false;
    }
    if (!blank && lines < SeparatorSampleLines)
        ++lines;
    char16_t best = u',';
    size_t bestScore = 0;
    for (size_t k = 0; k < std::size(Candidates); ++k) {
        size_t least = SIZE_MAX;
        bool same = true;
        for (size_t line = 0; line < lines; ++line) {
            least = std::min(least, counts[line][k]);
            same = same && counts[line][k] == counts[0][k];
        }
        if (lines == 0 || least == 0)
            continue;
        const size_t score = same ? SIZE_MAX / 2 + least : least;
        if (score > bestScore) {
            bestScore = score;
            best = Candidates[k];
        }
    }
    return best;
}

bool cParser::quotedCell(char16_t*& out) {
    const uint32_t startLine = line_;
    out = p_;
    ++p_;
    for (;;) {
        const char16_t* run = p_;
        while (p_ != end_ && *p_ != u'"' && *p_ != u'\n' && *p_ != u'\r' && *p_ != 0)
            ++p_;
        out = std::copy(run, static_cast<const char16_t*>(p_), out);
        if (p_ == end_)
            return fail(startLine, "the quoted cell that starts on this line is not closed");
        if (*p_ == 0)
            return fail(line_, "a NUL character, which no text can hold");
        if (*p_ != u'"') {
            // A line break inside the cell, kept as LF.
            *out++ = u'\n';
            skipLineEnd();
            continue;
        }
        ++p_;
        if (p_ != end_ && *p_ == u'"') {
            *out++ = u'"';
            ++p_;
            continue;
        }
        if (p_ == end_ || *p_ == separator_ || *p_ == u'\n' || *p_ == u'\r')
            return true;
        return fail(line_, "a quote inside a quoted cell must be doubled");
    }
}

bool cParser::readRows(uint32_t limit) {
    while (p_ != end_) {
        if (*p_ == u'\n' || *p_ == u'\r') {
            skipLineEnd();
            continue;
        }
        if (table_.rowCount() >= limit) {
            table_.complete = false;
            return true;
        }
        table_.beginRow(line_);
        for (;;) {
            char16_t* start = p_;
            char16_t* end;
            if (p_ != end_ && *p_ == u'"') {
                if (!quotedCell(end))
                    return false;
            } else {
                while (p_ != end_ && !ends(*p_))
                    ++p_;
                if (p_ != end_ && *p_ == 0)
                    return fail(line_, "a NUL character, which no text can hold");
                end = p_;
            }
            if (html_) {
                const std::u16string text =
                    HtmlToText(std::u16string_view(start, static_cast<size_t>(end - start)));
                end = std::copy(text.begin(), text.end(), start);
            }
            table_.addCell(static_cast<size_t>(start - begin_), static_cast<size_t>(end - begin_));
            if (p_ == end_ || *p_ != separator_)
                break;
            ++p_;
        }
        table_.endRow();
        if (p_ != end_)
            skipLineEnd();
    }
    return true;
}

bool IsNumber(std::u16string_view text) {
    text = Trim(text);
    if (text.empty())
        return false;
    bool digit = false;
    for (char16_t c : text) {
        if (c >= u'0' && c <= u'9')
            digit = true;
        else if (c != u'.' && c != u',' && c != u'-' && c != u'+')
            return false;
    }
    return digit;
}

bool cParser::detectHeader() const {
    // The rows the preview shows, so that the preview and the import decide alike.
    const size_t rows = std::min<size_t>(table_.rowCount(), HeaderSampleRows);
    // Names for more columns than any database has attributes are no header row.
    if (rows < 2 || table_.cellCount(0) > MaxHeaderCells)
        return false;
    std::set<std::u16string_view> seen;
    for (size_t column = 0; column < table_.cellCount(0); ++column) {
        const std::u16string_view top = table_.cell(0, column);
        if (Trim(top).empty() || top.size() > MaxHeaderCellLength ||
            top.find(u'\n') != std::u16string_view::npos || !seen.insert(top).second)
            return false;
        bool allNumbers = true;
        for (size_t row = 1; row < rows; ++row) {
            const std::u16string_view below = table_.cell(row, column);
            if (below == top)
                return false;
            if (!below.empty() && !IsNumber(below))
                allNumbers = false;
        }
        if (allNumbers && IsNumber(top))
            return false;
    }
    return true;
}

bool cParser::run() {
    readAnkiHeader();
    if (options_.separator != 0)
        separator_ = options_.separator;
    else if (separator_ == 0)
        separator_ = detectSeparator();
    table_.separator = separator_;
    for (char16_t c : {separator_, u'\n', u'\r', u'\0'})
        if (c < 0x80)
            enders_[c] = true;
    if (!columns_.empty()) {
        std::u16string_view rest = columns_;
        for (;;) {
            const size_t at = rest.find(separator_);
            table_.names.emplace_back(Trim(rest.substr(0, at)));
            if (at == std::u16string_view::npos)
                break;
            rest.remove_prefix(at + 1);
        }
    }
    // One row more than asked for, which a header row may take.
    const uint32_t limit = options_.maxRows == UINT32_MAX ? UINT32_MAX : options_.maxRows + 1;
    if (!readRows(limit))
        return false;
    bool header = options_.header == eHeaderRow::Present;
    if (options_.header == eHeaderRow::Detect)
        header = table_.names.empty() && detectHeader();
    table_.header = header;
    if (header && table_.rowCount() > 0) {
        table_.names.clear();
        for (size_t column = 0; column < table_.cellCount(0); ++column)
            table_.names.emplace_back(Trim(table_.cell(0, column)));
        table_.dropFirstRow();
    }
    if (table_.rowCount() > options_.maxRows) {
        table_.dropLastRow();
        table_.complete = false;
    }
    return true;
}

} // namespace

void cDelimitedTable::beginRow(uint32_t line) {
    if (rowFirstCell_.empty())
        rowFirstCell_.push_back(0);
    rowLines_.push_back(line);
}

void cDelimitedTable::addCell(size_t start, size_t end) {
    cellStarts_.push_back(static_cast<uint32_t>(start));
    cellEnds_.push_back(static_cast<uint32_t>(end));
}

void cDelimitedTable::endRow() {
    rowFirstCell_.push_back(static_cast<uint32_t>(cellStarts_.size()));
    columns_ = std::max(columns_, cellCount(rowCount() - 1));
}

void cDelimitedTable::dropFirstRow() {
    rowFirstCell_.erase(rowFirstCell_.begin());
    rowLines_.erase(rowLines_.begin());
}

void cDelimitedTable::dropLastRow() {
    rowFirstCell_.pop_back();
    rowLines_.pop_back();
}

void cDelimitedTable::clear() {
    *this = cDelimitedTable();
}

bool ReadDelimited(const uint8_t* bytes, size_t size, const sDelimitedOptions& options,
                   cDelimitedTable& table, sDelimitedError& error) {
    table.clear();
    error = sDelimitedError();
    table.encoding = options.encoding;
    table.text() = Decode(bytes, size, table.encoding);
    cParser parser(options, table, error);
    return parser.run();
}

bool ReadDelimitedFile(const std::string& path, const sDelimitedOptions& options,
                       cDelimitedTable& table, sDelimitedError& error) {
    std::vector<uint8_t> bytes;
    if (options.maxRows == UINT32_MAX) {
        if (!ReadFileBytes(path, bytes)) {
            error = {0, LastFileFailure().reason};
            return false;
        }
        return ReadDelimited(bytes.data(), bytes.size(), options, table, error);
    }
    // The head only, grown until it holds the rows asked for (a quoted cell may be long).
    for (size_t head = 64 * 1024;; head *= 4) {
        const eFileRead read = ReadFileHead(path, head, bytes);
        if (read != eFileRead::Read) {
            error = {0, LastFileFailure().reason};
            return false;
        }
        const bool whole = bytes.size() < head;
        size_t usable = bytes.size();
        if (!whole) {
            // Never cut a UTF-8 sequence or a UTF-16 unit: end at the last line break.
            while (usable > 0 && bytes[usable - 1] != '\n')
                --usable;
            // UTF-16 LE: the line break's high byte too, so the head stays whole units.
            if (usable > 0 && usable < bytes.size() && bytes[usable] == 0)
                ++usable;
        }
        if (ReadDelimited(bytes.data(), usable, options, table, error) &&
            (whole || !table.complete))
            return true;
        if (whole)
            return false;
    }
}

const char* DelimitedEncodingName(eDelimitedEncoding encoding) {
    for (const auto& entry : EncodingNames)
        if (entry.encoding == encoding)
            return entry.name;
    return "auto";
}

bool DelimitedEncodingFromName(const std::string& name, eDelimitedEncoding& encoding) {
    const std::string lower = Lower(name);
    for (const auto& entry : EncodingNames)
        if (lower == entry.name) {
            encoding = entry.encoding;
            return true;
        }
    if (lower == "utf8" || lower == "cp1252" || lower == "latin1") {
        encoding = lower == "utf8" ? eDelimitedEncoding::Utf8 : eDelimitedEncoding::Windows1252;
        return true;
    }
    return false;
}

std::string SeparatorName(char16_t separator) {
    for (const auto& entry : SeparatorNames)
        if (entry.separator == separator)
            return entry.name;
    return Utf16ToUtf8(std::u16string(1, separator));
}

bool SeparatorFromName(const std::string& name, char16_t& separator) {
    const std::string lower = Lower(name);
    for (const auto& entry : SeparatorNames)
        if (lower == entry.name) {
            separator = entry.separator;
            return true;
        }
    const std::u16string units = Utf8ToUtf16(name);
    if (units.size() != 1 || units[0] == u'"' || units[0] == u'\n' || units[0] == u'\r' ||
        units[0] == 0)
        return false;
    separator = units[0];
    return true;
}
