#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <sys/stat.h>

#include "dbfile/DatabaseCheck.h"
#include "dbfile/DatabaseFiles.h"
#include "dbfile/DatabaseFormat.h"
#include "dbfile/DiagnosticLog.h"
#include "dbfile/FileFailure.h"
#include "dbfile/PdbFormat.h"
#include "model/Database.h"
#include "support/RecordingSink.h"
#include "support/NonRegularFiles.h"
#include "support/TempDir.h"
#include "text/Platform.h"
#include "text/TextIds.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A small database touching every record: both media types, a right-to-left value, a
// multi-line Ascii value, categories of two groups.
void FillSample(cDatabase& db) {
    db.name.assign("Sample");
    db.description.assign("two\\nlines");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
    db.renameAttribute(db.addAttribute(MediaTypeUnicode), "Meaning");
    for (int i = 0; i < 5; ++i)
        db.addTerm();
    db.setValue(0, 0, "a\\nb\\\\c");
    db.setValue(0, 1, u"\u05D0\u05D1");
    db.setValue(1, 1, u"\u4E2D\u6587");
    db.setValue(3, 0, "x");
    db.renameCategory(db.addCategory(), "Verbs");
    db.category(0)->addMember(0);
    db.category(0)->addMember(3);
    db.categories.append(new cCategory(2, "Uncategorized"));
    db.category(1)->addMember(4);
}

Bytes SaveTo(cDatabase& db, const std::string& path) {
    db.path.assign(path.c_str());
    EXPECT_EQ(db.save(), 0);
    return ReadBytes(path);
}

int LoadFrom(const std::string& path, cDatabase& db) {
    db.path.assign(path.c_str());
    return db.load();
}

void PatchU16(Bytes& file, size_t at, uint16_t value) {
    file[at] = static_cast<uint8_t>(value >> 8);
    file[at + 1] = static_cast<uint8_t>(value);
}

} // namespace

TEST(DatabaseLoad, SavedDatabaseLoadsBackUnchanged) {
    cTempDir dir;
    cDatabase original;
    FillSample(original);
    Bytes first = SaveTo(original, dir.file("a.PDB"));

    cDatabase loaded;
    ASSERT_EQ(LoadFrom(dir.file("a.PDB"), loaded), LoadResultOk);
    EXPECT_STREQ(loaded.name.text(), "Sample");
    EXPECT_STREQ(loaded.description.text(), "two\\nlines") << "descriptions are not unescaped";
    ASSERT_EQ(loaded.attributes.count(), 2u);
    EXPECT_EQ(loaded.attribute(1)->mediaType, MediaTypeUnicode);
    ASSERT_EQ(loaded.terms.count(), 5u);
    auto* ascii = static_cast<const cAsciiValue*>(loaded.term(0)->findValue(0));
    EXPECT_STREQ(ascii->text.text(), "a\\nb\\\\c");
    auto* hebrew = static_cast<const cUnicodeValue*>(loaded.term(0)->findValue(1));
    EXPECT_EQ(std::u16string(hebrew->text(), hebrew->length()), u"\u05D0\u05D1")
        << "the right-to-left mark is dropped";
    EXPECT_EQ(loaded.term(2)->values().count(), 0u);
    ASSERT_EQ(loaded.categories.count(), 2u) << "group-0 Uncategorized is gone, group 2 stays";
    EXPECT_TRUE(loaded.category(0)->isMember(1) == false && loaded.category(0)->isMember(3));
    EXPECT_STREQ(loaded.category(1)->name.text(), "Uncategorized");

    EXPECT_EQ(SaveTo(loaded, dir.file("b.PDB")), first);
}

