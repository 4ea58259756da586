// Every writer of the program on a disk that fails at each step of a save, once and for
// good: the previous file stays byte for byte, no temporary file is left, and a failure
// that went away lets the next attempt through.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "SeedFiles.h"
#include "dbfile/FileFailure.h"
#include "exchange/TextExport.h"
#include "hardening/DiskFaults.h"
#include "model/Database.h"
#include "shell/AppState.h"
#include "shell/Settings.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace {

struct sWriter {
    const char* what;
    // Writes the second version of its file to path; 0 on success.
    std::function<int(const std::string& path)> write;
};

int SaveDatabase(const std::string& path) {
    cDatabase db;
    FillSeedDatabase(db);
    db.path.assign(path.c_str());
    return db.save();
}

int SaveSettingsTo(const std::string& path) {
    ResetAppState();
    EditorPaths.settingsDirectory = std::filesystem::path(path).parent_path().string();
    Settings.recentFiles = {"/home/user/words.PDB"};
    int result = SaveSettings();
    ResetAppState();
    return result;
}

int Export(const std::string& path, bool ownFormat) {
    cDatabase db;
    FillSeedDatabase(db);
    return ExportTextFile(db, path, ownFormat);
}

// The backup is the database written to another path: the same writer, named apart so a
// failure says which file it was.
const sWriter kWriters[] = {
    {"database", SaveDatabase},
    {"backup", SaveDatabase},
    {"settings", SaveSettingsTo},
    {"Vesk Text export", [](const std::string& p) { return Export(p, true); }},
    {"tab-delimited export", [](const std::string& p) { return Export(p, false); }},
};

std::string FileNameOf(const sWriter& writer) {
    return std::string(writer.what) == "settings" ? "vesk_prefs.txt" : "file.out";
}

const std::vector<uint8_t> kPrevious = {'p', 'r', 'e', 'v', '\n'};

// Runs check where permissions bind: root may write anything, so under root the check runs
// in a child that owns directory and has become an ordinary user.
template <class F> bool AsOrdinaryUser(const std::string& directory, F check) {
    if (::geteuid() != 0)
        return check();
    const uid_t nobody = 65534;
    pid_t child = ::fork();
    if (child == 0) {
        std::error_code error;
        ::chown(directory.c_str(), nobody, nobody);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(directory, error))
            ::lchown(entry.path().c_str(), nobody, nobody);
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    bool passed = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                  WEXITSTATUS(status) == 0;
    if (child > 0) { // give the directory back so that it can be cleaned up
        std::error_code error;
        ::chown(directory.c_str(), 0, 0);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(directory, error))
            ::lchown(entry.path().c_str(), 0, 0);
    }
    return passed;
}

} // namespace

TEST(FailingDisk, EveryWriterKeepsThePreviousFileAtEveryFailingStep) {
    cRecordingSink sink;
    for (const sWriter& writer : kWriters) {
        cTempDir sizing;
        ASSERT_EQ(writer.write(sizing.file(FileNameOf(writer))), 0) << writer.what;
        const std::vector<uint8_t> written = ReadBytes(sizing.file(FileNameOf(writer)));

        for (const sDiskFaultCase& c : DiskFaultCases(written.size())) {
            std::string what = std::string(writer.what) + ", " + Describe(c);
            cTempDir dir;
            const std::string path = dir.file(FileNameOf(writer));
            WriteBytes(path, kPrevious);
            cFaultyDisk disk(c);
            ClearFileFailure();
            EXPECT_EQ(writer.write(path), 1) << what;
            EXPECT_EQ(disk.failures(), 1) << what;
            EXPECT_EQ(LastFileFailure().path, path) << what;
            EXPECT_NE(LastFileFailure().reason, "") << what;
            EXPECT_EQ(ReadBytes(path), kPrevious) << what;
            EXPECT_EQ(LeftoverTemporaries(dir.path()), std::vector<std::string>()) << what;

            // Trying again: a passing fault lets it through, a lasting one fails again.
            EXPECT_EQ(writer.write(path), c.persistent ? 1 : 0) << what << ", again";
            EXPECT_EQ(ReadBytes(path), c.persistent ? kPrevious : written) << what << ", again";
            EXPECT_EQ(dir.entryCount(), 1u) << what << ", again";
        }
    }
    EXPECT_TRUE(sink.shown.empty()) << "the writers themselves show nothing";
}

TEST(FailingDisk, EveryWriterRefusesReadOnlyFilesAndDirectoriesAndWritesThroughLinks) {
    for (const sWriter& writer : kWriters) {
        cTempDir dir;
        const std::string name = FileNameOf(writer);
        std::filesystem::create_directory(dir.file("real"));
        const std::string target = dir.file("real/" + name);
        WriteBytes(target, kPrevious);

        EXPECT_TRUE(AsOrdinaryUser(dir.path(),
                                   [&] {
                                       bool ok = true;
                                       ::chmod(target.c_str(), 0444);
                                       ok &= writer.write(target) == 1 &&
                                             ReadBytes(target) == kPrevious;
                                       ::chmod(target.c_str(), 0644);
                                       ::chmod(dir.file("real").c_str(), 0555);
                                       ok &= writer.write(target) == 1;
                                       ::chmod(dir.file("real").c_str(), 0755);
                                       return ok && ReadBytes(target) == kPrevious &&
                                              LeftoverTemporaries(dir.file("real")).empty();
                                   }))
            << writer.what << ": read-only file or unwritable directory";

        // Nothing but a regular file is replaced, and the reason says what stands there.
        const std::pair<const char*, std::function<int(const std::string&)>> others[] = {
            {"is a FIFO", [](const std::string& p) { return ::mkfifo(p.c_str(), 0600); }},
            {"is a directory", [](const std::string& p) { return ::mkdir(p.c_str(), 0700); }},
        };
        for (const auto& other : others) {
            cTempDir special;
            const std::string path = special.file(name);
            ASSERT_EQ(other.second(path), 0);
            EXPECT_EQ(writer.write(path), 1) << writer.what << ": " << other.first;
            EXPECT_EQ(LastFileFailure().reason, other.first) << writer.what;
            EXPECT_EQ(special.entryCount(), 1u) << writer.what << ": " << other.first;
        }

        // The settings file is found by its folder, so its link is the folder's own file.
        const std::string linkDirectory = dir.file("links");
        std::filesystem::create_directory(linkDirectory);
        const std::string link = linkDirectory + "/" + name;
        std::filesystem::create_symlink("../real/" + name, link);
        EXPECT_EQ(writer.write(link), 0) << writer.what << ": through a link";
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << writer.what;
        EXPECT_NE(ReadBytes(target), kPrevious) << writer.what;
        EXPECT_EQ(LeftoverTemporaries(linkDirectory), std::vector<std::string>()) << writer.what;
    }
}
