#include "exchange/AnkiTextExport.h"

#include <vector>

#include "dbfile/SafeSave.h"
#include "exchange/AnkiValueText.h"
#include "exchange/QuotedField.h"
#include "model/Database.h"

namespace {

constexpr const char* kTagsColumnName = "Tags";

void PutField(const std::string& text, std::string& out) {
    if (text.find_first_of("\t\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    AppendQuotedField(out, text);
}

void PutRow(const std::vector<std::string>& fields, std::string& out) {
    for (size_t f = 0; f < fields.size(); ++f) {
        if (f != 0)
            out += '\t';
        PutField(fields[f], out);
    }
    out += '\n';
}

} // namespace

int ExportAnkiText(const cDatabase& db, const std::string& path) {
    try {
        const uint32_t attributeCount = db.attributes.count();
        const bool withTags = HasAnkiTags(db);
        std::string out = "#separator:tab\n#html:false\n#columns:";
        std::vector<std::string> names;
        for (const cAttribute* attribute : Items<cAttribute>(db.attributes))
            names.push_back(AnsiTextToUtf8(attribute->name.textOrEmpty()));
        if (withTags)
            names.push_back(kTagsColumnName);
        PutRow(names, out);
        if (withTags)
            out += "#tags column:" + std::to_string(names.size()) + "\n";

        const std::vector<std::string> tags =
            withTags ? AnkiTagsOfTerms(db) : std::vector<std::string>();
        size_t index = 0;
        for (const cTerm* term : Items<cTerm>(db.terms)) {
            std::vector<std::string> fields = TermTextsUtf8(*term, attributeCount);
            if (withTags)
                fields.push_back(tags[index]);
            PutRow(fields, out);
            ++index;
        }
        return SafeSaveFile(path, out.data(), out.size()) == 0 ? 0 : 1;
    } catch (const std::bad_alloc&) {
        // The text did not fit in memory; nothing was written.
        return 1;
    }
}
