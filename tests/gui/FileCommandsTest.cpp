// The file commands as the user runs them: open, save, save as, the save prompt, merge,
// imports and exports, templates and the backup.

#include "dbfile/PdbFormat.h"
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <cstring>

#include "hardening/AllocationMeter.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/TermPane.h"
#include "shell/Commands.h"
#include "shell/DialogButtons.h"
#include "shell/DocumentStatus.h"
#include "shell/OpenDatabase.h"
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"

namespace {

void Sample(cDatabase& db) {
    db.name.assign("Sample");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
    db.setValue(db.addTerm(), 0, "one");
    db.setValue(db.addTerm(), 0, "two");
}

} // namespace

TEST_F(EditorTest, OpenShowsTheDatabaseAndRemembersIt) {
    std::string path = makeDatabase("sample.PDB", Sample);
    platform.fileAnswers = {QString::fromStdString(path)};
    EXPECT_EQ(ExecuteCommand(CmdOpen), CommandDone);
    ASSERT_EQ(platform.fileRequests.size(), 1u);
    EXPECT_EQ(platform.fileRequests[0].title, "Open Vesk Database");
    EXPECT_EQ(platform.fileRequests[0].filterDescription, "Vesk Database Files (*.PDB)");
    EXPECT_EQ(window->windowTitle(), QString::fromStdString("Vesk-Builder - " + path));
    EXPECT_EQ(window->statusText(), "Database opened.");
    EXPECT_EQ(Settings.recentFiles, std::vector<std::string>{path});
    EXPECT_EQ(window->termPane().view()->model()->rowCount(), 2);
    EXPECT_EQ(window->termPane().view()->model()->index(1, 1).data().toString(), "two");
    EXPECT_EQ(window->recentMenu()->actions().size(), 1);

    EXPECT_EQ(ExecuteCommand(CmdOpen), CommandFailed) << "cancelled dialog";
}

TEST_F(EditorTest, EveryLoadFailureHasItsMessageAndChangesNothing) {
    std::string good = makeDatabase("good.PDB", Sample);
    ASSERT_EQ(OpenDatabaseFile(good, false), 0);
    std::vector<uint8_t> bytes = ReadBytes(good);

    std::vector<uint8_t> wrongType = bytes;
    std::memcpy(wrongType.data() + kPdbTypeOffset, "DATA", 4);
    WriteBytes(dir.file("type.PDB"), wrongType);
    std::vector<uint8_t> twoRecords = bytes;
    twoRecords[kPdbRecordCountOffset + 1] = 2;
    WriteBytes(dir.file("two.PDB"), twoRecords);
    std::vector<uint8_t> version = bytes;
    version[kPdbVersionOffset + 1] = 9;
    WriteBytes(dir.file("version.PDB"), version);
    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 2);
    WriteBytes(dir.file("cut.PDB"), cut);

    const std::pair<const char*, const char*> cases[] = {
        {"missing.PDB", "Failed to load database because file does not exist."},
        {"type.PDB", "Failed to load file because it is not an Vesk database."},
        {"two.PDB", "Failed to load database because it is corrupt."},
        {"version.PDB", "Failed to load database because version is unsupported."},
        {"cut.PDB", "Failed to load database because format is bad."},
    };
    for (const auto& [file, message] : cases) {
        platform.messages.clear();
        EXPECT_EQ(OpenDatabaseFile(dir.file(file), false), 1) << file;
        ASSERT_EQ(platform.messages.size(), 1u) << file;
        EXPECT_EQ(platform.messages[0].caption, "Error");
        EXPECT_EQ(platform.messages[0].text, message) << file;
        EXPECT_STREQ(CurrentDatabase().path.text(), good.c_str()) << file;
        EXPECT_EQ(CurrentDatabase().terms.count(), 2u) << file;
    }
    EXPECT_EQ(Settings.recentFiles, std::vector<std::string>{good});
}

