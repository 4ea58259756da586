#include <gtest/gtest.h>

#include <cstring>

#include "dbfile/PdbFormat.h"

namespace {

std::vector<uint8_t> HeaderWith(const char* name, uint16_t records) {
    cByteWriter out;
    WritePdbHeader(out, name, PdbFourCC("VSDB"), PdbFourCC("VeSk"), 10, records);
    return out.bytes();
}

// A container with records of the given sizes, filled with their own number.
std::vector<uint8_t> ContainerWith(const std::vector<uint32_t>& sizes) {
    cByteWriter out;
    WritePdbHeader(out, "x", PdbFourCC("VSDB"), PdbFourCC("VeSk"), 10,
                   static_cast<uint16_t>(sizes.size()));
    uint32_t offset = static_cast<uint32_t>(kPdbHeaderSize + kPdbRecordEntrySize * sizes.size());
    for (uint32_t size : sizes) {
        WriteRecordEntry(out, offset);
        offset += size;
    }
    for (size_t i = 0; i < sizes.size(); ++i)
        for (uint32_t k = 0; k < sizes[i]; ++k)
            out.writeU8(static_cast<uint8_t>(i));
    return out.bytes();
}

} // namespace

TEST(PdbHeader, FieldsAreWrittenBigEndianAtTheirOffsets) {
    std::vector<uint8_t> bytes = HeaderWith("Demo", 4);
    ASSERT_EQ(bytes.size(), kPdbHeaderSize);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "Demo");
    for (size_t i = 4; i < 32; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
    const uint8_t fixed[] = {0x00, 0x08, 0x00, 0x0A, 0xB4, 0x3A, 0x22, 0xDF, 0xB4, 0x3A, 0x22, 0xDF};
    EXPECT_EQ(0, std::memcmp(bytes.data() + 32, fixed, sizeof fixed));
    for (size_t i = 44; i < 60; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(0, std::memcmp(bytes.data() + 60, "VSDBVeSk", 8));
    for (size_t i = 68; i < 76; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(bytes[76], 0);
    EXPECT_EQ(bytes[77], 4);

    cByteReader in(bytes);
    std::string name;
    uint16_t version = 0, count = 0;
    uint32_t type = 0;
    ASSERT_TRUE(ReadPdbName(in, name) && ReadVersion(in, version) && ReadType(in, type) &&
                ReadRecordCount(in, count));
    EXPECT_EQ(name, "Demo");
    EXPECT_EQ(version, 10);
    EXPECT_EQ(type, PdbFourCC("VSDB"));
    EXPECT_EQ(count, 4);
}

TEST(PdbHeader, NameIsNonameWhenEmptyAndCutTo31Characters) {
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(HeaderWith("", 3).data())), "noname");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(HeaderWith(nullptr, 3).data())),
              "noname");

    std::string longName(40, 'n');
    std::vector<uint8_t> bytes = HeaderWith(longName.c_str(), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), std::string(31, 'n'));
    EXPECT_EQ(bytes[31], 0);
}

TEST(PdbHeader, NameFieldWithoutNulIsReadAsItsFull32Bytes) {
    std::vector<uint8_t> bytes = HeaderWith("x", 3);
    std::memset(bytes.data(), 'A', kPdbNameSize);
    cByteReader in(bytes);
    std::string name;
    ASSERT_TRUE(ReadPdbName(in, name));
    EXPECT_EQ(name, std::string(32, 'A'));
}

TEST(PdbHeader, ShortFilesFailEveryHeaderRead) {
    std::vector<uint8_t> bytes = HeaderWith("x", 3);
    bytes.resize(20);
    cByteReader in(bytes);
    std::string name;
    uint16_t value = 0;
    uint32_t type = 0;
    EXPECT_FALSE(ReadPdbName(in, name));
    EXPECT_FALSE(ReadVersion(in, value));
    EXPECT_FALSE(ReadType(in, type));
    EXPECT_FALSE(ReadRecordCount(in, value));
}

TEST(PdbRecords, SizesFollowFromOffsetsAndFileLength) {
    std::vector<uint8_t> bytes = ContainerWith({2, 0, 5});
    cByteReader in(bytes);
    uint32_t size = 99;
    ASSERT_TRUE(RecordSize(in, 0, size));
    EXPECT_EQ(size, 2u);
    ASSERT_TRUE(RecordSize(in, 1, size));
    EXPECT_EQ(size, 0u) << "two entries with one offset describe an empty record";
    ASSERT_TRUE(RecordSize(in, 2, size));
    EXPECT_EQ(size, 5u);
    EXPECT_FALSE(RecordSize(in, 3, size));

    bytes.push_back(7);
    cByteReader longer(bytes);
    ASSERT_TRUE(RecordSize(longer, 2, size));
    EXPECT_EQ(size, 6u) << "appended bytes belong to the last record";

    ASSERT_TRUE(SeekRecord(longer, 2));
    uint8_t first = 0;
    ASSERT_TRUE(longer.readU8(first));
    EXPECT_EQ(first, 2);
}

TEST(PdbRecords, OffsetsPastTheEndOrOutOfOrderFail) {
    std::vector<uint8_t> bytes = ContainerWith({2, 2, 2});
    // Record 1 now starts before record 0.
    bytes[kPdbHeaderSize + 8 + 3] = 0;
    cByteReader backwards(bytes);
    uint32_t size = 0;
    EXPECT_FALSE(RecordSize(backwards, 0, size));

    bytes = ContainerWith({2, 2, 2});
    bytes[kPdbHeaderSize + 16] = 0x7F; // record 2 far past the end
    cByteReader past(bytes);
    EXPECT_FALSE(SeekRecord(past, 2));
    EXPECT_FALSE(RecordSize(past, 2, size));

    bytes.resize(kPdbHeaderSize + 12); // the record list itself is cut
    cByteReader cut(bytes);
    EXPECT_FALSE(SeekRecord(cut, 1));
    EXPECT_FALSE(SeekRecord(cut, 2));
}

TEST(PdbStrings, ReadSkipAndWriteCStrings) {
    cByteWriter out;
    WriteCString(out, "ab");
    WriteCString(out, "");
    WriteU16BE(out, 0x1234);
    WriteU32BE(out, 0x89ABCDEF);
    const std::vector<uint8_t> expected = {'a', 'b', 0, 0, 0x12, 0x34, 0x89, 0xAB, 0xCD, 0xEF};
    EXPECT_EQ(out.bytes(), expected);

    cByteReader in(out.data(), out.size());
    std::string text;
    ASSERT_TRUE(ReadCString(in, text));
    EXPECT_EQ(text, "ab");
    EXPECT_TRUE(SkipCString(in));
    uint16_t u16 = 0;
    uint32_t u32 = 0;
    ASSERT_TRUE(ReadU16BE(in, u16) && ReadU32BE(in, u32));
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(u32, 0x89ABCDEFu);
    EXPECT_FALSE(ReadU16BE(in, u16));

    const std::vector<uint8_t> unterminated = {'a', 'b', 'c'};
    cByteReader open(unterminated);
    EXPECT_FALSE(ReadCString(open, text));
    EXPECT_EQ(open.position(), 0u) << "a failed read leaves the position alone";
    EXPECT_FALSE(SkipCString(open));
    EXPECT_TRUE(open.atEnd());
}
