// cDatabaseWriter: the whole database is laid out in memory and written to disk in one safe
// save. The term records are written first, in one walk over every value, because the
// record list and record 0 in front of them need their sizes and the Unicode blocks they
// use; records 1 and 2 (categories, attributes) next, into a buffer of their own, since the
// record list needs their sizes too; the head (header, record list, record 0) last. They are
// written head first. The database is only read: the "Uncategorized" category of the file is
// laid out from cDatabase::uncategorizedTerms.

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

// Writes an ascending sequence of term indices as runs of consecutive terms, each its first
// term (4 bytes) and length (2). An index at or past the term count that does not extend the
// run before it is dropped, and so is one the last run already covers: a term is a member
// once, however many entries name it.
class cRunWriter {
public:
    cRunWriter(cByteWriter& out, uint32_t termCount) : out_(out), termCount_(termCount) {}

    void add(uint32_t x) {
        if (count_ == 0)
            start(x);
        else if (uint64_t(x) < uint64_t(first_) + length_)
            return;
        else if (uint64_t(x) == uint64_t(first_) + length_)
            ++length_;
        else if (x < termCount_)
            start(x);
    }
    // Writes the last run; returns how many runs were written.
    uint32_t finish() {
        if (count_ > 0)
            store();
        return count_;
    }

private:
    void start(uint32_t first) {
        if (count_ > 0)
            store();
        first_ = first;
        length_ = 1;
        ++count_;
    }
    void store() {
        uint8_t* p = out_.room(6);
        StoreU32BE(p, first_);
        StoreU16BE(p + 4, length_);
    }

    cByteWriter& out_;
    const uint32_t termCount_;
    uint32_t first_ = 0;
    uint16_t length_ = 0;
    uint32_t count_ = 0;
};

// The runs of a category's members, ascending; returns how many were written.
uint32_t WriteRuns(cByteWriter& out, const cMemberList& members, uint32_t termCount) {
    // Members are nearly always in term order, and then the runs come straight from the walk.
    const size_t start = out.size();
    cRunWriter runs(out, termCount);
    bool sorted = true;
    bool any = false;
    uint32_t previous = 0;
    for (const cCategoryMember* member : Items<cCategoryMember>(members)) {
        const uint32_t x = member->firstTerm;
        if (any && x < previous) {
            sorted = false;
            break;
        }
        runs.add(x);
        previous = x;
        any = true;
    }
    if (sorted)
        return runs.finish();

    // Otherwise a few entries were added at the end since (a paste, a new term): only the
    // part after the sorted start is sorted, then merged in, and the runs written again.
    out.unwrite(out.size() - start);
    std::vector<uint32_t> indices;
    indices.reserve(members.count());
    for (const cCategoryMember* member : Items<cCategoryMember>(members))
        indices.push_back(member->firstTerm);
    auto unsorted = std::is_sorted_until(indices.begin(), indices.end());
    std::sort(unsorted, indices.end());
    std::inplace_merge(indices.begin(), unsorted, indices.end());
    cRunWriter sortedRuns(out, termCount);
    for (uint32_t x : indices)
        sortedRuns.add(x);
    return sortedRuns.finish();
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

// Records 1 and 2, one after the other: the categories and, after them, the group-0
// "Uncategorized" one when uncategorized is not empty; then the attributes. Returns the size
// of record 1.
size_t LayOutCategoriesAndAttributes(const cDatabase& db,
                                     const std::vector<uint32_t>& uncategorized,
                                     uint32_t termCount, cByteWriter& out) {
    const bool hasUncategorized = !uncategorized.empty();
    WriteU32BE(out, db.categories.count() + (hasUncategorized ? 1 : 0));
    // Each run count is known once its runs are written, and goes in front of them.
    const auto writeCategory = [&out](uint16_t group, const char* name, auto writeRuns) {
        WriteU16BE(out, group);
        WriteCString(out, name);
        const size_t countAt = out.size();
        out.writeU32(0);
        out.patchU32(countAt, writeRuns());
    };
    for (const cCategory* category : Items<cCategory>(db.categories))
        writeCategory(category->group, category->name.text(),
                      [&] { return WriteRuns(out, category->members, termCount); });
    if (hasUncategorized)
        writeCategory(0, UncategorizedName, [&] {
            cRunWriter runs(out, termCount);
            for (uint32_t term : uncategorized)
                runs.add(term);
            return runs.finish();
        });
    const size_t categorySize = out.size();

    WriteU32BE(out, db.attributes.count());
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes)) {
        WriteU16BE(out, attribute->mediaType);
        WriteCString(out, attribute->name.text());
    }
    return categorySize;
}

// Lays out everything before records 1 and 2: the header, the record list and record 0.
// False when the file would not fit the 32-bit offsets of the record list.
bool LayOutHead(const cDatabase& db, const sTermRecords& terms, size_t categorySize,
                size_t attributeSize, cByteWriter& out) {
    const uint16_t recordCount = static_cast<uint16_t>(terms.sizes.size() + kFirstTermRecord);
    const uint64_t descriptionSize = db.description.length() + 1 + 1 + terms.blocks.size();
    const uint64_t dataStart = kPdbHeaderSize + kPdbRecordEntrySize * uint64_t(recordCount);
    const uint64_t headSize = dataStart + descriptionSize;
    if (headSize + categorySize + attributeSize + terms.bytes.size() >
        std::numeric_limits<uint32_t>::max())
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
    return true;
}

} // namespace

// The buffers of a write, kept from one write to the next: writing into memory already in
// place is much cheaper than into new pages. Only buffers of ordinary size are kept.
struct cDatabaseWriter::sBuffers {
    sTermRecords terms;
    cByteWriter head;
    cByteWriter categoriesAndAttributes;

    void clear() {
        terms.bytes.clear();
        terms.sizes.clear();
        terms.blocks.clear();
        head.clear();
        categoriesAndAttributes.clear();
    }
    void releaseIfLarge() {
        constexpr size_t KeptSize = 64 * 1024 * 1024;
        terms.bytes.shrink(KeptSize);
        head.shrink(KeptSize);
        categoriesAndAttributes.shrink(KeptSize);
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
        if (WriteTermRecords(db.terms, buffers.terms)) {
            cByteWriter& middle = buffers.categoriesAndAttributes;
            const size_t categorySize = LayOutCategoriesAndAttributes(
                db, db.uncategorizedTerms(), static_cast<uint32_t>(buffers.terms.sizes.size()),
                middle);
            laidOut = LayOutHead(db, buffers.terms, categorySize, middle.size() - categorySize,
                                 buffers.head);
        }
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
    const sByteSpan file[] = {
        {buffers.head.data(), buffers.head.size()},
        {buffers.categoriesAndAttributes.data(), buffers.categoriesAndAttributes.size()},
        {buffers.terms.bytes.data(), buffers.terms.bytes.size()}};
    const int written = SafeSaveFile(target, file, 3, options);
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
