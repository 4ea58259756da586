#include "panes/Panes.h"

#include <QApplication>

#include "document/Document.h"
#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"

cPanes::cPanes(cDocument& document, cPaneHost& host, QWidget* termParent, QWidget* rightParent)
    : document_(document), host_(host) {
    terms_ = std::make_unique<cTermPane>(*this, termParent);
    values_ = std::make_unique<cValuePane>(*this, rightParent);
    categories_ = std::make_unique<cCategoryPane>(*this, rightParent);
    attributes_ = std::make_unique<cAttributePane>(*this, rightParent);
    document_.addListener(this);
    document_.setPlaceProvider([this] { return currentPlace(); });
}

cPanes::~cPanes() {
    document_.setPlaceProvider({});
    document_.removeListener(this);
}

std::vector<cListView*> cPanes::cycle() const {
    return {terms_->view(), values_->view(), categories_->view(), attributes_->view()};
}

sPlace cPanes::currentPlace() const {
    sPlace place;
    place.terms = selectedTermList();
    const std::vector<cListView*> lists = cycle();
    const cListView* working = workingPane();
    for (size_t i = 0; i < lists.size(); ++i)
        if (lists[i] == working)
            place.pane = static_cast<int>(i);
    if (place.pane > 0)
        place.row = working->firstSelected();
    return place;
}

void cPanes::placeRestored(const sPlace& place) {
    // The terms are selected again unless they still are (a value edit leaves them).
    if (selectedTermList() != place.terms) {
        const uint32_t termCount = database().terms.count();
        std::vector<char> member(termCount, 0);
        for (uint32_t term : place.terms)
            if (term < termCount)
                member[term] = 1;
        selectTerms(member);
    }
    const std::vector<cListView*> lists = cycle();
    if (place.pane < 0 || place.pane >= static_cast<int>(lists.size()))
        return;
    cListView* pane = lists[static_cast<size_t>(place.pane)];
    pane->setFocus(Qt::OtherFocusReason);
    if (place.pane > 0 && place.row >= 0)
        pane->selectRow(place.row, true);
    updateCommandState();
}

const cDatabase& cPanes::database() const {
    return document_.database();
}

// ---- the selected terms

QList<int> cPanes::selectedTerms() const {
    return terms_->selectedTerms();
}

std::vector<uint32_t> cPanes::selectedTermList() const {
    const QList<int> rows = selectedTerms();
    return std::vector<uint32_t>(rows.begin(), rows.end());
}

int cPanes::firstSelectedTerm() const {
    return terms_->view()->firstSelected();
}

int cPanes::onlySelectedTerm() const {
    const cListView* view = terms_->view();
    return view->selectedCount() == 1 ? view->firstSelected() : -1;
}

void cPanes::selectTerm(int term) {
    terms_->view()->selectRow(term, true);
}

void cPanes::selectTerms(const std::vector<char>& member, int current) {
    terms_->selectOnly(member, current);
    showSelectedTerm();
    updateCommandState();
}

// ---- the order in which the panes follow one another

void cPanes::termSelectionChanged() {
    if (values_->editOpen()) {
        // Refilling now would pull the open editor from under the user.
        values_->refillAfterEdit();
        return;
    }
    showSelectedTerm();
    updateCommandState();
}

void cPanes::showSelectedTerm() {
    ++selectedTermShown_;
    if (!values_->fill())
        return;
    categories_->refreshChecks();
}

void cPanes::editValue(int row) {
    cListView* view = values_->view();
    view->setFocus();
    view->beginEdit(row);
}

// ---- what the panes show after a change of the document

void cPanes::termsInserted(uint32_t first, uint32_t count) {
    terms_->rowsInserted(static_cast<int>(first), static_cast<int>(count));
}

void cPanes::termsRemoved(const std::vector<uint32_t>& removed) {
    terms_->rowsRemoved(removed);
    showSelectedTerm();
}

void cPanes::termsRearranged() {
    terms_->rowsRearranged();
    showSelectedTerm();
}

void cPanes::valueChanged(uint32_t term, uint32_t attribute) {
    terms_->refreshRow(static_cast<int>(term));
    values_->refreshValue(static_cast<int>(term), static_cast<int>(attribute));
}

void cPanes::attributesChanged(eChange change, uint32_t index) {
    followAttributeChange(change, index);
    showSelectedTerm();
    host_.rebuildDisplayAttributeMenu();
}

void cPanes::followAttributeChange(eChange change, uint32_t index) {
    const int row = static_cast<int>(index);
    if (change == eChange::Renamed) {
        attributes_->refreshRow(row);
        if (host_.displayAttribute() == row)
            host_.setDisplayAttribute(row);
        return;
    }
    attributes_->fill();
    const int displayed = host_.displayAttribute();
    if (change == eChange::Inserted) {
        // A new attribute comes last; one put back by undo may come before the shown one.
        if (database().attributes.count() == 1)
            host_.setDisplayAttribute(0);
        else
            host_.setDisplayAttribute(displayed >= row ? displayed + 1 : displayed);
    } else if (displayed == row) {
        // The term pane keeps showing the same attribute under its new index; when that was
        // the deleted one it falls back to the first.
        host_.setDisplayAttribute(0);
    } else if (displayed > row) {
        host_.setDisplayAttribute(displayed - 1);
    }
}

void cPanes::categoriesChanged(eChange change, uint32_t index) {
    if (change == eChange::Renamed)
        categories_->refreshRow(static_cast<int>(index));
    else
        categories_->fill();
}

void cPanes::membershipsChanged(uint32_t category) {
    categories_->refreshCheck(static_cast<int>(category));
}

void cPanes::reset() {
    host_.setDisplayAttribute(0);
    terms_->clearMarks();
    terms_->fill();
    attributes_->fill();
    categories_->fill();
    showSelectedTerm();
    terms_->view()->setFocus();
    terms_->updateCommandState();
    host_.rebuildDisplayAttributeMenu();
}

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
