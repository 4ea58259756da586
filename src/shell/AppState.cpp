#include "shell/AppState.h"

#include "document/Document.h"
#include "shell/DocumentStatus.h"
#include "shell/Settings.h"

namespace {

cMainWindow* TheMainWindow = nullptr;

} // namespace

cDocument& CurrentDocument() {
    static cDocument& document = []() -> cDocument& {
        static cDocument made;
        made.backup().setFolder([] { return EditorPaths.backupDirectory; });
        made.addListener(&DocumentStatusListener());
        return made;
    }();
    return document;
}

std::string BackupFilePath() {
    return CurrentDocument().backup().filePath();
}

sAppState& AppState() {
    static sAppState state;
    return state;
}

cMainWindow* MainWindow() {
    return TheMainWindow;
}

void SetMainWindow(cMainWindow* window) {
    TheMainWindow = window;
}

void ResetAppState() {
    CurrentDocument().clear();
    AppState() = sAppState();
    TheMainWindow = nullptr;
    Settings = sSettings();
    EditorPaths = sEditorPaths();
}