// A loaded database's Ascii texts stay in the file's bytes: they must outlive the database
// wherever they go (the undo history's taken terms, a merge, a copy) and stay editable. The
// address sanitizer's run catches bytes freed too early or never.
TEST(DatabaseLoad, LoadedTextsOutliveTheirDatabaseAndStayEditable) {
    cTempDir dir;
    cDatabase original;
    FillSample(original);
    original.setValue(2, 0, "kept after the database is gone");
    original.setValue(4, 0, "truncated here");
    SaveTo(original, dir.file("a.PDB"));

    auto loaded = std::make_unique<cDatabase>();
    ASSERT_EQ(LoadFrom(dir.file("a.PDB"), *loaded), LoadResultOk);
    std::vector<cTerm*> taken = loaded->takeTerms({0, 2, 4});
    cDatabase merged;
    ASSERT_EQ(merged.merge(dir.file("a.PDB").c_str()), 0);
    auto* copy = static_cast<cAsciiValue*>(taken[1]->findValue(0)->clone());
    loaded.reset();

    auto textOf = [](const cTerm* term) {
        return std::string(static_cast<const cAsciiValue*>(term->findValue(0))->text.text());
    };
    EXPECT_EQ(textOf(taken[0]), "a\\nb\\\\c");
    EXPECT_EQ(textOf(taken[1]), "kept after the database is gone");
    EXPECT_STREQ(copy->text.text(), "kept after the database is gone");
    static_cast<cAsciiValue*>(taken[2]->findValueToChange(0))->text.truncate(9);
    EXPECT_EQ(textOf(taken[2]), "truncated");
    static_cast<cAsciiValue*>(taken[1]->findValueToChange(0))->setText("replaced");
    EXPECT_EQ(textOf(taken[1]), "replaced");
    EXPECT_EQ(textOf(merged.term(3)), "x");
    copy->destroy();
    for (cTerm* term : taken)
        term->destroy();
}

TEST(DatabaseLoad, OtherCreatorLoadsAndOtherVersionIsRefused) {
    cTempDir dir;
    cDatabase db;
    FillSample(db);
    Bytes file = SaveTo(db, dir.file("a.PDB"));

    std::memcpy(file.data() + kPdbCreatorOffset, "Othr", 4);
    WriteBytes(dir.file("creator.PDB"), file);
    cDatabase other;
    EXPECT_EQ(LoadFrom(dir.file("creator.PDB"), other), LoadResultOk);
    EXPECT_EQ(CheckDatabaseFile(dir.file("creator.PDB")), 0);

    PatchU16(file, kPdbVersionOffset, 11);
    WriteBytes(dir.file("version.PDB"), file);
    cDatabase newer;
    EXPECT_EQ(LoadFrom(dir.file("version.PDB"), newer), LoadResultBadVersion);

    cRecordingSink sink;
    cDatabase shown;
    EXPECT_EQ(LoadDatabaseFile(dir.file("version.PDB"), shown), 1);
    EXPECT_TRUE(sink.showedOnly(TextCaptionError, TextBadVersion));
}

TEST(DatabaseLoad, RightToLeftEmbeddingAtTheStartSurvivesOnlyWithRightToLeftText) {
    cTempDir dir;
    cDatabase db;
    db.addAttribute(MediaTypeUnicode);
    db.setValue(db.addTerm(), 0, u"\u202Babc");
    db.setValue(db.addTerm(), 0, u"\u202B\u05D0");
    SaveTo(db, dir.file("a.PDB"));
    cDatabase loaded;
    ASSERT_EQ(LoadFrom(dir.file("a.PDB"), loaded), LoadResultOk);
    auto text = [&](uint32_t term) {
        auto* value = static_cast<const cUnicodeValue*>(loaded.term(term)->findValue(0));
        return std::u16string(value->text(), value->length());
    };
    EXPECT_EQ(text(0), u"abc");
    EXPECT_EQ(text(1), u"\u202B\u05D0");
}

