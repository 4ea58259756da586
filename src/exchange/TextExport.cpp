// Vesk Text and tab-delimited text, as written.
//
// The encoding follows the content, not the command: a database with any Unicode attribute
// is written as UTF-16, every other one as code-page bytes, unless those bytes would be
// taken for another encoding when read (a mark at the start, valid multi-byte UTF-8), in
// which case it is written as UTF-16 as well.
//
//   form        starts with   unit                       line end   8-bit texts
//   UTF-16      FF FE         16 bits, low byte first    LF         the characters the
//                                                                   code page's bytes mean
//   code page   nothing       byte                       CR LF      as held
//
// Vesk Text (ownFormat):
//
//   Title TAB <name>
//   Description TAB <description>
//   Attribute TAB <Ascii|Unicode> TAB <name>           one per attribute, in list order
//   Category TAB <name> [TAB <other name>]             one per category, any group
//   Terms:
//   <cat>|<cat>... TAB <value 0> TAB ... <value n-1>   one per term
//
// The category field names the categories that hold the term, in category-list order; a
// category whose name an earlier one already bears is named by its other name there.
// Tab-delimited text is the term lines alone without the category field. Every term line
// has one field per attribute, in attribute order, empty where the term has no value, so a
// column always means the same attribute. Texts are written as held in memory: an Ascii
// line break stays backslash and n, and never breaks the line.
//
// Every field is written so that reading it gives the text back (see TextFields.h): a text
// that starts with a double quote gets one more in front, one that ends with a double quote
// or a CR one more behind. What no field can hold is replaced and counted for a warning: a
// TAB or LF becomes a space, and a '|' in a category name becomes '/'. Trailing spaces are
// the one loss left, as reading drops them.

#include "exchange/TextExport.h"
#include "exchange/VeskTextFormat.h"

#include "dbfile/SafeSave.h"
#include "exchange/CategoryReferences.h"
#include "exchange/TextEncoding.h"
#include "exchange/TextFieldText.h"
#include "model/Database.h"
#include "text/CodePage.h"
#include "text/Messages.h"
#include "text/TextIds.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const uint8_t Utf16LeMark[] = {0xFF, 0xFE};

// Builds the file in memory in one of the two encodings.
class cTextOutput {
public:
    explicit cTextOutput(bool wide) : wide_(wide) {
        if (wide_)
            bytes_.append(reinterpret_cast<const char*>(Utf16LeMark), sizeof Utf16LeMark);
    }

    void put(const char* text, size_t length) {
        if (!wide_) {
            bytes_.append(text, length);
            return;
        }
        for (size_t i = 0; i < length; ++i) {
            char16_t unit = AnsiCharToWide(static_cast<unsigned char>(text[i]));
            bytes_.push_back(static_cast<char>(unit & 0xFF));
            bytes_.push_back(static_cast<char>(unit >> 8));
        }
    }
    void put(const char* text) { put(text, std::strlen(text)); }
    void put(const cString& text) { put(text.textOrEmpty(), text.length()); }
    void put(char character) { put(&character, 1); }

    void put(const char16_t* units, size_t length) {
        if (!wide_) {
            put(WideToAnsi(std::u16string(units, length)));
            return;
        }
        for (size_t i = 0; i < length; ++i) {
            bytes_.push_back(static_cast<char>(units[i] & 0xFF));
            bytes_.push_back(static_cast<char>(units[i] >> 8));
        }
    }
    void put(const std::string& text) { put(text.data(), text.size()); }
    void put(const std::u16string& units) { put(units.data(), units.size()); }

    // A text as a field that reads back as it is (see the top of this file).
    template <class Text> void putField(const Text& text) {
        if (StartsWithQuote(text))
            put('"');
        put(text);
        if (NeedsClosingQuote(text))
            put('"');
    }
    void putField(const cString& text) { putField(std::string(text.textOrEmpty(), text.length())); }

    // A text of the database as a field, with what fields cannot hold replaced.
    template <class Text> void putDatabaseText(Text text) {
        if (ReplaceUnholdable(text, false))
            ++replacedTexts_;
        putField(text);
    }
    void putDatabaseText(const cString& text) {
        putDatabaseText(std::string(text.textOrEmpty(), text.length()));
    }

    void countReplaced(uint32_t texts) { replacedTexts_ += texts; }
    uint32_t replacedTexts() const { return replacedTexts_; }
    bool wide() const { return wide_; }

    void endLine() {
        if (wide_)
            bytes_.append("\n\0", 2);
        else
            bytes_.append("\r\n", 2);
    }

    const std::string& bytes() const { return bytes_; }

private:
    bool wide_;
    std::string bytes_;
    uint32_t replacedTexts_ = 0;
};

bool HasUnicodeAttribute(const cDatabase& db) {
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes))
        if (attribute->mediaType == MediaTypeUnicode)
            return true;
    return false;
}

void WriteHeader(const cDatabase& db, const cCategoryReferences& references, cTextOutput& out) {
    out.put(TitleKeyword);
    out.put(FieldSeparator);
    out.putDatabaseText(db.name);
    out.endLine();
    out.put(DescriptionKeyword);
    out.put(FieldSeparator);
    out.putDatabaseText(db.description);
    out.endLine();
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes)) {
        out.put(AttributeKeyword);
        out.put(FieldSeparator);
        out.put(attribute->mediaType == MediaTypeUnicode ? UnicodeKeyword : AsciiKeyword);
        out.put(FieldSeparator);
        out.putDatabaseText(attribute->name);
        out.endLine();
    }
    for (uint32_t c = 0; c < references.count(); ++c) {
        out.put(CategoryKeyword);
        out.put(FieldSeparator);
        out.putField(references.name(c));
        if (references.hasOtherName(c)) {
            out.put(FieldSeparator);
            out.putField(references.reference(c));
        }
        out.endLine();
    }
    out.put(TermsKeyword);
    out.endLine();
}

