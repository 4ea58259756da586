#pragma once
// A database as lines of text, for the Anki tests to compare whole: the name, the
// description, the attributes (media type and name), each term's values by attribute name
// and each category's members. Texts are UTF-8 with line breaks as "\n"; Ascii texts are
// unescaped first, so an Ascii and a Unicode value of the same text read alike.

#include <string>

#include "model/Database.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

inline std::string DescribeText(const std::string& utf8) {
    std::string out;
    for (char c : utf8)
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

inline std::string DescribeAnsi(const char* ansi) {
    return DescribeText(Utf16ToUtf8(AnsiToWide(std::string(ansi ? ansi : ""))));
}

inline std::string DescribeDatabase(const cDatabase& db, bool withMediaTypes = true) {
    std::string out = "name: " + DescribeAnsi(db.name.text()) + "\n";
    out += "description: " + DescribeAnsi(db.description.text()) + "\n";
    out += "attributes:";
    bool first = true;
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes)) {
        out += first ? " " : ", ";
        first = false;
        if (withMediaTypes)
            out += attribute->mediaType == MediaTypeUnicode ? "U " : "A ";
        out += DescribeAnsi(attribute->name.text());
    }
    out += "\n";
    uint32_t index = 0;
    for (const cTerm* term : Items<cTerm>(db.terms)) {
        out += "term " + std::to_string(index++) + ":";
        first = true;
        for (uint32_t a = 0; a < db.attributes.count(); ++a) {
            const cValue* value = term->findValue(static_cast<uint16_t>(a));
            if (!value || value->isEmpty())
                continue;
            std::string text;
            if (value->mediaType() == MediaTypeAscii)
                text = DescribeAnsi(
                    cAsciiValue::unescape(static_cast<const cAsciiValue*>(value)->text.text())
                        .c_str());
            else
                text = DescribeText(Utf16ToUtf8(static_cast<const cUnicodeValue*>(value)->text()));
            out += std::string(first ? " " : " | ") + DescribeAnsi(db.attribute(a)->name.text()) +
                   "=" + text;
            first = false;
        }
        out += "\n";
    }
    for (const cCategory* category : Items<cCategory>(db.categories)) {
        out += "category " + DescribeAnsi(category->name.text()) + ":";
        category->forEachMember(db.terms.count(),
                                [&](uint32_t term) { out += " " + std::to_string(term); });
        out += "\n";
    }
    return out;
}
