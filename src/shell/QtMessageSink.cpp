#include "shell/QtMessageSink.h"

#include "panes/QtText.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "shell/Platform.h"

int cQtMessageSink::showMessage(const std::string& caption, const std::string& text,
                                unsigned flags) {
    return CurrentPlatform().messageBox(MainWindow(), AnsiToQString(caption.c_str()),
                                        AnsiToQString(text.c_str()), flags);
}

void cQtMessageSink::showStatus(const std::string& text) {
    if (cMainWindow* window = MainWindow())
        window->showStatus(AnsiToQString(text.c_str()));
}
