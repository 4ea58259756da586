#include "shell/DocumentStatus.h"

#include <QFile>
#include <QMetaObject>

#include "document/Document.h"
#include "panes/CommandIds.h"
#include "panes/QtText.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "shell/Toolbar.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

class cDocumentStatus : public cDocumentListener {
public:
    void termsInserted(uint32_t, uint32_t) override {}
    void termsRemoved(const std::vector<uint32_t>&) override {}
    void termsRearranged() override {}
    void valueChanged(uint32_t, uint32_t) override {}
    void attributesChanged(eChange, uint32_t) override {}
    void categoriesChanged(eChange, uint32_t) override {}
    void membershipsChanged(uint32_t) override {}
    void reset() override {}

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
        title += path.isEmpty() ? QString("Unnamed") : QFile::decodeName(path.text());
    }
    if (document.isModified())
        title += " *";
    return title;
}

void UpdateTitle() {
    if (cMainWindow* window = MainWindow())
        window->setWindowTitle(TitleText());
}

void UpdateSaveEnabling() {
    SetButtonState(CmdSave, CurrentDocument().isModified() ? ButtonEnabled : ButtonDisabled);
}
