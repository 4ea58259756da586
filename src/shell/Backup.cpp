#include "shell/Backup.h"

#include <QMetaObject>

#include "dbfile/BackupSlot.h"
#include "dbfile/DatabaseWrite.h"
#include "dbfile/PrivateFolder.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

struct sBackupState {
    cBackupSlot slot;
    std::string directory; // where the slot was taken
    bool failureTold = false;
};

sBackupState& State() {
    static sBackupState state;
    return state;
}

// The slot in the backup folder, created when missing; 0, or the text saying why not.
int PrepareSlot() {
    sBackupState& state = State();
    const std::string& directory = EditorPaths.backupDirectory;
    if (state.slot.number() != 0 && state.directory == directory)
        return 0;
    state.slot.release();
    const int folder = MakePrivateFolder(directory);
    if (folder == FolderShared)
        return TextBackupFolderShared;
    if (folder != FolderPrivate || !state.slot.acquire(directory))
        return TextBackupFailed;
    state.directory = directory;
    EditorPaths.backupSlot = state.slot.number();
    return 0;
}

// After the command that changed the database has shown its own status, which would
// otherwise replace this one at once.
void ShowStatusLater(int textId) {
    cMainWindow* window = MainWindow();
    if (!window) {
        ShowStatusText(textId);
        return;
    }
    QMetaObject::invokeMethod(
        window, [textId] { ShowStatusText(textId); }, Qt::QueuedConnection);
}

} // namespace

void WriteBackup() {
    int problem = PrepareSlot();
    if (problem == 0) {
        sSaveOptions options;
        options.privateFile = true;
        const int written = WriteDatabaseFile(CurrentDatabase(), BackupFilePath(), options);
        if (written == SaveTargetRefused)
            problem = TextBackupNotAFile;
        else if (written != SaveWritten)
            problem = TextBackupFailed;
    }
    sBackupState& state = State();
    if (problem != 0 && !state.failureTold)
        ShowStatusLater(problem);
    state.failureTold = problem != 0;
}

void ReleaseBackup() {
    State().slot.release();
    State().directory.clear();
    State().failureTold = false;
    EditorPaths.backupSlot = 1;
}
