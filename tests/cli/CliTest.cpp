#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/wait.h>

#include "cli/Commands.h"
#include "model/Database.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace {

std::string SaveSample(const cTempDir& dir, const char* fileName, const char* name) {
    cDatabase db;
    db.name.assign(name);
    db.description.assign("caf\xE9");
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

nlohmann::json Dump(const std::string& path) {
    std::ostringstream out;
    EXPECT_EQ(RunDump(path, out), 0);
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
        "name": "Sample", "description": "caf\u00e9",
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
    EXPECT_EQ(RunVesk("import csv a b", &errors), 2);
    EXPECT_EQ(RunVesk("--help"), 0);
    EXPECT_EQ(RunVesk("merge --help"), 0);

    std::vector<uint8_t> bad(78, 0);
    std::memcpy(bad.data() + 60, "VSDB", 4);
    bad[77] = 3;
    WriteBytes(dir.file("bad.PDB"), bad);
    EXPECT_EQ(RunVesk("dump " + dir.file("bad.PDB"), &errors), 1);
    EXPECT_EQ(errors, "Failed to load database because it is corrupt.\n");

    std::string good = SaveSample(dir, "a.PDB", "A");
    bad = ReadBytes(good);
    bad[35] = 11;
    WriteBytes(dir.file("v11.PDB"), bad);
    EXPECT_EQ(RunVesk("dump " + dir.file("v11.PDB"), &errors), 1);
    EXPECT_EQ(errors, "Failed to load database because version is unsupported.\n");
    EXPECT_EQ(RunVesk("dump " + good, &errors), 0);
    EXPECT_TRUE(errors.empty());
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
    EXPECT_EQ(errors, "Line 2: unknown category (Nouns)\nFailed to import module.\n");
    EXPECT_EQ(RunVesk("import quizapp " + dir.file("db.PDB") + " " + dir.file("x.PDB"), &errors),
              1);
    EXPECT_EQ(errors, "The selected database is not a known QuizApp module format.\n");
    EXPECT_EQ(RunVesk("import ergane " + dir.file("none.txt") + " " + dir.file("x.PDB"), &errors),
              1);
    EXPECT_EQ(errors, "Failed to import module.\n");
    EXPECT_EQ(
        RunVesk("export vesk " + dir.file("db.PDB") + " " + dir.file("no/dir/x.txt"), &errors), 1);
    EXPECT_EQ(errors, "Failed to save.\n");
}
