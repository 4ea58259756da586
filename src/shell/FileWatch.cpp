#include "shell/FileWatch.h"

#include <QEvent>
#include <QFile>
#include <QFileSystemWatcher>
#include <QPointer>
#include <string>

#include "dbfile/FileIdentity.h"
#include "document/Document.h"
#include "panes/QtText.h"
#include "shell/AppState.h"
#include "shell/FileDialogs.h"
#include "shell/MainWindow.h"
#include "shell/Platform.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

struct sToldChange {
    bool changeTold = false;
    sFileIdentity told; // the change last told
};

sToldChange Told;

class cFileWatch : public QObject {
public:
    explicit cFileWatch(cMainWindow& window) : QObject(&window) {
        window.installEventFilter(this);
        connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
            NoticeOpenFileChange();
            // A file replaced by a rename is a new file, and the watch ended with the old.
            watch(CurrentDocument().filePath());
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
    const cDocument& document = CurrentDocument();
    const std::string path = document.database().path.textOrEmpty();
    if (path.empty() || path != document.filePath())
        return false;
    now = FileIdentityOf(path);
    return now != document.fileIdentity();
}

} // namespace

void RememberOpenFile() {
    Told = sToldChange();
    if (Watch)
        Watch->watch(CurrentDocument().filePath());
}

int ConfirmSaveOverOpenFile() {
    sFileIdentity now;
    if (!ChangedSince(now))
        return SaveOverFile;
    const int question = now.exists ? TextOverwriteChangedFile : TextRecreateDeletedFile;
    const QString text =
        TableText(question).arg(PathForDisplay(CurrentDocument().filePath().c_str()));
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
    if (!CurrentDocument().isOpen() || !ChangedSince(now) || (Told.changeTold && now == Told.told))
        return;
    Told.changeTold = true;
    Told.told = now;
    ShowStatusText(now.exists ? TextFileChangedStatus : TextFileDeletedStatus);
}

void InstallFileWatch(cMainWindow& window) {
    Watch = new cFileWatch(window);
    Watch->watch(CurrentDocument().filePath());
}
