// Vesk Text and tab-delimited text.
//
// Encoding: see TextEncoding.h. Lines and fields: see TextFields.h.
//
// Vesk Text is a header, then term lines:
//
//   line                               effect
//   Title TAB <name>                   database name (absent text empties it)
//   Description TAB <text>             database description (absent text empties it)
//   Attribute TAB <Ascii|Unicode> TAB <name>
//                                      appends an attribute
//   Category TAB <name> [TAB <other name>]
//                                      appends a category in group 0; term lines may name
//                                      it by either name
//   Terms:                             ends the header
//   <anything else>                    ignored
//   <cat>|<cat>... TAB <value 0> TAB <value 1> ...
//                                      a term line: one new term, a member of each named
//                                      category, with a value for each present field
//
// A keyword matches when the first field is the keyword or a leading part of it, tried in
// the order above, so "T" is Title and "Terms" is "Terms:". The attribute type matches the
// same way, Ascii before Unicode. Header lines that lack a field their keyword needs fail;
// a Category or Attribute line whose name field is there but empty declares an unnamed one
// (the editor makes those, and their columns must not shift); an Attribute line with an
// empty type is ignored.
//
// A tab-delimited line is a term line without the category field. A value in a column that
// has no attribute yet creates attributes up to it, named "Attribute <column>" (1-based),
// Unicode in a Unicode file and Ascii in a code-page file.
//
// Texts for 8-bit targets (names, description, Ascii values) come from UTF-16 and UTF-8
// files as AsciiFromUnicode gives them; a text that lost characters to "?" is counted, and
// the count is shown as a warning once the file is read. Unicode values from a code-page
// file are widened through the code page. 8-bit files are read as in text mode: a CR LF
// pair ends a line, and field cleaning may then drop one more CR.
//
// A NUL anywhere, a 129th attribute or a 65,533rd term fails the import at its line: no
// database could hold what follows, and an import that dropped it would look complete.
// Other model limits are not applied: elements are appended directly.

#include "exchange/TextImport.h"
#include "exchange/VeskTextFormat.h"

#include "dbfile/FileBytes.h"
#include "exchange/TextEncoding.h"
#include "exchange/TextFields.h"
#include "model/Database.h"
#include "model/Limits.h"
#include "text/CodePage.h"
#include "text/Messages.h"
#include "text/StringTable.h"
#include "text/TextIds.h"
#include "text/Utf8.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

enum eHeaderKeyword {
    KeywordNone,
    KeywordTitle,
    KeywordDescription,
    KeywordAttribute,
    KeywordCategory,
    KeywordTerms
};

bool SelectsKeyword(const cFieldView<char>& field, const char* keyword) {
    return field.present() && field.length <= std::strlen(keyword) &&
           std::memcmp(field.text, keyword, field.length) == 0;
}

eHeaderKeyword SelectKeyword(const cFieldView<char>& field) {
    if (SelectsKeyword(field, TitleKeyword))
        return KeywordTitle;
    if (SelectsKeyword(field, DescriptionKeyword))
        return KeywordDescription;
    if (SelectsKeyword(field, AttributeKeyword))
        return KeywordAttribute;
    if (SelectsKeyword(field, CategoryKeyword))
        return KeywordCategory;
    if (SelectsKeyword(field, TermsKeyword))
        return KeywordTerms;
    return KeywordNone;
}

// The message boxes of parse failures carry a formatted text that no string table holds.
void ShowLineError(uint32_t line, const std::string& what) {
    std::string text = "Line " + std::to_string(line) + ": " + what;
    CurrentMessageSink()->showMessage(ResourceString(TextCaptionError), text,
                                      MessageFlagsForCaption(TextCaptionError, MessageOk));
}

// Appends object to list, which then owns it; nullptr (and object destroyed) when either
// allocation failed.
template <class List, class T> T* AppendOwned(List& list, T* object) {
    if (object && !list.append(object)) {
        object->destroy();
        return nullptr;
    }
    return object;
}

// Text for 8-bit targets, and the number of characters that became "?" on the way.
// Code-page text is already what they hold.
cFieldView<char> Narrow(const cFieldView<char>& field, std::string&, size_t& replaced) {
    replaced = 0;
    return field;
}

cFieldView<char> Narrow(const cFieldView<char16_t>& field, std::string& scratch, size_t& replaced) {
    replaced = AsciiFromUnicode(field.text, field.length, scratch);
    return {scratch.data(), scratch.size()};
}

