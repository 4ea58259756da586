#include "exchange/ColumnMapping.h"

#include "exchange/DelimitedReader.h"
#include "exchange/ModelText.h"
#include "model/Database.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

#include <algorithm>

namespace {

std::u16string Lower(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return out;
}

bool NamesCategories(std::u16string_view name) {
    const std::u16string lower = Lower(TrimSpaces(name));
    return lower == u"categories" || lower == u"tags" || lower == u"#categories";
}

std::u16string ColumnName(const cDelimitedTable& table, size_t column) {
    if (column < table.names.size() && !table.names[column].empty())
        return table.names[column];
    return Utf8ToUtf16("Attribute " + std::to_string(column + 1));
}

sColumnMapping NewAttribute(const cDelimitedTable& table, size_t column, std::u16string name,
                            int type) {
    sColumnMapping mapping;
    mapping.use = eColumnUse::NewAttribute;
    mapping.mediaType = type != 0 ? static_cast<uint16_t>(type) : ProposeMediaType(table, column);
    mapping.name = std::move(name);
    return mapping;
}

} // namespace

int32_t FindAttributeNamed(const cDatabase& target, const std::u16string& name) {
    const std::string wanted = NameText(name);
    int32_t index = 0;
    for (const cAttribute* attribute : Items<cAttribute>(target.attributes)) {
        if (wanted == attribute->name.textOrEmpty())
            return index;
        ++index;
    }
    return -1;
}

uint16_t ProposeMediaType(const cDelimitedTable& table, size_t column) {
    for (size_t row = 0; row < table.rowCount(); ++row)
        for (char16_t unit : table.cell(row, column)) {
            unsigned char byte;
            if (unit >= 0x80 && !WideCharToAnsi(unit, byte))
                return MediaTypeUnicode;
        }
    return MediaTypeAscii;
}

tColumnMappings ProposeMappings(const cDelimitedTable& table, const cDatabase* target) {
    tColumnMappings mappings;
    const size_t columns = std::min(table.columnCount(), MaxMappedColumns);
    for (size_t column = 0; column < columns; ++column) {
        const std::u16string name = ColumnName(table, column);
        const int32_t existing = target ? FindAttributeNamed(*target, name) : -1;
        sColumnMapping mapping;
        bool ankiOnly = false;
        for (int skipped : table.ankiOnlyColumns)
            ankiOnly = ankiOnly || static_cast<size_t>(skipped) == column;
        if (ankiOnly)
            mapping.use = eColumnUse::Skip;
        else if (static_cast<int>(column) == table.tagsColumn || NamesCategories(name))
            mapping.use = eColumnUse::Categories;
        else if (existing >= 0) {
            mapping.use = eColumnUse::ExistingAttribute;
            mapping.attribute = static_cast<uint32_t>(existing);
        } else
            mapping = NewAttribute(table, column, name, 0);
        mappings.push_back(std::move(mapping));
    }
    return mappings;
}

bool ParseColumnList(const std::string& list, const cDelimitedTable& table, const cDatabase& target,
                     tColumnMappings& mappings, std::string& reason) {
    mappings.clear();
    size_t start = 0;
    for (size_t column = 0;; ++column) {
        const size_t comma = list.find(',', start);
        const std::string entry = list.substr(start, comma - start);
        sColumnMapping mapping;
        if (entry == "-") {
            mapping.use = eColumnUse::Skip;
        } else if (entry == "#categories") {
            mapping.use = eColumnUse::Categories;
        } else {
            const size_t colon = entry.rfind(':');
            const std::string type = colon == std::string::npos ? "" : entry.substr(colon + 1);
            int mediaType = 0;
            if (type == "ascii")
                mediaType = MediaTypeAscii;
            else if (type == "unicode")
                mediaType = MediaTypeUnicode;
            const std::u16string name =
                Utf8ToUtf16(mediaType != 0 ? entry.substr(0, colon) : entry);
            if (TrimSpaces(name).empty()) {
                reason = "column " + std::to_string(column + 1) +
                         " of --columns has no attribute name (\"" + entry + "\")";
                return false;
            }
            const int32_t existing = FindAttributeNamed(target, name);
            if (existing >= 0 &&
                (mediaType == 0 ||
                 target.attribute(static_cast<uint32_t>(existing))->mediaType == mediaType)) {
                mapping.use = eColumnUse::ExistingAttribute;
                mapping.attribute = static_cast<uint32_t>(existing);
            } else {
                mapping = NewAttribute(table, column, name, mediaType);
            }
        }
        mappings.push_back(std::move(mapping));
        if (comma == std::string::npos || mappings.size() == MaxMappedColumns)
            break;
        start = comma + 1;
    }
    return true;
}

namespace {

// The mapped column a pinyin list entry names: a column number, else the name of the
// attribute the column fills. -1 when none.
int32_t PinyinColumn(const std::string& entry, const cDatabase& target,
                     const tColumnMappings& mappings) {
    const std::u16string name = Utf8ToUtf16(entry);
    for (size_t column = 0; column < mappings.size(); ++column) {
        const sColumnMapping& mapping = mappings[column];
        if ((mapping.use == eColumnUse::NewAttribute && mapping.name == name) ||
            (mapping.use == eColumnUse::ExistingAttribute &&
             FindAttributeNamed(target, name) == int32_t(mapping.attribute)))
            return static_cast<int32_t>(column);
    }
    if (!entry.empty() && entry.size() <= 4 &&
        std::all_of(entry.begin(), entry.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const size_t number = std::stoul(entry);
        if (number >= 1 && number <= mappings.size() &&
            (mappings[number - 1].use == eColumnUse::NewAttribute ||
             mappings[number - 1].use == eColumnUse::ExistingAttribute))
            return static_cast<int32_t>(number - 1);
    }
    return -1;
}

} // namespace

bool MarkPinyinColumns(const std::vector<std::string>& columns, ePinyinStyle style,
                       const cDatabase& target, tColumnMappings& mappings, std::string& reason) {
    for (const std::string& entry : columns) {
        const int32_t column = PinyinColumn(entry, target, mappings);
        if (column < 0) {
            reason = "pinyin column \"" + entry + "\": no column imported into an attribute";
            return false;
        }
        sColumnMapping& mapping = mappings[static_cast<size_t>(column)];
        if (mapping.use == eColumnUse::ExistingAttribute &&
            target.attribute(mapping.attribute)->mediaType != MediaTypeUnicode) {
            reason = "pinyin column \"" + entry + "\": an Ascii attribute";
            return false;
        }
        if (mapping.use == eColumnUse::NewAttribute)
            mapping.mediaType = MediaTypeUnicode;
        mapping.pinyin = true;
        mapping.pinyinStyle = style;
    }
    return true;
}
