#include "panes/NamedRowsPane.h"

#include "model/Limits.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"

cNamedRowsPane::cNamedRowsPane(cPanes& panes, cPaneModel* model, const char* objectName,
                               QWidget* parent)
    : panes_(panes), view_(new cListView(model, false, parent)) {
    view_->setObjectName(objectName);
    view_->setEvents(this);
    // The database keeps names as NUL-terminated strings of any length; the value editor's
    // limit keeps a name within what the handheld shows.
    view_->enableEditing(MaxValueTextLength);
}

const cDatabase& cNamedRowsPane::database() const {
    return panes_.database();
}

cPaneHost& cNamedRowsPane::host() const {
    return panes_.host();
}

void cNamedRowsPane::setCommandState(std::initializer_list<int> ownCommands) {
    const bool selected = view_->selectedCount() != 0;
    for (int command : ownCommands)
        host().setCommandEnabled(command, selected);
    host().setCommandEnabled(CmdDelete, selected);
    for (int command : {CmdCut, CmdCopy, CmdPaste})
        host().setCommandEnabled(command, false);
}

void cNamedRowsPane::onFocus() {
    updateCommandState();
}

void cNamedRowsPane::onClick() {
    updateCommandState();
}

bool cNamedRowsPane::onKey(int key) {
    auto rename = [this] { view_->beginEdit(view_->firstSelected()); };
    // F2 is the desktop's rename key; Enter stays the program's own.
    if (key == Qt::Key_F2) {
        rename();
        return true;
    }
    return panes_.handleKey(key, rename, [this] { deleteSelected(); });
}

bool cNamedRowsPane::onBeginEdit(int) {
    panes_.editStarted();
    return true;
}

void cNamedRowsPane::onEndEdit(int row, const QString* text) {
    panes_.editEnded();
    if (text)
        renamed(row, *text);
}

void cNamedRowsPane::onSelectionChanged() {
    panes_.updateCommandState();
}
