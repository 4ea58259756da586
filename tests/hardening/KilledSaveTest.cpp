// A save killed at any moment leaves the old file or the new one, never a mixture: a child
// saves the database and the backup over and over, alternating two versions, and is killed
// at many points of that work.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

#include "hardening/DiskFaults.h"
#include "model/Database.h"
#include "support/TempDir.h"

namespace {

void FillVersion(cDatabase& db, int version) {
    db.name.assign(version == 0 ? "Old" : "New");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
    db.renameAttribute(db.addAttribute(MediaTypeUnicode), "Meaning");
    // Large enough that a save takes a while and kills land inside the writing.
    const int terms = version == 0 ? 3000 : 2000;
    for (int t = 0; t < terms; ++t) {
        db.addTerm();
        db.setValue(t, 0, ("word " + std::to_string(t * (version + 1))).c_str());
        db.setValue(t, 1, version == 0 ? u"\u4E2D\u6587" : u"\u05D0\u05D1\u05D2");
    }
}

std::vector<uint8_t> SavedBytes(int version, const std::string& path) {
    cDatabase db;
    FillVersion(db, version);
    db.path.assign(path.c_str());
    EXPECT_EQ(db.save(), 0);
    return ReadBytes(path);
}

[[noreturn]] void SaveForever(const std::string& database, const std::string& backup) {
    cDatabase versions[2];
    FillVersion(versions[0], 0);
    FillVersion(versions[1], 1);
    for (unsigned round = 1;; ++round) {
        cDatabase& db = versions[round % 2];
        for (const std::string* path : {&database, &backup}) {
            db.path.assign(path->c_str());
            if (db.save() != 0)
                _exit(3);
        }
    }
}

} // namespace

TEST(KilledSave, EveryKillLeavesTheOldOrTheNewFile) {
    cTempDir dir;
    const std::vector<uint8_t> versions[2] = {SavedBytes(0, dir.file("v0")),
                                              SavedBytes(1, dir.file("v1"))};
    ASSERT_NE(versions[0], versions[1]);
    const std::string database = dir.file("words.PDB");
    const std::string backup = dir.file("backup.PDB");

    int killedWhileWriting = 0;
    for (int point = 0; point < 50; ++point) {
        WriteBytes(database, versions[0]);
        WriteBytes(backup, versions[0]);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            SaveForever(database, backup);
        // Fixed steps through the first tens of milliseconds, the span of a few saves.
        ::usleep(static_cast<useconds_t>(500 + (point * 1733) % 40000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself: " << status;

        for (const std::string* path : {&database, &backup}) {
            std::vector<uint8_t> left = ReadBytes(*path);
            EXPECT_TRUE(left == versions[0] || left == versions[1])
                << *path << " at kill point " << point << " holds " << left.size() << " bytes";
            cDatabase loaded;
            loaded.path.assign(path->c_str());
            EXPECT_EQ(loaded.load(), 0) << *path << " at kill point " << point;
        }
        // A kill between creating and renaming the temporary file leaves it behind; that
        // those happen shows the kills land inside the saves. The next save in the folder
        // takes them away.
        killedWhileWriting += !LeftoverTemporaries(dir.path()).empty();
        SavedBytes(point % 2, dir.file("next.PDB"));
        EXPECT_EQ(LeftoverTemporaries(dir.path()), std::vector<std::string>())
            << "at kill point " << point;
    }
    RecordProperty("KilledWhileWriting", killedWhileWriting);
    std::printf("%d of 50 kills landed inside a save\n", killedWhileWriting);
}