TEST(DatabaseLoad, ValueOfAnUnknownAttributeEndsItsTermOnly) {
    cTempDir dir;
    cDatabase db;
    db.addAttribute(MediaTypeAscii);
    db.addAttribute(MediaTypeAscii);
    int32_t term = db.addTerm();
    db.setValue(term, 1, "gone");
    db.setValue(term, 0, "lost too");
    db.setValue(db.addTerm(), 0, "kept");
    Bytes file = SaveTo(db, dir.file("a.PDB"));
    // Point the first value of term 0 at attribute 7.
    cByteReader in(file);
    ASSERT_TRUE(SeekRecord(in, 3));
    PatchU16(file, in.position(), 7);
    WriteBytes(dir.file("b.PDB"), file);

    cDatabase loaded;
    ASSERT_EQ(LoadFrom(dir.file("b.PDB"), loaded), LoadResultOk);
    EXPECT_EQ(loaded.term(0)->values().count(), 0u);
    EXPECT_EQ(loaded.term(1)->values().count(), 1u);
}

TEST(DatabaseCheck, RefusesWithTheMessageOfEachFault) {
    cTempDir dir;
    cDatabase db;
    FillSample(db);
    Bytes good = SaveTo(db, dir.file("good.PDB"));
    cRecordingSink sink;

    ClearDiagnosticLog();
    EXPECT_EQ(CheckDatabaseFile(dir.file("missing.PDB")), 1);
    EXPECT_TRUE(sink.showedOnly(TextCaptionError, TextFileMissing));
    cDatabase missing;
    EXPECT_EQ(LoadFrom(dir.file("missing.PDB"), missing), LoadResultBadFormat);
    EXPECT_NE(DiagnosticLog().find("cDatabase::load: failed to open input file ("),
              std::string::npos);

    Bytes wrongType = good;
    std::memcpy(wrongType.data() + kPdbTypeOffset, "DATA", 4);
    WriteBytes(dir.file("type.PDB"), wrongType);
    sink.shown.clear();
    EXPECT_EQ(CheckDatabaseFile(dir.file("type.PDB")), 1);
    EXPECT_TRUE(sink.showedOnly(TextCaptionError, TextNotADatabase));

    Bytes twoRecords = good;
    PatchU16(twoRecords, kPdbRecordCountOffset, 2);
    WriteBytes(dir.file("two.PDB"), twoRecords);
    sink.shown.clear();
    EXPECT_EQ(CheckDatabaseFile(dir.file("two.PDB")), 1);
    EXPECT_TRUE(sink.showedOnly(TextCaptionError, TextFileCorrupt));
    cDatabase direct;
    EXPECT_EQ(LoadFrom(dir.file("two.PDB"), direct), LoadResultBadFormat);

    sink.shown.clear();
    UnicodePlatform = false;
    EXPECT_EQ(CheckDatabaseFile(dir.file("good.PDB")), 1);
    UnicodePlatform = true;
    EXPECT_TRUE(sink.showedOnly(TextCaptionError, TextUnicodeUnsupported));
    EXPECT_EQ(CheckDatabaseFile(dir.file("good.PDB")), 0);
}

