// The editor on a failing disk: Save, Save As and both exports tell the user "Failed to
// save." and leave the previous file and the modified mark as they were; the backup and the
// settings file fail without a word and keep their previous file.

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "hardening/DiskFaults.h"
#include "panes/CommandIds.h"
#include "panes/Panes.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/DocumentStatus.h"
#include "shell/OpenDatabase.h"
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"

namespace {

void Words(cDatabase& db) {
    db.name.assign("Words");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
    db.setValue(db.addTerm(), 0, "one");
}

// Shorter than every file written here (the tab-delimited export of two terms is the
// shortest), so that every write fault strikes.
constexpr size_t kShortestFile = 6;

struct sCommandCase {
    const char* what;
    int command;
    bool asksForAFile;
};

const sCommandCase kCommands[] = {
    {"Save", CmdSave, false},
    {"Save As", CmdSaveAs, true},
    {"Export Vesk Text", CmdExportVeskText, true},
    {"Export tab-delimited", CmdExportTabDelimited, true},
    {"Export text for Anki", CmdExportAnkiText, true},
};

} // namespace

class EditorOnAFailingDisk : public EditorTest {
protected:
    // An open database with an unsaved change, a previous target file, and its backup.
    std::string openModified() {
        std::string path = makeDatabase("words.PDB", Words);
        EXPECT_EQ(OpenDatabaseFile(path, false), 0);
        ExecuteCommand(CmdNewTerm);
        window->panes().commitOpenEdit(); // the new term's first value, as typed so far
        EXPECT_TRUE(CurrentDocument().isModified());
        return path;
    }
};

TEST_F(EditorOnAFailingDisk, EverySavingCommandReportsAndKeepsEverything) {
    for (const sCommandCase& command : kCommands) {
        for (const sDiskFaultCase& fault : DiskFaultCases(kShortestFile)) {
            std::string what = std::string(command.what) + ", " + Describe(fault);
            std::string database = openModified();
            std::string target = command.asksForAFile ? dir.file("target.out") : database;
            if (command.asksForAFile)
                WriteBytes(target, {'o', 'l', 'd'});
            const std::vector<uint8_t> before = ReadBytes(target);
            const std::vector<uint8_t> backup = ReadBytes(BackupFilePath());
            platform.messages.clear();
            platform.fileAnswers = {QString::fromStdString(target)};
            {
                cFaultyDisk disk(fault);
                ExecuteCommand(command.command);
            }
            ASSERT_FALSE(platform.messages.empty()) << what;
            EXPECT_EQ(platform.messages.back().text, "Failed to save.") << what;
            EXPECT_TRUE(
                window->statusText().startsWith("'" + QString::fromStdString(target) + "': "))
                << what << ": " << window->statusText().toStdString();
            EXPECT_TRUE(CurrentDocument().isModified()) << what;
            EXPECT_TRUE(window->windowTitle().endsWith(" *")) << what;
            EXPECT_EQ(ReadBytes(target), before) << what;
            EXPECT_EQ(ReadBytes(BackupFilePath()), backup) << what;
            EXPECT_EQ(LeftoverTemporaries(dir.path()), std::vector<std::string>()) << what;
            SetDatabaseOpen(false);
        }
    }
}

TEST_F(EditorOnAFailingDisk, BackupAndSettingsFailSilentlyAndKeepTheirFiles) {
    for (const sDiskFaultCase& fault : DiskFaultCases(kShortestFile)) {
        std::string what = Describe(fault);
        openModified();
        ASSERT_EQ(SaveSettings(), 0);
        const std::vector<uint8_t> backup = ReadBytes(BackupFilePath());
        const std::vector<uint8_t> settings = ReadBytes(SettingsFilePath());
        platform.messages.clear();
        {
            cFaultyDisk disk(fault);
            ExecuteCommand(CmdNewTerm); // every change rewrites the backup
            EXPECT_EQ(disk.failures(), 1) << what;
        }
        {
            cFaultyDisk disk(fault);
            Settings.fontSize = 30;
            EXPECT_EQ(SaveSettings(), 1) << what;
        }
        EXPECT_TRUE(platform.messages.empty()) << what;
        EXPECT_TRUE(CurrentDocument().isModified()) << what;
        EXPECT_EQ(ReadBytes(BackupFilePath()), backup) << what;
        EXPECT_EQ(ReadBytes(SettingsFilePath()), settings) << what;
        EXPECT_EQ(LeftoverTemporaries(dir.path()), std::vector<std::string>()) << what;
        Settings.fontSize = 12;
        SetDatabaseOpen(false);
    }
}

