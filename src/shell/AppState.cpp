#include "shell/AppState.h"

#include "document/Document.h"
#include "shell/DocumentStatus.h"
#include "shell/Settings.h"

bool AcceleratorsEnabled = true;
eInputMode InputMode = eInputMode::Normal;
bool PinyinConversion = false;

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

cMainWindow* MainWindow() {
    return TheMainWindow;
}

void SetMainWindow(cMainWindow* window) {
    TheMainWindow = window;
}

void ResetAppState() {
    CurrentDocument().clear();
    AcceleratorsEnabled = true;
    InputMode = eInputMode::Normal;
    PinyinConversion = false;
}
