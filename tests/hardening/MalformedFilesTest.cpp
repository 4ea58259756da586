// Hostile and broken files for every reader: each ends with its documented result, reads
// nothing outside the file (the sanitizer build checks that) and spends memory in proportion
// to the file, not to the counts written in it.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "SeedFiles.h"
#include "cli/Commands.h"
#include "dbfile/DatabaseCheck.h"
#include "dbfile/DatabaseFormat.h"
#include "dbfile/PdbFormat.h"
#include "exchange/ErganeImport.h"
#include "exchange/QuizAppImport.h"
#include "exchange/TextImport.h"
#include "hardening/AllocationMeter.h"
#include "model/Database.h"
#include "shell/AppState.h"
#include "shell/Settings.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "text/TextIds.h"

namespace {

using Bytes = std::vector<uint8_t>;

// No reader may allocate more than this for one of these small files in total.
constexpr size_t kAllocationBudget = 16u << 20;

// Runs a reader over bytes written to a file; returns its result.
class cReaderRun {
public:
    int database(const Bytes& bytes, cDatabase& db) {
        write("db.PDB", bytes);
        if (CheckDatabaseFile(dir_.file("db.PDB")) != 0)
            return -1; // refused before loading
        db.path.assign(dir_.file("db.PDB").c_str());
        return db.load();
    }
    int text(const Bytes& bytes, bool ownFormat, cDatabase& db) {
        write("in.txt", bytes);
        return ImportTextFile(db, dir_.file("in.txt"), ownFormat);
    }
    int ergane(const Bytes& bytes, cDatabase& db) {
        write("in.txt", bytes);
        return ImportErganeFile(db, dir_.file("in.txt"));
    }
    int quizApp(const Bytes& bytes, cDatabase& db) {
        write("in.pdb", bytes);
        return ImportQuizAppModule(db, dir_.file("in.pdb"));
    }
    int settings(const Bytes& bytes) {
        ResetAppState();
        EditorPaths.settingsDirectory = dir_.path();
        write("vesk_prefs.txt", bytes);
        LoadSettings();
        return 0;
    }
    std::vector<sSeedFile> seeds(const char* target) { return SeedFilesFor(target, dir_.path()); }

private:
    void write(const char* name, const Bytes& bytes) { WriteBytes(dir_.file(name), bytes); }

    cTempDir dir_;
};

class MalformedFiles : public ::testing::Test {
protected:
    void TearDown() override { ResetAppState(); }

    // Runs read, then checks the memory it took.
    template <class F> auto measured(const std::string& what, F read) {
        ResetAllocationFigures();
        auto result = read();
        sAllocationFigures figures = AllocationFigures();
        EXPECT_LT(figures.total, kAllocationBudget) << what;
        return result;
    }

    Bytes seed(const char* target, const char* name) {
        for (sSeedFile& file : run.seeds(target))
            if (file.name == name)
                return file.bytes;
        ADD_FAILURE() << "no seed " << name;
        return {};
    }

    cRecordingSink sink;
    cReaderRun run;
};

Bytes Cut(const Bytes& bytes, size_t length) {
    return Bytes(bytes.begin(), bytes.begin() + length);
}

void PutU16(Bytes& file, size_t at, uint16_t value) {
    file[at] = uint8_t(value >> 8);
    file[at + 1] = uint8_t(value);
}

void PutU32(Bytes& file, size_t at, uint32_t value) {
    PutU16(file, at, uint16_t(value >> 16));
    PutU16(file, at + 2, uint16_t(value));
}

uint32_t GetU32(const Bytes& file, size_t at) {
    return uint32_t(file[at]) << 24 | uint32_t(file[at + 1]) << 16 | uint32_t(file[at + 2]) << 8 |
           file[at + 3];
}

uint16_t GetU16(const Bytes& file, size_t at = kPdbRecordCountOffset) {
    return uint16_t(file[at] << 8 | file[at + 1]);
}

size_t RecordEntry(unsigned record) {
    return kPdbHeaderSize + kPdbRecordEntrySize * record;
}

} // namespace

// ---- every valid fixture, cut short at every byte

