#include "shell/FailureStatus.h"

#include <QFile>

#include "dbfile/FileFailure.h"
#include "panes/QtText.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "text/StringTable.h"
#include "text/TextIds.h"

void ShowFailureReason() {
    const sFileFailure& failure = LastFileFailure();
    cMainWindow* window = MainWindow();
    if (failure.reason.empty() || !window)
        return;
    // Paths and errno texts are in the locale's encoding, unlike the table's texts.
    window->showStatus(AnsiToQString(ResourceString(TextFailureReason).c_str())
                           .arg(QFile::decodeName(failure.path.c_str()),
                                QString::fromLocal8Bit(failure.reason.c_str())));
}
