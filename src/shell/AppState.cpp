#include "shell/AppState.h"

#include "model/Database.h"
#include "shell/Settings.h"

bool DatabaseOpen = false;
bool Modified = false;

namespace {

cMainWindow* TheMainWindow = nullptr;

} // namespace

cDatabase& CurrentDatabase() {
    static cDatabase database;
    return database;
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
    CurrentDatabase().clear();
    DatabaseOpen = false;
    Modified = false;
    AppState() = sAppState();
    TheMainWindow = nullptr;
    Settings = sSettings();
    EditorPaths = sEditorPaths();
}