TEST_F(MalformedFiles, EveryDatabaseFixtureCutShortIsRefusedOrFails) {
    for (const sSeedFile& file : run.seeds("database")) {
        for (size_t length = 0; length < file.bytes.size(); ++length) {
            std::string what = file.name + " cut at " + std::to_string(length);
            cDatabase db;
            int result = measured(what, [&] { return run.database(Cut(file.bytes, length), db); });
            // A term record may be empty, so a cut just where the last one starts loads.
            const unsigned last = GetU16(file.bytes) - 1;
            if (last >= kFirstTermRecord && length == GetU32(file.bytes, RecordEntry(last)))
                EXPECT_EQ(result, LoadResultOk) << what;
            else
                EXPECT_TRUE(result == -1 || result == LoadResultBadFormat)
                    << what << ": " << result;
        }
    }
}

TEST_F(MalformedFiles, EveryTextFixtureCutShortImportsAPrefixOrFails) {
    for (const sSeedFile& file : run.seeds("text")) {
        for (bool ownFormat : {true, false}) {
            cDatabase whole;
            run.text(file.bytes, ownFormat, whole);
            for (size_t length = 0; length < file.bytes.size(); ++length) {
                std::string what = file.name + (ownFormat ? " as Vesk Text" : " as tabs") +
                                   " cut at " + std::to_string(length);
                cDatabase db;
                int result = measured(
                    what, [&] { return run.text(Cut(file.bytes, length), ownFormat, db); });
                EXPECT_TRUE(result == 0 || result == 1) << what;
                EXPECT_LE(db.terms.count(), whole.terms.count() + 1) << what;
            }
        }
    }
}

TEST_F(MalformedFiles, EveryErganeFixtureCutShortImportsFewerEntries) {
    for (const sSeedFile& file : run.seeds("ergane")) {
        cDatabase whole;
        ASSERT_EQ(run.ergane(file.bytes, whole), ErganeResultOk);
        ASSERT_EQ(whole.terms.count(), 2u);
        for (size_t length = 0; length < file.bytes.size(); ++length) {
            std::string what = file.name + " cut at " + std::to_string(length);
            cDatabase db;
            EXPECT_EQ(measured(what, [&] { return run.ergane(Cut(file.bytes, length), db); }),
                      ErganeResultOk)
                << what;
            EXPECT_LE(db.terms.count(), whole.terms.count()) << what;
            EXPECT_EQ(db.attributes.count(), 2u) << what;
        }
    }
}

TEST_F(MalformedFiles, QuizAppModuleCutShortFailsWithTheResultOfWhereItEnds) {
    Bytes module = seed("quizapp", "flashcards.pdb");
    const size_t appInfo = GetU32(module, 52);
    const size_t firstCard = GetU32(module, RecordEntry(0));
    for (size_t length = 0; length < module.size(); ++length) {
        int expected = QuizAppResultBadCard;
        if (length < kPdbTypeOffset + 4)
            expected = QuizAppResultShortHeader;
        else if (length < kPdbHeaderSize)
            expected = QuizAppResultShortHeader;
        else if (length < appInfo + 1596)
            expected = QuizAppResultShortAppInfo;
        ASSERT_GE(firstCard, appInfo + 1596);
        cDatabase db;
        EXPECT_EQ(measured("cut", [&] { return run.quizApp(Cut(module, length), db); }), expected)
            << "cut at " << length;
    }
    cDatabase db;
    EXPECT_EQ(run.quizApp(module, db), QuizAppResultOk);
    EXPECT_EQ(db.terms.count(), 3u);
}

TEST_F(MalformedFiles, SettingsFileCutShortKeepsWhatWasReadBeforeTheCut) {
    Bytes text = seed("settings", "vesk_prefs.txt");
    for (size_t length = 0; length < text.size(); ++length) {
        measured("settings", [&] { return run.settings(Cut(text, length)); });
        EXPECT_LE(Settings.recentFiles.size(), 2u) << length;
        EXPECT_TRUE(Settings.fontSize == 12 || Settings.fontSize == 1 || Settings.fontSize == 14)
            << length;
    }
}

// ---- database files whose counts, offsets and strings lie

