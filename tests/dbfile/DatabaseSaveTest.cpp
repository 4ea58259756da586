#include <gtest/gtest.h>

#include <random>
#include <string>

#include "dbfile/DatabaseCheck.h"
#include "dbfile/DiagnosticLog.h"
#include "dbfile/PdbFormat.h"
#include "model/Database.h"
#include "model/Limits.h"
#include "support/FailingFileSystem.h"
#include "support/TempDir.h"
#include "text/TextIds.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Saved(cDatabase& db, const cTempDir& dir) {
    db.path.assign(dir.file("db.PDB").c_str());
    EXPECT_EQ(db.save(), 0);
    return ReadBytes(dir.file("db.PDB"));
}

Bytes Record(const Bytes& file, unsigned record) {
    cByteReader in(file);
    cByteReader data(nullptr, 0);
    EXPECT_TRUE(RecordBytes(in, record, data));
    return Bytes(data.data(), data.data() + data.size());
}

uint32_t EntryOffset(const Bytes& file, unsigned record) {
    size_t at = kPdbHeaderSize + kPdbRecordEntrySize * record;
    return (uint32_t(file[at]) << 24) | (file[at + 1] << 16) | (file[at + 2] << 8) | file[at + 3];
}

int AddAttribute(cDatabase& db, uint16_t media, const char* name) {
    int index = db.addAttribute(media);
    db.renameAttribute(index, name);
    return index;
}

} // namespace

TEST(DatabaseSave, OneTermDatabaseIsByteExact) {
    cTempDir dir;
    cDatabase db;
    db.name.assign("Demo");
    AddAttribute(db, MediaTypeAscii, "Word");
    db.setValue(db.addTerm(), 0, "hi");

    Bytes file = Saved(db, dir);
    ASSERT_EQ(file.size(), 132u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data())), "Demo");
    EXPECT_EQ(file[77], 4) << "record count";
    EXPECT_EQ(EntryOffset(file, 0), 110u);
    EXPECT_EQ(EntryOffset(file, 1), 112u);
    EXPECT_EQ(EntryOffset(file, 2), 116u);
    EXPECT_EQ(EntryOffset(file, 3), 127u);
    EXPECT_EQ(Record(file, 0), (Bytes{0, 0}));
    EXPECT_EQ(Record(file, 1), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Record(file, 2), (Bytes{0, 0, 0, 1, 0, 1, 'W', 'o', 'r', 'd', 0}));
    EXPECT_EQ(Record(file, 3), (Bytes{0, 0, 'h', 'i', 0}));
}

TEST(DatabaseSave, EmptyDatabaseHasThreeRecordsAndNoname) {
    cTempDir dir;
    cDatabase db;
    Bytes file = Saved(db, dir);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data())), "noname");
    EXPECT_EQ(file[77], 3);
    EXPECT_EQ(EntryOffset(file, 0), 102u);
    EXPECT_EQ(Record(file, 0), (Bytes{0, 0}));
    EXPECT_EQ(file.size(), 102u + 2 + 4 + 4);
}

TEST(DatabaseSave, CategoryMembersArePackedIntoRuns) {
    cTempDir dir;
    cDatabase db;
    AddAttribute(db, MediaTypeAscii, "Word");
    for (int i = 0; i < 6; ++i)
        db.addTerm();
    cCategory* category = db.category(db.addCategory());
    db.renameCategory(0, "Verbs");
    for (uint32_t term : {5u, 1u, 0u, 2u})
        category->addMember(term);

    Bytes record = Record(Saved(db, dir), 1);
    const Bytes verbs = {0, 0, 'V', 'e', 'r', 'b', 's', 0, 0, 0, 0, 2,
                         0, 0, 0,   0,   0,   3,   0,   0, 0, 5, 0, 1};
    ASSERT_GE(record.size(), 28u);
    EXPECT_EQ(Bytes(record.begin() + 4, record.begin() + 28), verbs);
    // Terms 3 and 4 are in no group-0 category, so Uncategorized follows with one run (3, 2).
    EXPECT_EQ(record[3], 2);
    EXPECT_EQ(Bytes(record.end() - 10, record.end()), (Bytes{0, 0, 0, 1, 0, 0, 0, 3, 0, 2}));
    EXPECT_EQ(db.categories.count(), 1u);
}

TEST(DatabaseSave, MemberPastTheLastTermIsDroppedUnlessItExtendsARun) {
    cTempDir dir;
    cDatabase db;
    for (int i = 0; i < 3; ++i)
        db.addTerm();
    cCategory* category = db.category(db.addCategory());
    category->group = 1; // keeps Uncategorized out of the picture
    for (uint32_t term : {1u, 2u, 3u, 7u})
        category->addMember(term);
    Bytes record = Record(Saved(db, dir), 1);
    // One run (1, 3): 3 extends the run, 7 is dropped.
    EXPECT_EQ(record, (Bytes{0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 3}));
}

