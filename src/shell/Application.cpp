#include "shell/Application.h"

#include <QApplication>
#include <QScreen>

#include "document/Document.h"
#include "panes/CommandIds.h"
#include "shell/AppState.h"
#include "shell/CentreOver.h"
#include "shell/Commands.h"
#include "shell/CrashRecovery.h"
#include "shell/Dialogs.h"
#include "shell/DocumentStatus.h"
#include "shell/FileWatch.h"
#include "shell/MainWindow.h"
#include "shell/QtMessageSink.h"
#include "shell/RecentMenu.h"
#include "shell/Settings.h"
#include "shell/Toolbar.h"
#include "shell/ViewSettings.h"
#include "text/Platform.h"

namespace {

cQtMessageSink MessageSink;

} // namespace

void InitShellResources() {
    Q_INIT_RESOURCE(resources);
}

void InitializeEditor(const std::string& programDirectory) {
    // Qt windows show and edit UTF-16 text everywhere.
    UnicodePlatform = true;
    // An editor started anew (as each test does) takes the first free backup slot of its
    // own folder.
    CurrentDocument().backup().release();
    InitEditorPaths(programDirectory);
    LoadSettings();
    InstallMessageSink(&MessageSink);
}

std::unique_ptr<cMainWindow> CreateEditorWindow() {
    auto window = std::make_unique<cMainWindow>();
    SetMainWindow(window.get());
    if (const QScreen* screen = window->screen()) {
        const QRect available = screen->availableGeometry();
        window->resize(window->size().boundedTo(available.size()));
        CentreOver(*window, available);
    }
    InstallFileWatch(*window);
    CreateUserFont();
    ApplyUserFont();
    UpdateTitle();
    UpdateSaveEnabling();
    UpdateUndoCommands();
    RebuildRecentMenu();
    RebuildDisplayAttributeMenu();
    UpdateInputMenu();
    if (!UnicodePlatform) {
        for (int command : {CmdNewUnicodeAttribute, CmdAttributeNewUnicode})
            SetButtonState(command, ButtonDisabled);
    }
    return window;
}

bool RunWelcomeLoop() {
    for (;;) {
        int command = RunWelcomeDialog(MainWindow());
        if (command == WelcomeQuit)
            return false;
        if (command == WelcomeOpenRecent) {
            if (Settings.recentFiles.empty())
                continue;
            command = CmdRecentFirst + static_cast<int>(Settings.recentFiles.size()) - 1;
        }
        if (ExecuteCommand(command) == CommandDone)
            return true;
    }
}

int RunEditor(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("vesk-builder");
    InitShellResources();
    InitializeEditor(QApplication::applicationDirPath().toStdString());
    std::unique_ptr<cMainWindow> window = CreateEditorWindow();
    window->show();
    // Work a crashed editor left unsaved comes first: restored, it is the open database.
    if (!OfferLeftWork() && !RunWelcomeLoop()) {
        SetMainWindow(nullptr);
        return 0;
    }
    int code = app.exec();
    SaveSettings();
    CurrentDocument().backup().release();
    SetMainWindow(nullptr);
    return code;
}
