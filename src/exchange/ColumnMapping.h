#pragma once
// Where each column of a delimited table goes: a new attribute, an existing attribute of the
// database imported into, the categories of the row's term, or nowhere. The preview dialog
// and the vesk tool's --columns both end in one of these per column.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/PinyinStyle.h"

class cDatabase;
class cDelimitedTable;

enum class eColumnUse { Skip, NewAttribute, ExistingAttribute, Categories };

// Options of a column's own (a conversion of its text, say) belong here too; a cell becomes a
// value in one place, cRowImporter::fill (DelimitedImport.cpp).
struct sColumnMapping {
    eColumnUse use = eColumnUse::Skip;
    // A new attribute's media type and name.
    uint16_t mediaType = 1;
    std::u16string name;
    // An existing attribute's position.
    uint32_t attribute = 0;
    // Tone numbers in the column's cells become tone marks of this style; a new attribute
    // of such a column is Unicode, since the marks need it.
    bool pinyin = false;
    ePinyinStyle pinyinStyle = ePinyinStyle::Standard;
};

using tColumnMappings = std::vector<sColumnMapping>;

// Columns past this many are never mapped (a database holds 128 attributes), so that a row of
// a million separators costs no million mappings, nor the preview a million table columns.
constexpr size_t MaxMappedColumns = 1024;

// Unicode when a cell of the column holds a character Windows-1252 lacks, else Ascii.
uint16_t ProposeMediaType(const cDelimitedTable& table, size_t column);
// What the preview starts with: Anki's note type, deck and GUID columns skipped, its tags
// column and a column named "Categories", "Tags" or "#categories" as categories; a column
// named as an attribute of target (when there is one) into that attribute; every other
// column a new attribute named by the header ("Attribute <n>" without one).
tColumnMappings ProposeMappings(const cDelimitedTable& table, const cDatabase* target);

// The --columns list: one entry per column, separated by commas; "-" skips the column,
// "#categories" makes it categories, "NAME:ascii" or "NAME:unicode" a new attribute (or that
// attribute of target when it has one of that name and type), and "NAME" alone target's
// attribute of that name or else a new one of the proposed type. Columns past the list are
// skipped. False with the reason for a malformed entry.
bool ParseColumnList(const std::string& list, const cDelimitedTable& table, const cDatabase& target,
                     tColumnMappings& mappings, std::string& reason);

// Marks the columns the pinyin list names (attribute names as the mappings give them, or
// 1-based column numbers) for tone numbers to tone marks in style. False with the reason for
// a column that names no mapped column or an Ascii attribute of target.
bool MarkPinyinColumns(const std::vector<std::string>& columns, ePinyinStyle style,
                       const cDatabase& target, tColumnMappings& mappings, std::string& reason);

// The position of target's attribute with that name (any media type), or -1.
int32_t FindAttributeNamed(const cDatabase& target, const std::u16string& name);