TEST(DatabaseSave, RunsCoverEachMemberOnceUpToTheLastTerm) {
    struct sCase {
        std::vector<uint32_t> entries;
        std::vector<std::pair<uint32_t, uint16_t>> runs;
    } cases[] = {
        {{3, 4}, {{3, 2}}},                    // the last member is the last term: one run
        {{4}, {{4, 1}}},                       //
        {{0, 1, 2, 3, 4}, {{0, 5}}},           //
        {{0, 2, 4}, {{0, 1}, {2, 1}, {4, 1}}}, //
        {{1, 1, 2, 2, 2}, {{1, 2}}},           // an entry named twice is one member
        {{4, 3, 4, 3}, {{3, 2}}},              //
    };
    for (const sCase& c : cases) {
        cTempDir dir;
        cDatabase db;
        for (int i = 0; i < 5; ++i)
            db.addTerm();
        cCategory* category = db.category(db.addCategory());
        category->group = 1;
        for (uint32_t term : c.entries)
            category->addMember(term);
        const Bytes record = Record(Saved(db, dir), 1);
        Bytes expected = {0, 0, 0, 1, 0, 1, 0, 0, 0, 0, uint8_t(c.runs.size())};
        for (const auto& run : c.runs)
            expected.insert(expected.end(), {0, 0, uint8_t(run.first >> 8), uint8_t(run.first),
                                             uint8_t(run.second >> 8), uint8_t(run.second)});
        EXPECT_EQ(record, expected) << c.entries.size() << " entries from " << c.entries[0];
    }
}

TEST(DatabaseSave, EntriesAddedOutOfOrderAfterASortedRunJoinIt) {
    cTempDir dir;
    cDatabase db;
    for (int i = 0; i < 8; ++i)
        db.addTerm();
    cCategory* category = db.category(db.addCategory());
    category->group = 1;
    // A sorted start, then entries added later (as a paste adds them) that fall inside it.
    for (uint32_t term : {0u, 1u, 4u, 5u, 7u, 3u, 2u})
        category->addMember(term);
    Bytes record = Record(Saved(db, dir), 1);
    // Runs (0, 6) and (7, 1).
    EXPECT_EQ(record, (Bytes{0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 6, 0, 0, 0, 7, 0, 1}));
}

TEST(DatabaseSave, UncategorizedHoldsTheUncoveredTermsOnlyInTheFile) {
    cTempDir dir;
    cDatabase db;
    for (int i = 0; i < 4; ++i)
        db.addTerm();
    db.category(db.addCategory())->addMember(1);
    db.renameCategory(0, "A");
    Bytes record = Record(Saved(db, dir), 1);
    EXPECT_EQ(record,
              (Bytes{0, 0, 0,   2,                                                   //
                     0, 0, 'A', 0,   0,   0,   0,   1,   0,   0,   0,   1,   0,   1, //
                     0, 0, 'U', 'n', 'c', 'a', 't', 'e', 'g', 'o', 'r', 'i', 'z', 'e', 'd', 0,
                     0, 0, 0,   2,   0,   0,   0,   0,   0,   1,   0,   0,   0,   2,   0,   2}));
    EXPECT_EQ(db.categories.count(), 1u);
}

