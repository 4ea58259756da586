#include "shell/ShellPaneHost.h"

#include "shell/AppState.h"
#include "shell/CommandIds.h"
#include "shell/EditorState.h"
#include "shell/MainWindow.h"
#include "shell/Toolbar.h"
#include "shell/ViewSettings.h"

void cShellPaneHost::databaseChanged() {
    SetModified(true);
}

void cShellPaneHost::setCommandEnabled(int command, bool enabled) {
    SetButtonState(command, enabled ? ButtonEnabled : ButtonDisabled);
}

void cShellPaneHost::setAcceleratorsEnabled(bool enabled) {
    AcceleratorsEnabled = enabled;
    if (cMainWindow* window = MainWindow())
        window->applyAcceleratorState();
}

void cShellPaneHost::attributesChanged() {
    RebuildDisplayAttributeMenu();
    SetDisplayAttribute(DisplayAttributeIndex);
}