TEST(DatabaseCheck, InputsThatAreNoFileAreReportedAsSuchWithTheirReason) {
    cTempDir dir;
    cDatabase db;
    FillSample(db);
    Bytes wrongType = SaveTo(db, dir.file("type.PDB"));
    std::memcpy(wrongType.data() + kPdbTypeOffset, "DATA", 4);
    WriteBytes(dir.file("type.PDB"), wrongType);
    WriteBytes(dir.file("locked.PDB"), wrongType);
    ::chmod(dir.file("locked.PDB").c_str(), 0);
    ::mkdir(dir.file("folder.PDB").c_str(), 0700);
    ::mkfifo(dir.file("fifo.PDB").c_str(), 0600);
    const bool socket = MakeSocket(dir.file("socket.PDB"));
    struct sCase {
        std::string path;
        int text;
        const char* reason;
    };
    const sCase cases[] = {
        {dir.file("missing.PDB"), TextFileMissing, "No such file or directory"},
        {dir.file("type.PDB/x.PDB"), TextFileMissing, "Not a directory"},
        {dir.file("folder.PDB"), TextNotARegularFile, "is a directory"},
        {dir.file("fifo.PDB"), TextNotARegularFile, "is a FIFO"},
        {"/dev/null", TextNotARegularFile, "is a device"},
        {socket ? dir.file("socket.PDB") : "/dev/zero", TextNotARegularFile,
         socket ? "is a socket" : "is a device"},
        {dir.file("type.PDB"), TextNotADatabase, "not a database file"},
        // Root reads it all the same.
        {dir.file("locked.PDB"), ::geteuid() == 0 ? TextNotADatabase : TextLoadFailed,
         ::geteuid() == 0 ? "not a database file" : "Permission denied"},
    };
    cRecordingSink sink;
    for (const sCase& c : cases) {
        sink.shown.clear();
        ClearFileFailure();
        EXPECT_EQ(CheckDatabaseFile(c.path), 1) << c.path;
        EXPECT_TRUE(sink.showedOnly(TextCaptionError, c.text)) << c.path;
        EXPECT_EQ(LastFileFailure().path, c.path);
        EXPECT_EQ(LastFileFailure().reason, c.reason) << c.path;

        // A merge reads without the check (and takes any type) and says the same.
        if (c.text == TextNotADatabase)
            continue;
        ClearFileFailure();
        cDatabase target;
        EXPECT_EQ(target.merge(c.path.c_str()), 1) << c.path;
        EXPECT_EQ(LastFileFailure().reason, c.reason) << c.path;
    }
}

TEST(DatabaseCheck, AsciiOnlyFilePassesWithoutUnicodeSupport) {
    cTempDir dir;
    cDatabase db;
    db.addAttribute(MediaTypeAscii);
    db.addAttribute(MediaTypeAscii);
    SaveTo(db, dir.file("a.PDB"));
    UnicodePlatform = false;
    EXPECT_EQ(CheckDatabaseFile(dir.file("a.PDB")), 0);
    UnicodePlatform = true;
}

TEST(DatabaseLoad, EveryTruncationIsRefusedOrFailsCleanly) {
    cTempDir dir;
    cDatabase db;
    FillSample(db);
    Bytes good = SaveTo(db, dir.file("good.PDB"));
    cByteReader in(good);
    ASSERT_TRUE(SeekRecord(in, 3 + 4));
    const size_t lastRecord = in.position();
    cRecordingSink sink;
    for (size_t length = 0; length < good.size(); ++length) {
        Bytes cut(good.begin(), good.begin() + length);
        WriteBytes(dir.file("cut.PDB"), cut);
        cDatabase loaded;
        // Only a cut inside the last record leaves every record inside the file, so only
        // that passes the check; no cut loads.
        EXPECT_EQ(CheckDatabaseFile(dir.file("cut.PDB")), length >= lastRecord ? 0 : 1) << length;
        EXPECT_NE(LoadFrom(dir.file("cut.PDB"), loaded), LoadResultOk) << length;
    }
}

TEST(DatabaseLoad, InconsistentCountsAndOffsetsFail) {
    cTempDir dir;
    cDatabase db;
    FillSample(db);
    Bytes good = SaveTo(db, dir.file("good.PDB"));
    cByteReader in(good);
    ASSERT_TRUE(SeekRecord(in, kAttributeRecord));
    const size_t attributeRecord = in.position();
    ASSERT_TRUE(SeekRecord(in, kCategoryRecord));
    const size_t categoryRecord = in.position();

    struct sCase {
        const char* what;
        size_t at;
        std::vector<uint8_t> bytes;
    };
    const sCase cases[] = {
        {"huge attribute count", attributeRecord, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"huge category count", categoryRecord, {0x7F, 0xFF, 0xFF, 0xFF}},
        {"huge run count", categoryRecord + 4 + 2 + 6, {0xFF, 0xFF, 0xFF, 0xF0}},
        {"record 1 before record 0", kPdbHeaderSize + 8, {0, 0, 0, 0}},
        {"record 2 past the end", kPdbHeaderSize + 16, {0x7F, 0, 0, 0}},
        {"record count past the list", kPdbRecordCountOffset, {0x40, 0}},
    };
    cRecordingSink sink;
    for (const sCase& c : cases) {
        Bytes file = good;
        std::memcpy(file.data() + c.at, c.bytes.data(), c.bytes.size());
        WriteBytes(dir.file("bad.PDB"), file);
        cDatabase loaded;
        EXPECT_EQ(LoadFrom(dir.file("bad.PDB"), loaded), LoadResultBadFormat) << c.what;
        sink.shown.clear();
        cDatabase opened;
        EXPECT_EQ(LoadDatabaseFile(dir.file("bad.PDB"), opened), 1) << c.what;
        ASSERT_EQ(sink.shown.size(), 1u) << c.what;
    }
}

