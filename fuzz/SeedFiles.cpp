#include "SeedFiles.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include <zlib.h>

#include "exchange/AnkiPackageExport.h"
#include "exchange/TextExport.h"
#include "exchange/ZipArchive.h"
#include "model/ByteStream.h"
#include "model/Database.h"

namespace {

// The QuizApp layout: a PDB header of 78 bytes, 8 bytes per record entry, the app-info block
// (fields at fixed offsets, see QuizAppImport.cpp), then one record per card.
constexpr size_t kPdbHeaderSize = 78;
constexpr size_t kRecordEntrySize = 8;
constexpr size_t kAppInfoSize = 1596;
constexpr size_t kModuleNameOffset = 90;
constexpr size_t kModuleNameWidth = 192;
constexpr size_t kCardCategoriesOffset = 828;
constexpr size_t kCardSidesOffset = 1340;
constexpr size_t kSlotWidth = 32;
constexpr size_t kCardHeaderSize = 46;

SeedBytes ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return SeedBytes(std::istreambuf_iterator<char>(in), {});
}

SeedBytes Bytes(const std::string& text) {
    return SeedBytes(text.begin(), text.end());
}

void PutField(SeedBytes& block, size_t offset, size_t width, const std::string& text) {
    std::memset(block.data() + offset, 0, width);
    std::memcpy(block.data() + offset, text.data(), std::min(width, text.size()));
}

SeedBytes CardRecord(const sQuizAppCard& card) {
    SeedBytes stream = card.rawStream ? card.stream : CompressZlib(card.text);
    uint16_t compressed =
        card.rawStream ? card.compressedLength : static_cast<uint16_t>(stream.size());
    uint16_t uncompressed =
        card.rawStream ? card.uncompressedLength : static_cast<uint16_t>(card.text.size());
    cByteWriter out;
    out.writeU32(0);
    out.writeU32(0);
    out.writeU8(card.category);
    for (size_t i = 9; i < kCardHeaderSize - 4; ++i)
        out.writeU8(0);
    out.writeU16(compressed);
    out.writeU16(uncompressed);
    out.writeBytes(stream.data(), stream.size());
    return out.bytes();
}

std::vector<sSeedFile> DatabaseSeeds(const std::string& scratch) {
    std::vector<sSeedFile> seeds;
    auto save = [&](const char* name, void (*fill)(cDatabase&)) {
        cDatabase db;
        fill(db);
        std::string path = scratch + "/" + name;
        db.path.assign(path.c_str());
        if (db.save() == 0)
            seeds.push_back({name, ReadWhole(path)});
    };
    save("sample.PDB", FillSeedDatabase);
    save("empty.PDB", [](cDatabase& db) { db.name.assign("Empty"); });
    save("ascii.PDB", [](cDatabase& db) {
        db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
        db.setValue(db.addTerm(), 0, "one");
    });
    return seeds;
}

std::vector<sSeedFile> TextSeeds(const std::string& scratch) {
    std::vector<sSeedFile> seeds;
    cDatabase unicode;
    FillSeedDatabase(unicode);
    cDatabase ascii;
    ascii.name.assign("Words");
    ascii.renameAttribute(ascii.addAttribute(MediaTypeAscii), "Word");
    ascii.renameAttribute(ascii.addAttribute(MediaTypeAscii), "Caf\xE9");
    ascii.setValue(ascii.addTerm(), 0, "one");
    ascii.setValue(0, 1, "eins");
    ascii.renameCategory(ascii.addCategory(), "Numbers");
    ascii.category(0)->addMember(0);
    struct {
        const char* name;
        const cDatabase* db;
        bool ownFormat;
    } exports[] = {{"unicode.vesk.txt", &unicode, true},
                   {"unicode.tab.txt", &unicode, false},
                   {"ascii.vesk.txt", &ascii, true},
                   {"ascii.tab.txt", &ascii, false}};
    for (const auto& e : exports) {
        std::string path = scratch + "/" + e.name;
        if (ExportTextFile(*e.db, path, e.ownFormat) == 0)
            seeds.push_back({e.name, ReadWhole(path)});
    }
    seeds.push_back(
        {"utf8.vesk.txt", Bytes("\xEF\xBB\xBFTitle\tW\xC3\xB6rter\nAttribute\tUnicode\tWort\n"
                                "Category\tA\nTerms:\nA\t\xE4\xB8\xAD\n")});
    return seeds;
}

std::vector<sSeedFile> ErganeSeeds() {
    return {{"list.txt", ErganeBytes(u"Wordlist:English-German, 2 entries\r\n"
                                     u"line 2\r\nline 3\r\nline 4\r\n"
                                     u"dog\r\n  n. der Hund; (animal)\r\n"
                                     u" more\r\n"
                                     u"cat\r\n  n. die Katze; (animal)\r\n\r\n")}};
}

std::vector<sSeedFile> QuizAppSeeds() {
    auto card = [](uint8_t category, std::string text) {
        sQuizAppCard made;
        made.category = category;
        made.text = std::move(text);
        return made;
    };
    sQuizAppModule flash;
    flash.cards = {card(0, std::string("cat\0Katze\0\0Tier", 16)),
                   card(1, std::string("owl\0Eule", 8)), card(0, "")};
    sQuizAppModule multiple = flash;
    multiple.type = "mult";
    return {{"flashcards.pdb", BuildQuizAppModule(flash)},
            {"multiple.pdb", BuildQuizAppModule(multiple)}};
}

