#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <zlib.h>

#include "exchange/QuizAppImport.h"
#include "model/ByteStream.h"
#include "model/Database.h"
#include "support/TempDir.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::string_literals;

constexpr size_t kHeaderSize = 78;
constexpr size_t kAppInfoSize = 1596;

// One card record: category index, the two lengths and the stream, laid out as QuizApp does.
Bytes CardRecord(uint8_t category, uint16_t uncompressedLength, const Bytes& stream) {
    cByteWriter out;
    out.writeU32(0x12345678);
    out.writeBytes("\xAA\xAA\xAA\xAA", 4);
    out.writeU8(category);
    for (int i = 9; i < 42; ++i)
        out.writeU8(0xEE);
    out.writeU16(static_cast<uint16_t>(stream.size()));
    out.writeU16(uncompressedLength);
    out.writeBytes(stream.data(), stream.size());
    return out.bytes();
}

Bytes Compress(const std::string& text) {
    uLongf size = compressBound(text.size());
    Bytes stream(size);
    compress(stream.data(), &size, reinterpret_cast<const Bytef*>(text.data()), text.size());
    stream.resize(size);
    return stream;
}

Bytes Card(uint8_t category, const std::string& text) {
    return CardRecord(category, static_cast<uint16_t>(text.size()), Compress(text));
}

void PutText(Bytes& block, size_t offset, const std::string& text) {
    std::memcpy(block.data() + offset, text.data(), text.size());
}

// A flashcard module: header, record list, app-info block, then the card records.
struct cModule {
    std::string type = "flsh";
    std::string vendorId = "VNDR";
    std::string moduleId = "MODL";
    std::string vendorName = "Vendor";
    std::string moduleName = "Animals";
    std::string moduleCategory = "Nature";
    std::string moduleText = "About animals.";
    std::vector<std::string> categories; // up to 8 slots; "" leaves a slot empty
    std::vector<std::string> sides;
    std::vector<Bytes> records;
    int claimedRecordCount = -1;

    size_t appInfoOffset() const { return kHeaderSize + 8 * records.size(); }

    Bytes build() const {
        cByteWriter out;
        Bytes name(32, 0);
        out.writeBytes(name.data(), name.size());
        out.writeU16(0);
        out.writeU16(1);
        for (int field = 0; field < 4; ++field)
            out.writeU32(0);
        out.writeU32(static_cast<uint32_t>(appInfoOffset()));
        out.writeU32(0);
        out.writeBytes(type.data(), 4);
        out.writeBytes("QUIZ", 4);
        out.writeU32(0);
        out.writeU32(0);
        out.writeU16(static_cast<uint16_t>(claimedRecordCount >= 0 ? claimedRecordCount
                                                                   : int(records.size())));

        size_t offset = appInfoOffset() + kAppInfoSize;
        for (const Bytes& record : records) {
            out.writeU32(static_cast<uint32_t>(offset));
            out.writeU32(0);
            offset += record.size();
        }

        Bytes block(kAppInfoSize, 0xCC); // bytes between the fields are never read
        PutText(block, 0, vendorId);
        PutText(block, 4, moduleId);
        PutField(block, 26, 64, vendorName);
        PutField(block, 90, 192, moduleName);
        PutField(block, 282, 32, moduleCategory);
        PutField(block, 316, 512, moduleText);
        for (size_t slot = 0; slot < 8; ++slot) {
            PutField(block, 828 + 32 * slot, 32, slot < categories.size() ? categories[slot] : "");
            PutField(block, 1340 + 32 * slot, 32, slot < sides.size() ? sides[slot] : "");
        }
        out.writeBytes(block.data(), block.size());
        for (const Bytes& record : records)
            out.writeBytes(record.data(), record.size());
        return out.bytes();
    }

    static void PutField(Bytes& block, size_t offset, size_t width, const std::string& text) {
        std::memset(block.data() + offset, 0, width);
        PutText(block, offset, text.substr(0, width));
    }
};

class QuizAppImportTest : public ::testing::Test {
protected:
    int import(const Bytes& bytes) {
        WriteBytes(dir.file("module.pdb"), bytes);
        return ImportQuizAppModule(db, dir.file("module.pdb"));
    }

    std::string attributeName(uint32_t index) const {
        return db.attribute(index)->name.textOrEmpty();
    }

    // The term's values as "attribute:text" in list order.
    std::vector<std::string> values(uint32_t term) const {
        std::vector<std::string> result;
        const cTerm* t = db.term(term);
        for (uint32_t i = 0; i < t->values().count(); ++i) {
            auto* value = static_cast<const cAsciiValue*>(t->valueAt(i));
            EXPECT_EQ(value->mediaType(), MediaTypeAscii);
            result.push_back(std::to_string(value->attribute) + ":" + value->text.textOrEmpty());
        }
        return result;
    }

    cTempDir dir;
    cDatabase db;
};

using Strings = std::vector<std::string>;

// ---- results and their texts

