#include "dbfile/DatabaseCheck.h"

#include <vector>

#include "dbfile/DatabaseFormat.h"
#include "dbfile/FileBytes.h"
#include "dbfile/FileFailure.h"
#include "dbfile/PdbFormat.h"
#include "model/Database.h"
#include "model/Limits.h"
#include "text/Messages.h"
#include "text/Platform.h"
#include "text/TextIds.h"

namespace {

int Refuse(const std::string& path, int text, const char* reason) {
    RecordFileFailure(path, reason);
    ShowTableMessage(TextCaptionError, text, MessageOk);
    return 1;
}

// The read has recorded its reason already.
int RefuseUnread(eFileRead read) {
    ShowTableMessage(TextCaptionError,
                     read == eFileRead::Missing    ? TextFileMissing
                     : read == eFileRead::NotAFile ? TextNotARegularFile
                                                   : TextLoadFailed,
                     MessageOk);
    return 1;
}

// Every record lies inside the file and none starts before the one in front of it.
bool RecordsFitTheFile(cByteReader& file, uint16_t recordCount) {
    const cRecordList records(file);
    uint32_t size = 0;
    for (unsigned i = 0; i < recordCount; ++i)
        if (!records.size(i, size))
            return false;
    return true;
}

// False when the attribute record cannot be read; unicode tells whether it names a Unicode
// attribute.
bool HasUnicodeAttribute(cByteReader& file, bool& unicode) {
    cByteReader record(nullptr, 0);
    uint32_t count = 0;
    if (!RecordBytes(file, kAttributeRecord, record) || !ReadU32BE(record, count))
        return false;
    unicode = false;
    for (uint32_t i = 0; i < count; ++i) {
        uint16_t mediaType = 0;
        if (!ReadU16BE(record, mediaType))
            return false;
        if (mediaType == MediaTypeUnicode) {
            unicode = true;
            return true;
        }
        if (!SkipCString(record))
            return false;
    }
    return true;
}

} // namespace

int CheckDatabaseFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    return CheckDatabaseFile(path, bytes);
}

int CheckDatabaseFile(const std::string& path, std::vector<uint8_t>& bytes) {
    // The header first: a file of another kind costs its first bytes, not its size.
    eFileRead read = ReadFileHead(path, kPdbHeaderSize, bytes);
    if (read != eFileRead::Read)
        return RefuseUnread(read);
    cByteReader head(bytes);
    uint32_t type = 0;
    if (!ReadType(head, type) || type != kDatabaseType)
        return Refuse(path, TextNotADatabase, "not a database file");

    read = ReadWholeFile(path, bytes);
    if (read != eFileRead::Read)
        return RefuseUnread(read);
    cByteReader file(bytes);

    uint16_t recordCount = 0;
    if (!ReadRecordCount(file, recordCount) || recordCount < kFirstTermRecord ||
        !RecordsFitTheFile(file, recordCount))
        return Refuse(path, TextFileCorrupt, "damaged: its records do not fit the file");

    if (!UnicodePlatform) {
        bool unicode = false;
        if (!HasUnicodeAttribute(file, unicode))
            return Refuse(path, TextFileCorrupt, "damaged: its attributes cannot be read");
        if (unicode)
            return Refuse(path, TextUnicodeUnsupported, "holds Unicode attributes");
    }
    return 0;
}

int LoadFailureText(int loadResult) {
    if (loadResult == LoadResultBadFormat)
        return TextBadFormat;
    if (loadResult == LoadResultBadVersion)
        return TextBadVersion;
    return TextLoadFailed;
}

int SaveFailureText(const cDatabase& db) {
    return db.terms.count() > MaxTermCount ? TextTooManyTermsToSave : TextSaveFailed;
}