TEST_F(MalformedFiles, DatabaseWithLyingCountsOffsetsAndStrings) {
    const Bytes good = seed("database", "sample.PDB");
    const uint32_t description = GetU32(good, RecordEntry(kDescriptionRecord));
    const uint32_t categories = GetU32(good, RecordEntry(kCategoryRecord));
    const uint32_t attributes = GetU32(good, RecordEntry(kAttributeRecord));
    const uint32_t firstTerm = GetU32(good, RecordEntry(kFirstTermRecord));

    struct sCase {
        const char* what;
        std::function<void(Bytes&)> corrupt;
        int expected; // -1: refused by the check
    };
    const sCase cases[] = {
        {"record count 0xFFFF", [](Bytes& f) { PutU16(f, kPdbRecordCountOffset, 0xFFFF); }, -1},
        {"record count below three", [](Bytes& f) { PutU16(f, kPdbRecordCountOffset, 2); }, -1},
        {"offset 0xFFFFFFFF", [](Bytes& f) { PutU32(f, RecordEntry(4), 0xFFFFFFFF); }, -1},
        {"offset just past the end",
         [](Bytes& f) { PutU32(f, RecordEntry(7), uint32_t(f.size() + 1)); }, -1},
        {"term record before the attributes",
         [&](Bytes& f) { PutU32(f, RecordEntry(3), attributes - 1); }, -1},
        {"attribute record overlaps the categories, leaving it empty",
         [&](Bytes& f) { PutU32(f, RecordEntry(kAttributeRecord), firstTerm); },
         LoadResultBadFormat},
        {"category record swallowed by the description",
         [&](Bytes& f) { PutU32(f, RecordEntry(kDescriptionRecord), categories); },
         LoadResultBadFormat},
        {"every record at the end of the file",
         [](Bytes& f) {
             for (unsigned r = 0; r < 8; ++r)
                 PutU32(f, RecordEntry(r), uint32_t(f.size()));
         },
         LoadResultBadFormat},
        {"unterminated description",
         [&](Bytes& f) { std::memset(f.data() + description, 'x', categories - description); },
         LoadResultBadFormat},
        {"unterminated last attribute name", [&](Bytes& f) { f[firstTerm - 1] = 'x'; },
         LoadResultBadFormat},
        {"attribute count 2^32-1", [&](Bytes& f) { PutU32(f, attributes, 0xFFFFFFFF); },
         LoadResultBadFormat},
        {"category count 2^31", [&](Bytes& f) { PutU32(f, categories, 0x80000000); },
         LoadResultBadFormat},
        {"run reaching past every term",
         [&](Bytes& f) {
             // The first category's first run: group, "Verbs\0", run count, then the run.
             size_t run = categories + 4 + 2 + 6 + 4;
             PutU32(f, run, 0xFFFFFFF0);
             PutU16(f, run + 4, 0xFFFF);
         },
         LoadResultOk},
        {"run of 65535 terms from term 0",
         [&](Bytes& f) { PutU16(f, categories + 4 + 2 + 6 + 4 + 4, 0xFFFF); }, LoadResultOk},
        {"version 0xFFFF", [](Bytes& f) { PutU16(f, kPdbVersionOffset, 0xFFFF); },
         LoadResultBadVersion},
        {"value of attribute 0xFFFF", [&](Bytes& f) { PutU16(f, firstTerm, 0xFFFF); },
         LoadResultOk},
    };
    for (const sCase& c : cases) {
        Bytes file = good;
        c.corrupt(file);
        cDatabase db;
        EXPECT_EQ(measured(c.what, [&] { return run.database(file, db); }), c.expected) << c.what;
        if (c.expected != LoadResultOk)
            continue;
        // Overlapping runs may name a term twice, as entries always could; none may name a
        // term that is not there.
        for (uint32_t i = 0; i < db.categories.count(); ++i)
            for (uint32_t m = 0; m < db.category(i)->members.count(); ++m)
                EXPECT_LT(db.category(i)->memberAt(m)->firstTerm, db.terms.count()) << c.what;
    }
}

// ---- QuizApp modules whose cards lie about their streams

