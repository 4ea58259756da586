#include "document/BackupRecovery.h"

#include <cstdio>
#include <sys/stat.h>

#include "dbfile/DatabaseFiles.h"
#include "document/BackupRecord.h"
#include "document/Document.h"
#include "text/Messages.h"
#include "text/Paths.h"

namespace {

// A backup that does not load is no news to show in a box: nobody opened it. The sink in
// place while one lives drops every message and status text.
class cQuietMessages : public cMessageSink {
public:
    cQuietMessages() : previous_(CurrentMessageSink()) { InstallMessageSink(this); }
    ~cQuietMessages() override { InstallMessageSink(previous_); }
    cQuietMessages(const cQuietMessages&) = delete;
    cQuietMessages& operator=(const cQuietMessages&) = delete;

    int showMessage(const std::string&, const std::string&, unsigned flags) override {
        const unsigned buttons = flags & MessageButtonMask;
        return buttons == MessageYesNo || buttons == MessageYesNoCancel ? MessageResultNo
                                                                        : MessageResultOk;
    }
    void showStatus(const std::string&) override {}

private:
    cMessageSink* previous_;
};

// Bounds the search for a free name in a folder full of set-aside backups.
constexpr int kMaxAsideNames = 1000;

bool Exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

void FindLeftWork(cDocument& document, sLeftWork& found) {
    found.state = eLeftWork::Nothing;
    cDocumentBackup& backup = document.backup();
    sBackupRecord record;
    if (backup.takeSlot() != 0 || !cBackupRecord::read(backup.recordPath(), record) ||
        !record.unsaved)
        return;
    found.path = record.path;
    int loaded = 1;
    {
        cQuietMessages quiet;
        loaded = LoadDatabaseFile(backup.filePath(), found.contents);
    }
    if (loaded != 0) {
        found.contents.clear();
        backup.forgetUnsaved();
        found.state = eLeftWork::Unreadable;
        return;
    }
    found.state = eLeftWork::Unsaved;
}

void RestoreLeftWork(cDocument& document, sLeftWork& found) {
    found.contents.path.assign(found.path.c_str());
    document.replace(found.contents, true);
    found.state = eLeftWork::Nothing;
}

std::string SetLeftWorkAside(cDocumentBackup& backup, std::time_t now) {
    const std::string from = backup.filePath();
    std::tm local{};
    char stamp[32] = "";
    if (::localtime_r(&now, &local))
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string stem = from.substr(0, from.rfind(PathSeparator) + 1) + "backup-" + stamp;
    std::string aside;
    for (int n = 1; n <= kMaxAsideNames && aside.empty(); ++n) {
        std::string name = stem + (n > 1 ? "-" + std::to_string(n) : std::string()) + ".PDB";
        if (!Exists(name))
            aside = name;
    }
    if (!aside.empty() && std::rename(from.c_str(), aside.c_str()) != 0)
        aside.clear();
    backup.forgetUnsaved();
    return aside;
}
