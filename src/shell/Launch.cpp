#include "shell/Launch.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "panes/QtText.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "shell/Platform.h"
#include "shell/Settings.h"
#include "text/Messages.h"
#include "text/TextIds.h"

const char* const HelpContentsPage = "Help/Vesk-Builder_UserManual.html";
const char* const HomePage = "Help/index.html";
const char* const DownloadPage = "Help/download.html";

namespace {

bool IsWebAddress(const QString& target) {
    return target.startsWith("http://") || target.startsWith("https://");
}

// Message 114, followed by the document the user may look for.
void ShowDocumentMissing(const QString& target) {
    const QString path = QDir::cleanPath(QFileInfo(target).absoluteFilePath());
    CurrentPlatform().messageBox(MainWindow(), TableText(TextCaptionError),
                                 TableText(TextHelpMissing) + "\n\n" + path,
                                 MessageFlagsForCaption(TextCaptionError, MessageOk));
}

} // namespace

int OpenWithShell(const QString& target) {
    if (!IsWebAddress(target) && !QFileInfo::exists(target)) {
        ShowDocumentMissing(target);
        return 1;
    }
    QString url = IsWebAddress(target) ? target : QUrl::fromLocalFile(target).toString();
    if (!CurrentPlatform().openUrl(url)) {
        ShowTableMessage(TextCaptionError, TextLaunchFailed, MessageOk);
        return 1;
    }
    return 0;
}

int OpenHelpPage(const QString& relativePath) {
    QString directory = QString::fromStdString(EditorPaths.sharedDirectory);
    return OpenWithShell(directory + "/" + relativePath);
}
