// cDatabaseWriter: the whole database is laid out in memory and written to disk in one safe
// save. The term records are written first, in one walk over the terms, because the record
// list and record 0 in front of them need their sizes and the Unicode blocks they use; a
// term whose values did not change since the last save has its record copied from that
// save's, any other its values written. Records 1 and 2 (categories, attributes) next, into
// a buffer of their own, since the record list needs their sizes too; the head (header,
// record list, record 0) last. They are written head first. The database is only read (each
// term notes where its record went): the "Uncategorized" category of the file is laid out
// from cDatabase::uncategorizedTerms.

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <mutex>
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
#include "model/Term.h"

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

// The term records of a save: every record's bytes back to back; where each record starts
// in them and in recordBlocks, with one entry more marking the ends; the Unicode blocks each
// record uses, in order of first use in it; and the blocks of all records, in order of first
// use, for record 0.
struct sTermRecords {
    struct sStart {
        uint32_t bytes;
        uint32_t blocks;
    };
    cByteWriter bytes;
    std::vector<sStart> starts;
    std::vector<uint8_t> recordBlocks;
    std::vector<uint8_t> blocks;

    uint32_t count() const { return starts.empty() ? 0 : uint32_t(starts.size() - 1); }
    void clear() {
        bytes.clear();
        starts.clear();
        recordBlocks.clear();
        blocks.clear();
    }
};

// The records the last save laid out, kept for the next one, whichever writer makes it: a
// term whose values did not change since (cTerm::writtenRecord names this save) is copied
// from them instead of written value by value. Every change of the editor writes a backup,
// so all but the changed terms are copied.
struct sKeptRecords {
    std::mutex mutex;
    std::unique_ptr<sTermRecords> records = std::make_unique<sTermRecords>();
    uint32_t save = 0; // 0: nothing kept
    bool wanted = true; // false in a process that writes once (KeepNoTermRecords)
};

sKeptRecords& KeptRecords() {
    static sKeptRecords kept;
    return kept;
}

// Every save that lays out records gets a number of its own; 0 once the numbers run out,
// and then nothing is kept any more (a number used twice could name the wrong records).
uint32_t NewSaveNumber() {
    static std::atomic<uint32_t> next{1};
    uint32_t number = next.load();
    do {
        if (number == std::numeric_limits<uint32_t>::max())
            return 0;
    } while (!next.compare_exchange_weak(number, number + 1));
    return number;
}

// Collects the Unicode blocks each record uses, in order of first use in it.
class cBlockCollector {
public:
    explicit cBlockCollector(std::vector<uint8_t>& recordBlocks) : recordBlocks_(recordBlocks) {}

    // A value of the record being written.
    void add(const cUnicodeValue& value) {
        const char16_t* units = value.text();
        const uint32_t length = value.length();
        for (uint32_t i = 0; i < length; ++i) {
            // Texts mostly stay in one block (CJK, Cyrillic...): a unit in the block of the
            // unit before needs no look-up, the blocks being disjoint.
            if (units[i] >= lastFirst_ && units[i] <= lastLast_)
                continue;
            const uint8_t block = table_[units[i]];
            if (recordOf_[block] != record_) {
                recordOf_[block] = record_;
                recordBlocks_.push_back(block);
                used_ = true;
            }
            if (block != kNoUnicodeBlock) {
                lastFirst_ = UnicodeBlocks[block].first;
                lastLast_ = UnicodeBlocks[block].last;
            }
        }
    }
    // The record being written is complete.
    void endRecord() {
        if (!used_)
            return;
        used_ = false;
        ++record_;
        lastFirst_ = 1;
        lastLast_ = 0;
    }

private:
    std::vector<uint8_t>& recordBlocks_;
    const uint8_t* table_ = UnicodeBlockTable();
    // The record that last used each block, counted among the records that use any.
    uint32_t recordOf_[256] = {};
    uint32_t record_ = 1;
    bool used_ = false;
    // The block of the last unit looked up in the record; empty at first.
    uint32_t lastFirst_ = 1;
    uint32_t lastLast_ = 0;
};

// The blocks of all records in order of first use: each record's come in that order, so
// the first mention of a block in recordBlocks is its first use in the file.
void CollectFileBlocks(sTermRecords& records) {
    bool seen[256] = {};
    for (uint8_t block : records.recordBlocks) {
        if (!seen[block]) {
            seen[block] = true;
            records.blocks.push_back(block);
        }
    }
}

// Copies kept records, their bytes and their blocks, joining the records that lay one after
// the other in the kept records into one copy.
class cRecordCopier {
public:
    cRecordCopier(const sTermRecords& from, sTermRecords& to) : from_(from), to_(to) {}