TEST_F(EditorTest, SaveAsNamesAnUnnamedDatabaseAndSaveClearsTheMark) {
    CurrentDatabase().addAttribute(MediaTypeAscii);
    SetDatabaseOpen(true);
    SetModified(true);
    EXPECT_EQ(window->windowTitle(), "Vesk-Builder - Unnamed *");
    EXPECT_TRUE(window->action(CmdSave)->isEnabled());

    std::string path = dir.file("My Cards.v2.PDB");
    platform.fileAnswers = {QString::fromStdString(path)};
    EXPECT_EQ(ExecuteCommand(CmdSave), CommandDone) << "no path yet: Save runs Save As";
    EXPECT_EQ(platform.fileRequests[0].title, "Save Vesk Database");
    EXPECT_EQ(platform.fileRequests[0].initialName, "*.PDB");
    EXPECT_STREQ(CurrentDatabase().name.text(), "My Cards");
    EXPECT_EQ(window->windowTitle(), QString::fromStdString("Vesk-Builder - " + path));
    EXPECT_FALSE(window->action(CmdSave)->isEnabled());
    EXPECT_EQ(window->statusText(), "Database saved.");
    EXPECT_EQ(Settings.recentFiles, std::vector<std::string>{path});
    cDatabase reloaded;
    reloaded.path.assign(path.c_str());
    ASSERT_EQ(reloaded.load(), 0);
    EXPECT_STREQ(reloaded.name.text(), "My Cards");

    CurrentDatabase().path.clear();
    ExecuteCommand(CmdSaveAs);
    EXPECT_EQ(platform.fileRequests.back().initialName, "My Cards.PDB");
}

TEST_F(EditorTest, FailedSaveReportsAndKeepsTheMark) {
    SetDatabaseOpen(true);
    SetModified(true);
    platform.fileAnswers = {QString::fromStdString(dir.file("no/such/dir/x.PDB"))};
    EXPECT_EQ(ExecuteCommand(CmdSaveAs), CommandFailed);
    EXPECT_EQ(platform.messages.back().text, "Failed to save.");
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_STREQ(CurrentDatabase().path.text(), dir.file("no/such/dir/x.PDB").c_str())
        << "the new path stays";
}

TEST_F(EditorTest, SavePromptYesNoAndCancel) {
    SetDatabaseOpen(true);
    SetModified(true);
    platform.messageAnswers = {MessageResultCancel};
    EXPECT_TRUE(SavePrompt("before exiting?"));
    EXPECT_EQ(platform.messages[0].caption, "Warning");
    EXPECT_EQ(platform.messages[0].text, "Save changes to 'Unnamed' before exiting?");
    EXPECT_EQ(platform.messages[0].flags, unsigned(MessageYesNoCancel));

    platform.messageAnswers = {MessageResultNo};
    EXPECT_FALSE(SavePrompt("before exiting?"));

    // Yes, then cancelling Save As: the exit is aborted and the window stays.
    window->show();
    platform.messageAnswers = {MessageResultYes};
    EXPECT_EQ(ExecuteCommand(CmdExit), CommandDone);
    EXPECT_TRUE(window->isVisible());

    // Yes with a successful save lets the command go on.
    platform.messageAnswers = {MessageResultYes};
    platform.fileAnswers = {QString::fromStdString(dir.file("saved.PDB"))};
    EXPECT_FALSE(SavePrompt("before opening another database?"));
    EXPECT_FALSE(CurrentDocument().isModified());
    EXPECT_FALSE(SavePrompt("before exiting?")) << "nothing to save: no question";
}

TEST_F(EditorTest, ImportReplacesTheDatabaseOnlyWhenItSucceeds) {
    std::string path = makeDatabase("sample.PDB", Sample);
    ASSERT_EQ(OpenDatabaseFile(path, false), 0);
    SetModified(false);

    const std::string bad = "Terms:\nNouns\tx\n";
    WriteBytes(dir.file("bad.txt"), std::vector<uint8_t>(bad.begin(), bad.end()));
    platform.fileAnswers = {QString::fromStdString(dir.file("bad.txt"))};
    EXPECT_EQ(ExecuteCommand(CmdImportVeskText), CommandDone);
    EXPECT_EQ(platform.messageTexts(), (std::vector<QString>{"Line 2: unknown category (Nouns)",
                                                             "Failed to import module."}));
    EXPECT_EQ(CurrentDatabase().terms.count(), 2u);
    EXPECT_FALSE(CurrentDocument().isModified());

    const std::string good = "a\tb\nc\td\ne\tf\n";
    WriteBytes(dir.file("good.txt"), std::vector<uint8_t>(good.begin(), good.end()));
    platform.fileAnswers = {QString::fromStdString(dir.file("good.txt"))};
    EXPECT_EQ(ExecuteCommand(CmdImportTabDelimited), CommandDone);
    EXPECT_EQ(platform.fileRequests.back().title, "Import Text File");
    EXPECT_EQ(CurrentDatabase().terms.count(), 3u);
    EXPECT_TRUE(CurrentDatabase().path.isEmpty()) << "an import is untitled";
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_EQ(window->windowTitle(), "Vesk-Builder - Unnamed *");
    EXPECT_EQ(window->statusText(), "3 terms imported.");

    platform.messages.clear();
    platform.fileAnswers = {QString::fromStdString(path)};
    EXPECT_EQ(ExecuteCommand(CmdImportQuizApp), CommandDone);
    EXPECT_EQ(
        platform.messageTexts(),
        (std::vector<QString>{"Save changes to 'Unnamed' before importing a QuizApp module?",
                              "The selected database is not a known QuizApp module format."}));
    EXPECT_EQ(CurrentDatabase().terms.count(), 3u);
    EXPECT_TRUE(CurrentDocument().isModified());

    WriteBytes(dir.file("one.txt"), {'a', '\n'});
    platform.fileAnswers = {QString::fromStdString(dir.file("one.txt"))};
    ExecuteCommand(CmdImportTabDelimited);
    EXPECT_EQ(window->statusText(), "1 term imported.");
}