TEST(DatabaseLoad, UnterminatedValueInTheLastRecordFails) {
    cTempDir dir;
    cDatabase db;
    db.addAttribute(MediaTypeAscii);
    db.setValue(db.addTerm(), 0, "abc");
    Bytes file = SaveTo(db, dir.file("a.PDB"));
    file.pop_back(); // the value's NUL
    WriteBytes(dir.file("b.PDB"), file);
    cDatabase loaded;
    EXPECT_EQ(LoadFrom(dir.file("b.PDB"), loaded), LoadResultBadFormat);
}

TEST(DatabaseLoad, RandomDatabasesSaveLoadAndSaveToTheSameBytes) {
    cTempDir dir;
    std::mt19937 random(20261208);
    for (int round = 0; round < 40; ++round) {
        cDatabase db;
        db.name.assign(("db" + std::to_string(round)).c_str());
        int attributes = 1 + random() % 5;
        for (int a = 0; a < attributes; ++a)
            db.addAttribute(random() % 2 ? MediaTypeAscii : MediaTypeUnicode);
        int terms = random() % 30;
        for (int t = 0; t < terms; ++t) {
            db.addTerm();
            for (int a = 0; a < attributes; ++a) {
                if (random() % 3 == 0)
                    continue;
                if (db.attribute(a)->mediaType == MediaTypeAscii) {
                    std::string text;
                    for (int k = random() % 6; k > 0; --k)
                        text += "ab\\n\\\\\\x\xE9"[random() % 8];
                    if (!text.empty() && text.back() == '\\')
                        text.pop_back(); // a lone trailing backslash does not survive
                    db.setValue(t, a, text.c_str());
                } else {
                    // A lone surrogate and the embedding marks are stored as they are.
                    const char16_t units[] = {u'a', 0x05D0, 0x4E2D, 0x0500, 0xD800, 0x202A};
                    std::u16string text;
                    for (int k = random() % 6; k > 0; --k)
                        text += units[random() % 6];
                    db.setValue(t, a, text.c_str());
                }
            }
        }
        int categories = random() % 6;
        for (int c = 0; c < categories; ++c) {
            db.categories.append(new cCategory(random() % 3, ("c" + std::to_string(c)).c_str()));
            for (int t = 0; t < terms; ++t)
                if (random() % 3 == 0)
                    db.category(c)->addMember(t);
        }

        Bytes first = SaveTo(db, dir.file("a.PDB"));
        cDatabase loaded;
        ASSERT_EQ(LoadFrom(dir.file("a.PDB"), loaded), LoadResultOk) << round;
        EXPECT_EQ(SaveTo(loaded, dir.file("b.PDB")), first) << round;
    }
}

TEST(DatabaseNameFromPath, TheFileNameUpToItsFirstDotCutTo31Characters) {
    const struct {
        std::string path;
        std::string name;
    } cases[] = {
        {"/data/" + std::string(40, 'n') + ".PDB", std::string(31, 'n')},
        {"/data.d/Words.backup.PDB", "Words"},
        {"Plain", "Plain"},
        {"/x/" + std::string(40, '\xC3') + ".PDB", std::string(31, '?')}, // not UTF-8
    };
    for (const auto& c : cases)
        EXPECT_EQ(DatabaseNameFromPath(c.path), c.name) << c.path;
}
