// cDatabaseWriter: the whole database is laid out in memory and written to disk in one safe
// save. The term records are written first, in one walk over every value, because the
// record list and record 0 in front of them need their sizes and the Unicode blocks they
// use; the head is laid out after them and written before them. The database is only read:
// the "Uncategorized" category of the file is laid out from cDatabase::uncategorizedTerms.

#include <algorithm>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "dbfile/DatabaseFormat.h"
#include "dbfile/DatabaseWrite.h"
#include "dbfile/DiagnosticLog.h"
#include "dbfile/FileFailure.h"
#include "dbfile/PdbFormat.h"
#include "dbfile/SafeSave.h"
#include "dbfile/UnicodeBlocks.h"
#include "model/Database.h"
#include "model/Limits.h"

namespace {

// Adds the next index of an ascending sequence to the runs. An index at or past the term
// count that does not extend the run before it is dropped, and so is one the last run
// already covers: a term is a member once, however many entries name it.
void AddToRuns(std::vector<sTermRun>& runs, uint32_t x, uint32_t termCount) {
    // A new run is written in place: a run built on the stack and copied stalls the store.
    const auto start = [&runs](uint32_t first) {
        sTermRun& added = runs.emplace_back();
        added.firstTerm = first;
        added.length = 1;
    };
    if (runs.empty())
        start(x);
    else if (uint64_t(x) < uint64_t(runs.back().firstTerm) + runs.back().length)
        return;
    else if (uint64_t(x) == uint64_t(runs.back().firstTerm) + runs.back().length)
        ++runs.back().length;
    else if (x < termCount)
        start(x);
}

// Members packed into runs of consecutive terms, ascending.
std::vector<sTermRun> RunsOf(const cCategory& category, uint32_t termCount) {
    const cMemberList& members = category.members;
    std::vector<sTermRun> runs;
    runs.reserve(members.count());
    // Members are nearly always in term order, and then the runs come straight from the walk.
    bool sorted = true;
    uint32_t previous = 0;
    for (const cCategoryMember* member : Items<cCategoryMember>(members)) {
        const uint32_t x = member->firstTerm;
        if (!runs.empty() && x < previous) {
            sorted = false;
            break;
        }
        AddToRuns(runs, x, termCount);
        previous = x;
    }
    if (sorted)
        return runs;

    // Otherwise a few entries were added at the end since (a paste, a new term): only the
    // part after the sorted start is sorted, then merged in.
    std::vector<uint32_t> indices;
    indices.reserve(members.count());
    for (const cCategoryMember* member : Items<cCategoryMember>(members))
        indices.push_back(member->firstTerm);
    auto unsorted = std::is_sorted_until(indices.begin(), indices.end());
    std::sort(unsorted, indices.end());
    std::inplace_merge(indices.begin(), unsorted, indices.end());
    runs.clear();
    for (uint32_t x : indices)
        AddToRuns(runs, x, termCount);
    return runs;
}

// The term records, written in one walk over the values: every record's bytes back to back,
// each record's size, and the Unicode blocks the Unicode values use, in order of first use.
struct sTermRecords {
    cByteWriter bytes;
    std::vector<uint32_t> sizes;
    std::vector<uint8_t> blocks;
};

class cBlockCollector {
public:
    explicit cBlockCollector(std::vector<uint8_t>& used) : used_(used) {}
    void add(const cUnicodeValue& value) {
        const char16_t* units = value.text();
        const uint32_t length = value.length();
        for (uint32_t i = 0; i < length; ++i) {
            // Texts mostly stay in one block (CJK, Cyrillic...): a unit in the block of the
            // unit before needs no look-up, the blocks being disjoint.
            if (units[i] >= lastFirst_ && units[i] <= lastLast_)
                continue;
            const uint8_t block = table_[units[i]];
            if (!seen_[block]) {
                seen_[block] = true;
                used_.push_back(block);
            }
            if (block != kNoUnicodeBlock) {
                lastFirst_ = UnicodeBlocks[block].first;
                lastLast_ = UnicodeBlocks[block].last;
            }
        }
    }

private:
    std::vector<uint8_t>& used_;
    const uint8_t* table_ = UnicodeBlockTable();
    bool seen_[256] = {};
    // The block of the last unit looked up; empty at first.
    uint32_t lastFirst_ = 1;
    uint32_t lastLast_ = 0;
};

// False when the records pass the 32-bit offsets of the record list; the walk stops soon
// after they do.
bool WriteTermRecords(const cList& terms, sTermRecords& records) {
    constexpr uint64_t limit = std::numeric_limits<uint32_t>::max();
    records.sizes.reserve(terms.count());
    cBlockCollector blocks(records.blocks);
    for (const cTerm* term : Items<cTerm>(terms)) {
        const size_t start = records.bytes.size();
        // One virtual call per value, for its class; the writes themselves are inline.
        for (const cValue* value : Items<cValue>(term->values)) {
            const uint16_t type = value->mediaType();
            if (type == MediaTypeAscii) {
                static_cast<const cAsciiValue*>(value)->writeStored(records.bytes);
            } else if (type == MediaTypeUnicode) {
                const auto* unicode = static_cast<const cUnicodeValue*>(value);
                unicode->writeStored(records.bytes);
                blocks.add(*unicode);
            } else {
                value->write(records.bytes);
            }
        }
        if (records.bytes.size() > limit)
            return false;
        records.sizes.push_back(static_cast<uint32_t>(records.bytes.size() - start));
    }
    return true;
}

void WriteCategory(cByteWriter& out, uint16_t group, const char* name,
                   const std::vector<sTermRun>& runs) {
    WriteU16BE(out, group);
    WriteCString(out, name);
    WriteU32BE(out, static_cast<uint32_t>(runs.size()));
    // A category holds up to 65,532 runs: their room is taken once.
    uint8_t* p = out.room(6 * runs.size());
    for (const sTermRun& run : runs) {
        StoreU32BE(p, run.firstTerm);
        StoreU16BE(p + 4, run.length);
        p += 6;
    }
}

// Lays out everything before the term records: the header, the record list and records 0
// to 2. The category record holds the database's categories and, after them, the group-0
// "Uncategorized" one when uncategorized is not empty. False when the file would not fit the
// 32-bit offsets of the record list.
bool LayOutHead(const cDatabase& db, const std::vector<uint32_t>& uncategorized,
                const sTermRecords& terms, cByteWriter& out) {
    const uint16_t recordCount = static_cast<uint16_t>(terms.sizes.size() + kFirstTermRecord);
    const uint32_t termCount = static_cast<uint32_t>(terms.sizes.size());

    std::vector<std::vector<sTermRun>> runs;
    runs.reserve(db.categories.count() + 1);
    uint64_t categorySize = 4;
    for (const cCategory* category : Items<cCategory>(db.categories)) {
        runs.push_back(RunsOf(*category, termCount));
        categorySize += category->name.length() + 7 + 6 * uint64_t(runs.back().size());
    }
    const bool hasUncategorized = !uncategorized.empty();
    if (hasUncategorized) {
        std::vector<sTermRun>& uncategorizedRuns = runs.emplace_back();
        for (uint32_t term : uncategorized)
            AddToRuns(uncategorizedRuns, term, termCount);
        categorySize += std::char_traits<char>::length(UncategorizedName) + 7 +
                        6 * uint64_t(uncategorizedRuns.size());
    }
    uint64_t attributeSize = 4;
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes))
        attributeSize += attribute->name.length() + 3;

    const uint64_t descriptionSize = db.description.length() + 1 + 1 + terms.blocks.size();
    const uint64_t dataStart = kPdbHeaderSize + kPdbRecordEntrySize * uint64_t(recordCount);
    const uint64_t headSize = dataStart + descriptionSize + categorySize + attributeSize;
    if (headSize + terms.bytes.size() > std::numeric_limits<uint32_t>::max())
        return false;
    out.reserve(static_cast<size_t>(headSize));

    WritePdbHeader(out, db.name.text(), kDatabaseType, kDatabaseCreator, kDatabaseVersion,
                   recordCount);
    uint32_t offset = static_cast<uint32_t>(dataStart);
    WriteRecordEntry(out, offset);
    offset += static_cast<uint32_t>(descriptionSize);
    WriteRecordEntry(out, offset);
    offset += static_cast<uint32_t>(categorySize);
    WriteRecordEntry(out, offset);
    offset += static_cast<uint32_t>(attributeSize);
    // One entry per term, in room taken once.
    uint8_t* entry = out.room(kPdbRecordEntrySize * terms.sizes.size());
    for (uint32_t size : terms.sizes) {
        StoreRecordEntry(entry, offset);
        entry += kPdbRecordEntrySize;
        offset += size;
    }

    WriteCString(out, db.description.text());
    out.writeU8(static_cast<uint8_t>(terms.blocks.size()));
    out.writeBytes(terms.blocks.data(), terms.blocks.size());

    WriteU32BE(out, static_cast<uint32_t>(runs.size()));
    size_t index = 0;
    for (const cCategory* category : Items<cCategory>(db.categories)) {
        WriteCategory(out, category->group, category->name.text(), runs[index]);
        ++index;
    }
    if (hasUncategorized)
        WriteCategory(out, 0, UncategorizedName, runs.back());

    WriteU32BE(out, db.attributes.count());
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes)) {
        WriteU16BE(out, attribute->mediaType);
        WriteCString(out, attribute->name.text());
    }
    return true;
}

} // namespace

