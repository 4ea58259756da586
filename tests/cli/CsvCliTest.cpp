#include <gtest/gtest.h>

#include <sstream>
#include <sys/wait.h>

#include "cli/Commands.h"
#include "support/TempDir.h"

namespace {

// Runs the vesk binary; the exit status, standard output and standard error.
int Vesk(const cTempDir& dir, const std::string& arguments, std::string* out = nullptr,
         std::string* errors = nullptr) {
    const std::string command = std::string(VESK_BINARY) + " " + arguments + " >" +
                                dir.file("stdout") + " 2>" + dir.file("stderr");
    const int status = std::system(command.c_str());
    auto text = [&](const char* name) {
        std::vector<uint8_t> bytes = ReadBytes(dir.file(name));
        return std::string(bytes.begin(), bytes.end());
    };
    if (out)
        *out = text("stdout");
    if (errors)
        *errors = text("stderr");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Write(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string Csv(const cTempDir& dir, const std::string& pdb) {
    std::string out;
    EXPECT_EQ(Vesk(dir, "export csv " + pdb + " - --categories", &out), 0);
    return out;
}

} // namespace

TEST(CliCsv, OptionsChooseSeparatorHeaderColumnsAndDuplicates) {
    cTempDir dir;
    const std::string in = dir.file("in.txt"), db = dir.file("db.pdb");
    Write(in, "apple;Apfel;x;fruit\r\npear;Birne;y;fruit tree\r\n");
    std::string out;
    ASSERT_EQ(Vesk(dir,
                   "import csv " + in + " " + db +
                       " --separator semicolon --no-header --encoding windows-1252"
                       " --columns 'Word:ascii,Meaning:unicode,-,#categories'",
                   &out),
              0);
    EXPECT_EQ(out, "2 added, 0 updated, 0 skipped\n");
    EXPECT_EQ(Csv(dir, db), "\xEF\xBB\xBFWord,Meaning,Categories\r\napple,Apfel,fruit\r\n"
                            "pear,Birne,fruit;tree\r\n");

    Write(in, "Word,Meaning\npear,Birnen\nplum,Pflaume\n");
    ASSERT_EQ(Vesk(dir,
                   "import csv " + in + " " + db + " --into " + db +
                       " --header --duplicates update --key Word",
                   &out),
              0);
    EXPECT_EQ(out, "1 added, 1 updated, 0 skipped\n");
    EXPECT_EQ(Csv(dir, db), "\xEF\xBB\xBFWord,Meaning,Categories\r\napple,Apfel,fruit\r\n"
                            "pear,Birnen,fruit;tree\r\nplum,Pflaume,\r\n");

    ASSERT_EQ(
        Vesk(dir, "merge " + db + " " + db + " " + dir.file("m.pdb") + " --duplicates skip", &out),
        0);
    EXPECT_EQ(out, "0 added, 0 updated, 3 skipped\n");

    std::string errors;
    Write(in, "a,b\n\"c,d\n");
    EXPECT_EQ(Vesk(dir, "import csv " + in + " " + db, nullptr, &errors), 1);
    EXPECT_EQ(errors, "Failed to import the delimited text: line 2: the quoted cell that starts "
                      "on this line is not closed\nvesk: " +
                          in +
                          ": line 2: the quoted cell that starts on this line is not closed\n");
    EXPECT_EQ(Vesk(dir, "import csv " + in + " " + db + " --duplicates maybe"), 2);
    EXPECT_EQ(Vesk(dir, "import csv " + in + " " + db + " --header --no-header"), 2);
}

TEST(CliCsv, RowsPastTheLimitSplitOnlyWhenAsked) {
    cTempDir dir;
    const std::string in = dir.file("big.csv");
    std::ostringstream text;
    text << "Word,Tags\n";
    for (int row = 0; row < 65532 + 10; ++row)
        text << "w" << row << "," << (row % 2 ? "odd" : "even") << "\n";
    Write(in, text.str());

    std::string errors;
    EXPECT_EQ(Vesk(dir, "import csv " + in + " " + dir.file("Words.pdb"), nullptr, &errors), 1);
    EXPECT_NE(errors.find("The file holds 65,542 rows, but a database holds at most 65,532 "
                          "terms, so 65,532 of them fit."),
              std::string::npos)
        << errors;
    EXPECT_EQ(dir.entryCount(), 3u); // big.csv, stdout and stderr

    std::string out;
    ASSERT_EQ(Vesk(dir, "import csv " + in + " " + dir.file("Words.pdb") + " --split", &out), 0);
    EXPECT_EQ(out, "65,542 added, 0 updated, 0 skipped\n" + dir.file("Words 1.pdb") + "\n" +
                       dir.file("Words 2.pdb") + "\n");
    std::ostringstream dump;
    ASSERT_EQ(RunDump(dir.file("Words 2.pdb"), dump), 0);
    EXPECT_NE(dump.str().find("\"name\": \"Words 2\""), std::string::npos);
    EXPECT_NE(dump.str().find("\"w65541\""), std::string::npos);
}