// Text for Unicode values.
cFieldView<char16_t> Widen(const cFieldView<char16_t>& field, std::u16string&) {
    return field;
}

cFieldView<char16_t> Widen(const cFieldView<char>& field, std::u16string& scratch) {
    scratch.resize(field.length);
    for (size_t i = 0; i < field.length; ++i)
        scratch[i] = AnsiCharToWide(static_cast<unsigned char>(field.text[i]));
    return {scratch.data(), scratch.size()};
}

bool AssignText(cString& target, const cFieldView<char>& text) {
    target.assign(text.text, static_cast<uint32_t>(text.length));
    return target.length() == text.length;
}

// The outcome of one line: go on, a parse failure (its message shown), or memory that
// could not be had.
enum class eLineResult { Next, ParseFailure, OutOfMemory };

template <class Char> class cTextImporter {
public:
    cTextImporter(cDatabase& db, eTextEncoding encoding, bool ownFormat)
        : db_(db), encoding_(encoding), ownFormat_(ownFormat), header_(ownFormat) {}

    int run(const Char* begin, const Char* end);

private:
    eLineResult headerLine();
    eLineResult attributeLine();
    eLineResult categoryLine();
    eLineResult termLine();
    eLineResult addToCategories(uint32_t term, const cFieldView<Char>& field);
    eLineResult addValue(cTerm& term, uint32_t attribute, const cFieldView<Char>& field);
    bool appendAttribute(uint16_t mediaType, const cFieldView<char>& name);
    void indexCategories();
    cCategory* findCategory(std::string_view name) const;

    eLineResult fail(const std::string& what) {
        ShowLineError(line_, what);
        return eLineResult::ParseFailure;
    }
    eLineResult fail(int textId) {
        ShowCountedMessage(TextCaptionError, textId, line_);
        return eLineResult::ParseFailure;
    }
    // For matching: what a lost character became does not matter there.
    cFieldView<char> narrow(const cFieldView<Char>& field) {
        size_t replaced;
        return Narrow(field, narrowed_, replaced);
    }
    // For a text that is kept: one that lost characters is counted for the warning.
    cFieldView<char> kept(const cFieldView<Char>& field) {
        size_t replaced;
        cFieldView<char> text = Narrow(field, narrowed_, replaced);
        if (replaced != 0)
            ++textsWithReplacements_;
        return text;
    }
    cFieldView<Char> field(size_t number) const { return fields_[number - 1]; }
    // A field the line may lack, as absent.
    cFieldView<Char> optionalField(size_t number) const {
        return number <= fields_.size() ? field(number) : cFieldView<Char>();
    }

    cDatabase& db_;
    const eTextEncoding encoding_;
    const bool ownFormat_;
    bool header_;
    uint32_t line_ = 1;
    std::vector<cFieldView<Char>> fields_;
    // Media types of the attributes, by index, so term lines need not walk the list.
    std::vector<uint16_t> attributeTypes_;
    // First category of each name; categories come only from header lines, so this is
    // built once when the term lines start. Keys point into the categories' own names.
    std::unordered_map<std::string_view, cCategory*> categoriesByName_;
    // The other names of Category lines; looked up when no category bears the name.
    std::unordered_map<std::string, cCategory*> categoriesByOtherName_;
    uint32_t textsWithReplacements_ = 0;
    std::string narrowed_;
    std::u16string widened_;
};

template <class Char> int cTextImporter<Char>::run(const Char* begin, const Char* end) {
    for (const cAttribute* attribute : Items<cAttribute>(db_.attributes))
        attributeTypes_.push_back(attribute->mediaType);
    if (!header_)
        indexCategories();

    const bool mayHoldNul = HoldsNul(begin, end);
    // Text mode reads a CR LF pair as LF; UTF-16 files leave their CR to field cleaning.
    const bool textMode = encoding_ != eTextEncoding::Utf16;
    while (begin != end) {
        const Char* lineEnd = FindLineEnd(begin, end);
        if (mayHoldNul && HoldsNul(begin, lineEnd)) {
            fail(TextLineHoldsNul);
            return 1;
        }
        const Char* textEnd = lineEnd;
        if (textMode && lineEnd != end && textEnd != begin && textEnd[-1] == Char('\r'))
            --textEnd;
        SplitFields(begin, textEnd, fields_);
        eLineResult result = header_ ? headerLine() : termLine();
        if (result != eLineResult::Next)
            return 1;
        begin = lineEnd == end ? end : lineEnd + 1;
        ++line_;
    }
    if (textsWithReplacements_ != 0)
        ShowCountedMessage(TextCaptionWarning, TextCharactersReplaced, textsWithReplacements_);
    return 0;
}