// The buffers of a write, kept from one write to the next: writing into memory already in
// place is much cheaper than into new pages. Only buffers of ordinary size are kept.
struct cDatabaseWriter::sBuffers {
    sTermRecords terms;
    cByteWriter head;

    void clear() {
        terms.bytes.clear();
        terms.sizes.clear();
        terms.blocks.clear();
        head.clear();
    }
    void releaseIfLarge() {
        constexpr size_t KeptSize = 64 * 1024 * 1024;
        terms.bytes.shrink(KeptSize);
        head.shrink(KeptSize);
    }
};

cDatabaseWriter::cDatabaseWriter() : buffers_(std::make_unique<sBuffers>()) {}

cDatabaseWriter::~cDatabaseWriter() = default;

int cDatabaseWriter::write(const cDatabase& db, const std::string& target,
                           const sSaveOptions& options) {
    // The record count is 16 bits: more terms than this cannot be stored.
    if (db.terms.count() > MaxTermCount) {
        AppendDiagnostic("cDatabase::save", "too many terms for one file", target);
        RecordFileFailure(target, "too many terms for one file");
        return SaveFailed;
    }

    sBuffers& buffers = *buffers_;
    buffers.clear();
    bool laidOut = false;
    bool outOfMemory = false;
    try {
        laidOut = WriteTermRecords(db.terms, buffers.terms) &&
                  LayOutHead(db, db.uncategorizedTerms(), buffers.terms, buffers.head);
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    }
    if (!laidOut) {
        buffers.releaseIfLarge();
        const char* reason = outOfMemory ? "not enough memory to lay out the file"
                                         : "database too large for one file";
        AppendDiagnostic("cDatabase::save", reason, target);
        RecordFileFailure(target, reason);
        return SaveFailed;
    }
    const sByteSpan file[] = {{buffers.head.data(), buffers.head.size()},
                              {buffers.terms.bytes.data(), buffers.terms.bytes.size()}};
    const int written = SafeSaveFile(target, file, 2, options);
    buffers.releaseIfLarge();
    if (written != SaveWritten)
        AppendDiagnostic("cDatabase::save",
                         written == SaveTargetRefused ? "output is not a regular file"
                                                      : "failed to write output file",
                         target);
    return written;
}

int WriteDatabaseFile(const cDatabase& db, const std::string& path, const sSaveOptions& options) {
    static cDatabaseWriter writer;
    return writer.write(db, path, options);
}

int cDatabase::save() {
    return WriteDatabaseFile(*this, path.textOrEmpty()) == SaveWritten ? 0 : 1;
}