// For every term, the categories that hold it, in category-list order, each once: one pass
// over the members instead of a search of every category for every term.
class cMemberships {
public:
    explicit cMemberships(const cDatabase& db) : termCount_(db.terms.count()) {
        std::vector<uint32_t> counts(size_t(termCount_) + 1, 0);
        forEachMembership(db, [&](uint32_t term, uint32_t) { ++counts[term + 1]; });
        for (size_t t = 1; t < counts.size(); ++t)
            counts[t] += counts[t - 1];
        start_ = counts;
        end_ = std::vector<uint32_t>(counts.begin(), counts.end() - 1);
        categories_.resize(counts.back());
        forEachMembership(db, [&](uint32_t term, uint32_t category) {
            uint32_t& end = end_[term];
            // Categories arrive in list order, so an entry listed twice is a repeat of the
            // one just written.
            if (end == start_[term] || categories_[end - 1] != category)
                categories_[end++] = category;
        });
    }

    template <class Visit> void forEachCategoryOf(uint32_t term, Visit visit) const {
        for (uint32_t i = start_[term]; i < end_[term]; ++i)
            visit(categories_[i]);
    }

private:
    template <class Visit> void forEachMembership(const cDatabase& db, Visit visit) {
        uint32_t index = 0;
        for (const cCategory* category : Items<cCategory>(db.categories)) {
            for (const cCategoryMember* member : Items<cCategoryMember>(category->members)) {
                uint64_t last = uint64_t(member->firstTerm) + member->runLength;
                for (uint64_t term = member->firstTerm; term < last && term < termCount_; ++term)
                    visit(static_cast<uint32_t>(term), index);
            }
            ++index;
        }
    }

    uint32_t termCount_;
    std::vector<uint32_t> start_;
    std::vector<uint32_t> end_;
    // Positions in the category list.
    std::vector<uint32_t> categories_;
};

void WriteValue(const cValue& value, cTextOutput& out) {
    if (value.mediaType() == MediaTypeAscii) {
        out.putDatabaseText(static_cast<const cAsciiValue&>(value).text);
    } else if (value.mediaType() == MediaTypeUnicode) {
        const auto& unicode = static_cast<const cUnicodeValue&>(value);
        std::u16string units;
        if (unicode.text())
            units.assign(unicode.text(), unicode.length());
        if (out.wide())
            out.putDatabaseText(units);
        else
            out.putDatabaseText(WideToAnsi(units));
    }
}

// The names of the categories that hold a term, separated by '|'. An empty last name needs
// one more '|', as a lone final one only ends the list.
void WriteCategoryField(const cMemberships& memberships, uint32_t term,
                        const cCategoryReferences& references, cTextOutput& out) {
    std::string field;
    bool first = true;
    bool lastEmpty = false;
    memberships.forEachCategoryOf(term, [&](uint32_t category) {
        if (!first)
            field.push_back(CategorySeparator);
        first = false;
        const std::string& reference = references.reference(category);
        field += reference;
        lastEmpty = reference.empty();
    });
    if (lastEmpty)
        field.push_back(CategorySeparator);
    out.putField(field);
}

void WriteTerms(const cDatabase& db, bool ownFormat, const cCategoryReferences& references,
                cTextOutput& out) {
    const uint32_t attributeCount = db.attributes.count();
    cMemberships memberships(db);
    std::vector<const cValue*> valueOf(attributeCount);
    uint32_t termIndex = 0;
    for (const cTerm* term : Items<cTerm>(db.terms)) {
        if (ownFormat) {
            WriteCategoryField(memberships, termIndex, references, out);
            out.put(FieldSeparator);
        }
        // A term's first value of an attribute is the one that counts.
        std::fill(valueOf.begin(), valueOf.end(), nullptr);
        for (const cValue* value : Items<cValue>(term->values()))
            if (value->attribute < attributeCount && !valueOf[value->attribute])
                valueOf[value->attribute] = value;
        for (uint32_t a = 0; a < attributeCount; ++a) {
            if (a != 0)
                out.put(FieldSeparator);
            if (valueOf[a])
                WriteValue(*valueOf[a], out);
        }
        out.endLine();
        ++termIndex;
    }
}

// The whole file in one encoding.
cTextOutput Write(const cDatabase& db, bool ownFormat, bool wide) {
    cTextOutput out(wide);
    if (ownFormat) {
        cCategoryReferences references(db);
        out.countReplaced(references.replacedNames());
        WriteHeader(db, references, out);
        WriteTerms(db, ownFormat, references, out);
    } else {
        WriteTerms(db, ownFormat, cCategoryReferences(), out);
    }
    return out;
}

} // namespace

int ExportTextFile(const cDatabase& db, const std::string& path, bool ownFormat) {
    try {
        cTextOutput out = Write(db, ownFormat, HasUnicodeAttribute(db));
        if (!out.wide()) {
            const auto* bytes = reinterpret_cast<const uint8_t*>(out.bytes().data());
            if (DetectTextEncoding(bytes, out.bytes().size()).encoding != eTextEncoding::CodePage)
                out = Write(db, ownFormat, true);
        }
        if (SafeSaveFile(path, out.bytes().data(), out.bytes().size()) != 0)
            return 1;
        if (out.replacedTexts() != 0)
            ShowCountedMessage(TextCaptionWarning, TextTextsReplaced, out.replacedTexts());
        return 0;
    } catch (...) {
        // The text did not fit in memory; nothing was written.
        return 1;
    }
}
