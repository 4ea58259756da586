// The walk over a database file's bytes. Every record is read within its own bounds, so a
// count, string or value that runs past its record ends the walk with the bad-format result
// instead of reading what follows.

#include "dbfile/DatabaseRead.h"

#include <algorithm>

#include "dbfile/DatabaseCheck.h"
#include "dbfile/DatabaseFormat.h"
#include "dbfile/FileFailure.h"
#include "dbfile/PdbFormat.h"
#include "model/Attribute.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

struct sFileCategory {
    uint16_t group = 0;
    std::string name;
    std::vector<sTermRun> runs;
};

bool ReadCategories(cByteReader& in, std::vector<sFileCategory>& categories) {
    uint32_t count = 0;
    if (!ReadU32BE(in, count))
        return false;
    // No reserve by count: a hostile count must not allocate before the bytes run out.
    for (uint32_t i = 0; i < count; ++i) {
        sFileCategory category;
        uint32_t runCount = 0;
        if (!ReadU16BE(in, category.group) || !ReadCString(in, category.name) ||
            !ReadU32BE(in, runCount))
            return false;
        for (uint32_t r = 0; r < runCount; ++r) {
            sTermRun run{};
            if (!ReadU32BE(in, run.firstTerm) || !ReadU16BE(in, run.length))
                return false;
            category.runs.push_back(run);
        }
        categories.push_back(std::move(category));
    }
    return true;
}

bool ReadAttributes(cByteReader& in, std::vector<uint16_t>& mediaTypes,
                    cDatabaseFileVisitor& visitor) {
    uint32_t count = 0;
    if (!ReadU32BE(in, count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint16_t mediaType = 0;
        std::string name;
        if (!ReadU16BE(in, mediaType) || !ReadCString(in, name))
            return false;
        mediaTypes.push_back(mediaType);
        visitor.attribute(mediaType, name);
    }
    return true;
}

// The terms a category's runs cover, each once and ascending: runs that overlap or repeat
// (a file may hold them) would otherwise make one entry per mention, and a small file could
// name every term thousands of times.
std::vector<sTermRun> MergedRuns(std::vector<sTermRun> runs, uint32_t termCount) {
    // Files written here hold their runs in order already.
    const auto byFirstTerm = [](const sTermRun& a, const sTermRun& b) {
        return a.firstTerm < b.firstTerm;
    };
    if (!std::is_sorted(runs.begin(), runs.end(), byFirstTerm))
        std::sort(runs.begin(), runs.end(), byFirstTerm);
    std::vector<sTermRun> merged;
    uint64_t coveredEnd = 0; // one past the last term covered so far
    for (const sTermRun& run : runs) {
        const uint64_t end = std::min<uint64_t>(uint64_t(run.firstTerm) + run.length, termCount);
        const uint64_t first = std::max<uint64_t>(run.firstTerm, coveredEnd);
        if (first >= end)
            continue;
        merged.push_back({static_cast<uint32_t>(first), static_cast<uint16_t>(end - first)});
        coveredEnd = end;
    }
    return merged;
}

// Reads the values of one term record. A value of an attribute that does not exist ends the
// term quietly, as it always has; a value that runs past the record is a malformed file.
bool ReadTerm(cByteReader& in, const std::vector<uint16_t>& mediaTypes,
              cDatabaseFileVisitor& visitor) {
    visitor.beginTerm();
    while (!in.atEnd()) {
        const size_t start = in.position();
        uint16_t attribute = 0;
        if (!in.readU16(attribute))
            return false;
        in.seek(start);
        if (attribute >= mediaTypes.size())
            return true;
        cValue* value = visitor.valueFor(attribute, mediaTypes[attribute]);
        if (!value)
            return true;
        if (!value->read(in))
            return false;
        visitor.valueRead(*value);
    }
    return true;
}

int ReadFrom(cByteReader& file, cDatabaseFileVisitor& visitor) {
    std::string name;
    uint16_t recordCount = 0;
    uint16_t version = 0;
    if (!ReadPdbName(file, name) || !ReadRecordCount(file, recordCount))
        return LoadResultBadFormat;
    if (recordCount < kFirstTermRecord)
        return LoadResultBadFormat;
    if (!ReadVersion(file, version) || version != kDatabaseVersion)
        return LoadResultBadVersion;

    cByteReader record(nullptr, 0);
    std::string description;
    if (!RecordBytes(file, kDescriptionRecord, record) || !ReadCString(record, description))
        return LoadResultBadFormat;
    visitor.head(name, description);

    std::vector<sFileCategory> categories;
    if (!RecordBytes(file, kCategoryRecord, record) || !ReadCategories(record, categories))
        return LoadResultBadFormat;
    std::vector<uint16_t> mediaTypes;
    if (!RecordBytes(file, kAttributeRecord, record) ||
        !ReadAttributes(record, mediaTypes, visitor))
        return LoadResultBadFormat;
    const uint32_t termCount = recordCount - kFirstTermRecord;
    for (const sFileCategory& category : categories)
        visitor.category(category.group, category.name, MergedRuns(category.runs, termCount));

    const cRecordList records(file);
    for (unsigned i = kFirstTermRecord; i < recordCount; ++i)
        if (!records.bytes(i, record) || !ReadTerm(record, mediaTypes, visitor))
            return LoadResultBadFormat;
    return LoadResultOk;
}

} // namespace

cValue* cScratchValueVisitor::valueFor(uint16_t, uint16_t mediaType) {
    if (mediaType == MediaTypeAscii)
        return &ascii_;
    return mediaType == MediaTypeUnicode ? &unicode_ : nullptr;
}

int ReadDatabaseBytes(const std::vector<uint8_t>& bytes, const std::string& source,
                      cDatabaseFileVisitor& visitor) {
    cByteReader file(bytes);
    const int result = ReadFrom(file, visitor);
    if (result == LoadResultBadVersion)
        RecordFileFailure(source, "unsupported database version");
    else if (result != LoadResultOk)
        RecordFileFailure(source, "malformed database file");
    return result;
}

int StreamDatabaseFile(const std::string& path, cDatabaseFileVisitor& visitor) {
    std::vector<uint8_t> bytes;
    if (CheckDatabaseFile(path, bytes) != 0)
        return 1;
    cScratchValueVisitor trial;
    int result = ReadDatabaseBytes(bytes, path, trial);
    if (result == LoadResultOk)
        result = ReadDatabaseBytes(bytes, path, visitor);
    if (result != LoadResultOk) {
        ShowTableMessage(TextCaptionError, LoadFailureText(result), MessageOk);
        return 1;
    }
    return 0;
}
