// An Ergane word list is UTF-16 text, every unit big-endian, without a byte-order mark. A
// line ends at CR; the two bytes behind the CR (its LF) are stepped over without a look.
//
//   part of the file      use
//   line 1                the description; from byte 9 of its ANSI form on,
//                         "<name of attribute 0>-<name of attribute 1>,..."
//   lines 2 to 4          skipped
//   per entry:
//     entry line          the value of attribute 0
//     second text         [spaces] <anything up to and including '.'> [spaces]
//                         <value of attribute 1, may run over line ends> <one unit> '('
//                         <rest of that line, skipped>
//     continuation lines  every following line that starts with a space, skipped
//
// An entry during which the end of the file is met is dropped, so a list keeps its last
// entry only when an empty line follows it.

#include "exchange/ErganeImport.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "dbfile/FileBytes.h"
#include "model/Database.h"
#include "text/CodePage.h"

namespace {

constexpr char16_t kCarriageReturn = 0x000D;
constexpr char16_t kSpace = 0x0020;
constexpr char16_t kFullStop = 0x002E;
constexpr char16_t kOpeningParenthesis = 0x0028;
constexpr size_t kLineEndSkip = 2;
// Where the attribute names start in the ANSI form of line 1.
constexpr size_t kNamesStart = 9;
// The description takes line 1 up to the width of the description field this import has
// always filled: 511 characters. The attribute names come from the whole line.
constexpr size_t kDescriptionWidth = 511;

// Big-endian UTF-16 units over the file's bytes. Any attempt to read a unit where fewer
// than two bytes remain marks the end as met; the mark stays.
class cUnitReader {
public:
    explicit cUnitReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool endMet() const { return endMet_; }

    bool peek(char16_t& unit) {
        if (bytes_.size() - position_ < 2) {
            endMet_ = true;
            return false;
        }
        unit = static_cast<char16_t>((bytes_[position_] << 8) | bytes_[position_ + 1]);
        return true;
    }

    bool next(char16_t& unit) {
        if (!peek(unit))
            return false;
        position_ += 2;
        return true;
    }

    // Collects the units up to the CR (into line, when given), then steps over the CR and
    // the two bytes behind it.
    void readLine(std::u16string* line) {
        char16_t unit = 0;
        while (next(unit)) {
            if (unit == kCarriageReturn) {
                position_ += std::min(kLineEndSkip, bytes_.size() - position_);
                return;
            }
            if (line)
                line->push_back(unit);
        }
    }

    void skipSpaces() {
        char16_t unit = 0;
        while (peek(unit) && unit == kSpace)
            position_ += 2;
    }

    void skipThrough(char16_t stop) {
        char16_t unit = 0;
        while (next(unit) && unit != stop) {
        }
    }

    // Collects the units up to stop across line ends, consumes stop, and drops the last
    // unit collected: the space that Ergane writes before the parenthesis.
    void readUntil(char16_t stop, std::u16string& text) {
        char16_t unit = 0;
        while (next(unit)) {
            if (unit == stop) {
                if (!text.empty())
                    text.pop_back();
                return;
            }
            text.push_back(unit);
        }
    }

    void skipContinuationLines() {
        char16_t unit = 0;
        while (peek(unit) && unit == kSpace)
            readLine(nullptr);
    }

private:
    const std::vector<uint8_t>& bytes_;
    size_t position_ = 0;
    bool endMet_ = false;
};

// Texts are held zero-terminated, so a 0 unit in the file ends the text there.
std::u16string UpToZero(const std::u16string& text) {
    return text.substr(0, text.find(u'\0'));
}

void AppendAttributes(cDatabase& db, const std::string& heading) {
    std::string first;
    std::string second;
    if (heading.size() > kNamesStart) {
        const size_t dash = heading.find('-', kNamesStart);
        first = heading.substr(kNamesStart, dash - kNamesStart);
        if (dash != std::string::npos) {
            const size_t comma = heading.find(',', dash + 1);
            second = heading.substr(dash + 1, comma - (dash + 1));
        }
    }
    db.attributes.append(new cAttribute(MediaTypeUnicode, first.c_str()));
    db.attributes.append(new cAttribute(MediaTypeUnicode, second.c_str()));
}

} // namespace

int ImportErganeFile(cDatabase& db, const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes))
        return ErganeResultCannotOpen;
    cUnitReader in(bytes);

    std::u16string firstLine;
    in.readLine(&firstLine);
    for (int skipped = 0; skipped < 3; ++skipped)
        in.readLine(nullptr);
    const std::string heading = WideToAnsi(UpToZero(firstLine));
    db.description.assign(heading.substr(0, kDescriptionWidth).c_str());
    AppendAttributes(db, heading);

    for (;;) {
        std::u16string entry;
        std::u16string meaning;
        in.readLine(&entry);
        in.skipSpaces();
        in.skipThrough(kFullStop);
        in.skipSpaces();
        in.readUntil(kOpeningParenthesis, meaning);
        in.readLine(nullptr);
        in.skipContinuationLines();
        if (in.endMet())
            break;
        auto term = std::make_unique<cTerm>();
        term->changeValues().append(new cUnicodeValue(0, entry.c_str()));
        term->changeValues().append(new cUnicodeValue(1, meaning.c_str()));
        db.terms.append(term.release());
    }
    return ErganeResultOk;
}
