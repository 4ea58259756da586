#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "dbfile/SafeSave.h"
#include "support/FailingFileSystem.h"
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
            EXPECT_EQ(Save(path, kNew), 1) << "step " << step;
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
