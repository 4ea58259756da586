// cDatabase::load: the file is read whole and parsed from memory. Every record is read
// within its own bounds, so a count, string or value that runs past its record ends the load
// with the bad-format result instead of reading what follows.

#include <algorithm>
#include <string>
#include <vector>

#include "dbfile/DatabaseFormat.h"
#include "dbfile/DiagnosticLog.h"
#include "dbfile/FileBytes.h"
#include "dbfile/FileFailure.h"
#include "dbfile/PdbFormat.h"
#include "model/Database.h"

namespace {

struct sLoadedRun {
    uint32_t firstTerm;
    uint16_t length;
};

struct sLoadedCategory {
    uint16_t group = 0;
    std::string name;
    std::vector<sLoadedRun> runs;
};

bool ReadCategories(cByteReader& in, std::vector<sLoadedCategory>& categories) {
    uint32_t count = 0;
    if (!ReadU32BE(in, count))
        return false;
    // No reserve by count: a hostile count must not allocate before the bytes run out.
    for (uint32_t i = 0; i < count; ++i) {
        sLoadedCategory category;
        uint32_t runCount = 0;
        if (!ReadU16BE(in, category.group) || !ReadCString(in, category.name) ||
            !ReadU32BE(in, runCount))
            return false;
        for (uint32_t r = 0; r < runCount; ++r) {
            sLoadedRun run{};
            if (!ReadU32BE(in, run.firstTerm) || !ReadU16BE(in, run.length))
                return false;
            category.runs.push_back(run);
        }
        categories.push_back(std::move(category));
    }
    return true;
}

bool ReadAttributes(cByteReader& in, cDatabase& db) {
    uint32_t count = 0;
    if (!ReadU32BE(in, count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint16_t mediaType = 0;
        std::string name;
        if (!ReadU16BE(in, mediaType) || !ReadCString(in, name))
            return false;
        db.attributes.append(new cAttribute(mediaType, name.c_str()));
    }
    return true;
}

// Reads the values of one term record. A value of an attribute that does not exist ends the
// term quietly, as it always has; a value that runs past the record is a malformed file.
bool ReadTerm(cByteReader& in, const cDatabase& db, cTerm& term) {
    while (!in.atEnd()) {
        size_t start = in.position();
        uint16_t attribute = 0;
        if (!in.readU16(attribute))
            return false;
        in.seek(start);
        cValue* value = db.createValue(attribute);
        if (!value)
            return true;
        term.values.append(value);
        if (!value->read(in))
            return false;
    }
    return true;
}

// The terms a category's runs cover, each once and ascending: runs that overlap or repeat
// (a file may hold them) would otherwise make one entry per mention, and a small file could
// name every term thousands of times.
std::vector<sLoadedRun> MergedRuns(std::vector<sLoadedRun> runs, uint32_t termCount) {
    // Files written here hold their runs in order already.
    const auto byFirstTerm = [](const sLoadedRun& a, const sLoadedRun& b) {
        return a.firstTerm < b.firstTerm;
    };
    if (!std::is_sorted(runs.begin(), runs.end(), byFirstTerm))
        std::sort(runs.begin(), runs.end(), byFirstTerm);
    std::vector<sLoadedRun> merged;
    uint64_t coveredEnd = 0; // one past the last term covered so far
    for (const sLoadedRun& run : runs) {
        const uint64_t end = std::min<uint64_t>(uint64_t(run.firstTerm) + run.length, termCount);
        const uint64_t first = std::max<uint64_t>(run.firstTerm, coveredEnd);
        if (first >= end)
            continue;
        merged.push_back({static_cast<uint32_t>(first), static_cast<uint16_t>(end - first)});
        coveredEnd = end;
    }
    return merged;
}

void AddCategories(const std::vector<sLoadedCategory>& loaded, cDatabase& db) {
    const uint32_t termCount = db.terms.count();
    for (const sLoadedCategory& entry : loaded) {
        auto* category = new cCategory(entry.group, entry.name.c_str());
        db.categories.append(category);
        for (const sLoadedRun& run : MergedRuns(entry.runs, termCount))
            for (uint32_t k = 0; k < run.length; ++k)
                category->addMember(run.firstTerm + k);
    }
}

int LoadFrom(cByteReader& file, cDatabase& db) {
    std::string name;
    uint16_t recordCount = 0;
    uint16_t version = 0;
    if (!ReadPdbName(file, name) || !ReadRecordCount(file, recordCount))
        return LoadResultBadFormat;
    db.name.assign(name.c_str());
    if (recordCount < kFirstTermRecord)
        return LoadResultBadFormat;
    if (!ReadVersion(file, version) || version != kDatabaseVersion)
        return LoadResultBadVersion;

    cByteReader record(nullptr, 0);
    std::string description;
    if (!RecordBytes(file, kDescriptionRecord, record) || !ReadCString(record, description))
        return LoadResultBadFormat;
    db.description.assign(description.c_str());

    std::vector<sLoadedCategory> categories;
    if (!RecordBytes(file, kCategoryRecord, record) || !ReadCategories(record, categories))
        return LoadResultBadFormat;
    if (!RecordBytes(file, kAttributeRecord, record) || !ReadAttributes(record, db))
        return LoadResultBadFormat;

    for (unsigned i = kFirstTermRecord; i < recordCount; ++i) {
        if (!RecordBytes(file, i, record))
            return LoadResultBadFormat;
        auto* term = new cTerm;
        db.terms.append(term);
        if (!ReadTerm(record, db, *term))
            return LoadResultBadFormat;
    }

    AddCategories(categories, db);
    db.removeUncategorized();
    return LoadResultOk;
}

} // namespace

int cDatabase::load() {
    const std::string source = path.textOrEmpty();
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(source, bytes)) {
        AppendDiagnostic("cDatabase::load", "failed to open input file", source);
        return LoadResultBadFormat;
    }
    return load(bytes);
}

int cDatabase::load(const std::vector<uint8_t>& fileBytes) {
    const std::string source = path.textOrEmpty();
    cByteReader file(fileBytes);
    const int result = LoadFrom(file, *this);
    if (result == LoadResultBadVersion)
        RecordFileFailure(source, "unsupported database version");
    else if (result != LoadResultOk)
        RecordFileFailure(source, "malformed database file");
    return result;
}
