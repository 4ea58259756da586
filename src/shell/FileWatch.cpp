#include "shell/FileWatch.h"

#include <QEvent>
#include <QFile>
#include <QFileSystemWatcher>
#include <QPointer>
#include <string>

#include "dbfile/FileIdentity.h"
#include "model/Database.h"
#include "panes/QtText.h"
#include "shell/AppState.h"
#include "shell/FileDialogs.h"
#include "shell/MainWindow.h"
#include "shell/Platform.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

struct sOpenFile {
    std::string path; // the database path the identities below belong to
    sFileIdentity identity;
    bool changeTold = false;
    sFileIdentity told; // the change last told
};

sOpenFile OpenFile;

class cFileWatch : public QObject {
public:
    explicit cFileWatch(cMainWindow& window) : QObject(&window) {
        window.installEventFilter(this);
        connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
            NoticeOpenFileChange();
            // A file replaced by a rename is a new file, and the watch ended with the old.
            watch(OpenFile.path);
        });
    }

    void watch(const std::string& path) {
        const QStringList watched = watcher_.files();
        if (!watched.isEmpty())
            watcher_.removePaths(watched);
        const QString name = QFile::decodeName(path.c_str());
        if (!path.empty() && QFile::exists(name))
            watcher_.addPath(name);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate)
            NoticeOpenFileChange();
        return QObject::eventFilter(watched, event);
    }

private:
    QFileSystemWatcher watcher_;
};

QPointer<cFileWatch> Watch;

// The identity the file has now, when it is no longer the one remembered; nothing is known
// of a path other than the one remembered (a database that was never opened or saved).
bool ChangedSince(sFileIdentity& now) {
    const std::string path = CurrentDatabase().path.textOrEmpty();
    if (path.empty() || path != OpenFile.path)
        return false;
    now = FileIdentityOf(path);
    return now != OpenFile.identity;
}

} // namespace

void RememberOpenFile() {
    OpenFile = sOpenFile();
    OpenFile.path = CurrentDatabase().path.textOrEmpty();
    if (!OpenFile.path.empty())
        OpenFile.identity = FileIdentityOf(OpenFile.path);
    if (Watch)
        Watch->watch(OpenFile.path);
}

int ConfirmSaveOverOpenFile() {
    sFileIdentity now;
    if (!ChangedSince(now))
        return SaveOverFile;
    const int question = now.exists ? TextOverwriteChangedFile : TextRecreateDeletedFile;
    const QString text = TableText(question).arg(PathForDisplay(OpenFile.path.c_str()));
    switch (CurrentPlatform().messageBox(MainWindow(), TableText(TextCaptionWarning), text,
                                         MessageYesNoCancel | MessageIconExclamation)) {
    case MessageResultYes:
        return SaveOverFile;
    case MessageResultNo:
        return SaveElsewhere;
    default:
        return SaveNothing;
    }
}

void NoticeOpenFileChange() {
    sFileIdentity now;
    if (!DatabaseOpen || !ChangedSince(now) || (OpenFile.changeTold && now == OpenFile.told))
        return;
    OpenFile.changeTold = true;
    OpenFile.told = now;
    ShowStatusText(now.exists ? TextFileChangedStatus : TextFileDeletedStatus);
}

void InstallFileWatch(cMainWindow& window) {
    Watch = new cFileWatch(window);
    Watch->watch(OpenFile.path);
}
