#include "cli/JsonDump.h"

#include "model/Database.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

namespace {

std::string AnsiToUtf8(const cString& text) {
    return Utf16ToUtf8(AnsiToWide(std::string(text.textOrEmpty(), text.length())));
}

std::string ValueText(const cValue& value) {
    if (value.mediaType() == MediaTypeUnicode) {
        const auto& unicode = static_cast<const cUnicodeValue&>(value);
        if (!unicode.text())
            return std::string();
        return Utf16ToUtf8(std::u16string(unicode.text(), unicode.length()));
    }
    return AnsiToUtf8(static_cast<const cAsciiValue&>(value).text);
}

} // namespace

nlohmann::ordered_json DatabaseToJson(const cDatabase& db) {
    using json = nlohmann::ordered_json;
    json result = json::object();
    result["name"] = AnsiToUtf8(db.name);
    result["description"] = AnsiToUtf8(db.description);

    json attributes = json::array();
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes))
        attributes.push_back(
            {{"media", attribute->mediaType}, {"name", AnsiToUtf8(attribute->name)}});
    result["attributes"] = std::move(attributes);

    json categories = json::array();
    for (const cCategory* category : Items<cCategory>(db.categories)) {
        json members = json::array();
        for (const cCategoryMember* member : Items<cCategoryMember>(category->members))
            members.push_back(member->firstTerm);
        categories.push_back({{"group", category->group},
                              {"name", AnsiToUtf8(category->name)},
                              {"members", std::move(members)}});
    }
    result["categories"] = std::move(categories);

    json terms = json::array();
    for (const cTerm* term : Items<cTerm>(db.terms)) {
        json values = json::array();
        for (const cValue* value : Items<cValue>(term->values))
            values.push_back({{"attribute", value->attribute}, {"text", ValueText(*value)}});
        terms.push_back(std::move(values));
    }
    result["terms"] = std::move(terms);
    return result;
}