std::vector<sSeedFile> SettingsSeeds() {
    return {{"vesk_prefs.txt", Bytes("firsttime 0\nfont_face \"Noto Sans\"\nfont_size 14\n"
                                     "font_weight 700\nfont_italic 1\n"
                                     "recent \"/home/user/a b.PDB\"\nrecent \"/tmp/c.PDB\"\n")},
            {"crlf.txt", Bytes("firsttime 1\r\nfont_size -3\r\nrecent \"x\r\n")}};
}

// The collection of our own package of the seed database, with and without reverse cards.
std::vector<sSeedFile> AnkiSeeds(const std::string& scratch) {
    cDatabase db;
    FillSeedDatabase(db);
    std::vector<sSeedFile> seeds;
    for (bool reverse : {false, true}) {
        const std::string path = scratch + "/seed.apkg";
        sAnkiExportOptions options;
        options.reverse = reverse;
        const SeedBytes package =
            ExportAnkiPackage(db, path, options) == 0 ? ReadWhole(path) : SeedBytes();
        cZipReader zip;
        std::string reason, collection;
        if (zip.open(package, reason) &&
            zip.read("collection.anki2", package.size() * 64, collection, reason))
            seeds.push_back({reverse ? "reverse.anki2" : "export.anki2", Bytes(collection)});
    }
    return seeds;
}

std::vector<sSeedFile> DelimitedSeeds() {
    return {{"header.csv",
             Bytes("\xEF\xBB\xBFWord,Meaning,Categories\r\n\"a,b\",\"say \"\"hi\"\"\",x y\r\n"
                   "\"two\nlines\",c,\r\n")},
            {"anki.txt", Bytes("#separator:tab\n#html:true\n#tags column:3\n#guid column:4\n"
                               "a<br>b\t&amp;&#x4E2D;\tt1 t2\tg\n")},
            {"semicolon.csv", Bytes("a;1\nb;2\na;3\n")},
            {"utf16.csv", ErganeBytes(u"\u4E2D,x|y\r\n\"q\"\"\",z\r\n")}};
}

} // namespace

void FillSeedDatabase(cDatabase& db) {
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
    db.categories.append(new cCategory(2, "Others"));
    db.category(1)->addMember(4);
}

std::vector<sSeedFile> SeedFilesFor(const std::string& target, const std::string& scratch) {
    if (target == "database")
        return DatabaseSeeds(scratch);
    if (target == "text")
        return TextSeeds(scratch);
    if (target == "ergane")
        return ErganeSeeds();
    if (target == "quizapp")
        return QuizAppSeeds();
    if (target == "settings")
        return SettingsSeeds();
    if (target == "anki")
        return AnkiSeeds(scratch);
    if (target == "delimited")
        return DelimitedSeeds();
    return {};
}

SeedBytes CompressZlib(const std::string& text) {
    uLongf size = compressBound(text.size());
    SeedBytes stream(size);
    compress(stream.data(), &size, reinterpret_cast<const Bytef*>(text.data()), text.size());
    stream.resize(size);
    return stream;
}

SeedBytes BuildQuizAppModule(const sQuizAppModule& module) {
    std::vector<SeedBytes> records;
    for (const sQuizAppCard& card : module.cards)
        records.push_back(CardRecord(card));
    const size_t appInfoOffset = kPdbHeaderSize + kRecordEntrySize * records.size();

    cByteWriter out;
    SeedBytes name(32, 0);
    std::memcpy(name.data(), module.moduleName.data(),
                std::min<size_t>(31, module.moduleName.size()));
    out.writeBytes(name.data(), name.size());
    out.writeU16(0); // attributes
    out.writeU16(1); // version
    for (int field = 0; field < 4; ++field)
        out.writeU32(0); // dates and modification number
    out.writeU32(static_cast<uint32_t>(appInfoOffset));
    out.writeU32(0); // sort-info offset
    out.writeBytes(module.type.data(), 4);
    out.writeBytes("QUIZ", 4);
    out.writeU32(0); // unique-ID seed
    out.writeU32(0); // next record list
    out.writeU16(static_cast<uint16_t>(records.size()));

    size_t offset = appInfoOffset + kAppInfoSize;
    for (const SeedBytes& record : records) {
        out.writeU32(static_cast<uint32_t>(offset));
        out.writeU32(0);
        offset += record.size();
    }
    SeedBytes block(kAppInfoSize, 0);
    std::memcpy(block.data(), "VNDRMODL", 8);
    PutField(block, kModuleNameOffset, kModuleNameWidth, module.moduleName);
    for (size_t slot = 0; slot < 8; ++slot) {
        PutField(block, kCardCategoriesOffset + kSlotWidth * slot, kSlotWidth,
                 slot < module.categories.size() ? module.categories[slot] : "");
        PutField(block, kCardSidesOffset + kSlotWidth * slot, kSlotWidth,
                 slot < module.sides.size() ? module.sides[slot] : "");
    }
    out.writeBytes(block.data(), block.size());
    for (const SeedBytes& record : records)
        out.writeBytes(record.data(), record.size());
    return out.bytes();
}

SeedBytes ErganeBytes(const std::u16string& text) {
    SeedBytes bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    }
    return bytes;
}
