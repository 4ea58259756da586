#pragma once
// The Palm OS database (PDB) container: a 78-byte header, a list of 8-byte record entries,
// then the records back to back. Every integer is big-endian.
//
// Header, at offset 0:
//   offset width field
//        0    32 name, 8-bit, NUL-terminated, zero-padded ("noname" when empty)
//       32     2 attributes (kPdbBackupFlag)
//       34     2 version
//       36     4 creation date (kPdbFixedDate)
//       40     4 modification date (kPdbFixedDate)
//       44     4 last backup date (0)
//       48     4 modification number (0)
//       52     4 app-info offset (0)
//       56     4 sort-info offset (0)
//       60     4 type
//       64     4 creator
//       68     4 unique-ID seed (0)
//       72     4 next record list (0)
//       76     2 record count
// Record entry i, at 78 + 8 * i:
//        0     4 data offset from the start of the file
//        4     1 record attributes (0)
//        5     3 unique ID (0)
// A record's size is never stored: it runs to the next record's offset, the last one to the
// end of the file.

#include <cstdint>
#include <string>

#include "model/ByteStream.h"

constexpr size_t kPdbHeaderSize = 78;
constexpr size_t kPdbNameSize = 32;
constexpr size_t kPdbMaxNameLength = 31;
constexpr size_t kPdbRecordEntrySize = 8;
constexpr size_t kPdbVersionOffset = 34;
constexpr size_t kPdbTypeOffset = 60;
constexpr size_t kPdbCreatorOffset = 64;
constexpr size_t kPdbRecordCountOffset = 76;
constexpr uint16_t kPdbBackupFlag = 0x0008;
// 25 October 1999, 15:08:15 in seconds since 1904: the handheld expects a fixed stamp.
constexpr uint32_t kPdbFixedDate = 0xB43A22DF;

constexpr uint32_t PdbFourCC(const char (&code)[5]) {
    return (uint32_t(uint8_t(code[0])) << 24) | (uint32_t(uint8_t(code[1])) << 16) |
           (uint32_t(uint8_t(code[2])) << 8) | uint32_t(uint8_t(code[3]));
}

// Inline: a save writes hundreds of thousands of them.
inline void WriteU16BE(cByteWriter& out, uint16_t value) { out.writeU16(value); }
inline void WriteU32BE(cByteWriter& out, uint32_t value) { out.writeU32(value); }
inline void WriteCString(cByteWriter& out, const char* text) { out.writeCString(text); }
bool ReadU16BE(cByteReader& in, uint16_t& value);
bool ReadU32BE(cByteReader& in, uint32_t& value);
bool ReadCString(cByteReader& in, std::string& text);
// Steps over the bytes up to and including the next NUL; false when the end came first.
bool SkipCString(cByteReader& in);

void WritePdbHeader(cByteWriter& out, const char* name, uint32_t type, uint32_t creator,
                    uint16_t version, uint16_t recordCount);
// A record list entry at out, kPdbRecordEntrySize bytes.
inline void StoreRecordEntry(uint8_t* out, uint32_t dataOffset) {
    StoreU32BE(out, dataOffset);
    StoreU32BE(out + 4, 0); // attributes and unique ID
}
inline void WriteRecordEntry(cByteWriter& out, uint32_t dataOffset) {
    StoreRecordEntry(out.room(kPdbRecordEntrySize), dataOffset);
}

// The header readers fail on a file shorter than the field they read.
bool ReadPdbName(cByteReader& in, std::string& name);
bool ReadVersion(cByteReader& in, uint16_t& version);
bool ReadType(cByteReader& in, uint32_t& type);
bool ReadRecordCount(cByteReader& in, uint16_t& count);

// Positions the stream at record i's data; fails when the entry or the offset lies past the
// end of the file.
bool SeekRecord(cByteReader& in, unsigned record);
// The size of record i; fails when an offset lies past the end of the file or the next
// record starts before this one.
bool RecordSize(cByteReader& in, unsigned record, uint32_t& size);

// The bytes of record i, for reading it without reaching into the next one; false when the
// record list or the offsets do not fit the file.
bool RecordBytes(cByteReader& in, unsigned record, cByteReader& recordReader);

// The record list of a file, for a walk over every record: the count is read once and each
// entry straight from the bytes. size and bytes fail exactly when RecordSize and RecordBytes
// do. The file's bytes must outlive the list.
class cRecordList {
public:
    explicit cRecordList(const cByteReader& file);

    // Where record i's data starts, from its entry alone (the count is not consulted); fails
    // when the entry or the offset lies past the end of the file.
    bool offset(unsigned record, uint32_t& start) const {
        const size_t at = kPdbHeaderSize + kPdbRecordEntrySize * size_t(record);
        if (at + 4 > size_)
            return false;
        start = LoadU32BE(data_ + at);
        return start <= size_;
    }
    bool size(unsigned record, uint32_t& size) const {
        uint32_t start = 0;
        uint32_t end = 0;
        if (!bounds(record, start, end))
            return false;
        size = end - start;
        return true;
    }
    bool bytes(unsigned record, cByteReader& recordReader) const {
        uint32_t start = 0;
        uint32_t end = 0;
        if (!bounds(record, start, end))
            return false;
        recordReader = cByteReader(data_ + start, end - start);
        return true;
    }

private:
    // Where record i starts and where the next one does (the file's end after the last).
    bool bounds(unsigned record, uint32_t& start, uint32_t& end) const {
        if (record >= count_ || !offset(record, start))
            return false;
        end = static_cast<uint32_t>(size_);
        if (record + 1u < count_ && !offset(record + 1, end))
            return false;
        return end >= start;
    }

    const uint8_t* data_;
    size_t size_;
    uint16_t count_ = 0; // 0 when the header is too short to hold the count
};
