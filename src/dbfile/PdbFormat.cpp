#include "dbfile/PdbFormat.h"

#include <cstring>

bool ReadU16BE(cByteReader& in, uint16_t& value) { return in.readU16(value); }

bool ReadU32BE(cByteReader& in, uint32_t& value) { return in.readU32(value); }

bool ReadCString(cByteReader& in, std::string& text) { return in.readCString(text); }

bool SkipCString(cByteReader& in) {
    const uint8_t* start = in.data() + in.position();
    const void* end = in.remaining() ? std::memchr(start, 0, in.remaining()) : nullptr;
    if (!end) {
        in.skip(in.remaining());
        return false;
    }
    return in.skip(static_cast<const uint8_t*>(end) - start + 1);
}

void WritePdbHeader(cByteWriter& out, const char* name, uint32_t type, uint32_t creator,
                    uint16_t version, uint16_t recordCount) {
    char field[kPdbNameSize] = {};
    const char* text = (name && *name) ? name : "noname";
    std::strncpy(field, text, kPdbMaxNameLength);
    out.writeBytes(field, sizeof field);
    out.writeU16(kPdbBackupFlag);
    out.writeU16(version);
    out.writeU32(kPdbFixedDate);
    out.writeU32(kPdbFixedDate);
    out.writeU32(0); // last backup date
    out.writeU32(0); // modification number
    out.writeU32(0); // app-info offset
    out.writeU32(0); // sort-info offset
    out.writeU32(type);
    out.writeU32(creator);
    out.writeU32(0); // unique-ID seed
    out.writeU32(0); // next record list
    out.writeU16(recordCount);
}

bool ReadPdbName(cByteReader& in, std::string& name) {
    if (in.size() < kPdbNameSize)
        return false;
    const char* field = reinterpret_cast<const char*>(in.data());
    name.assign(field, strnlen(field, kPdbNameSize));
    return true;
}

namespace {

bool ReadU16At(cByteReader& in, size_t offset, uint16_t& value) {
    return in.seek(offset) && in.readU16(value);
}

bool ReadU32At(cByteReader& in, size_t offset, uint32_t& value) {
    return in.seek(offset) && in.readU32(value);
}

} // namespace

bool ReadVersion(cByteReader& in, uint16_t& version) {
    return ReadU16At(in, kPdbVersionOffset, version);
}

bool ReadType(cByteReader& in, uint32_t& type) { return ReadU32At(in, kPdbTypeOffset, type); }

bool ReadRecordCount(cByteReader& in, uint16_t& count) {
    return ReadU16At(in, kPdbRecordCountOffset, count);
}

bool SeekRecord(cByteReader& in, unsigned record) {
    uint32_t offset = 0;
    return cRecordList(in).offset(record, offset) && in.seek(offset);
}

bool RecordSize(cByteReader& in, unsigned record, uint32_t& size) {
    return cRecordList(in).size(record, size);
}

bool RecordBytes(cByteReader& in, unsigned record, cByteReader& recordReader) {
    return cRecordList(in).bytes(record, recordReader);
}

cRecordList::cRecordList(const cByteReader& file) : data_(file.data()), size_(file.size()) {
    if (size_ >= kPdbRecordCountOffset + 2)
        count_ = LoadU16BE(data_ + kPdbRecordCountOffset);
}
