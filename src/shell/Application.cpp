#include "shell/Application.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <cstdio>
#include <optional>

#include "document/Document.h"
#include "panes/CommandIds.h"
#include "shell/AppState.h"
#include "shell/CentreOver.h"
#include "shell/CommandLine.h"
#include "shell/Commands.h"
#include "shell/CrashRecovery.h"
#include "shell/Dialogs.h"
#include "shell/DocumentStatus.h"
#include "shell/FileCommands.h"
#include "shell/FileDialogs.h"
#include "shell/FileDrop.h"
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

constexpr int ExitUsage = 2;

void NameApplication() {
    QCoreApplication::setApplicationName("vesk-builder");
    QCoreApplication::setApplicationVersion(VESK_VERSION);
}

// --help and --version answer without a display. Qt's own options (-platform, -style, ...)
// are only known once the windowing application has taken them off, so a command line the
// parser rejects here is parsed again then.
std::optional<int> AnswerWithoutWindow(int argc, char** argv) {
    QCoreApplication core(argc, argv);
    NameApplication();
    sEditorCommandLine line = ParseEditorCommandLine(QCoreApplication::arguments());
    if (line.action != sEditorCommandLine::Print)
        return std::nullopt;
    std::fputs(line.text.toLocal8Bit().constData(), stdout);
    return 0;
}

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
    AcceptFileDrops(*window);
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

bool OpenStartingDatabase(const QString& file) {
    if (!file.isEmpty() &&
        OpenFileCommand(PathFromDialog(QFileInfo(file).absoluteFilePath())) == CommandDone)
        return true;
    return RunWelcomeLoop();
}

int RunEditor(int argc, char** argv) {
    if (std::optional<int> code = AnswerWithoutWindow(argc, argv))
        return *code;
    QApplication app(argc, argv);
    NameApplication();
    QGuiApplication::setDesktopFileName(VESK_APP_ID);
    sEditorCommandLine line = ParseEditorCommandLine(QApplication::arguments());
    if (line.action != sEditorCommandLine::Start) {
        const bool failed = line.action == sEditorCommandLine::Fail;
        std::fputs(line.text.toLocal8Bit().constData(), failed ? stderr : stdout);
        return failed ? ExitUsage : 0;
    }
    InitShellResources();
    InitializeEditor(QApplication::applicationDirPath().toStdString());
    std::unique_ptr<cMainWindow> window = CreateEditorWindow();
    window->show();
    // Work a crashed editor left unsaved comes first: restored, it is the open database.
    if (!OfferLeftWork() && !OpenStartingDatabase(line.file)) {
        SetMainWindow(nullptr);
        return 0;
    }
    int code = app.exec();
    SaveSettings();
    CurrentDocument().backup().release();
    SetMainWindow(nullptr);
    return code;
}
