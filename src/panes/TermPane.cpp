#include "panes/TermPane.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <algorithm>

#include "model/Database.h"
#include "model/Limits.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "panes/ValuePane.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

constexpr int TermIdWidth = 80;

} // namespace

class cTermModel : public cPaneModel {
public:
    cTermModel(cDatabase& database, const cTermPane& pane)
        : cPaneModel({TextColumnTermId, 0}), db_(database), pane_(pane) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(db_.terms.count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        if (index.column() == 0)
            return pane_.rowLabel(index.row());
        const cTerm* term = db_.term(static_cast<uint32_t>(index.row()));
        if (!term || displayAttribute < 0)
            return QString();
        return ValueToQString(term->findValue(static_cast<uint16_t>(displayAttribute)));
    }

    void beginReset() { beginResetModel(); }
    void endReset() { endResetModel(); }
    void beginAppend(int row) { beginInsertRows(QModelIndex(), row, row); }
    void endAppend() { endInsertRows(); }

    int displayAttribute = -1;

private:
    cDatabase& db_;
    const cTermPane& pane_;
};

cTermPane::cTermPane(cPanes& panes, QWidget* parent)
    : panes_(panes), model_(new cTermModel(panes.database(), *this)),
      view_(new cListView(model_, true, parent)) {
    view_->setObjectName("termPane");
    view_->setEvents(this);
    view_->header()->resizeSection(0, TermIdWidth);
    // The value pane and the checkboxes show the selection, so a change of the selection is
    // what moves them; the focus row moving alone (Ctrl+arrows) shows nothing new.
    QObject::connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, view_,
                     [this] { focusedTermChanged(); });
}

// ---- rows

void cTermPane::fill() {
    const int selected = view_->firstSelected();
    model_->reload();
    view_->selectRow(selected, true);
}

void cTermPane::refreshRow(int row) {
    model_->refreshRow(row);
}

void cTermPane::refreshDisplayColumn() {
    view_->refreshShownCells(1);
}

void cTermPane::relabelRows() {
    view_->refreshShownCells(0);
}

void cTermPane::setDisplayAttribute(int attribute) {
    model_->displayAttribute = attribute;
    refreshDisplayColumn();
}

int cTermPane::displayAttribute() const {
    return model_->displayAttribute;
}

QList<int> cTermPane::selectedTerms() const {
    return view_->selectedRows();
}

QString cTermPane::rowLabel(int row) const {
    QString label = QString::number(row + 1);
    if (isMarked(row))
        label += marksAreCut_ ? QStringLiteral(" -") : QStringLiteral(" +");
    return label;
}

bool cTermPane::isMarked(int term) const {
    return std::binary_search(markedTerms_.begin(), markedTerms_.end(), term);
}

void cTermPane::beginRowsChange() {
    model_->beginReset();
}

void cTermPane::endRowsChange() {
    model_->endReset();
}

// ---- new and delete

void cTermPane::inheritCategories(int term) {
    int selected = view_->firstSelected();
    if (selected >= 0)
        panes_.database().copyMemberships(static_cast<uint32_t>(selected),
                                          static_cast<uint32_t>(term));
}

void cTermPane::newTerm() {
    cDatabase& db = panes_.database();
    const uint32_t count = db.terms.count();
    if (count >= MaxTermCount) {
        // The model refuses with its own message and changes nothing, so the view hears
        // nothing either.
        db.addTerm();
        return;
    }
    // The view has to hear of the row before it exists.
    model_->beginAppend(static_cast<int>(count));
    const int32_t added = db.addTerm();
    model_->endAppend();
    if (added < 0) {
        // Out of memory: the announced row never came.
        fill();
        return;
    }
    inheritCategories(added);
    view_->selectRow(added, true);
    panes_.values().fill();
    editFirstValue();
    panes_.host().databaseChanged();
    ShowStatusText(TextTermAdded);
}

void cTermPane::deleteSelectedTerms() {
    const QList<int> rows = view_->selectedRows();
    if (rows.isEmpty())
        return;
    const int question = rows.size() == 1 ? TextDeleteTermQuestion : TextDeleteTermsQuestion;
    if (ShowTableMessage(TextCaptionConfirm, question) != MessageResultYes)
        return;
    const std::vector<uint32_t> doomed(rows.begin(), rows.end());
    // One reset rather than a removal per row: each removal makes the view and the
    // selection walk their rows again, far too slow when most of 65,532 terms go.
    beginRowsChange();
    panes_.database().deleteTerms(doomed);
    renumberMarksAfterDeletion(doomed);
    endRowsChange();
    view_->clearRowSelection();
    panes_.values().fill();
    view_->setFocus();
    updateCommandState();
    panes_.host().databaseChanged();
    ShowStatusText(TextTermDeleted);
}

void cTermPane::renumberMarksAfterDeletion(const std::vector<uint32_t>& deleted) {
    // Both lists ascend, so one walk through each does it.
    QList<int> kept;
    kept.reserve(markedTerms_.size());
    size_t below = 0;
    for (int mark : markedTerms_) {
        const auto term = static_cast<uint32_t>(mark);
        while (below < deleted.size() && deleted[below] < term)
            ++below;
        if (below < deleted.size() && deleted[below] == term)
            continue;
        kept.append(mark - static_cast<int>(below));
    }
    markedTerms_ = std::move(kept);
}

// ---- command state and events

void cTermPane::updateCommandState() {
    cPaneHost& host = panes_.host();
    const bool selected = view_->selectionModel()->hasSelection();
    const bool paste = selected && !markedTerms_.isEmpty();
    for (int command : {CmdCut, CmdCopy, CmdDelete, CmdTermCut, CmdTermCopy, CmdTermDelete})
        host.setCommandEnabled(command, selected);
    for (int command : {CmdPaste, CmdTermPaste})
        host.setCommandEnabled(command, paste);
}

void cTermPane::focusedTermChanged() {
    if (!trackTermFocus)
        return;
    cValuePane& values = panes_.values();
    if (values.editTerm != -1) {
        // Refilling now would pull the open editor from under the user.
        deferredValueRefresh = true;
        return;
    }
    values.fill();
    panes_.updateCommandState();
}

void cTermPane::editFirstValue() {
    cListView* values = panes_.values().view();
    values->setFocus();
    values->beginEdit(0);
}

void cTermPane::onFocus() {
    updateCommandState();
}

void cTermPane::onClick() {
    panes_.values().fill();
    updateCommandState();
}

bool cTermPane::onKey(int key) {
    return panes_.handleKey(
        key, [this] { editFirstValue(); }, [this] { deleteSelectedTerms(); });
}
