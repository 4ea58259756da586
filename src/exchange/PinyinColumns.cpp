#include "exchange/PinyinColumns.h"

#include "dbfile/FileFailure.h"
#include "model/Database.h"
#include "text/CodePage.h"
#include "text/PinyinToNumbers.h"
#include "text/TextIds.h"
#include "text/Utf8.h"

#include <algorithm>
#include <new>

namespace {

// The 1-based number the column spells, or 0 when it is not a number of at most 3 digits
// (no database has more than 128 attributes).
uint32_t ColumnNumber(const std::string& column) {
    if (column.empty() || column.size() > 3 ||
        !std::all_of(column.begin(), column.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return static_cast<uint32_t>(std::stoul(column));
}

// The attribute the column names: by name first, then by number; -1 when none.
int64_t FindColumn(const cDatabase& db, const std::vector<std::string>& names,
                   const std::string& column) {
    auto named = std::find(names.begin(), names.end(), column);
    if (named != names.end())
        return named - names.begin();
    const uint32_t number = ColumnNumber(column);
    return number >= 1 && number <= db.attributes.count() ? int64_t(number) - 1 : -1;
}

} // namespace

bool ParsePinyinColumnList(const std::string& list, std::vector<std::string>& columns) {
    columns.clear();
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        const size_t end = comma == std::string::npos ? list.size() : comma;
        if (end == start)
            return false;
        columns.push_back(list.substr(start, end - start));
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

bool ResolvePinyinColumns(const cDatabase& db, const std::vector<std::string>& columns,
                          std::vector<uint32_t>& attributes, std::string& reason) {
    attributes.clear();
    std::vector<std::string> names;
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes))
        names.push_back(Utf16ToUtf8(
            AnsiToWide(std::string(attribute->name.textOrEmpty(), attribute->name.length()))));
    for (const std::string& column : columns) {
        const int64_t found = FindColumn(db, names, column);
        if (found < 0) {
            reason = "pinyin column \"" + column + "\": no such attribute";
            return false;
        }
        const uint32_t index = static_cast<uint32_t>(found);
        if (db.attribute(index)->mediaType != MediaTypeUnicode) {
            reason = "pinyin column \"" + column + "\": an Ascii attribute, not Unicode";
            return false;
        }
        if (std::find(attributes.begin(), attributes.end(), index) == attributes.end())
            attributes.push_back(index);
    }
    return true;
}

uint32_t ConvertPinyinValues(cDatabase& db, const std::vector<uint32_t>& attributes,
                             ePinyinDirection direction, ePinyinStyle style) {
    std::vector<bool> chosen(db.attributes.count(), false);
    for (uint32_t attribute : attributes)
        if (attribute < chosen.size() && db.attribute(attribute)->mediaType == MediaTypeUnicode)
            chosen[attribute] = true;
    uint32_t changed = 0;
    for (cTerm* term : Items<cTerm>(db.terms))
        for (uint32_t position = 0; position < term->values().count(); ++position) {
            const cValue* value = term->valueAt(position);
            if (value->attribute >= chosen.size() || !chosen[value->attribute] ||
                value->mediaType() != MediaTypeUnicode)
                continue;
            const auto* original = static_cast<const cUnicodeValue*>(value);
            if (!original->text())
                continue;
            const std::u16string text(original->text(), original->length());
            const std::u16string converted = direction == ePinyinDirection::ToMarks
                                                 ? ConvertPinyin(text, style)
                                                 : PinyinMarksToNumbers(text);
            if (converted == text)
                continue;
            auto* unicode = static_cast<cUnicodeValue*>(term->changeValues().at(position));
            unicode->setText(converted.data(), static_cast<uint32_t>(converted.size()));
            if (unicode->length() != converted.size())
                throw std::bad_alloc();
            ++changed;
        }
    return changed;
}

int ApplyPinyinColumns(cDatabase& db, const sPinyinColumns& option, ePinyinDirection direction,
                       const std::string& path) {
    if (option.columns.empty())
        return 0;
    std::vector<uint32_t> attributes;
    std::string reason;
    if (!ResolvePinyinColumns(db, option.columns, attributes, reason)) {
        RecordFileFailure(path, reason);
        return TextPinyinColumnsFailed;
    }
    ConvertPinyinValues(db, attributes, direction, option.style);
    return 0;
}