TEST_F(MalformedFiles, QuizAppCardsWithBrokenStreams) {
    const std::string text("cat\0Katze", 9);
    const Bytes stream = CompressZlib(text);
    const uint16_t length = uint16_t(stream.size());
    const uint16_t size = uint16_t(text.size());
    Bytes corrupt = stream;
    corrupt[stream.size() / 2] ^= 0x55;
    Bytes longer = CompressZlib(text + std::string(40, 'x'));

    struct sCase {
        const char* what;
        Bytes stream;
        uint16_t compressed;
        uint16_t uncompressed;
        int expected;
    };
    const sCase cases[] = {
        {"intact", stream, length, size, QuizAppResultOk},
        {"stream cut short", Cut(stream, stream.size() - 3), length, size, QuizAppResultBadCard},
        {"compressed length short of the stream", stream, uint16_t(length - 4), size,
         QuizAppResultBadCard},
        {"compressed length past the record", stream, 0xFFFF, size, QuizAppResultBadCard},
        {"corrupt stream", corrupt, length, size, QuizAppResultBadCard},
        {"not a zlib stream", Bytes(20, 0xAB), 20, size, QuizAppResultBadCard},
        {"more text than claimed", longer, uint16_t(longer.size()), size, QuizAppResultBadCard},
        {"less text than claimed", stream, length, uint16_t(size + 1), QuizAppResultBadCard},
        {"claims 65535 bytes of text", stream, length, 0xFFFF, QuizAppResultBadCard},
        {"empty stream", {}, 0, 0, QuizAppResultBadCard},
    };
    for (const sCase& c : cases) {
        sQuizAppModule module;
        sQuizAppCard card;
        card.rawStream = true;
        card.stream = c.stream;
        card.compressedLength = c.compressed;
        card.uncompressedLength = c.uncompressed;
        module.cards = {card};
        cDatabase db;
        EXPECT_EQ(measured(c.what, [&] { return run.quizApp(BuildQuizAppModule(module), db); }),
                  c.expected)
            << c.what;
    }
}

TEST_F(MalformedFiles, QuizAppModulesWithLyingHeaders) {
    const Bytes good = seed("quizapp", "flashcards.pdb");
    const uint32_t card0 = GetU32(good, RecordEntry(0));
    const uint32_t card1 = GetU32(good, RecordEntry(1));
    struct sCase {
        const char* what;
        std::function<void(Bytes&)> corrupt;
        int expected;
    };
    const sCase cases[] = {
        {"record count 0xFFFF", [](Bytes& f) { PutU16(f, kPdbRecordCountOffset, 0xFFFF); },
         QuizAppResultShortRecordList},
        {"app info at 2^32-1", [](Bytes& f) { PutU32(f, 52, 0xFFFFFFFF); },
         QuizAppResultShortAppInfo},
        {"app info ending one byte past the file",
         [](Bytes& f) { PutU32(f, 52, uint32_t(f.size() - 1595)); }, QuizAppResultShortAppInfo},
        {"card offset past the end", [](Bytes& f) { PutU32(f, RecordEntry(2), 0x7FFFFFFF); },
         QuizAppResultBadCard},
        {"card offset at the very end",
         [](Bytes& f) { PutU32(f, RecordEntry(2), uint32_t(f.size())); }, QuizAppResultBadCard},
        {"two cards at one offset", [&](Bytes& f) { PutU32(f, RecordEntry(1), card0); },
         QuizAppResultBadCard},
        {"cards out of order, each still whole",
         [&](Bytes& f) {
             PutU32(f, RecordEntry(0), card1);
             PutU32(f, RecordEntry(1), card0);
         },
         QuizAppResultOk},
        {"card category 255", [&](Bytes& f) { f[card0 + 8] = 0xFF; }, QuizAppResultOk},
        {"no NUL in any name field",
         [&](Bytes& f) { std::memset(f.data() + GetU32(f, 52), 'n', 1596); }, QuizAppResultOk},
    };
    for (const sCase& c : cases) {
        Bytes file = good;
        c.corrupt(file);
        cDatabase db;
        EXPECT_EQ(measured(c.what, [&] { return run.quizApp(file, db); }), c.expected) << c.what;
    }
}

// ---- text, word lists and settings that are not what they claim

