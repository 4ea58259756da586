#include "shell/AppState.h"

#include "model/Database.h"

bool DatabaseOpen = false;
bool Modified = false;
bool AcceleratorsEnabled = true;
eInputMode InputMode = eInputMode::Normal;
bool PinyinConversion = false;

namespace {

cMainWindow* TheMainWindow = nullptr;

} // namespace

cDatabase& CurrentDatabase() {
    static cDatabase database;
    return database;
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
    AcceleratorsEnabled = true;
    InputMode = eInputMode::Normal;
    PinyinConversion = false;
}
