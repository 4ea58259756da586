#include "panes/Panes.h"

#include <QApplication>

#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"

cPanes::cPanes(cDatabase& database, cPaneHost& host, QWidget* termParent, QWidget* rightParent)
    : db_(database), host_(host) {
    terms_ = std::make_unique<cTermPane>(*this, termParent);
    values_ = std::make_unique<cValuePane>(*this, rightParent);
    categories_ = std::make_unique<cCategoryPane>(*this, rightParent);
    attributes_ = std::make_unique<cAttributePane>(*this, rightParent);
}

cPanes::~cPanes() = default;

cListView* cPanes::paneHolding(const QWidget* widget) const {
    if (!widget)
        return nullptr;
    for (cListView* view :
         {terms_->view(), values_->view(), categories_->view(), attributes_->view()})
        if (view == widget || view->isAncestorOf(widget))
            return view;
    return nullptr;
}

cListView* cPanes::focusedPane() const {
    return paneHolding(QApplication::focusWidget());
}

cListView* cPanes::workingPane() const {
    if (cListView* focused = focusedPane())
        return focused;
    if (cListView* rested = paneHolding(terms_->view()->window()->focusWidget()))
        return rested;
    return terms_->view();
}

void cPanes::updateCommandState() {
    if (openEditor()) {
        setEditCommandState();
        return;
    }
    cListView* pane = workingPane();
    if (pane == values_->view())
        values_->updateCommandState();
    else if (pane == categories_->view())
        categories_->updateCommandState();
    else if (pane == attributes_->view())
        attributes_->updateCommandState();
    else
        terms_->updateCommandState();
}

// Cut, Copy, Paste and Delete act on the editor's text until the edit ends.
void cPanes::setEditCommandState() {
    for (int command : {CmdCut, CmdCopy, CmdDelete})
        host_.setCommandEnabled(command, true);
    host_.setCommandEnabled(CmdPaste, host_.clipboardHasText());
}

void cPanes::editStarted() {
    host_.setAcceleratorsEnabled(false);
    setEditCommandState();
}

void cPanes::editEnded() {
    host_.setAcceleratorsEnabled(true);
    updateCommandState();
}

QLineEdit* cPanes::openEditor() const {
    for (cListView* view : {values_->view(), categories_->view(), attributes_->view()})
        if (QLineEdit* editor = view->editor())
            return editor;
    return nullptr;
}

void cPanes::commitOpenEdit() {
    for (cListView* view : {values_->view(), categories_->view(), attributes_->view()})
        view->commitOpenEdit();
}

void cPanes::focusNeighbourPane(bool backwards) {
    cListView* cycle[] = {terms_->view(), values_->view(), categories_->view(),
                          attributes_->view()};
    cListView* focused = focusedPane();
    for (int i = 0; i < 4; ++i) {
        if (cycle[i] != focused)
            continue;
        cListView* next = cycle[(i + (backwards ? 3 : 1)) % 4];
        next->setFocus(Qt::OtherFocusReason);
        if (next->selectedCount() == 0)
            next->selectRow(0, true);
        return;
    }
}

bool cPanes::handleKey(int key, const std::function<void()>& enter,
                       const std::function<void()>& remove) {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Right:
        focusNeighbourPane(false);
        return true;
    case Qt::Key_Backtab:
    case Qt::Key_Left:
        focusNeighbourPane(true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        enter();
        return true;
    case Qt::Key_Delete:
        remove();
        return true;
    default:
        return false;
    }
}