template <class Char> eLineResult cTextImporter<Char>::headerLine() {
    switch (SelectKeyword(narrow(field(1)))) {
    case KeywordTitle:
        if (fields_.size() < 2)
            return fail("expected 'Title <title>'");
        return AssignText(db_.name, kept(field(2))) ? eLineResult::Next : eLineResult::OutOfMemory;
    case KeywordDescription:
        if (fields_.size() < 2)
            return fail("expected 'Description <description>'");
        return AssignText(db_.description, kept(field(2))) ? eLineResult::Next
                                                           : eLineResult::OutOfMemory;
    case KeywordAttribute:
        return attributeLine();
    case KeywordCategory:
        if (fields_.size() < 2)
            return fail("expected 'Category <name>'");
        return categoryLine();
    case KeywordTerms:
        header_ = false;
        indexCategories();
        return eLineResult::Next;
    case KeywordNone:
        break;
    }
    return eLineResult::Next;
}

template <class Char> eLineResult cTextImporter<Char>::attributeLine() {
    if (fields_.size() < 3)
        return fail("expected 'Attribute <type (Ascii, Unicode)> <name>'");
    cFieldView<char> type = narrow(field(2));
    if (!type.present())
        return eLineResult::Next;
    uint16_t mediaType;
    if (SelectsKeyword(type, AsciiKeyword))
        mediaType = MediaTypeAscii;
    else if (SelectsKeyword(type, UnicodeKeyword))
        mediaType = MediaTypeUnicode;
    else
        return fail("Expected attribute type Ascii or Unicode.");
    if (attributeTypes_.size() >= MaxAttributeCount)
        return fail(TextLineTooManyAttributes);
    if (!appendAttribute(mediaType, kept(field(3))))
        return fail("Failed to create attribute.");
    return eLineResult::Next;
}

template <class Char> eLineResult cTextImporter<Char>::categoryLine() {
    auto* category = new (std::nothrow) cCategory;
    if (!category || !AssignText(category->name, kept(field(2)))) {
        delete category;
        return eLineResult::OutOfMemory;
    }
    if (!AppendOwned(db_.categories, category))
        return eLineResult::OutOfMemory;
    cFieldView<char> otherName = narrow(optionalField(3));
    if (otherName.present())
        categoriesByOtherName_.emplace(std::string(otherName.text, otherName.length), category);
    return eLineResult::Next;
}

template <class Char>
bool cTextImporter<Char>::appendAttribute(uint16_t mediaType, const cFieldView<char>& name) {
    auto* attribute = new (std::nothrow) cAttribute(mediaType);
    if (!attribute || !AssignText(attribute->name, name)) {
        delete attribute;
        return false;
    }
    if (!AppendOwned(db_.attributes, attribute))
        return false;
    attributeTypes_.push_back(mediaType);
    return true;
}

template <class Char> void cTextImporter<Char>::indexCategories() {
    categoriesByName_.clear();
    for (cCategory* category : Items<cCategory>(db_.categories))
        categoriesByName_.emplace(
            std::string_view(category->name.textOrEmpty(), category->name.length()), category);
}

template <class Char> cCategory* cTextImporter<Char>::findCategory(std::string_view name) const {
    auto byName = categoriesByName_.find(name);
    if (byName != categoriesByName_.end())
        return byName->second;
    auto byOtherName = categoriesByOtherName_.find(std::string(name));
    return byOtherName != categoriesByOtherName_.end() ? byOtherName->second : nullptr;
}

template <class Char> eLineResult cTextImporter<Char>::termLine() {
    uint32_t termIndex = db_.terms.count();
    if (termIndex >= MaxTermCount)
        return fail(TextLineTooManyTerms);
    cTerm* term = AppendOwned(db_.terms, new (std::nothrow) cTerm);
    if (!term)
        return eLineResult::OutOfMemory;

    size_t firstValueField = 1;
    if (ownFormat_) {
        firstValueField = 2;
        if (field(1).present()) {
            eLineResult result = addToCategories(termIndex, field(1));
            if (result != eLineResult::Next)
                return result;
        }
    }

    for (size_t number = firstValueField; number <= fields_.size(); ++number) {
        if (!field(number).present())
            continue;
        uint32_t attribute = static_cast<uint32_t>(number - firstValueField);
        if (!ownFormat_) {
            uint16_t mediaType =
                encoding_ == eTextEncoding::CodePage ? MediaTypeAscii : MediaTypeUnicode;
            if (attribute >= MaxAttributeCount)
                return fail(TextLineTooManyAttributes);
            if (attributeTypes_.size() <= attribute) {
                std::string name = "Attribute " + std::to_string(number);
                while (attributeTypes_.size() <= attribute)
                    if (!appendAttribute(mediaType, {name.data(), name.size()}))
                        return eLineResult::OutOfMemory;
            }
        }
        if (attribute >= attributeTypes_.size())
            return fail("too much attribute data");
        eLineResult result = addValue(*term, attribute, field(number));
        if (result != eLineResult::Next)
            return result;
    }
    return eLineResult::Next;
}