TEST_F(EditorOnAFailingDisk, ReadOnlyFileAndUnwritableFolderFailToSave) {
    std::string path = openModified();
    const std::vector<uint8_t> before = ReadBytes(path);
    ::chmod(path.c_str(), 0444); // a file nobody may write binds root too
    EXPECT_EQ(ExecuteCommand(CmdSave), CommandFailed);
    EXPECT_EQ(platform.messages.back().text, "Failed to save.");
    EXPECT_EQ(window->statusText(), "'" + QString::fromStdString(path) + "': Permission denied");
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_EQ(ReadBytes(path), before);
    ::chmod(path.c_str(), 0644);
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes to any folder";

    std::filesystem::create_directory(dir.file("locked"));
    ::chmod(dir.file("locked").c_str(), 0555);
    platform.fileAnswers = {QString::fromStdString(dir.file("locked/words.PDB"))};
    EXPECT_EQ(ExecuteCommand(CmdSaveAs), CommandFailed);
    EXPECT_EQ(platform.messages.back().text, "Failed to save.");
    EXPECT_TRUE(CurrentDocument().isModified());
    ::chmod(dir.file("locked").c_str(), 0755);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_FALSE(std::filesystem::exists(dir.file("locked/words.PDB")));
}

TEST_F(EditorOnAFailingDisk, SavingALinkedDatabaseWritesItsTargetAndKeepsTheLink) {
    std::string real = makeDatabase("real.PDB", Words);
    std::string link = dir.file("link.PDB");
    std::filesystem::create_symlink("real.PDB", link);
    ASSERT_EQ(OpenDatabaseFile(link, false), 0);
    ExecuteCommand(CmdNewTerm);
    EXPECT_EQ(ExecuteCommand(CmdSave), CommandDone);
    EXPECT_FALSE(CurrentDocument().isModified());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    cDatabase saved;
    saved.path.assign(real.c_str());
    ASSERT_EQ(saved.load(), 0);
    EXPECT_EQ(saved.terms.count(), 2u);
}

TEST_F(EditorOnAFailingDisk, FileCommandsGivenNoFileSayWhatItIsInTheStatusBar) {
    const std::string fifo = dir.file("fifo"), folder = dir.file("folder");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    const QString noFile = "Failed to load database because it is not a file but a folder, a "
                           "device, a pipe or a socket.";
    struct sCase {
        int command;
        std::string path;
        QString message;
        QString status;
    };
    const sCase cases[] = {
        {CmdOpen, fifo, noFile, "is a FIFO"},
        {CmdOpen, "/dev/null", noFile, "is a device"},
        {CmdMerge, folder, "Failed to merge database.", "is a directory"},
        {CmdImportVeskText, fifo, "Failed to import module.", "is a FIFO"},
        {CmdImportErgane, folder, "Failed to import module.", "is a directory"},
        {CmdSaveAs, fifo, "Failed to save.", "is a FIFO"},
        {CmdExportTabDelimited, folder, "Failed to save.", "is a directory"},
        {CmdImportAnkiPackage, fifo, "Failed to import module.", "is a FIFO"},
    };
    for (const sCase& c : cases) {
        openModified();
        SetModified(false); // no question before opening or importing
        platform.messages.clear();
        platform.fileAnswers = {QString::fromStdString(c.path)};
        ExecuteCommand(c.command);
        ASSERT_EQ(platform.messages.size(), 1u) << c.path;
        EXPECT_EQ(platform.messages.back().text, c.message) << c.path;
        EXPECT_EQ(window->statusText(), "'" + QString::fromStdString(c.path) + "': " + c.status)
            << c.command;
        SetDatabaseOpen(false);
    }
    struct stat info {};
    EXPECT_TRUE(::stat(fifo.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    EXPECT_TRUE(::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}
