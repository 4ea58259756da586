#include "exchange/AnkiValueText.h"

#include "model/Database.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

namespace {

std::string TagOf(const cCategory& category) {
    std::string tag = AnsiTextToUtf8(category.name.textOrEmpty());
    for (char& c : tag)
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\x0b' || c == '\x0c')
            c = '_';
    return tag;
}

std::string ValueTextUtf8(const cValue& value) {
    if (value.mediaType() == MediaTypeAscii) {
        const auto& ascii = static_cast<const cAsciiValue&>(value);
        return AnsiTextToUtf8(cAsciiValue::unescape(ascii.text.textOrEmpty()).c_str());
    }
    if (value.mediaType() == MediaTypeUnicode) {
        const auto& unicode = static_cast<const cUnicodeValue&>(value);
        return unicode.text() ? Utf16ToUtf8(std::u16string(unicode.text(), unicode.length()))
                              : std::string();
    }
    return std::string();
}

} // namespace

std::string AnsiTextToUtf8(const char* ansi) {
    return Utf16ToUtf8(AnsiToWide(std::string(ansi)));
}

std::vector<std::string> TermTextsUtf8(const cTerm& term, uint32_t attributeCount) {
    std::vector<std::string> texts(attributeCount);
    std::vector<bool> taken(attributeCount, false);
    for (const cValue* value : Items<cValue>(term.values())) {
        if (value->attribute >= attributeCount || taken[value->attribute])
            continue;
        taken[value->attribute] = true;
        texts[value->attribute] = ValueTextUtf8(*value);
    }
    return texts;
}

std::vector<std::string> AnkiTagsOfTerms(const cDatabase& db) {
    const uint32_t termCount = db.terms.count();
    std::vector<std::string> tags(termCount);
    // The category a term was last tagged with: an entry listed twice tags it once.
    std::vector<uint32_t> lastCategory(termCount, UINT32_MAX);
    uint32_t index = 0;
    for (const cCategory* category : Items<cCategory>(db.categories)) {
        const std::string tag = TagOf(*category);
        if (!tag.empty()) {
            category->forEachMember(termCount, [&](uint32_t term) {
                if (lastCategory[term] == index)
                    return;
                lastCategory[term] = index;
                if (!tags[term].empty())
                    tags[term] += ' ';
                tags[term] += tag;
            });
        }
        ++index;
    }
    return tags;
}

bool HasAnkiTags(const cDatabase& db) {
    for (const cCategory* category : Items<cCategory>(db.categories))
        if (!TagOf(*category).empty())
            return true;
    return false;
}