template <class Char>
eLineResult cTextImporter<Char>::addToCategories(uint32_t term, const cFieldView<Char>& field) {
    cFieldView<char> list = narrow(field);
    const char* end = list.text + list.length;
    for (const char* name = list.text;;) {
        const void* found = std::memchr(name, CategorySeparator, static_cast<size_t>(end - name));
        const char* nameEnd = found ? static_cast<const char*>(found) : end;
        // "a|" lists only a: an empty name after a final separator ends the list.
        if (name == end && name != list.text)
            break;
        cCategory* category =
            findCategory(std::string_view(name, static_cast<size_t>(nameEnd - name)));
        if (!category)
            return fail("unknown category (" + std::string(name, nameEnd) + ")");
        // "a|a" must not list the term twice; terms only grow, so a repeat is the last entry.
        const cCategoryMember* last = category->members.last();
        if (!last || last->firstTerm != term)
            category->addMember(term);
        if (nameEnd == end)
            break;
        name = nameEnd + 1;
    }
    return eLineResult::Next;
}

template <class Char>
eLineResult cTextImporter<Char>::addValue(cTerm& term, uint32_t attribute,
                                          const cFieldView<Char>& field) {
    const uint16_t index = static_cast<uint16_t>(attribute);
    if (attributeTypes_[attribute] == MediaTypeUnicode) {
        cFieldView<char16_t> units = Widen(field, widened_);
        auto* value = new (std::nothrow) cUnicodeValue;
        if (value) {
            value->attribute = index;
            // A present field is never empty, so an empty value means its buffer failed.
            value->setText(units.text, static_cast<uint32_t>(units.length));
            if (value->isEmpty()) {
                value->destroy();
                value = nullptr;
            }
        }
        if (!AppendOwned(term.changeValues(), value))
            return fail("failed to create attribute (" + std::to_string(attribute) + ")");
        return eLineResult::Next;
    }

    cFieldView<char> text = kept(field);
    auto* value = new (std::nothrow) cAsciiValue;
    if (value) {
        value->attribute = index;
        if (!AssignText(value->text, text)) {
            value->destroy();
            value = nullptr;
        }
    }
    if (!AppendOwned(term.changeValues(), value))
        return fail("failed to create attribute (" + std::string(text.text, text.length) + ")");
    return eLineResult::Next;
}

int ImportUnits(cDatabase& db, const std::u16string& units, eTextEncoding encoding,
                bool ownFormat) {
    cTextImporter<char16_t> importer(db, encoding, ownFormat);
    return importer.run(units.data(), units.data() + units.size());
}

} // namespace

int ImportTextFile(cDatabase& db, const std::string& path, bool ownFormat) {
    try {
        std::vector<uint8_t> bytes;
        if (!ReadFileBytes(path, bytes))
            return 1;
        cTextEncoding encoding = DetectTextEncoding(bytes.data(), bytes.size());
        const uint8_t* text = bytes.data() + encoding.markLength;
        const size_t size = bytes.size() - encoding.markLength;
        switch (encoding.encoding) {
        case eTextEncoding::Utf16:
            return ImportUnits(db, DecodeUtf16(text, size, encoding.bigEndian), encoding.encoding,
                               ownFormat);
        case eTextEncoding::Utf8:
            return ImportUnits(db,
                               Utf8ToUtf16(std::string(reinterpret_cast<const char*>(text), size)),
                               encoding.encoding, ownFormat);
        case eTextEncoding::CodePage:
            break;
        }
        cTextImporter<char> importer(db, encoding.encoding, ownFormat);
        const char* begin = reinterpret_cast<const char*>(text);
        return importer.run(begin, begin + size);
    } catch (...) {
        // A file, line or field too large to hold: the file was not read whole, which is a
        // failure, not an early end.
        return 1;
    }
}
