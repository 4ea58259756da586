#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include "cli/Commands.h"
#include "model/Database.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace {

std::string SaveSample(const cTempDir& dir, const char* fileName, const char* name) {
    cDatabase db;
    db.name.assign(name);
    db.description.assign("caf\xE9 \"q\"\t\x01\\");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
    db.renameAttribute(db.addAttribute(MediaTypeUnicode), "Hanzi");
    int32_t term = db.addTerm();
    db.setValue(term, 0, "two\\nlines");
    const char16_t lone[] = {u'x', 0xD800, 0};
    db.setValue(term, 1, lone);
    db.setValue(db.addTerm(), 1, u"\u4E2D");
    db.categories.append(new cCategory(3, "Nouns"));
    db.category(0)->addMember(1);
    std::string path = dir.file(fileName);
    db.path.assign(path.c_str());
    EXPECT_EQ(db.save(), 0);
    return path;
}

// The dump, which is laid out as JSON's usual two-space form, byte for byte.
nlohmann::json Dump(const std::string& path) {
    std::ostringstream out;
    EXPECT_EQ(RunDump(path, out), 0);
    const auto parsed = nlohmann::ordered_json::parse(out.str());
    EXPECT_EQ(out.str(), parsed.dump(2) + "\n");
    return nlohmann::json::parse(out.str());
}