TEST(QuizAppFailureTextTest, MapsResultsToTheShellsTexts) {
    EXPECT_EQ(QuizAppFailureText(QuizAppResultOk), 0);
    EXPECT_EQ(QuizAppFailureText(QuizAppResultNotFlashcards), 97);
    EXPECT_EQ(QuizAppFailureText(QuizAppResultUnknownType), 98);
    for (int result : {1, 3, 4, 5, 6})
        EXPECT_EQ(QuizAppFailureText(result), 96) << result;
}

TEST_F(QuizAppImportTest, MissingFileCannotBeOpened) {
    EXPECT_EQ(ImportQuizAppModule(db, dir.file("absent.pdb")), QuizAppResultCannotOpen);
}

TEST_F(QuizAppImportTest, TypeDecidesBeforeAnythingElse) {
    cModule module;
    module.records = {Card(0, "a\0b\0"s)};
    module.type = "mult";
    EXPECT_EQ(import(module.build()), QuizAppResultNotFlashcards);
    module.type = "VSDB";
    EXPECT_EQ(import(module.build()), QuizAppResultUnknownType);
    EXPECT_EQ(db.terms.count(), 0u);
    EXPECT_EQ(db.attributes.count(), 0u);
}

TEST_F(QuizAppImportTest, ShortHeaderAppInfoAndRecordList) {
    cModule module;
    module.records = {Card(0, "a\0b\0"s)};
    const Bytes whole = module.build();

    EXPECT_EQ(import(Bytes(whole.begin(), whole.begin() + 70)), QuizAppResultShortHeader);
    EXPECT_EQ(import(Bytes(whole.begin(), whole.begin() + 40)), QuizAppResultShortHeader);

    const size_t appInfoEnd = module.appInfoOffset() + kAppInfoSize;
    EXPECT_EQ(import(Bytes(whole.begin(), whole.begin() + appInfoEnd - 1)),
              QuizAppResultShortAppInfo);

    module.claimedRecordCount = 400; // the list would reach far past the end of the file
    EXPECT_EQ(import(module.build()), QuizAppResultShortRecordList);
    EXPECT_EQ(db.terms.count(), 0u);
}

// ---- cards that cannot be read or decompressed

TEST_F(QuizAppImportTest, UnreadableCardsEndTheImport) {
    const std::string text = "front\0back\0"s;
    Bytes corrupt = Card(0, text);
    corrupt[46] ^= 0xFF; // the zlib header
    const Bytes stream = Compress(text);
    Bytes truncatedStream = CardRecord(0, 11, Bytes(stream.begin(), stream.end() - 3));
    Bytes longerThanClaimed = CardRecord(0, 10, stream);
    Bytes shorterThanClaimed = CardRecord(0, 12, stream);
    Bytes noStream = CardRecord(0, 11, {});
    Bytes shortFields(30, 0);

    int which = 0;
    for (const Bytes& bad :
         {corrupt, truncatedStream, longerThanClaimed, shorterThanClaimed, noStream, shortFields}) {
        cModule module;
        module.records = {Card(0, text), bad, Card(0, text)};
        cDatabase fresh;
        WriteBytes(dir.file("bad.pdb"), module.build());
        EXPECT_EQ(ImportQuizAppModule(fresh, dir.file("bad.pdb")), QuizAppResultBadCard)
            << "bad card " << which;
        ++which;
    }
}

TEST_F(QuizAppImportTest, CardStreamMayRunIntoTheNextRecordButNotPastTheFile) {
    cModule module;
    Bytes first = Card(0, "front\0back\0"s);
    Bytes second = Card(0, "x\0y\0"s);
    first[42] = 0; // compressed length reaching into the second record
    first[43] = static_cast<uint8_t>(first.size() - 46 + 4);
    module.records = {first, second};
    ASSERT_EQ(import(module.build()), QuizAppResultOk);
    ASSERT_EQ(db.terms.count(), 2u);
    EXPECT_EQ(db.term(1)->values().count(), 2u);

    // The same length on the last card runs past the end of the file.
    module.records = {second, first};
    cDatabase pastTheEnd;
    WriteBytes(dir.file("end.pdb"), module.build());
    EXPECT_EQ(ImportQuizAppModule(pastTheEnd, dir.file("end.pdb")), QuizAppResultBadCard);

    module.records = {Card(0, "front\0back\0"s)};
    Bytes whole = module.build();
    whole.pop_back();
    cDatabase cut;
    WriteBytes(dir.file("cut.pdb"), whole);
    EXPECT_EQ(ImportQuizAppModule(cut, dir.file("cut.pdb")), QuizAppResultBadCard);
}

TEST_F(QuizAppImportTest, RecordOffsetPastTheEndIsABadCard) {
    cModule module;
    module.records = {Card(0, "a\0b\0"s)};
    Bytes whole = module.build();
    whole[78] = 0x7F; // data offset of record 0
    EXPECT_EQ(import(whole), QuizAppResultBadCard);
}

// ---- the database built from a module

