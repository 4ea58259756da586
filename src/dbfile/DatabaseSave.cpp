// cDatabase::save: the whole database is laid out in memory, sizes first so that the record
// list can be written before the records, and then written to disk in one safe save.

#include <algorithm>
#include <limits>
#include <vector>

#include "dbfile/DatabaseFormat.h"
#include "dbfile/DiagnosticLog.h"
#include "dbfile/PdbFormat.h"
#include "dbfile/SafeSave.h"
#include "dbfile/UnicodeBlocks.h"
#include "model/Database.h"
#include "model/Limits.h"

namespace {

struct sRun {
    uint32_t firstTerm;
    uint16_t length;
};

// The indices of the Unicode blocks that the Unicode values use, in order of first use.
std::vector<uint8_t> UsedBlocks(const cList& terms) {
    std::vector<uint8_t> used;
    bool seen[256] = {};
    for (const cListNode* t = terms.first(); t && t != terms.tail(); t = t->next) {
        const cList& values = static_cast<const cTerm*>(t->payload)->values;
        for (const cListNode* v = values.first(); v && v != values.tail(); v = v->next) {
            const auto* value = static_cast<const cValue*>(v->payload);
            if (value->mediaType() != MediaTypeUnicode)
                continue;
            const auto* unicode = static_cast<const cUnicodeValue*>(value);
            const char16_t* units = unicode->text();
            for (uint32_t i = 0; i < unicode->length(); ++i) {
                uint8_t block = UnicodeBlockOf(units[i]);
                if (!seen[block]) {
                    seen[block] = true;
                    used.push_back(block);
                }
            }
        }
    }
    return used;
}

// Members packed into runs of consecutive terms, ascending. An index at or past the term
// count that does not extend the run before it is dropped.
std::vector<sRun> RunsOf(const cCategory& category, uint32_t termCount) {
    std::vector<uint32_t> indices;
    indices.reserve(category.members.count());
    for (const cListNode* m = category.members.first(); m && m != category.members.tail();
         m = m->next)
        indices.push_back(static_cast<const cCategoryMember*>(m->payload)->firstTerm);
    // Members are nearly always added in term order; sorting only what needs it keeps the
    // save of every keystroke's backup cheap.
    if (!std::is_sorted(indices.begin(), indices.end()))
        std::sort(indices.begin(), indices.end());

    std::vector<sRun> runs;
    for (size_t i = 0; i < indices.size(); ++i) {
        uint32_t x = indices[i];
        if (i == 0)
            runs.push_back({x, 1});
        else if (uint64_t(x) == uint64_t(runs.back().firstTerm) + runs.back().length)
            ++runs.back().length;
        else if (x < termCount)
            runs.push_back({x, 1});
    }
    return runs;
}

uint32_t TermSize(const cTerm& term) {
    uint32_t size = 0;
    for (const cListNode* v = term.values.first(); v && v != term.values.tail(); v = v->next)
        size += static_cast<const cValue*>(v->payload)->storedSize();
    return size;
}

// Lays out the file; false when it would not fit the 32-bit offsets of the record list.
bool LayOut(cDatabase& db, cByteWriter& out) {
    const uint32_t termCount = db.terms.count();
    const uint16_t recordCount = static_cast<uint16_t>(termCount + kFirstTermRecord);
    const std::vector<uint8_t> blocks = UsedBlocks(db.terms);

    std::vector<std::vector<sRun>> runs;
    runs.reserve(db.categories.count());
    uint64_t categorySize = 4;
    for (cListNode* c = db.categories.first(); c && c != db.categories.tail(); c = c->next) {
        const auto& category = *static_cast<const cCategory*>(c->payload);
        runs.push_back(RunsOf(category, termCount));
        categorySize += category.name.length() + 7 + 6 * uint64_t(runs.back().size());
    }
    uint64_t attributeSize = 4;
    for (cListNode* a = db.attributes.first(); a && a != db.attributes.tail(); a = a->next)
        attributeSize += static_cast<const cAttribute*>(a->payload)->name.length() + 3;

    std::vector<uint32_t> termSizes;
    termSizes.reserve(termCount);
    uint64_t termsSize = 0;
    for (cListNode* t = db.terms.first(); t && t != db.terms.tail(); t = t->next) {
        termSizes.push_back(TermSize(*static_cast<const cTerm*>(t->payload)));
        termsSize += termSizes.back();
    }

    const uint64_t descriptionSize = db.description.length() + 1 + 1 + blocks.size();
    const uint64_t dataStart = kPdbHeaderSize + kPdbRecordEntrySize * uint64_t(recordCount);
    const uint64_t total = dataStart + descriptionSize + categorySize + attributeSize + termsSize;
    if (total > std::numeric_limits<uint32_t>::max())
        return false;
    out.reserve(static_cast<size_t>(total));

    WritePdbHeader(out, db.name.text(), kDatabaseType, kDatabaseCreator, kDatabaseVersion,
                   recordCount);
    uint32_t offset = static_cast<uint32_t>(dataStart);
    WriteRecordEntry(out, offset);
    offset += static_cast<uint32_t>(descriptionSize);
    WriteRecordEntry(out, offset);
    offset += static_cast<uint32_t>(categorySize);
    WriteRecordEntry(out, offset);
    offset += static_cast<uint32_t>(attributeSize);
    for (uint32_t size : termSizes) {
        WriteRecordEntry(out, offset);
        offset += size;
    }

    WriteCString(out, db.description.text());
    out.writeU8(static_cast<uint8_t>(blocks.size()));
    out.writeBytes(blocks.data(), blocks.size());

    WriteU32BE(out, db.categories.count());
    size_t index = 0;
    for (cListNode* c = db.categories.first(); c && c != db.categories.tail(); c = c->next) {
        const auto& category = *static_cast<const cCategory*>(c->payload);
        WriteU16BE(out, category.group);
        WriteCString(out, category.name.text());
        WriteU32BE(out, static_cast<uint32_t>(runs[index].size()));
        for (const sRun& run : runs[index]) {
            WriteU32BE(out, run.firstTerm);
            WriteU16BE(out, run.length);
        }
        ++index;
    }

    WriteU32BE(out, db.attributes.count());
    for (cListNode* a = db.attributes.first(); a && a != db.attributes.tail(); a = a->next) {
        const auto& attribute = *static_cast<const cAttribute*>(a->payload);
        WriteU16BE(out, attribute.mediaType);
        WriteCString(out, attribute.name.text());
    }

    for (cListNode* t = db.terms.first(); t && t != db.terms.tail(); t = t->next) {
        const cList& values = static_cast<const cTerm*>(t->payload)->values;
        for (const cListNode* v = values.first(); v && v != values.tail(); v = v->next)
            static_cast<const cValue*>(v->payload)->write(out);
    }
    return true;
}

} // namespace

int cDatabase::save() {
    const std::string target = path.textOrEmpty();
    // The record count is 16 bits: more terms than this cannot be stored.
    if (terms.count() > MaxTermCount) {
        AppendDiagnostic("cDatabase::save", "too many terms for one file", target);
        return 1;
    }

    cByteWriter out;
    addUncategorized();
    bool laidOut = LayOut(*this, out);
    removeUncategorized();
    if (!laidOut) {
        AppendDiagnostic("cDatabase::save", "database too large for one file", target);
        return 1;
    }
    if (SafeSaveFile(target, out.bytes().data(), out.size()) != 0) {
        AppendDiagnostic("cDatabase::save", "failed to write output file", target);
        return 1;
    }
    return 0;
}
