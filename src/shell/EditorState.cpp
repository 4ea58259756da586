#include "shell/EditorState.h"

#include <QFile>

#include "model/Database.h"
#include "panes/CommandIds.h"
#include "panes/QtText.h"
#include "shell/AppState.h"
#include "shell/Backup.h"
#include "shell/MainWindow.h"
#include "shell/Toolbar.h"
#include "text/TextIds.h"

void SetModified(bool modified) {
    Modified = modified;
    UpdateSaveEnabling();
    UpdateTitle();
    if (modified)
        WriteBackup();
}

void SetDatabaseOpen(bool open) {
    DatabaseOpen = open;
    Modified = false;
    UpdateSaveEnabling();
    UpdateTitle();
}

QString TitleText() {
    QString title = TableText(TextWindowTitle);
    if (DatabaseOpen) {
        const cString& path = CurrentDatabase().path;
        title += " - ";
        title += path.isEmpty() ? QString("Unnamed") : QFile::decodeName(path.text());
    }
    if (Modified)
        title += " *";
    return title;
}

void UpdateTitle() {
    if (cMainWindow* window = MainWindow())
        window->setWindowTitle(TitleText());
}

void UpdateSaveEnabling() {
    SetButtonState(CmdSave, Modified ? ButtonEnabled : ButtonDisabled);
}
