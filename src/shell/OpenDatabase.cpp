#include "shell/OpenDatabase.h"

#include <QString>
#include <QTimer>

#include "dbfile/DatabaseFiles.h"
#include "dbfile/FileFailure.h"
#include "document/Document.h"
#include "panes/CommandIds.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/FailureStatus.h"
#include "shell/FileDialogs.h"
#include "shell/FileWatch.h"
#include "shell/MainWindow.h"
#include "shell/Platform.h"
#include "shell/RecentMenu.h"
#include "shell/Settings.h"
#include "text/Messages.h"
#include "text/TextIds.h"

bool SavePrompt(const char* reason) {
    const cDocument& document = CurrentDocument();
    if (!document.isOpen() || !document.isModified())
        return false;
    const cString& path = document.database().path;
    QString text = QString("Save changes to '%1' %2")
                       .arg(FileNameForDisplay(path.text()), QString::fromLatin1(reason));
    switch (CurrentPlatform().messageBox(MainWindow(), "Warning", text, MessageYesNoCancel)) {
    case MessageResultYes:
        return ExecuteCommand(CmdSave) == CommandFailed;
    case MessageResultNo:
        return false;
    default:
        return true;
    }
}

int OpenDatabaseFile(const std::string& path, bool asTemplate) {
    cDatabase loaded;
    ClearFileFailure();
    if (LoadDatabaseFile(path, loaded) != 0) {
        ShowFailureReason();
        return 1;
    }
    if (asTemplate)
        loaded.path.clear();
    else if (loaded.name.isEmpty())
        loaded.name.assign(DatabaseNameFromPath(path).c_str());
    CurrentDocument().replace(loaded, false);
    // The database opened before goes once the new one is on screen.
    QTimer::singleShot(0, [] { CurrentDocument().releaseReplaced(); });
    if (asTemplate) {
        ShowStatusText(TextTemplateOpened);
    } else {
        AddRecentFile(path);
        RebuildRecentMenu();
        ShowStatusText(TextDatabaseOpened);
    }
    RememberOpenFile();
    return 0;
}
