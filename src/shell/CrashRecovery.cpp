#include "shell/CrashRecovery.h"

#include <QString>
#include <ctime>

#include "document/BackupRecovery.h"
#include "document/Document.h"
#include "panes/QtText.h"
#include "shell/AppState.h"
#include "shell/FileDialogs.h"
#include "shell/FileWatch.h"
#include "shell/MainWindow.h"
#include "shell/Platform.h"
#include "text/Messages.h"
#include "text/TextIds.h"

bool OfferLeftWork() {
    cDocument& document = CurrentDocument();
    sLeftWork work;
    FindLeftWork(document, work);
    if (work.state == eLeftWork::Unreadable)
        ShowStatusText(TextLeftWorkUnreadable);
    if (work.state != eLeftWork::Unsaved)
        return false;
    const QString name = FileNameForDisplay(work.path.c_str());
    const int answer = CurrentPlatform().messageBox(
        MainWindow(), TableText(TextCaptionWarning), TableText(TextRestoreLeftWork).arg(name),
        MessageFlagsForCaption(TextCaptionWarning, MessageYesNo));
    if (answer != MessageResultYes) {
        SetLeftWorkAside(document.backup(), std::time(nullptr));
        return false;
    }
    RestoreLeftWork(document, work);
    RememberOpenFile();
    return true;
}
