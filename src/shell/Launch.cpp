#include "shell/Launch.h"

#include <QFileInfo>
#include <QUrl>

#include "model/Limits.h"
#include "shell/Platform.h"
#include "shell/Settings.h"
#include "text/Messages.h"

const char* const HelpContentsPage = "Help/Vesk-Builder_UserManual.html";
const char* const HomePage = "Help/index.html";
const char* const DownloadPage = "Help/download.html";

namespace {

constexpr int TextHelpMissing = 114;
constexpr int TextLaunchFailed = 59;

bool IsWebAddress(const QString& target) {
    return target.startsWith("http://") || target.startsWith("https://");
}

} // namespace

int OpenWithShell(const QString& target) {
    if (!IsWebAddress(target) && !QFileInfo::exists(target)) {
        ShowTableMessage(TextCaptionError, TextHelpMissing, MessageOk);
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
    QString directory = QString::fromStdString(EditorPaths.programDirectory);
    return OpenWithShell(directory + "/" + relativePath);
}