TEST_F(MalformedFiles, TextFilesThatBreakTheirOwnRules) {
    struct sCase {
        const char* what;
        std::string bytes;
        int ownFormat; // expected result as Vesk Text
        int tabs;      // expected result as tab-delimited text
    };
    const sCase cases[] = {
        {"UTF-16 mark alone", "\xFF\xFE", 0, 0},
        {"UTF-16 with an odd last byte", "\xFF\xFET\0e\0r\0m\0s\0:\0\n\0a", 0, 0},
        {"UTF-16 lone surrogates", std::string("\xFF\xFE\x00\xD8\x09\x00\xFF\xDF", 8), 0, 0},
        {"UTF-8 mark then broken sequences", "\xEF\xBB\xBFTerms:\n\t\xC3\t\xE4\xB8\n", 1, 0},
        {"NUL inside the header", std::string("Attri\0bute\tAscii\tX\nTerms:\n", 26), 1, 1},
        {"unterminated quotes", "Terms:\n\t\"a\t\"\n\"", 1, 0},
        {"term line naming an unknown category", "Terms:\nNope\tx\n", 1, 0},
        {"header keyword without its fields", "Attribute\n", 1, 0},
        {"ten thousand tabs", "Terms:\n" + std::string(10000, '\t') + "x\n", 1, 1},
        {"CRs and no LF", std::string(5000, '\r'), 0, 0},
    };
    for (const sCase& c : cases) {
        Bytes bytes(c.bytes.begin(), c.bytes.end());
        cDatabase own, tabs;
        EXPECT_EQ(measured(c.what, [&] { return run.text(bytes, true, own); }), c.ownFormat)
            << c.what;
        EXPECT_EQ(measured(c.what, [&] { return run.text(bytes, false, tabs); }), c.tabs) << c.what;
    }
}

TEST_F(MalformedFiles, WordListsThatBreakTheirOwnRules) {
    const std::u16string heading = u"Wordlist:a-b, 1\r\n2\r\n3\r\n4\r\n";
    struct sCase {
        const char* what;
        Bytes bytes;
        uint32_t terms;
    };
    Bytes odd = ErganeBytes(heading + u"w\r\n n. m (x\r\n\r\n");
    odd.push_back('x');
    const sCase cases[] = {
        {"odd byte count", odd, 1},
        {"no line ends at all", ErganeBytes(std::u16string(3000, u'w')), 0},
        {"CR as the very last unit", ErganeBytes(heading + u"w\r"), 0},
        {"meaning never reaches a parenthesis", ErganeBytes(heading + u"w\r\n n. m\r\n\r\n"), 0},
        {"only continuation lines", ErganeBytes(heading + u" a\r\n b\r\n c\r\n"), 0},
        {"NUL units", ErganeBytes(heading + std::u16string(5, u'\0') + u"\r\n n. m (x\r\n\r\n"), 1},
    };
    for (const sCase& c : cases) {
        cDatabase db;
        EXPECT_EQ(measured(c.what, [&] { return run.ergane(c.bytes, db); }), ErganeResultOk)
            << c.what;
        EXPECT_EQ(db.terms.count(), c.terms) << c.what;
    }
}

TEST_F(MalformedFiles, SettingsFilesThatBreakTheirOwnRules) {
    struct sCase {
        const char* what;
        std::string text;
        int fontSize;
        size_t recentFiles;
    };
    const sCase cases[] = {
        {"number past the range of int", "font_size 99999999999999999999\n", 2147483647, 0},
        {"number below it", "font_size -99999999999999999999\n", -2147483647 - 1, 0},
        {"keyword at the end", "font_size", 12, 0},
        {"quote left open", "recent \"/a b\nfont_size 3\n", 3, 1},
        {"NUL bytes", std::string("font_size 5\0\nrecent x\n", 22), 5, 0},
        {"a thousand recent files",
         [] {
             std::string t;
             for (int i = 0; i < 1000; ++i)
                 t += "recent \"/f" + std::to_string(i) + "\"\n";
             return t;
         }(),
         12, 1000},
        {"a face of 100,000 characters", "font_face \"" + std::string(100000, 'F') + "\"\n", 12, 0},
    };
    for (const sCase& c : cases) {
        measured(c.what, [&] { return run.settings(Bytes(c.text.begin(), c.text.end())); });
        EXPECT_EQ(Settings.fontSize, c.fontSize) << c.what;
        EXPECT_EQ(Settings.recentFiles.size(), c.recentFiles) << c.what;
    }
}

// ---- memory that follows the file, not what it says