TEST(DatabaseSave, NoUncategorizedWhenGroupZeroIsUnusedOrCoversEveryTerm) {
    cTempDir dir;
    cDatabase db;
    db.addTerm();
    db.addTerm();
    db.addCategory(); // group 0, no members
    EXPECT_EQ(Record(Saved(db, dir), 1), (Bytes{0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(DatabaseSave, ValuesAreStoredInFileForm) {
    cTempDir dir;
    cDatabase db;
    AddAttribute(db, MediaTypeAscii, "");
    AddAttribute(db, MediaTypeUnicode, "");
    int32_t term = db.addTerm();
    db.setValue(term, 1, u"\u05D0");
    db.setValue(term, 0, "a\\nb");
    int32_t empty = db.addTerm();
    db.term(empty)->changeValues().append(db.createValue(0, ""));

    Bytes file = Saved(db, dir);
    EXPECT_EQ(Record(file, 3),
              (Bytes{0, 1, 0x20, 0x2B, 0x05, 0xD0, 0, 0, 0, 0, 'a', 0x0A, 'b', 0}));
    EXPECT_EQ(Record(file, 4), (Bytes{0, 0, 0}));
}

TEST(DatabaseSave, UsedUnicodeBlocksKeepTheOrderOfFirstUse) {
    cTempDir dir;
    cDatabase db;
    AddAttribute(db, MediaTypeUnicode, "");
    AddAttribute(db, MediaTypeAscii, "");
    db.setValue(db.addTerm(), 0, u"\u4E2DA\u4E2D");
    db.setValue(db.addTerm(), 0, u"\u0500B\u05D0");
    db.setValue(1, 1, "ascii is not looked at");
    db.description.assign("d");
    EXPECT_EQ(Record(Saved(db, dir), 0), (Bytes{'d', 0, 4, 70, 0, 255, 10}));
}

TEST(DatabaseSave, MoreTermsThanAFileHoldsAreRefusedAndTheFileKept) {
    cTempDir dir;
    cDatabase db;
    std::string path = dir.file("db.PDB");
    WriteBytes(path, {'o', 'l', 'd'});
    db.path.assign(path.c_str());
    for (uint32_t i = 0; i <= MaxTermCount; ++i)
        db.terms.append(new cTerm);
    EXPECT_EQ(db.save(), 1);
    EXPECT_EQ(ReadBytes(path), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(SaveFailureText(db), TextTooManyTermsToSave);

    db.deleteTerms({0});
    EXPECT_EQ(db.save(), 0) << "exactly 65,532 terms fit";
    EXPECT_EQ(ReadBytes(path)[76], 0xFF);
    EXPECT_EQ(ReadBytes(path)[77], 0xFF);
    EXPECT_EQ(SaveFailureText(db), TextSaveFailed);
}

TEST(DatabaseSave, FailedWriteKeepsThePreviousFileAndReportsFailure) {
    cTempDir dir;
    cDatabase db;
    db.name.assign("new");
    std::string path = dir.file("db.PDB");
    WriteBytes(path, {'o', 'l', 'd'});
    db.path.assign(path.c_str());
    cFailingFileSystem fs;
    fs.bytesBeforeFailure = 50;
    EXPECT_EQ(db.save(), 1);
    EXPECT_EQ(ReadBytes(path), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(DatabaseSave, UnwritablePathFailsWithALogLine) {
    cDatabase db;
    db.path.assign("/nonexistent-directory/db.PDB");
    ClearDiagnosticLog();
    EXPECT_EQ(db.save(), 1);
    EXPECT_EQ(DiagnosticLog().rfind("cDatabase::save: ", 0), 0u);
    EXPECT_NE(DiagnosticLog().find("(/nonexistent-directory/db.PDB)\n"), std::string::npos);
}

TEST(DatabaseSave, ASaveAfterAnyChangeWritesWhatAFreshSaveWrites) {
    // A save copies the records of the terms whose values did not change since the save
    // before; whatever changed in between, the file must be the one a copy of the database
    // (whose terms no save has written) gives.
    std::mt19937 random(11);
    auto pick = [&random](uint32_t below) {
        return std::uniform_int_distribution<uint32_t>(0, below - 1)(random);
    };
    // Latin, Cyrillic, CJK and Hebrew (which gets the right-to-left mark) units.
    const char16_t units[] = {u'a', u'\\', 0x0416, 0x4E2D, 0x05D0, 0x00E9};
    auto unicodeText = [&] {
        std::u16string text;
        for (uint32_t n = 1 + pick(4); n > 0; --n)
            text += units[pick(6)];
        return text;
    };
    cTempDir dir;
    cDatabase db;
    for (const char* kinds = "AUAU"; *kinds; ++kinds)
        db.addAttribute(*kinds == 'U' ? MediaTypeUnicode : MediaTypeAscii);
    for (int i = 0; i < 30; ++i)
        db.addTerm();
    Saved(db, dir);
    for (int step = 0; step < 200; ++step) {
        const uint32_t terms = db.terms.count();
        const uint32_t attribute = pick(db.attributes.count());
        const uint16_t media = db.attribute(attribute)->mediaType;
        switch (pick(8)) {
        case 0:
        case 1:
            if (media == MediaTypeUnicode)
                db.setValue(pick(terms), attribute, unicodeText().c_str());
            else
                db.setValue(pick(terms), attribute, pick(2) ? "word" : "a\\nb");
            break;
        case 2:
            db.removeValue(pick(terms), attribute);
            break;
        case 3:
            db.copyTerms({pick(terms)}, pick(terms + 1));
            break;
        case 4:
            if (terms > 10)
                db.deleteTerms({pick(terms), pick(terms)});
            break;
        case 5:
            db.setTermValues(pick(terms), *db.term(pick(terms)));
            break;
        case 6:
            db.moveTerm(pick(terms), pick(terms + 1));
            break;
        default:
            if (db.attributes.count() > 2)
                db.deleteAttribute(pick(db.attributes.count()));
            db.addAttribute(pick(2) ? MediaTypeUnicode : MediaTypeAscii);
            break;
        }
        const Bytes saved = Saved(db, dir);
        const Bytes savedAgain = Saved(db, dir); // every record kept where it is
        cDatabase copy;
        copy.copyFrom(db);
        const Bytes fresh = Saved(copy, dir);
        ASSERT_EQ(saved, fresh) << "step " << step;
        ASSERT_EQ(savedAgain, fresh) << "step " << step;
        Saved(db, dir); // the next save has this database's records to copy again
    }
}
