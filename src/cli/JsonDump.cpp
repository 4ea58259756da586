#include "cli/JsonDump.h"

#include "cli/JsonStream.h"
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

void WriteDatabaseJson(const cDatabase& db, std::ostream& out) {
    cJsonStream json(out);
    json.beginObject();
    json.member("name", AnsiToUtf8(db.name));
    json.member("description", AnsiToUtf8(db.description));

    json.key("attributes");
    json.beginArray();
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes)) {
        json.beginObject();
        json.member("media", attribute->mediaType);
        json.member("name", AnsiToUtf8(attribute->name));
        json.endObject();
    }
    json.endArray();

    json.key("categories");
    json.beginArray();
    for (const cCategory* category : Items<cCategory>(db.categories)) {
        json.beginObject();
        json.member("group", category->group);
        json.member("name", AnsiToUtf8(category->name));
        json.key("members");
        json.beginArray();
        for (const cCategoryMember* member : Items<cCategoryMember>(category->members))
            json.value(member->firstTerm);
        json.endArray();
        json.endObject();
    }
    json.endArray();

    json.key("terms");
    json.beginArray();
    for (const cTerm* term : Items<cTerm>(db.terms)) {
        json.beginArray();
        for (const cValue* value : Items<cValue>(term->values)) {
            json.beginObject();
            json.member("attribute", value->attribute);
            json.member("text", ValueText(*value));
            json.endObject();
        }
        json.endArray();
    }
    json.endArray();
    json.endObject();
    json.finish();
}
