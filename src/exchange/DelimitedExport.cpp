#include "exchange/DelimitedExport.h"

#include "dbfile/SafeSave.h"
#include "exchange/ModelText.h"
#include "exchange/QuotedField.h"
#include "model/Database.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

#include <vector>

namespace {

const char CategoriesHeader[] = "Categories";

void PutCell(std::string& out, const std::string& text) {
    const bool quote =
        text.find_first_of(",\"\r\n") != std::string::npos ||
        (!text.empty() && (text.front() == '#' || text.front() == ' ' || text.back() == ' '));
    if (!quote) {
        out += text;
        return;
    }
    AppendQuotedField(out, text);
}

std::string Utf8OfName(const cString& name) {
    return Utf16ToUtf8(AnsiToWide(std::string(name.textOrEmpty(), name.length())));
}

} // namespace

std::string DelimitedText(const cDatabase& db, bool withCategories) {
    std::string out = "\xEF\xBB\xBF";
    const uint32_t attributes = db.attributes.count();
    for (uint32_t index = 0; index < attributes; ++index) {
        if (index != 0)
            out += ',';
        PutCell(out, Utf8OfName(db.attribute(index)->name));
    }
    if (withCategories) {
        out += attributes != 0 ? "," : "";
        out += CategoriesHeader;
    }
    out += "\r\n";

    const uint32_t terms = db.terms.count();
    std::vector<std::string> categoriesOf(withCategories ? terms : 0);
    if (withCategories) {
        for (const cCategory* category : Items<cCategory>(db.categories)) {
            const std::string name = Utf8OfName(category->name);
            category->forEachMember(terms, [&](uint32_t term) {
                std::string& list = categoriesOf[term];
                if (!list.empty())
                    list += ';';
                list += name;
            });
        }
        for (std::string& list : categoriesOf)
            if (list.find(' ') != std::string::npos && list.find(';') == std::string::npos)
                list += ';';
    }
    std::vector<const cValue*> row(attributes);
    uint32_t position = 0;
    for (const cTerm* term : Items<cTerm>(db.terms)) {
        const size_t rowStart = out.size();
        std::fill(row.begin(), row.end(), nullptr);
        for (const cValue* value : Items<cValue>(term->values()))
            if (value->attribute < attributes && !row[value->attribute])
                row[value->attribute] = value;
        for (uint32_t index = 0; index < attributes; ++index) {
            if (index != 0)
                out += ',';
            if (row[index])
                PutCell(out, Utf16ToUtf8(ValueCharacters(*row[index])));
        }
        if (withCategories) {
            out += attributes != 0 ? "," : "";
            PutCell(out, categoriesOf[position]);
        }
        // An empty line is no row: a term without values is one empty quoted cell.
        if (out.size() == rowStart)
            out += "\"\"";
        out += "\r\n";
        ++position;
    }
    return out;
}

int ExportDelimitedFile(const cDatabase& db, const std::string& path, bool withCategories) {
    const std::string bytes = DelimitedText(db, withCategories);
    return SafeSaveFile(path, bytes.data(), bytes.size()) == SaveWritten ? 0 : 1;
}