TEST_F(EditorTest, ACommandThatRunsOutOfMemoryKeepsTheOpenDatabase) {
    const std::string open = makeDatabase("sample.PDB", Sample);
    ASSERT_EQ(OpenDatabaseFile(open, false), 0);
    const std::string big = makeDatabase("big.PDB", [](cDatabase& db) {
        db.addAttribute(MediaTypeAscii);
        const std::string value(8000, 'v');
        for (int i = 0; i < 300; ++i)
            db.setValue(db.addTerm(), 0, value.c_str());
    });
    for (int command : {CmdOpen, CmdMerge}) {
        platform.messages.clear();
        platform.fileAnswers = {QString::fromStdString(big)};
        FailAllocationsAbove(1u << 20); // less than reading the 2.4 MB file takes
        EXPECT_EQ(ExecuteCommand(command), CommandFailed);
        FailAllocationsAbove(0);
        ASSERT_EQ(platform.messages.size(), 1u) << command;
        EXPECT_TRUE(platform.messages[0].text.startsWith("There is not enough memory"));
        EXPECT_EQ(CurrentDatabase().terms.count(), 2u);
        EXPECT_EQ(CurrentDatabase().path.textOrEmpty(), open);
        EXPECT_FALSE(CurrentDocument().isModified());
    }
}

TEST_F(EditorTest, MergeAppendsAndMarksTheDatabase) {
    std::string path = makeDatabase("sample.PDB", Sample);
    ASSERT_EQ(OpenDatabaseFile(path, false), 0);
    platform.fileAnswers = {QString::fromStdString(path)};
    EXPECT_EQ(ExecuteCommand(CmdMerge), CommandDone);
    EXPECT_EQ(CurrentDatabase().terms.count(), 4u);
    EXPECT_TRUE(CurrentDocument().isModified());

    platform.fileAnswers = {QString::fromStdString(dir.file("missing.PDB"))};
    EXPECT_EQ(ExecuteCommand(CmdMerge), CommandDone);
    EXPECT_EQ(platform.messages.back().text, "Failed to merge database.");
    EXPECT_EQ(CurrentDatabase().terms.count(), 4u);
}

TEST_F(EditorTest, ExportKeepsTheModifiedState) {
    std::string path = makeDatabase("sample.PDB", Sample);
    ASSERT_EQ(OpenDatabaseFile(path, false), 0);
    platform.fileAnswers = {QString::fromStdString(dir.file("out.txt"))};
    EXPECT_EQ(ExecuteCommand(CmdExportTabDelimited), CommandDone);
    std::vector<uint8_t> bytes = ReadBytes(dir.file("out.txt"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "one\r\ntwo\r\n");
    EXPECT_FALSE(CurrentDocument().isModified());
    EXPECT_EQ(window->statusText(), "Database exported.");
}

TEST_F(EditorTest, EveryChangeRewritesTheBackup) {
    std::string path = makeDatabase("sample.PDB", Sample);
    ASSERT_EQ(OpenDatabaseFile(path, false), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("backup.PDB")));
    ExecuteCommand(CmdNewTerm);
    EXPECT_TRUE(window->windowTitle().endsWith(" *"));
    cDatabase backup;
    backup.path.assign(dir.file("backup.PDB").c_str());
    ASSERT_EQ(backup.load(), 0);
    EXPECT_EQ(backup.terms.count(), 3u);
    EXPECT_STREQ(CurrentDatabase().path.text(), path.c_str()) << "the path is put back";

    std::vector<uint8_t> before = ReadBytes(dir.file("backup.PDB"));
    ExecuteCommand(CmdSave);
    EXPECT_FALSE(window->windowTitle().endsWith(" *"));
    EXPECT_EQ(ReadBytes(dir.file("backup.PDB")), before) << "saving writes no backup";
}