    // The kept record that starts at first and ends where end starts.
    void add(sTermRecords::sStart first, sTermRecords::sStart end) {
        if (first.bytes != end_.bytes || first.blocks != end_.blocks) {
            flush();
            start_ = first;
        }
        end_ = end;
    }
    void flush() {
        if (end_.bytes == start_.bytes && end_.blocks == start_.blocks)
            return;
        to_.bytes.writeBytes(from_.bytes.data() + start_.bytes, end_.bytes - start_.bytes);
        to_.recordBlocks.insert(to_.recordBlocks.end(),
                                from_.recordBlocks.begin() + start_.blocks,
                                from_.recordBlocks.begin() + end_.blocks);
        start_ = end_ = {0, 0};
    }

private:
    const sTermRecords& from_;
    sTermRecords& to_;
    sTermRecords::sStart start_{0, 0};
    sTermRecords::sStart end_{0, 0};
};

// Writes the records of terms in one walk: a term kept has its record copied, any other its
// values written. Each term is then marked as written by save (0: not marked, nothing kept
// is used, and the blocks of each record are not told apart). False when the records pass
// the 32-bit offsets of the record list; the walk stops soon after they do.
bool WriteTermRecords(const cList& terms, const sKeptRecords& kept, uint32_t save,
                      sTermRecords& records) {
    constexpr uint64_t limit = std::numeric_limits<uint32_t>::max();
    records.starts.resize(size_t(terms.count()) + 1);
    sTermRecords::sStart* start = records.starts.data();
    cBlockCollector blocks(records.recordBlocks);
    // One virtual call per value, for its class; the writes themselves are inline.
    const auto writeValues = [&records, &blocks](const cTerm* term) {
        for (const cValue* value : Items<cValue>(term->values())) {
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
    };
    uint32_t entry = 0;

    if (save == 0 || kept.save == 0) {
        // Nothing to copy. Without a save number the records are not kept either: the
        // blocks of the file are all that is needed, as if the terms were one record.
        for (const cTerm* term : Items<cTerm>(terms)) {
            start[entry] = {static_cast<uint32_t>(records.bytes.size()),
                            static_cast<uint32_t>(records.recordBlocks.size())};
            writeValues(term);
            if (records.bytes.size() > limit)
                return false;
            if (save != 0) {
                blocks.endRecord();
                term->noteWrittenRecord({save, entry});
            }
            ++entry;
        }
    } else {
        const sTermRecords& from = *kept.records;
        const uint32_t keptCount = from.count();
        cRecordCopier copier(from, records);
        // The sizes of the bytes and the blocks once the pending copy is made.
        uint64_t size = 0;
        size_t blockCount = 0;
        for (const cTerm* term : Items<cTerm>(terms)) {
            start[entry] = {static_cast<uint32_t>(size), static_cast<uint32_t>(blockCount)};
            const cTerm::sWrittenRecord written = term->writtenRecord();
            if (written.save == kept.save && written.entry < keptCount) {
                const sTermRecords::sStart first = from.starts[written.entry];
                const sTermRecords::sStart end = from.starts[written.entry + 1];
                copier.add(first, end);
                size += end.bytes - first.bytes;
                blockCount += end.blocks - first.blocks;
            } else {
                copier.flush();
                writeValues(term);
                blocks.endRecord();
                size = records.bytes.size();
                blockCount = records.recordBlocks.size();
            }
            if (size > limit)
                return false;
            term->noteWrittenRecord({save, entry});
            ++entry;
        }
        copier.flush();
    }
    start[entry] = {static_cast<uint32_t>(records.bytes.size()),
                    static_cast<uint32_t>(records.recordBlocks.size())};
    CollectFileBlocks(records);
    return true;
}

// True when the kept records are those of terms as they are: every term's record kept, at
// its own position, and no other record.
bool KeptInPlace(const cList& terms, const sKeptRecords& kept) {
    if (kept.save == 0 || kept.records->count() != terms.count())
        return false;
    uint32_t entry = 0;
    for (const cTerm* term : Items<cTerm>(terms)) {
        const cTerm::sWrittenRecord written = term->writtenRecord();
        if (written.save != kept.save || written.entry != entry)
            return false;
        ++entry;
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
    const uint32_t termCount = terms.count();
    const uint16_t recordCount = static_cast<uint16_t>(termCount + kFirstTermRecord);
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
    uint8_t* entry = out.room(kPdbRecordEntrySize * size_t(termCount));
    for (uint32_t i = 0; i < termCount; ++i) {
        StoreRecordEntry(entry, offset + terms.starts[i].bytes);
        entry += kPdbRecordEntrySize;
    }

    WriteCString(out, db.description.text());
    out.writeU8(static_cast<uint8_t>(terms.blocks.size()));
    out.writeBytes(terms.blocks.data(), terms.blocks.size());
    return true;
}

// VESK_VERIFY_KEPT_RECORDS set (the tests set it): every save whose records are kept writes
// them again from the values, none copied, and stops the program if the bytes, the record
// starts or the blocks of the file differ from what the save laid out.
bool VerifyKeptRecords() {
    static const bool verify = std::getenv("VESK_VERIFY_KEPT_RECORDS") != nullptr;
    return verify;
}

void CheckAgainstValues(const cList& terms, const sTermRecords& records) {
    static sKeptRecords nothingKept;
    sTermRecords written;
    WriteTermRecords(terms, nothingKept, 0, written);
    const bool same =
        written.bytes.size() == records.bytes.size() &&
        std::equal(written.bytes.data(), written.bytes.data() + written.bytes.size(),
                   records.bytes.data()) &&
        written.blocks == records.blocks &&
        std::equal(written.starts.begin(), written.starts.end(), records.starts.begin(),
                   records.starts.end(),
                   [](const auto& a, const auto& b) { return a.bytes == b.bytes; });
    if (!same) {
        std::fprintf(stderr, "kept term records differ from the values\n");
        std::abort();
    }
}

} // namespace

// The buffers of a write, kept from one write to the next: writing into memory already in
// place is much cheaper than into new pages. Only buffers of ordinary size are kept.
struct cDatabaseWriter::sBuffers {
    std::unique_ptr<sTermRecords> terms = std::make_unique<sTermRecords>();
    cByteWriter head;
    cByteWriter categoriesAndAttributes;

    void clear() {
        terms->clear();
        head.clear();
        categoriesAndAttributes.clear();
    }
    // Gives back the buffers of more than ordinary size, the kept records' too.
    void releaseIfLarge(sKeptRecords& kept) {
        constexpr size_t KeptSize = 64 * 1024 * 1024;
        terms->bytes.shrink(KeptSize);
        head.shrink(KeptSize);
        categoriesAndAttributes.shrink(KeptSize);
        kept.records->bytes.shrink(KeptSize);
        if (!kept.records->bytes.data()) {
            kept.records->clear();
            kept.save = 0;
        }
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
    // The kept records are the records of the file once they are laid out; they stay in
    // place until the file is written.
    sKeptRecords& kept = KeptRecords();
    std::lock_guard<std::mutex> lock(kept.mutex);
    bool laidOut = false;
    bool outOfMemory = false;
    try {
        // A save right after another of the same terms (a Save after the backup of the
        // last change) finds the kept records already laid out as they are.
        bool termsWritten = KeptInPlace(db.terms, kept);
        if (!termsWritten) {
            const uint32_t save = kept.wanted ? NewSaveNumber() : 0;
            termsWritten = WriteTermRecords(db.terms, kept, save, *buffers.terms);
            // The records just laid out are kept in place of the ones before, which this
            // writer takes for its next layout; after a failed walk nothing is kept.
            std::swap(buffers.terms, kept.records);
            kept.save = termsWritten ? save : 0;
        }
        if (termsWritten) {
            if (kept.save != 0 && VerifyKeptRecords())
                CheckAgainstValues(db.terms, *kept.records);
            cByteWriter& middle = buffers.categoriesAndAttributes;
            const size_t categorySize = LayOutCategoriesAndAttributes(
                db, db.uncategorizedTerms(), kept.records->count(), middle);
            laidOut = LayOutHead(db, *kept.records, categorySize, middle.size() - categorySize,
                                 buffers.head);
        }
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    }
    if (!laidOut) {
        buffers.releaseIfLarge(kept);
        const char* reason = outOfMemory ? "not enough memory to lay out the file"
                                         : "database too large for one file";
        AppendDiagnostic("cDatabase::save", reason, target);
        RecordFileFailure(target, reason);
        return SaveFailed;
    }
    const cByteWriter& termBytes = kept.records->bytes;
    const sByteSpan file[] = {
        {buffers.head.data(), buffers.head.size()},
        {buffers.categoriesAndAttributes.data(), buffers.categoriesAndAttributes.size()},
        {termBytes.data(), termBytes.size()}};
    const int written = SafeSaveFile(target, file, 3, options);
    buffers.releaseIfLarge(kept);
    if (written != SaveWritten)
        AppendDiagnostic("cDatabase::save",
                         written == SaveTargetRefused ? "output is not a regular file"
                                                      : "failed to write output file",
                         target);
    return written;
}

void KeepNoTermRecords() {
    sKeptRecords& kept = KeptRecords();
    std::lock_guard<std::mutex> lock(kept.mutex);
    kept.wanted = false;
}

int WriteDatabaseFile(const cDatabase& db, const std::string& path, const sSaveOptions& options) {
    static cDatabaseWriter writer;
    return writer.write(db, path, options);
}

int cDatabase::save() {
    return WriteDatabaseFile(*this, path.textOrEmpty()) == SaveWritten ? 0 : 1;
}
