// The backup and the open file as other programs and other editors meet them: the backup's
// folder is created private, nothing but a regular file is ever replaced by it, each editor
// keeps its own, the next editor offers back what a killed one left unsaved, and a file
// changed or deleted behind the editor's back is noticed before Save overwrites it.

#include <QEvent>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "dbfile/BackupSlot.h"
#include "dbfile/DatabaseFiles.h"
#include "document/BackupRecord.h"
#include "panes/CommandIds.h"
#include "panes/QtText.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/CrashRecovery.h"
#include "shell/DocumentStatus.h"
#include "shell/OpenDatabase.h"
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"
#include "support/GuiSteps.h"
#include "text/TextIds.h"

namespace {

void Words(cDatabase& db) {
    db.name.assign("Words");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
    db.setValue(db.addTerm(), 0, "one");
}

mode_t ModeOf(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

size_t TermsIn(const std::string& path) {
    cDatabase db;
    db.path.assign(path.c_str());
    return db.load() == 0 ? db.terms.count() : 0;
}

// An environment variable set for one scope.
class cScopedEnvironment {
public:
    cScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~cScopedEnvironment() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// True for "backup-" 8 digits "-" 6 digits, then optionally "-" and digits, then ".PDB".
// (Matched by hand: GCC 12's <regex> warns of uninitialized members under the sanitizers.)
bool IsBackupAside(const std::string& name) {
    const auto digits = [&name](size_t at, size_t count) {
        return at + count <= name.size() &&
               std::all_of(name.begin() + long(at), name.begin() + long(at + count),
                           [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::string prefix = "backup-", suffix = ".PDB";
    if (name.rfind(prefix, 0) != 0 || name.size() < prefix.size() + 15 + suffix.size() ||
        !digits(7, 8) || name[15] != '-' || !digits(16, 6) ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const size_t rest = name.size() - suffix.size() - 22; // after the time: "" or "-" digits
    return rest == 0 || (rest >= 2 && name[22] == '-' && digits(23, rest - 1));
}

// The backups kept aside in folder.
std::vector<std::string> BackupsAside(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (IsBackupAside(entry.path().filename().string()))
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

class BackupTest : public EditorTest {
protected:
    std::string openWords() {
        std::string path = makeDatabase("words.PDB", Words);
        EXPECT_EQ(OpenDatabaseFile(path, false), 0);
        return path;
    }
    // One change as the user makes it, and what follows it on the event queue.
    void change() {
        ExecuteCommand(CmdNewTerm);
        Settle();
    }
    void activate() {
        QEvent activation(QEvent::WindowActivate);
        QCoreApplication::sendEvent(window.get(), &activation);
        Settle();
    }
    QString status() const { return window->statusText(); }
};

TEST_F(BackupTest, MissingFolderIsCreatedAndTheBackupIsPrivate) {
    // An installed editor: its program folder is not writable, the data folder is new.
    cScopedEnvironment data("XDG_DATA_HOME", dir.file("home/.local/share"));
    cScopedEnvironment config("XDG_CONFIG_HOME", dir.file("home/.config"));
    InitEditorPaths("");
    openWords();
    change();
    const std::string folder = dir.file("home/.local/share/vesk-builder");
    EXPECT_EQ(BackupFilePath(), folder + "/backup.PDB");
    EXPECT_EQ(TermsIn(folder + "/backup.PDB"), 2u);
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(dir.file("home")), 0700u) << "missing parents are created private too";
    EXPECT_EQ(ModeOf(folder + "/backup.PDB"), 0600u);
    EXPECT_EQ(status(), "New term added.");

    // An existing backup of another mode is made private when it is replaced.
    ::chmod((folder + "/backup.PDB").c_str(), 0644);
    change();
    EXPECT_EQ(ModeOf(folder + "/backup.PDB"), 0600u);
    EXPECT_EQ(TermsIn(folder + "/backup.PDB"), 3u);
}

TEST_F(BackupTest, NothingButARegularFileIsReplacedAndTheFailureIsToldOnce) {
    const QString notAFile = TableText(221);
    const std::string victim = dir.file("victim.txt");
    const std::string backup = dir.file("backup.PDB");
    struct sPlanted {
        const char* what;
        void (*plant)(const std::string& backup, const std::string& victim);
    };
    const sPlanted planted[] = {
        {"a link to another file",
         [](const std::string& b, const std::string& v) { std::filesystem::create_symlink(v, b); }},
        {"a link to a missing file",
         [](const std::string& b, const std::string& v) {
             std::filesystem::create_symlink(v + ".new", b);
         }},
        {"a folder",
         [](const std::string& b, const std::string&) { std::filesystem::create_directory(b); }},
        {"a pipe", [](const std::string& b, const std::string&) { ::mkfifo(b.c_str(), 0600); }},
    };
    openWords();
    for (const sPlanted& thing : planted) {
        WriteBytes(victim, {'m', 'i', 'n', 'e'});
        std::filesystem::remove_all(backup);
        change(); // a backup succeeds first
        ASSERT_EQ(TermsIn(backup), CurrentDatabase().terms.count()) << thing.what;
        std::filesystem::remove(backup);
        thing.plant(backup, victim);
        const auto type = std::filesystem::symlink_status(backup).type();

        change();
        EXPECT_EQ(status(), notAFile) << thing.what << ": told after the command's own status";
        change();
        EXPECT_EQ(status(), "New term added.") << thing.what << ": told once";
        EXPECT_EQ(std::filesystem::symlink_status(backup).type(), type) << thing.what;
        EXPECT_EQ(ReadBytes(victim), (std::vector<uint8_t>{'m', 'i', 'n', 'e'})) << thing.what;
        EXPECT_FALSE(std::filesystem::exists(victim + ".new")) << thing.what;
        EXPECT_TRUE(platform.messages.empty()) << thing.what << ": no message box";
    }
}

TEST_F(BackupTest, FolderOthersCanWriteGetsNoBackup) {
    openWords();
    ::chmod(dir.path().c_str(), 0770);
    change();
    EXPECT_EQ(status(), TableText(222));
    EXPECT_FALSE(std::filesystem::exists(dir.file("backup.PDB")));
    ::chmod(dir.path().c_str(), 0700);
    change();
    EXPECT_EQ(TermsIn(dir.file("backup.PDB")), 3u);
}

TEST_F(BackupTest, EachEditorKeepsItsOwnBackup) {
    // Another editor runs in the same folder, with unsaved work in its backup.
    cBackupSlot first;
    ASSERT_TRUE(first.acquire(dir.path()));
    ASSERT_EQ(first.number(), 1);
    const std::vector<uint8_t> firstWork = {'w', 'o', 'r', 'k'};
    WriteBytes(dir.file("backup.PDB"), firstWork);

    openWords();
    change();
    EXPECT_EQ(BackupFilePath(), dir.file("backup-2.PDB"));
    EXPECT_EQ(TermsIn(dir.file("backup-2.PDB")), 2u);
    EXPECT_EQ(ReadBytes(dir.file("backup.PDB")), firstWork);

    // A third editor takes the next slot while both run.
    cBackupSlot third;
    ASSERT_TRUE(third.acquire(dir.path()));
    EXPECT_EQ(third.number(), 3);

    // The first editor ends (or crashes: the lock goes with the process); its slot is free
    // for the next editor to start, while the others' stay taken.
    first.release();
    CurrentDocument().backup().release();
    InitializeEditor(dir.path());
    change();
    EXPECT_EQ(BackupFilePath(), dir.file("backup.PDB"));
    EXPECT_EQ(TermsIn(dir.file("backup.PDB")), 3u);
    cBackupSlot fourth;
    ASSERT_TRUE(fourth.acquire(dir.path()));
    EXPECT_EQ(fourth.number(), 2);
}

TEST_F(BackupTest, AChangeByAnotherProgramIsNoticedOnceAndSaveAsksFirst) {
    const std::vector<uint8_t> theirs = {'t', 'h', 'e', 'i', 'r', 's'};
    struct sOtherProgram {
        const char* what;
        bool deletes;
        void (*act)(const std::string& path, const std::vector<uint8_t>& theirs);
    };
    const sOtherProgram programs[] = {
        {"replaces it", false,
         [](const std::string& path, const std::vector<uint8_t>& bytes) {
             WriteBytes(path + ".tmp", bytes);
             std::filesystem::rename(path + ".tmp", path);
         }},
        // Longer, so that the change shows even within one tick of the file clock.
        {"appends to it in place", false,
         [](const std::string& path, const std::vector<uint8_t>& bytes) {
             std::ofstream out(path, std::ios::binary | std::ios::app);
             out.write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
         }},
        {"only touches it", false,
         [](const std::string& path, const std::vector<uint8_t>&) {
             const timespec times[2] = {{0, UTIME_OMIT}, {12345, 0}};
             ::utimensat(AT_FDCWD, path.c_str(), times, 0);
         }},
        {"deletes it", true,
         [](const std::string& path, const std::vector<uint8_t>&) {
             std::filesystem::remove(path);
         }},
    };
    const QString changed = TableText(223);
    const QString deleted = TableText(224);
    for (const sOtherProgram& program : programs) {
        for (int answer : {MessageResultCancel, MessageResultNo, MessageResultYes}) {
            const std::string what =
                std::string(program.what) + ", answer " + std::to_string(answer);
            const std::string path = openWords();
            change();
            activate();
            EXPECT_EQ(status(), "New term added.") << what << ": nothing changed yet";
            program.act(path, theirs);
            const std::vector<uint8_t> before = ReadBytes(path);
            const bool existed = std::filesystem::exists(path);

            activate();
            EXPECT_EQ(status(), program.deletes ? deleted : changed) << what;
            window->showStatus("elsewhere");
            activate();
            EXPECT_EQ(status(), "elsewhere") << what << ": told once per change";

            platform.messages.clear();
            platform.fileRequests.clear();
            platform.messageAnswers = {answer};
            const int result = ExecuteCommand(CmdSave);
            ASSERT_EQ(platform.messages.size(), 1u) << what;
            EXPECT_TRUE(platform.messages[0].text.contains(QString::fromStdString(path))) << what;
            EXPECT_EQ(platform.messages[0].text.contains("deleted"), program.deletes) << what;
            if (answer == MessageResultYes) {
                EXPECT_EQ(result, CommandDone) << what;
                EXPECT_EQ(TermsIn(path), 2u) << what;
                EXPECT_FALSE(CurrentDocument().isModified()) << what;
                // The editor's own save is no change by another program.
                activate();
                EXPECT_EQ(status(), "Database saved.") << what;
                change();
                platform.messages.clear();
                EXPECT_EQ(ExecuteCommand(CmdSave), CommandDone) << what;
                EXPECT_TRUE(platform.messages.empty()) << what;
            } else {
                EXPECT_EQ(result, CommandFailed) << what;
                EXPECT_EQ(platform.fileRequests.size(), answer == MessageResultNo ? 1u : 0u)
                    << what << ": No offers Save As";
                EXPECT_EQ(std::filesystem::exists(path), existed) << what;
                EXPECT_EQ(ReadBytes(path), before) << what;
                EXPECT_TRUE(CurrentDocument().isModified()) << what;
            }
            SetDatabaseOpen(false);
        }
    }
}

TEST_F(BackupTest, UnsavedWorkOfAKilledEditorIsOfferedBackAtTheNextStart) {
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

TEST_F(BackupTest, WorkThatCannotBeRestoredIsForgottenWithoutAQuestion) {
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
        EXPECT_EQ(status(), TableText(TextLeftWorkUnreadable)) << junkBackup;
        EXPECT_FALSE(std::filesystem::exists(record)) << junkBackup;
        EXPECT_EQ(std::filesystem::exists(backup), junkBackup) << junkBackup << ": kept";
    }
}