TEST_F(QuizAppImportTest, NameAndDescription) {
    cModule module;
    module.moduleName = "A module name of exactly forty chars!!!!";
    module.moduleCategory = std::string(32, 'c'); // fills its field without a NUL
    ASSERT_EQ(module.moduleName.size(), 40u);
    ASSERT_EQ(import(module.build()), QuizAppResultOk);

    EXPECT_STREQ(db.name.text(), "A module name of exactly forty ");
    EXPECT_EQ(std::string(db.description.textOrEmpty()),
              "Module Name: A module name of exactly forty chars!!!!\r\n\r\n"
              "Module ID: MODL\r\n\r\n"
              "Vendor Name: Vendor\r\n\r\n"
              "Vendor ID: VNDR\r\n\r\n"
              "Category: " +
                  std::string(32, 'c') +
                  "\r\n\r\n"
                  "About animals.");
    EXPECT_EQ(db.terms.count(), 0u);
}

TEST_F(QuizAppImportTest, SideNamesNameTheAttributes) {
    cModule module;
    ASSERT_EQ(import(module.build()), QuizAppResultOk);
    ASSERT_EQ(db.attributes.count(), 2u);
    EXPECT_EQ(attributeName(0), "Front of Card");
    EXPECT_EQ(attributeName(1), "Back of Card");
    EXPECT_EQ(db.attribute(1)->mediaType, MediaTypeAscii);

    cDatabase twoSides;
    module.sides = {"English", "German", "", "Ignored"};
    WriteBytes(dir.file("sides.pdb"), module.build());
    ASSERT_EQ(ImportQuizAppModule(twoSides, dir.file("sides.pdb")), QuizAppResultOk);
    ASSERT_EQ(twoSides.attributes.count(), 3u);
    EXPECT_STREQ(twoSides.attribute(0)->name.text(), "Front of Card");
    EXPECT_STREQ(twoSides.attribute(1)->name.text(), "English");
    EXPECT_STREQ(twoSides.attribute(2)->name.text(), "German");
}

TEST_F(QuizAppImportTest, CardsBecomeTermsWithMemberships) {
    cModule module;
    module.categories = {"Pets", "Wild", "", "Ignored"};
    module.records = {Card(1, "front\0back\0"s), Card(0, "dog\0Hund\0"s), Card(7, "x\0"s)};
    ASSERT_EQ(import(module.build()), QuizAppResultOk);

    ASSERT_EQ(db.categories.count(), 2u);
    EXPECT_STREQ(db.category(1)->name.text(), "Wild");
    EXPECT_EQ(db.category(1)->group, 0u);
    ASSERT_EQ(db.terms.count(), 3u);
    EXPECT_EQ(values(0), (Strings{"0:front", "1:back"}));
    EXPECT_EQ(values(1), (Strings{"0:dog", "1:Hund"}));
    EXPECT_TRUE(db.category(1)->isMember(0));
    EXPECT_FALSE(db.category(0)->isMember(0));
    EXPECT_TRUE(db.category(0)->isMember(1));
    // Index 7 names no category: the card stays in none.
    EXPECT_EQ(db.category(0)->members.count() + db.category(1)->members.count(), 2u);
}

TEST_F(QuizAppImportTest, EmptyFirstCategorySlotMeansNoCategories) {
    cModule module;
    module.categories = {"", "Wild", "Pets"};
    module.records = {Card(0, "a\0b\0"s), Card(1, "c\0d\0"s)};
    ASSERT_EQ(import(module.build()), QuizAppResultOk);
    EXPECT_EQ(db.categories.count(), 0u);
    EXPECT_EQ(db.terms.count(), 2u);
}

TEST_F(QuizAppImportTest, RunsOfNulsGiveTheAttributeIndex) {
    cModule module;
    module.sides = {"Back", "Note", "Extra"};
    module.records = {Card(0, "front\0\0other\0"s), Card(0, "front\0b\0c\0"s),
                      Card(0, "front\0\0\0back"s), Card(0, "a\\nb\0x\0\0\0"s),
                      Card(0, "front\0\0\0\0beyond\0b\0"s)};
    ASSERT_EQ(import(module.build()), QuizAppResultOk);
    EXPECT_EQ(values(0), (Strings{"0:front", "2:other"}));
    EXPECT_EQ(values(1), (Strings{"0:front", "1:b", "1:c"}));
    EXPECT_EQ(values(2), (Strings{"0:front", "3:back"})); // no NUL after the last string
    EXPECT_EQ(values(3), (Strings{"0:a\\nb", "1:x"}));    // kept as it stands
    // A run naming no attribute (4 of 0..3) is left out; the strings after it stay.
    EXPECT_EQ(values(4), (Strings{"0:front", "1:b"}));
}

TEST_F(QuizAppImportTest, CardStartingWithNulHasAnEmptyFrontValue) {
    cModule module;
    module.records = {Card(0, "\0back\0"s), Card(0, "")};
    ASSERT_EQ(import(module.build()), QuizAppResultOk);
    ASSERT_EQ(db.terms.count(), 2u);
    EXPECT_EQ(values(0), (Strings{"0:", "1:back"}));
    EXPECT_EQ(values(1), (Strings{"0:"}));
    EXPECT_TRUE(db.term(0)->valueAt(0)->isEmpty());
}

} // namespace