// Runs the vesk binary; the exit status and what it wrote to standard error.
int RunVesk(const std::string& arguments, std::string* errors = nullptr) {
    cTempDir dir;
    std::string command = std::string(VESK_BINARY) + " " + arguments + " >" + dir.file("out") +
                          " 2>" + dir.file("err");
    int status = std::system(command.c_str());
    if (errors) {
        std::vector<uint8_t> bytes = ReadBytes(dir.file("err"));
        errors->assign(bytes.begin(), bytes.end());
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(CliDump, PrintsEveryTextAsHeldInMemoryAsUtf8) {
    cTempDir dir;
    nlohmann::json db = Dump(SaveSample(dir, "a.PDB", "Sample"));
    const auto expected = nlohmann::json::parse(R"({
        "name": "Sample", "description": "caf\u00e9 \"q\"\t\u0001\\",
        "attributes": [{"media": 1, "name": "Word"}, {"media": 2, "name": "Hanzi"}],
        "categories": [{"group": 3, "name": "Nouns", "members": [1]}],
        "terms": [[{"attribute": 0, "text": "two\\nlines"}, {"attribute": 1, "text": "x\ufffd"}],
                  [{"attribute": 1, "text": "\u4e2d"}]]})");
    EXPECT_EQ(db, expected);
}

TEST(CliImportPdb, NamesAnUnnamedDatabaseAfterTheOutputFile) {
    cTempDir dir;
    // Saving writes "noname" for an empty name, so clear the header field by hand.
    std::string unnamed = SaveSample(dir, "a.PDB", "");
    std::vector<uint8_t> bytes = ReadBytes(unnamed);
    std::fill(bytes.begin(), bytes.begin() + 32, 0);
    WriteBytes(unnamed, bytes);
    std::string output = dir.file("A Very Long Name For Flashcards Indeed.old.PDB");
    ASSERT_EQ(RunImportPdb(unnamed, output), 0);
    nlohmann::json db = Dump(output);
    EXPECT_EQ(db["name"], "A Very Long Name For Flashcards");
    EXPECT_EQ(db["terms"].size(), 2u);

    // File names are UTF-8; the name is Windows-1252 text.
    ASSERT_EQ(RunImportPdb(unnamed, dir.file("Caf\xC3\xA9.PDB")), 0);
    EXPECT_EQ(Dump(dir.file("Caf\xC3\xA9.PDB"))["name"], "Caf\u00e9");

    std::string named = SaveSample(dir, "b.PDB", "Kept");
    ASSERT_EQ(RunImportPdb(named, dir.file("c.PDB")), 0);
    EXPECT_EQ(Dump(dir.file("c.PDB"))["name"], "Kept");
}

TEST(CliMerge, AppendsTheSourceTerms) {
    cTempDir dir;
    std::string target = SaveSample(dir, "t.PDB", "Target");
    std::string source = SaveSample(dir, "s.PDB", "Source");
    ASSERT_EQ(RunMerge(target, source, dir.file("m.PDB")), 0);
    nlohmann::json db = Dump(dir.file("m.PDB"));
    EXPECT_EQ(db["name"], "Target");
    EXPECT_EQ(db["terms"].size(), 4u);
    EXPECT_EQ(db["categories"][0]["members"], nlohmann::json::parse("[1, 3]"));
}

TEST(CliCommands, FailuresShowTheEditorsTexts) {
    cTempDir dir;
    cRecordingSink sink;
    std::ostringstream out;
    EXPECT_EQ(RunDump(dir.file("missing.PDB"), out), 1);
    EXPECT_TRUE(out.str().empty());
    EXPECT_TRUE(sink.showedOnly(58, 61));

    std::string good = SaveSample(dir, "a.PDB", "A");
    sink.shown.clear();
    EXPECT_EQ(RunMerge(good, dir.file("missing.PDB"), dir.file("m.PDB")), 1);
    EXPECT_TRUE(sink.showedOnly(58, 117));

    sink.shown.clear();
    EXPECT_EQ(RunImportPdb(good, dir.file("no/such/dir/out.PDB")), 1);
    EXPECT_TRUE(sink.showedOnly(58, 39));
}

TEST(CliBinary, ExitStatusesAndMessages) {
    cTempDir dir;
    std::string errors;
    EXPECT_EQ(RunVesk("", &errors), 2);
    EXPECT_NE(errors.find("dump"), std::string::npos) << "the usage lists the commands";
    EXPECT_EQ(RunVesk("dump", &errors), 2);
    EXPECT_EQ(RunVesk("import xls a b", &errors), 2);
    EXPECT_EQ(RunVesk("--help"), 0);
    EXPECT_EQ(RunVesk("merge --help"), 0);

    std::vector<uint8_t> bad(78, 0);
    std::memcpy(bad.data() + 60, "VSDB", 4);
    bad[77] = 3;
    WriteBytes(dir.file("bad.PDB"), bad);
    EXPECT_EQ(RunVesk("dump " + dir.file("bad.PDB"), &errors), 1);
    EXPECT_EQ(errors, "Failed to load database because it is corrupt.\nvesk: " +
                          dir.file("bad.PDB") + ": damaged: its records do not fit the file\n");

    std::string good = SaveSample(dir, "a.PDB", "A");
    bad = ReadBytes(good);
    bad[35] = 11;
    WriteBytes(dir.file("v11.PDB"), bad);
    EXPECT_EQ(RunVesk("dump " + dir.file("v11.PDB"), &errors), 1);
    EXPECT_EQ(errors, "Failed to load database because version is unsupported.\nvesk: " +
                          dir.file("v11.PDB") + ": unsupported database version\n");
    EXPECT_EQ(RunVesk("dump " + good, &errors), 0);
    EXPECT_TRUE(errors.empty());

    // The dump is written as the file is read: a file whose last value is cut short writes
    // nothing at all, and a database without parts still has every member.
    bad = ReadBytes(good);
    bad.resize(bad.size() - 2);
    WriteBytes(dir.file("cut.PDB"), bad);
    std::ostringstream out;
    EXPECT_EQ(RunDump(dir.file("cut.PDB"), out), 1);
    EXPECT_EQ(out.str(), "");
    cDatabase empty;
    empty.path.assign(dir.file("empty.PDB").c_str());
    ASSERT_EQ(empty.save(), 0);
    EXPECT_EQ(Dump(dir.file("empty.PDB")),
              nlohmann::json::parse(R"({"name": "noname", "description": "", "attributes": [],
                                        "categories": [], "terms": []})"));
}

TEST(CliImportExport, TextRoundTripAndFailureTexts) {
    cTempDir dir;
    const std::string text = "Title\tDemo\nAttribute\tAscii\tWord\nCategory\tVerbs\nTerms:\n"
                             "Verbs\thi\n\tthere\n";
    WriteBytes(dir.file("in.txt"), std::vector<uint8_t>(text.begin(), text.end()));
    ASSERT_EQ(RunImport("vesk", dir.file("in.txt"), dir.file("db.PDB")), 0);
    nlohmann::json db = Dump(dir.file("db.PDB"));
    EXPECT_EQ(db["name"], "Demo");
    EXPECT_EQ(db["terms"].size(), 2u);
    EXPECT_EQ(db["categories"][0]["members"], nlohmann::json::parse("[0]"));

    ASSERT_EQ(RunExport("vesk", dir.file("db.PDB"), dir.file("out.txt")), 0);
    ASSERT_EQ(RunImport("vesk", dir.file("out.txt"), dir.file("again.PDB")), 0);
    EXPECT_EQ(Dump(dir.file("again.PDB")), db);

    ASSERT_EQ(RunExport("tab", dir.file("db.PDB"), dir.file("tab.txt")), 0);
    std::vector<uint8_t> rows = ReadBytes(dir.file("tab.txt"));
    EXPECT_EQ(std::string(rows.begin(), rows.end()), "hi\r\nthere\r\n");
    ASSERT_EQ(RunImport("tab", dir.file("tab.txt"), dir.file("tab.PDB")), 0);
    EXPECT_EQ(Dump(dir.file("tab.PDB"))["name"], "tab") << "named after the output file";

    const std::string bad = "Terms:\nNouns\tx\n";
    WriteBytes(dir.file("bad.txt"), std::vector<uint8_t>(bad.begin(), bad.end()));
    std::string errors;
    EXPECT_EQ(RunVesk("import vesk " + dir.file("bad.txt") + " " + dir.file("x.PDB"), &errors), 1);
    EXPECT_EQ(errors, "Line 2: unknown category (Nouns)\nFailed to import module.\nvesk: " +
                          dir.file("bad.txt") + ": cannot be read as Vesk Text\n");
    EXPECT_EQ(RunVesk("import quizapp " + dir.file("db.PDB") + " " + dir.file("x.PDB"), &errors),
              1);
    EXPECT_EQ(errors, "The selected database is not a known QuizApp module format.\nvesk: " +
                          dir.file("db.PDB") + ": not a QuizApp module\n");
    EXPECT_EQ(RunVesk("import ergane " + dir.file("none.txt") + " " + dir.file("x.PDB"), &errors),
              1);
    EXPECT_EQ(errors, "Failed to import module.\nvesk: " + dir.file("none.txt") +
                          ": No such file or directory\n");
    EXPECT_EQ(
        RunVesk("export vesk " + dir.file("db.PDB") + " " + dir.file("no/dir/x.txt"), &errors), 1);
    EXPECT_EQ(errors, "Failed to save.\nvesk: " + dir.file("no/dir/x.txt") +
                          ": No such file or directory\n");
}

// The tool starts without the Anki libraries and binds them when a command reads or writes
// a package: zip, SQLite and zstd each answer through it.
TEST(CliBinary, BindsTheAnkiLibrariesWhenAPackageIsRead) {
    std::string loaded;
    FILE* ldd = popen("ldd " VESK_BINARY, "r");
    ASSERT_NE(ldd, nullptr);
    char line[512];
    while (fgets(line, sizeof line, ldd))
        loaded += line;
    ASSERT_EQ(pclose(ldd), 0);
    EXPECT_NE(loaded.find("libc.so"), std::string::npos) << loaded;
    for (const char* library : {"libzip", "libsqlite3", "libzstd", "libcrypto"})
        EXPECT_EQ(loaded.find(library), std::string::npos) << library;

    cTempDir dir;
    ASSERT_EQ(RunVesk("import apkg " VESK_ANKI_FIXTURES "/anki21-layout.colpkg " +
                      dir.file("col.PDB")),
              0);
    ASSERT_EQ(RunVesk("export apkg " + dir.file("col.PDB") + " " + dir.file("out.apkg")), 0);
    ASSERT_EQ(RunVesk("import apkg " + dir.file("out.apkg") + " " + dir.file("back.PDB")), 0);
    const nlohmann::json imported = Dump(dir.file("col.PDB"));
    EXPECT_EQ(imported["terms"].size(), 2u);
    EXPECT_EQ(Dump(dir.file("back.PDB"))["terms"], imported["terms"]);
}

TEST(CliBinary, EveryFailureAddsWhichFileAndWhyAndLeavesSpecialFilesAlone) {
    cTempDir dir;
    const std::string good = SaveSample(dir, "a.PDB", "A");
    const std::string fifo = dir.file("fifo"), folder = dir.file("folder"),
                      device = dir.file("null"), locked = dir.file("locked.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    // Only root may make a device node, and some containers refuse even root.
    const bool root =
        ::geteuid() == 0 && ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    WriteBytes(locked, {'o', 'l', 'd'});
    ::chmod(locked.c_str(), 0444);

    const std::string noFile =
        "Failed to load database because it is not a file but a folder, a device, a pipe or a "
        "socket.\n";
    struct sCase {
        std::string arguments;
        std::string errors;
    };
    std::vector<sCase> cases = {
        {"dump " + fifo, noFile + "vesk: " + fifo + ": is a FIFO\n"},
        {"dump " + folder, noFile + "vesk: " + folder + ": is a directory\n"},
        {"dump /dev/null", noFile + "vesk: /dev/null: is a device\n"},
        {"import ergane " + fifo + " " + dir.file("x.PDB"),
         "Failed to import module.\nvesk: " + fifo + ": is a FIFO\n"},
        {"merge " + good + " " + folder + " " + dir.file("x.PDB"),
         "Failed to merge database.\nvesk: " + folder + ": is a directory\n"},
        {"export tab " + good + " " + fifo, "Failed to save.\nvesk: " + fifo + ": is a FIFO\n"},
        {"import pdb " + good + " " + folder,
         "Failed to save.\nvesk: " + folder + ": is a directory\n"},
        {"export vesk " + good + " " + locked,
         "Failed to save.\nvesk: " + locked + ": Permission denied\n"},
    };
    if (root)
        cases.push_back({"export tab " + good + " " + device,
                         "Failed to save.\nvesk: " + device + ": is a device\n"});
    for (const sCase& c : cases) {
        std::string errors;
        EXPECT_EQ(RunVesk(c.arguments, &errors), 1) << c.arguments;
        EXPECT_EQ(errors, c.errors) << c.arguments;
    }
    struct stat info {};
    EXPECT_TRUE(::stat(fifo.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    EXPECT_TRUE(::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
    EXPECT_TRUE(!root || (::stat(device.c_str(), &info) == 0 && S_ISCHR(info.st_mode)));
    EXPECT_EQ(ReadBytes(locked), std::vector<uint8_t>({'o', 'l', 'd'}));
}

TEST(CliBinary, DashIsStandardInputOrOutputAndVersionAndExitStatusesAreTold) {
    cTempDir dir;
    const std::string good = SaveSample(dir, "a.PDB", "A");
    ASSERT_EQ(RunExport("vesk", good, dir.file("a.txt")), 0);
    const std::vector<uint8_t> exported = ReadBytes(dir.file("a.txt"));
    WriteBytes(dir.file("junk"), {'j', 'u', 'n', 'k'});
    const std::string vesk = VESK_BINARY;
    // Runs a shell command line; its status and what it wrote to standard output.
    auto run = [&](const std::string& line, std::string* out, std::string* errors = nullptr) {
        const std::string command = "cd " + dir.path() + " && " + line + " >out 2>err";
        const int status = std::system(command.c_str());
        std::vector<uint8_t> bytes = ReadBytes(dir.file("out"));
        out->assign(bytes.begin(), bytes.end());
        bytes = ReadBytes(dir.file("err"));
        if (errors)
            errors->assign(bytes.begin(), bytes.end());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string out, errors;
    EXPECT_EQ(run(vesk + " --version", &out), 0);
    EXPECT_EQ(out.rfind("vesk 1.", 0), 0u) << out;
    EXPECT_EQ(run(vesk + " --help", &out), 0);
    EXPECT_NE(out.find("  2  wrong usage"), std::string::npos) << out;

    EXPECT_EQ(run(vesk + " dump - <a.PDB", &out), 0);
    EXPECT_EQ(nlohmann::json::parse(out)["name"], "A");
    EXPECT_EQ(run(vesk + " export vesk - - <a.PDB", &out), 0);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.end()), exported);
    EXPECT_EQ(run("cat a.txt | " + vesk + " import vesk - b.PDB", &out), 0);
    EXPECT_EQ(Dump(dir.file("b.PDB"))["terms"].size(), 2u);
    EXPECT_EQ(run(vesk + " merge a.PDB - c.PDB <b.PDB", &out), 0);
    EXPECT_EQ(Dump(dir.file("c.PDB"))["terms"].size(), 4u);

    // A failure on standard input names it "-"; a database is not written to standard
    // output, and standard input is read once.
    EXPECT_EQ(run(vesk + " dump - <junk", &out, &errors), 1);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(errors.substr(errors.find('\n') + 1), "vesk: -: not a database file\n") << errors;
    EXPECT_EQ(run(vesk + " export tab - - </dev/null", &out, &errors), 1);
    EXPECT_NE(errors.find("\nvesk: -: "), std::string::npos) << errors;
    EXPECT_EQ(run(vesk + " import pdb a.PDB -", &out), 2);
    EXPECT_EQ(run(vesk + " merge - - c.PDB <a.PDB", &out), 2);
}

TEST(CliPinyin, ConvertsTheChosenColumnsOnImportAndBackOnExport) {
    cTempDir dir;
    // Hanzi, then pinyin as CC-CEDICT writes it, twice, as UTF-8 tab-delimited text.
    const std::string text = "\xE4\xBD\xA0\xE5\xA5\xBD\tni3 hao3\tLu:4 hao3\n";
    WriteBytes(dir.file("in.txt"), std::vector<uint8_t>(text.begin(), text.end()));
    const std::string in = dir.file("in.txt");
    auto values = [](const std::string& path) {
        nlohmann::json term = Dump(path)["terms"][0];
        return std::vector<std::string>{term[1]["text"], term[2]["text"]};
    };

    ASSERT_EQ(RunVesk("import tab " + in + " " + dir.file("std.PDB") + " --pinyin 2"), 0);
    EXPECT_EQ(values(dir.file("std.PDB")),
              (std::vector<std::string>{"n\xC7\x90 h\xC7\x8Eo", "Lu:4 hao3"}));
    ASSERT_EQ(RunVesk("import tab " + in + " " + dir.file("hh.PDB") +
                      " --pinyin 'Attribute 3,3' --pinyin-style handheld"),
              0);
    EXPECT_EQ(values(dir.file("hh.PDB")),
              (std::vector<std::string>{"ni3 hao3", "L\xC3\xB9: ha\xC5\x8F"}));

    // Back to numbers, the marks of both styles.
    ASSERT_EQ(RunImport("tab", in, dir.file("both.PDB"), {{"2", "3"}, ePinyinStyle::Standard}), 0);
    ASSERT_EQ(RunVesk("export tab " + dir.file("both.PDB") + " " + dir.file("out.txt") +
                      " --pinyin-numbers 'Attribute 2',3"),
              0);
    std::vector<uint8_t> bytes = ReadBytes(dir.file("out.txt"));
    std::u16string written;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        written += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    EXPECT_EQ(written, u"\u4F60\u597D\tni3 hao3\tL\u00FC4 hao3\n");

    // Delimited text: the column by the attribute's name, and back.
    const std::string csvText = "Word,Pinyin\nhello,ni3 hao3\n";
    WriteBytes(dir.file("in.csv"), std::vector<uint8_t>(csvText.begin(), csvText.end()));
    ASSERT_EQ(RunVesk("import csv " + dir.file("in.csv") + " " + dir.file("csv.PDB") +
                      " --pinyin Pinyin"),
              0);
    const nlohmann::json csvDb = Dump(dir.file("csv.PDB"));
    EXPECT_EQ(csvDb["attributes"][1]["media"], MediaTypeUnicode);
    EXPECT_EQ(csvDb["terms"][0][1]["text"], "n\xC7\x90 h\xC7\x8Eo");
    ASSERT_EQ(RunVesk("export csv " + dir.file("csv.PDB") + " " + dir.file("out.csv") +
                      " --pinyin-numbers Pinyin"),
              0);
    bytes = ReadBytes(dir.file("out.csv"));
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("hello,ni3 hao3"), std::string::npos);

    // A column that names no Unicode attribute fails before anything is written.
    std::string errors;
    EXPECT_EQ(RunVesk("import csv " + dir.file("in.csv") + " " + dir.file("x.PDB") +
                          " --pinyin Word,Hanzi",
                      &errors),
              1);
    EXPECT_NE(errors.find("pinyin column \"Hanzi\": no column imported into an attribute"),
              std::string::npos);
    EXPECT_EQ(RunVesk("import tab " + in + " " + dir.file("x.PDB") + " --pinyin Pinyin", &errors),
              1);
    EXPECT_EQ(errors, "Pinyin could not be converted: a pinyin column names no Unicode attribute "
                      "of the database. Nothing was changed.\nvesk: " +
                          in + ": pinyin column \"Pinyin\": no such attribute\n");
    EXPECT_NE(access(dir.file("x.PDB").c_str(), F_OK), 0);
    const std::string ascii = SaveSample(dir, "a.PDB", "Sample");
    EXPECT_EQ(RunVesk("export tab " + ascii + " - --pinyin-numbers Word", &errors), 1);
    EXPECT_NE(errors.find(": pinyin column \"Word\": an Ascii attribute, not Unicode\n"),
              std::string::npos);
    EXPECT_EQ(RunVesk("import tab " + in + " " + dir.file("x.PDB") + " --pinyin 2,"), 2);
    EXPECT_EQ(RunVesk("import tab " + in + " " + dir.file("x.PDB") + " --pinyin-style tones"), 2);
}