TEST_F(EditorTest, TemplatesAreListedAndOpenUntitled) {
    std::filesystem::create_directories(dir.file("templates"));
    cDatabase spanish;
    spanish.name.assign("Spanish");
    spanish.path.assign(dir.file("templates/Spanish Verbs.PDB").c_str());
    ASSERT_EQ(spanish.save(), 0);
    BuildTemplateList();
    ASSERT_EQ(Settings.templates.size(), 1u);
    EXPECT_EQ(Settings.templates[0].displayName, "Spanish Verbs");

    platform.dialogScripts = {[](QDialog& dialog) {
                                  auto* list = dialog.findChild<QListWidget*>("templateList");
                                  list->setCurrentRow(1);
                                  dialog.findChild<QPushButton*>("okButton")->click();
                                  return dialog.result();
                              },
                              [](QDialog& dialog) { return dialog.result(); }};
    EXPECT_EQ(ExecuteCommand(CmdNewDatabase), CommandDone);
    EXPECT_EQ(platform.dialogTitles.back(), "Database Properties");
    EXPECT_STREQ(CurrentDatabase().name.text(), "Spanish");
    EXPECT_TRUE(CurrentDatabase().path.isEmpty());
    EXPECT_EQ(window->windowTitle(), "Vesk-Builder - Unnamed");
    EXPECT_TRUE(Settings.recentFiles.empty()) << "templates do not join the recent list";
}

TEST_F(EditorTest, NewTermNeedsAnAttribute) {
    SetDatabaseOpen(true);
    EXPECT_EQ(ExecuteCommand(CmdNewTerm), CommandFailed);
    EXPECT_EQ(platform.messages[0].caption, "Instructions");
    EXPECT_EQ(CurrentDatabase().terms.count(), 0u);
}

TEST_F(EditorTest, AnkiPackagesGoOutAndComeBackThroughTheDocument) {
    ASSERT_EQ(OpenDatabaseFile(makeDatabase("sample.PDB", Sample), false), 0);
    // The export asks about reverse cards first; cancelling there asks nothing more.
    EXPECT_EQ(ExecuteCommand(CmdExportAnkiPackage), CommandFailed);
    EXPECT_TRUE(platform.fileRequests.empty());
    platform.dialogScripts.push_back([](QDialog& dialog) {
        dialog.findChild<QCheckBox*>("reverseCards")->setChecked(true);
        return int(DialogOk);
    });
    platform.fileAnswers = {QString::fromStdString(dir.file("sample.apkg"))};
    EXPECT_EQ(ExecuteCommand(CmdExportAnkiPackage), CommandDone);
    EXPECT_EQ(platform.dialogTitles,
              (std::vector<QString>{"Export Anki Package", "Export Anki Package"}));
    EXPECT_EQ(window->statusText(), "Database exported.");
    EXPECT_FALSE(CurrentDocument().isModified());

    platform.fileAnswers = {QString::fromStdString(dir.file("sample.apkg"))};
    EXPECT_EQ(ExecuteCommand(CmdImportAnkiPackage), CommandDone);
    EXPECT_EQ(platform.fileRequests.back().filterDescription, "Anki Packages (*.APKG *.COLPKG)");
    EXPECT_EQ(platform.messageTexts().back(),
              "2 notes became terms. Scheduling, review history and media files are not "
              "imported.");
    EXPECT_EQ(window->statusText(), "2 terms imported.");
    EXPECT_EQ(CurrentDatabase().attribute(0)->mediaType, MediaTypeUnicode);
    EXPECT_TRUE(CurrentDocument().isModified());
    ExecuteCommand(CmdUndo);
    EXPECT_EQ(CurrentDatabase().attribute(0)->mediaType, MediaTypeAscii);
}
