// The record beside the backup follows the document's unsaved work: written with the first
// backup of a change, gone after a save, after the changes were given up and when the editor
// ends; and a discarded backup is kept aside, never replaced.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "document/BackupRecord.h"
#include "document/BackupRecovery.h"
#include "document/Document.h"
#include "support/TempDir.h"

namespace {

// What the record in file says, as one line.
std::string RecordSays(const std::string& file) {
    if (!std::filesystem::exists(file))
        return "none";
    sBackupRecord record;
    if (!cBackupRecord::read(file, record))
        return "not a record";
    return (record.unsaved ? "unsaved " : "saved ") + record.path;
}

} // namespace

TEST(BackupRecord, FollowsTheUnsavedWork) {
    cTempDir dir;
    const std::string folder = dir.file("backup");
    const std::string record = folder + "/backup.info";
    const std::string words = dir.file("words.PDB");
    const std::string other = dir.file("other.PDB");
    cDocument document;
    document.backup().setFolder([&] { return folder; });
    cDatabase opened;
    opened.addAttribute(MediaTypeAscii);
    opened.path.assign(words.c_str());
    document.replace(opened, false);

    struct sStep {
        const char* what;
        std::function<void()> act;
        std::string says;
    };
    const std::vector<sStep> steps = {
        {"opened", [] {}, "none"},
        {"changed", [&] { document.addTerm(-1); }, "unsaved " + words},
        {"changed again", [&] { document.addTerm(-1); }, "unsaved " + words},
        {"saved", [&] { ASSERT_EQ(document.save(), 0); }, "none"},
        {"changed after the save", [&] { document.addTerm(-1); }, "unsaved " + words},
        {"undone back to the save", [&] { document.undo(); }, "none"},
        {"redone", [&] { document.redo(); }, "unsaved " + words},
        {"saved as another file", [&] { ASSERT_EQ(document.saveAs(other), 0); }, "none"},
        {"changed under its new name", [&] { document.addCategory(); }, "unsaved " + other},
        {"given up for a new database",
         [&] {
             cDatabase blank;
             document.replace(blank, false);
         },
         "none"},
        {"unnamed and changed", [&] { document.addAttribute(MediaTypeAscii); }, "unsaved "},
        {"the editor ended", [&] { document.backup().release(); }, "none"},
    };
    for (const sStep& step : steps) {
        step.act();
        EXPECT_EQ(RecordSays(record), step.says) << step.what;
    }
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    document.addTerm(-1);
    ASSERT_EQ(::stat(record.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u) << "private, as the backup";
    document.backup().release();
}

TEST(BackupRecord, KeepsAnyPathAndRefusesWhatIsNoRecord) {
    cTempDir dir;
    const std::string file = dir.file("backup.info");
    for (const std::string path : {"", "/a b/c.PDB", "/x\ny\n.PDB", "/caf\xC3\xA9/\"q\".pdb"}) {
        for (bool unsaved : {true, false}) {
            cBackupRecord writer;
            ASSERT_TRUE(writer.write(file, {unsaved, path}));
            EXPECT_EQ(RecordSays(file), (unsaved ? "unsaved " : "saved ") + path);
        }
    }
    const std::string header = "vesk-builder backup record\n";
    for (const std::string& junk : {std::string(), header, header + "unsaved maybe\npath /a\n",
                                    header + "unsaved yes\npath /a", header + "unsaved yes\n/a\n",
                                    std::string("backup record\nunsaved yes\npath /a\n")}) {
        WriteBytes(file, std::vector<uint8_t>(junk.begin(), junk.end()));
        EXPECT_EQ(RecordSays(file), "not a record") << junk;
    }
}

TEST(BackupRecord, ADiscardedBackupIsKeptAsideUnderAFreeName) {
    cTempDir dir;
    cDocument document;
    document.backup().setFolder([&] { return dir.path(); });
    const std::time_t now = 1700000000;
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "backup-%Y%m%d-%H%M%S", &local);
    for (const char* suffix : {"", "-2", "-3"}) {
        document.addTerm(-1);
        EXPECT_EQ(SetLeftWorkAside(document.backup(), now),
                  dir.file(std::string(stamp) + suffix + ".PDB"));
        EXPECT_FALSE(std::filesystem::exists(document.backup().filePath()));
        EXPECT_EQ(RecordSays(document.backup().recordPath()), "none");
    }
    cDatabase first;
    first.path.assign(dir.file(std::string(stamp) + ".PDB").c_str());
    ASSERT_EQ(first.load(), 0);
    EXPECT_EQ(first.terms.count(), 1u) << "the first one was not replaced";
    document.backup().release();
}
