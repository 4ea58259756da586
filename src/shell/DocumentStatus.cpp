#include "shell/DocumentStatus.h"

#include <QAction>
#include <QMetaObject>

#include "document/Document.h"
#include "panes/CommandIds.h"
#include "panes/QtText.h"
#include "shell/AppState.h"
#include "shell/FileDialogs.h"
#include "shell/MainWindow.h"
#include "shell/Toolbar.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

class cDocumentStatus : public cDocumentListener {
public:
    void historyChanged() override { UpdateUndoCommands(); }

    void modifiedChanged(bool) override {
        UpdateSaveEnabling();
        UpdateTitle();
    }

    // After the command that changed the database has shown its own status, which would
    // otherwise replace this one at once.
    void backupFailed(int textId) override {
        cMainWindow* window = MainWindow();
        if (!window) {
            ShowStatusText(textId);
            return;
        }
        QMetaObject::invokeMethod(
            window, [textId] { ShowStatusText(textId); }, Qt::QueuedConnection);
    }
};

} // namespace

cDocumentListener& DocumentStatusListener() {
    static cDocumentStatus listener;
    return listener;
}

QString TitleText() {
    const cDocument& document = CurrentDocument();
    QString title = TableText(TextWindowTitle);
    if (document.isOpen()) {
        const cString& path = document.database().path;
        title += " - ";
        title += FileNameForDisplay(path.text());
    }
    if (document.isModified())
        title += " *";
    return title;
}

void UpdateTitle() {
    if (cMainWindow* window = MainWindow())
        window->setWindowTitle(TitleText());
}

void UpdateUndoCommands() {
    cMainWindow* window = MainWindow();
    if (!window)
        return;
    const cUndoHistory& history = CurrentDocument().history();
    const struct {
        int command;
        const char* verb;
        std::string what;
        const char* keys;
        bool possible;
    } items[] = {
        {CmdUndo, "&Undo", history.undoLabel(), "Ctrl+Z", history.canUndo()},
        {CmdRedo, "&Redo", history.redoLabel(), "Ctrl+Shift+Z", history.canRedo()},
    };
    for (const auto& item : items) {
        QString label = QString::fromLatin1(item.verb);
        if (!item.what.empty())
            label += ' ' + QString::fromStdString(item.what);
        if (QAction* action = window->action(item.command))
            action->setText(label + '\t' + QString::fromLatin1(item.keys));
        SetButtonState(item.command, item.possible ? ButtonEnabled : ButtonDisabled);
    }
}

void UpdateSaveEnabling() {
    SetButtonState(CmdSave, CurrentDocument().isModified() ? ButtonEnabled : ButtonDisabled);
}