namespace {

// A database file of termCount empty terms whose category record holds one category (group
// 1) with the given runs.
Bytes DatabaseWithRuns(uint32_t termCount, const std::vector<std::pair<uint32_t, uint16_t>>& runs,
                       const cTempDir& dir) {
    cDatabase db;
    db.addAttribute(MediaTypeAscii);
    for (uint32_t i = 0; i < termCount; ++i)
        db.addTerm();
    db.path.assign(dir.file("runs.PDB").c_str());
    EXPECT_EQ(db.save(), 0);
    Bytes file = ReadBytes(dir.file("runs.PDB"));
    Bytes record = {0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0};
    PutU32(record, 7, uint32_t(runs.size()));
    for (const auto& run : runs) {
        record.insert(record.end(), 6, 0);
        PutU32(record, record.size() - 6, run.first);
        PutU16(record, record.size() - 2, run.second);
    }
    // The category record (empty: a count of 0) grows; every record after it moves along.
    const uint32_t at = GetU32(file, RecordEntry(kCategoryRecord));
    file.erase(file.begin() + at, file.begin() + at + 4);
    file.insert(file.begin() + at, record.begin(), record.end());
    for (unsigned r = kCategoryRecord + 1; r < GetU16(file); ++r)
        PutU32(file, RecordEntry(r), GetU32(file, RecordEntry(r)) + uint32_t(record.size()) - 4);
    return file;
}

} // namespace

TEST_F(MalformedFiles, RepeatedOrOverlappingRunsMakeEachTermAMemberOnce) {
    cTempDir dir;
    std::vector<std::pair<uint32_t, uint16_t>> runs(5000, {0, 0xFFFF}); // 5,000 times all
    for (uint32_t i = 0; i < 2000; ++i)
        runs.push_back({i, 3});  // overlapping runs across the first terms
    runs.push_back({2990, 100}); // runs past the last term
    const Bytes file = DatabaseWithRuns(3000, runs, dir);
    cDatabase db;
    ASSERT_EQ(measured("runs", [&] { return run.database(file, db); }), LoadResultOk);
    ASSERT_EQ(db.categories.count(), 1u);
    EXPECT_EQ(db.category(0)->members.count(), 3000u);

    // Saved again, the category is one run of every term.
    db.path.assign(dir.file("again.PDB").c_str());
    ASSERT_EQ(db.save(), 0);
    EXPECT_EQ(ReadBytes(dir.file("again.PDB")), DatabaseWithRuns(3000, {{0, 3000}}, dir));
}

TEST_F(MalformedFiles, AFileOfAnotherKindCostsItsHeaderNotItsSize) {
    cTempDir dir;
    const std::string path = dir.file("huge.PDB");
    WriteBytes(path, Bytes(kPdbHeaderSize, 'x'));
    ASSERT_EQ(::truncate(path.c_str(), off_t(2) << 30), 0); // 2 GB, sparse
    EXPECT_EQ(measured("2 GB of another kind", [&] { return CheckDatabaseFile(path); }), 1);
    EXPECT_TRUE(sink.showedOnly(TextCaptionError, TextNotADatabase));
    cDatabase db;
    EXPECT_EQ(measured("2 GB module", [&] { return ImportQuizAppModule(db, path); }),
              QuizAppResultUnknownType);
}

TEST_F(MalformedFiles, RunningOutOfMemoryEndsTheCommandWithAMessage) {
    cTempDir dir;
    cDatabase big;
    big.addAttribute(MediaTypeAscii);
    const std::string value(8000, 'v');
    for (int i = 0; i < 300; ++i)
        big.setValue(big.addTerm(), 0, value.c_str());
    big.path.assign(dir.file("big.PDB").c_str());
    ASSERT_EQ(big.save(), 0);

    // Reading 2.4 MB takes one allocation of that size: more than is left.
    FailAllocationsAbove(1u << 20);
    std::ostringstream json;
    const int dumped = RunCatchingOutOfMemory([&] { return RunDump(dir.file("big.PDB"), json); });
    const int merged = RunCatchingOutOfMemory(
        [&] { return RunMerge(dir.file("big.PDB"), dir.file("big.PDB"), dir.file("out.PDB")); });
    FailAllocationsAbove(0);
    EXPECT_EQ(dumped, 1);
    EXPECT_EQ(merged, 1);
    EXPECT_TRUE(json.str().empty());
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[1].text, ResourceString(TextOutOfMemory));
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.PDB")));
}
