// An editor killed with unsaved changes: the next editor to start in its backup folder asks
// whether to restore them before the welcome dialog. Yes opens them as the file they belong
// to, modified; No keeps the backup aside under a dated name and asks no more.

#include <csignal>
#include <filesystem>
#include <regex>
#include <sys/wait.h>
#include <unistd.h>

#include "dbfile/DatabaseFiles.h"
#include "document/BackupRecord.h"
#include "document/Document.h"
#include "panes/CommandIds.h"
#include "panes/QtText.h"
#include "shell/Commands.h"
#include "shell/CrashRecovery.h"
#include "support/EditorFixture.h"
#include "text/TextIds.h"

namespace {

void Words(cDatabase& db) {
    db.name.assign("Words");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
    db.setValue(db.addTerm(), 0, "one");
}

size_t TermsIn(const std::string& path) {
    cDatabase db;
    db.path.assign(path.c_str());
    return db.load() == 0 ? db.terms.count() : 0;
}

// The backups kept aside in folder.
std::vector<std::string> BackupsAside(const std::string& folder) {
    static const std::regex aside(R"(backup-\d{8}-\d{6}(-\d+)?\.PDB)");
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (std::regex_match(entry.path().filename().string(), aside))
            found.push_back(entry.path().string());
    return found;
}

// An editor in another process opens path (a new unnamed database when empty), adds a term
// with its backup in folder, and is killed the moment that change is done: it tells so
// through a pipe and waits for the signal, so nothing here depends on timing.
void KillEditorAfterAChange(const std::string& folder, const std::string& path) {
    int done[2];
    ASSERT_EQ(::pipe(done), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(done[0]);
        cDocument document;
        document.backup().setFolder([&] { return folder; });
        cDatabase db;
        if (path.empty())
            db.addAttribute(MediaTypeAscii);
        else if (LoadDatabaseFile(path, db) != 0)
            _exit(2);
        document.replace(db, false);
        document.addTerm(-1);
        if (::write(done[1], "x", 1) != 1)
            _exit(3);
        for (;;)
            ::pause();
    }
    ::close(done[1]);
    char byte = 0;
    const ssize_t told = ::read(done[0], &byte, 1);
    ::close(done[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(told, 1) << "the editor stopped before its change: " << status;
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
}

} // namespace

TEST_F(EditorTest, UnsavedWorkOfAKilledEditorIsOfferedBackAtTheNextStart) {
    const std::string words = makeDatabase("words.PDB", Words);
    for (const std::string& path : {words, std::string()}) {
        for (int answer : {MessageResultYes, MessageResultNo}) {
            const std::string what = (path.empty() ? "unnamed" : "named") +
                                     std::string(", answer ") + std::to_string(answer);
            // This editor ends normally; another starts, changes, and is killed.
            CurrentDocument().backup().release();
            CurrentDocument().clear();
            const size_t terms = (path.empty() ? 0 : TermsIn(path)) + 1;
            KillEditorAfterAChange(dir.path(), path);

            // The next start in the same folder.
            InitializeEditor(dir.path());
            platform.messages.clear();
            platform.messageAnswers = {answer};
            const std::vector<std::string> asideBefore = BackupsAside(dir.path());
            const bool restored = OfferLeftWork();
            ASSERT_EQ(platform.messages.size(), 1u) << what;
            EXPECT_EQ(platform.messages[0].text,
                      QString("Vesk-Builder was closed with unsaved changes to %1. Restore them?")
                          .arg(path.empty() ? QString("Unnamed") : QString::fromStdString(path)))
                << what;
            EXPECT_EQ(platform.messages[0].flags & MessageButtonMask, unsigned(MessageYesNo));
            EXPECT_EQ(restored, answer == MessageResultYes) << what;

            const cDocument& document = CurrentDocument();
            if (restored) {
                EXPECT_TRUE(document.isOpen()) << what;
                EXPECT_TRUE(document.isModified()) << what;
                EXPECT_TRUE(window->windowTitle().endsWith(" *")) << what;
                EXPECT_EQ(document.database().path.textOrEmpty(), path) << what;
                EXPECT_EQ(document.filePath(), path) << what;
                EXPECT_EQ(document.database().terms.count(), terms) << what;
                EXPECT_EQ(BackupsAside(dir.path()), asideBefore) << what;
                if (!path.empty()) {
                    EXPECT_EQ(ExecuteCommand(CmdSave), CommandDone) << what;
                    EXPECT_EQ(TermsIn(path), terms) << what << ": saved where it belongs";
                }
                continue;
            }
            EXPECT_FALSE(document.isOpen()) << what;
            EXPECT_FALSE(std::filesystem::exists(dir.file("backup.PDB"))) << what;
            EXPECT_FALSE(std::filesystem::exists(dir.file("backup.info"))) << what;
            const std::vector<std::string> aside = BackupsAside(dir.path());
            ASSERT_EQ(aside.size(), asideBefore.size() + 1) << what;
            for (const std::string& kept : aside) {
                if (std::find(asideBefore.begin(), asideBefore.end(), kept) == asideBefore.end()) {
                    EXPECT_EQ(TermsIn(kept), terms) << what << ": " << kept;
                }
            }

            // No question at the start after that.
            CurrentDocument().backup().release();
            InitializeEditor(dir.path());
            platform.messages.clear();
            EXPECT_FALSE(OfferLeftWork()) << what;
            EXPECT_TRUE(platform.messages.empty()) << what;
        }
    }
}

TEST_F(EditorTest, WorkThatCannotBeRestoredIsForgottenWithoutAQuestion) {
    const std::string record = dir.file("backup.info");
    const std::string backup = dir.file("backup.PDB");
    for (bool junkBackup : {false, true}) {
        CurrentDocument().backup().release();
        ASSERT_TRUE(cBackupRecord().write(record, {true, dir.file("words.PDB")}));
        if (junkBackup)
            WriteBytes(backup, {'j', 'u', 'n', 'k'});
        InitializeEditor(dir.path());
        platform.messages.clear();
        EXPECT_FALSE(OfferLeftWork()) << junkBackup;
        EXPECT_TRUE(platform.messages.empty()) << junkBackup;
        EXPECT_EQ(window->statusText(), TableText(TextLeftWorkUnreadable)) << junkBackup;
        EXPECT_FALSE(std::filesystem::exists(record)) << junkBackup;
        EXPECT_EQ(std::filesystem::exists(backup), junkBackup) << junkBackup << ": kept";
    }
}
