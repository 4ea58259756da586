#include "shell/OpenDatabase.h"

#include <QString>

#include "dbfile/DatabaseFiles.h"
#include "dbfile/FileFailure.h"
#include "model/Database.h"
#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/Panes.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/EditorState.h"
#include "shell/FailureStatus.h"
#include "shell/FileDialogs.h"
#include "shell/FileWatch.h"
#include "shell/MainWindow.h"
#include "shell/Platform.h"
#include "shell/RecentMenu.h"
#include "shell/Settings.h"
#include "shell/ViewSettings.h"
#include "text/Messages.h"
#include "text/TextIds.h"

bool SavePrompt(const char* reason) {
    if (!DatabaseOpen || !Modified)
        return false;
    const cString& path = CurrentDatabase().path;
    QString text = QString("Save changes to '%1' %2")
                       .arg(path.isEmpty() ? QString("Unnamed") : PathForDisplay(path.text()),
                            QString::fromLatin1(reason));
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
    cDatabase& db = CurrentDatabase();
    db.takeContents(loaded);
    if (asTemplate) {
        db.path.clear();
        ShowStatusText(TextTemplateOpened);
    } else {
        if (db.name.isEmpty())
            db.name.assign(DatabaseNameFromPath(path).c_str());
        AddRecentFile(path);
        RebuildRecentMenu();
        ShowStatusText(TextDatabaseOpened);
    }
    RememberOpenFile();
    SetDatabaseOpen(true);
    RefreshAllPanes();
    return 0;
}

void RefreshAllPanes() {
    cMainWindow* window = MainWindow();
    if (!window)
        return;
    SetDisplayAttribute(0);
    cPanes& panes = window->panes();
    panes.terms().clearMarks();
    panes.terms().fill();
    panes.attributes().fill();
    panes.categories().fill();
    panes.values().fill();
    panes.terms().view()->setFocus();
    panes.terms().updateCommandState();
    RebuildDisplayAttributeMenu();
}
