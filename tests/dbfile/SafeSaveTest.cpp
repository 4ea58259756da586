#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "dbfile/FileFailure.h"
#include "dbfile/SafeSave.h"
#include "dbfile/SaveTemporaries.h"
#include "hardening/DiskFaults.h"
#include "support/FailingFileSystem.h"
#include "support/NonRegularFiles.h"
#include "support/TempDir.h"

namespace {

const std::vector<uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<uint8_t> kNew(10000, 'n');

int Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    return SafeSaveFile(path, bytes.data(), bytes.size());
}

} // namespace

TEST(SafeSave, ReplacesTheFileAndLeavesNothingElse) {
    cTempDir dir;
    std::string path = dir.file("db.PDB");
    ASSERT_EQ(Save(path, kOld), 0);
    ASSERT_EQ(Save(path, kNew), 0);
    EXPECT_EQ(ReadBytes(path), kNew);
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(SafeSave, AnyFailingStepKeepsThePreviousFileAndNoTemporary) {
    for (int step = 0; step < 5; ++step) {
        cTempDir dir;
        std::string path = dir.file("db.PDB");
        WriteBytes(path, kOld);
        {
            cFailingFileSystem fs;
            if (step == 0)
                fs.bytesBeforeFailure = 0;
            else if (step == 1)
                fs.bytesBeforeFailure = 4096;
            else if (step == 2)
                fs.bytesBeforeFailure = kNew.size() - 1;
            else if (step == 3)
                fs.failSync = true;
            else
                fs.failRename = true;
            ClearFileFailure();
            EXPECT_EQ(Save(path, kNew), 1) << "step " << step;
            EXPECT_EQ(LastFileFailure().path, path) << "step " << step;
            EXPECT_NE(LastFileFailure().reason, "") << "step " << step;
        }
        EXPECT_EQ(ReadBytes(path), kOld) << "step " << step;
        EXPECT_EQ(dir.entryCount(), 1u) << "step " << step;
    }
}

TEST(SafeSave, KeepsTheModeOfThePreviousFile) {
    cTempDir dir;
    std::string path = dir.file("db.PDB");
    WriteBytes(path, kOld);
    ::chmod(path.c_str(), 0640);
    ASSERT_EQ(Save(path, kNew), 0);
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(SafeSave, WritesThroughASymbolicLinkAndKeepsTheLink) {
    cTempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    std::string target = dir.file("real/db.PDB");
    WriteBytes(target, kOld);
    std::string link = dir.file("link.PDB");
    std::filesystem::create_symlink("real/db.PDB", link);

    ASSERT_EQ(Save(link, kNew), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), kNew);
    EXPECT_EQ(ResolveSaveTarget(link), dir.file("real/db.PDB"));
}

TEST(SafeSave, LinkLoopsEndWithoutHanging) {
    cTempDir dir;
    std::filesystem::create_symlink("b", dir.file("a"));
    std::filesystem::create_symlink("a", dir.file("b"));
    EXPECT_EQ(Save(dir.file("a"), kNew), 1);
}

TEST(SafeSave, MissingDirectoryFails) {
    cTempDir dir;
    EXPECT_EQ(Save(dir.file("no/such/dir/db.PDB"), kNew), 1);
}

TEST(SafeSave, ReadOnlyFileAndUnwritableDirectoryAreRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes regardless of permissions";
    cTempDir dir;
    std::string path = dir.file("db.PDB");
    WriteBytes(path, kOld);
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(Save(path, kNew), 1);
    EXPECT_EQ(ReadBytes(path), kOld);

    ::chmod(path.c_str(), 0644);
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_EQ(Save(path, kNew), 1);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(dir.entryCount(), 1u);
}

namespace {

bool MakeFile(const std::string& path, mode_t mode, uid_t owner = ::geteuid()) {
    WriteBytes(path, kOld);
    return ::chown(path.c_str(), owner, owner) == 0 && ::chmod(path.c_str(), mode) == 0;
}

const uid_t kNobody = 65534;
const mode_t kUnchanged = 0;

struct sSpecialTarget {
    const char* what;
    // Makes the target at path; false when this user cannot make it.
    std::function<bool(const std::string& path)> make;
    int result;
    // For a refused save, the reason; for a written one, the new file's mode and owner.
    const char* reason;
    mode_t mode;
    uid_t owner;
};

} // namespace

TEST(SafeSave, SpecialTargetsAreRefusedAndRegularOnesKeepWhatTheyWere) {
    const bool root = ::geteuid() == 0;
    const uid_t self = ::geteuid();
    const sSpecialTarget targets[] = {
        {"device",
         [&](const std::string& p) {
             return root && ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
         },
         SaveTargetRefused, "is a device", kUnchanged, self},
        {"FIFO", [](const std::string& p) { return ::mkfifo(p.c_str(), 0666) == 0; },
         SaveTargetRefused, "is a FIFO", kUnchanged, self},
        {"socket", MakeSocket, SaveTargetRefused, "is a socket", kUnchanged, self},
        {"directory", [](const std::string& p) { return ::mkdir(p.c_str(), 0777) == 0; },
         SaveTargetRefused, "is a directory", kUnchanged, self},
        {"link to a directory",
         [](const std::string& p) {
             return ::mkdir((p + ".d").c_str(), 0777) == 0 &&
                    ::symlink((p + ".d").c_str(), p.c_str()) == 0;
         },
         SaveTargetRefused, "is a directory", kUnchanged, self},
        {"read-only file, for root too", [](const std::string& p) { return MakeFile(p, 0444); },
         SaveFailed, "Permission denied", kUnchanged, self},
        {"file of another owner",
         [&](const std::string& p) { return root && MakeFile(p, 0640, kNobody); }, SaveWritten, "",
         0640, kNobody},
        {"set-user-ID file", [](const std::string& p) { return MakeFile(p, 04755); }, SaveWritten,
         "", 0755, self},
        {"set-group-ID file", [](const std::string& p) { return MakeFile(p, 02775); }, SaveWritten,
         "", 0775, self},
        {"new file", [](const std::string&) { return true; }, SaveWritten, "", kUnchanged, self},
    };
    for (const sSpecialTarget& target : targets) {
        cTempDir dir;
        const std::string path = dir.file("target");
        if (!target.make(path))
            continue; // this user cannot make it; the row runs under root
        struct stat before {};
        const bool existed = ::lstat(path.c_str(), &before) == 0;
        ClearFileFailure();

        EXPECT_EQ(Save(path, kNew), target.result) << target.what;
        struct stat after {};
        ASSERT_EQ(::lstat(path.c_str(), &after), 0) << target.what;
        EXPECT_EQ(LeftoverTemporaries(dir.path()), std::vector<std::string>()) << target.what;
        if (target.result != SaveWritten) {
            EXPECT_EQ(after.st_mode, before.st_mode) << target.what;
            EXPECT_EQ(after.st_ino, before.st_ino) << target.what;
            EXPECT_EQ(LastFileFailure().path, path) << target.what;
            EXPECT_EQ(LastFileFailure().reason, target.reason) << target.what;
            continue;
        }
        EXPECT_EQ(ReadBytes(path), kNew) << target.what;
        if (existed) {
            EXPECT_EQ(after.st_mode & 07777, target.mode) << target.what;
            EXPECT_EQ(after.st_uid, target.owner) << target.what;
            EXPECT_EQ(after.st_gid, before.st_gid) << target.what;
        }
    }
}

TEST(SafeSave, TemporariesCarryTheProcessIdAndOnlyThoseOfGoneProcessesAreRemoved) {
    cTempDir dir;
    pid_t gone = ::fork();
    if (gone == 0)
        _exit(0);
    ASSERT_GT(gone, 0);
    ::waitpid(gone, nullptr, 0);
    const std::string dead = ".vesk-save-" + std::to_string(gone) + "-";
    const std::string own = ".vesk-save-" + std::to_string(::getpid()) + "-";

    // Each entry, and whether a save in the folder removes it.
    const std::pair<std::string, bool> entries[] = {
        {dead + "a1B2c3", true},
        {dead + "Zz9yx8", true},
        {own + "a1B2c3", false},
        {".vesk-save-1-a1B2c3", false}, // init runs
        {".vesk-save-a1B2c3", false},
        {dead + "a1B2c3d", false},
        {dead + "a1B2", false},
        {".vesk-save-0" + std::to_string(gone) + "-a1B2c3", false},
        {".vesk-save-99999999999999999999-a1B2c3", false},
        {"words.PDB", false},
    };
    for (const auto& entry : entries)
        WriteBytes(dir.file(entry.first), kOld);
    ::mkdir(dir.file(dead + "folder").c_str(), 0700);
    ::symlink("words.PDB", dir.file(dead + "linkto").c_str());
    bool foreign = false; // a dead process's temporary that another user owns
    if (::geteuid() == 0) {
        WriteBytes(dir.file(dead + "nobody"), kOld);
        foreign = ::chown(dir.file(dead + "nobody").c_str(), kNobody, kNobody) == 0;
        if (!foreign)
            std::filesystem::remove(dir.file(dead + "nobody"));
    }

    // Every temporary this process makes carries its id.
    struct cRecordingFileSystem : cFileSystem {
        std::string made;
        int createTemporary(const std::string& directory, std::string& path) override {
            int fd = cFileSystem::createTemporary(directory, path);
            made = path;
            return fd;
        }
    } fs;
    InstallFileSystem(&fs);
    const int result = Save(dir.file("words.PDB"), kNew);
    InstallFileSystem(nullptr);
    ASSERT_EQ(result, SaveWritten);
    EXPECT_EQ(fs.made.rfind(dir.file(own), 0), 0u) << fs.made;
    EXPECT_EQ(TemporaryFileProcess(std::filesystem::path(fs.made).filename()), ::getpid());

    for (const auto& entry : entries)
        EXPECT_EQ(std::filesystem::exists(dir.file(entry.first)), !entry.second) << entry.first;
    EXPECT_TRUE(std::filesystem::is_directory(dir.file(dead + "folder")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file(dead + "linkto")));
    EXPECT_EQ(std::filesystem::exists(dir.file(dead + "nobody")), foreign);
}
