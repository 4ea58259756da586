#include "panes/TermPane.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <algorithm>

#include "document/Document.h"
#include "model/Database.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/PaneModel.h"
#include "panes/Panes.h"
#include "panes/QtText.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

constexpr int TermIdWidth = 80;

} // namespace

class cTermModel : public cPaneModel {
public:
    cTermModel(const cDatabase& database, const cTermPane& pane)
        : cPaneModel({TextColumnTermId, 0}), db_(database), pane_(pane) {}

    // The rows the view has been told of: the database holds new terms before the view
    // hears of them.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : rows_;
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

    // Every row may have changed, and their number too.
    void reset() {
        beginResetModel();
        rows_ = static_cast<int>(db_.terms.count());
        endResetModel();
    }
    // Rows first .. last are new.
    void rowsAdded(int first, int last) {
        beginInsertRows(QModelIndex(), first, last);
        rows_ += last - first + 1;
        endInsertRows();
    }

    int displayAttribute = -1;

private:
    const cDatabase& db_;
    const cTermPane& pane_;
    int rows_ = static_cast<int>(db_.terms.count());
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
                     [this] {
                         if (trackTermFocus)
                             panes_.termSelectionChanged();
                     });
}

// ---- rows

void cTermPane::fill() {
    const int selected = view_->firstSelected();
    model_->reset();
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

void cTermPane::rowsInserted(int first, int count) {
    model_->rowsAdded(first, first + count - 1);
}

void cTermPane::rowsRemoved(const std::vector<uint32_t>& removed) {
    // One reset rather than a removal per row: each removal makes the view and the
    // selection walk their rows again, far too slow when most of 65,532 terms go.
    rowsRearranged();
    renumberMarksAfterDeletion(removed);
}

void cTermPane::rowsRearranged() {
    model_->reset();
}

void cTermPane::selectOnly(const std::vector<char>& member, int current) {
    QAbstractItemModel* termModel = view_->model();
    QItemSelectionModel* termSelection = view_->selectionModel();
    const int termRows = std::min(termModel->rowCount(), static_cast<int>(member.size()));
    // One range per run of consecutive members, handed over in a single call: selecting
    // row by row would notify the panes once per term.
    // The ranges span whole rows already: with the Rows flag the selection model would
    // expand them by merging each into the others, quadratic in the number of runs.
    const int lastColumn = termModel->columnCount() - 1;
    QItemSelection selection;
    int first = -1;
    for (int i = 0; i < termRows;) {
        if (!member[i]) {
            ++i;
            continue;
        }
        int last = i;
        while (last + 1 < termRows && member[last + 1])
            ++last;
        selection.select(termModel->index(i, 0), termModel->index(last, lastColumn));
        if (first < 0)
            first = i;
        i = last + 1;
    }

    if (current < 0 || current >= termRows || !member[current])
        current = first;
    trackTermFocus = false;
    if (current >= 0)
        termSelection->setCurrentIndex(termModel->index(current, 0), QItemSelectionModel::NoUpdate);
    else
        termSelection->clearCurrentIndex();
    termSelection->select(selection, QItemSelectionModel::ClearAndSelect);
    if (current >= 0)
        view_->scrollTo(termModel->index(current, 0), QAbstractItemView::EnsureVisible);
    trackTermFocus = true;
}

// ---- new and delete

void cTermPane::newTerm() {
    const int32_t added = panes_.document().addTerm(view_->firstSelected());
    if (added < 0)
        return;
    view_->selectRow(added, true);
    panes_.editValue(0);
    ShowStatusText(TextTermAdded);
}

void cTermPane::deleteSelectedTerms() {
    const QList<int> rows = view_->selectedRows();
    if (rows.isEmpty())
        return;
    const int question = rows.size() == 1 ? TextDeleteTermQuestion : TextDeleteTermsQuestion;
    if (ShowTableMessage(TextCaptionConfirm, question) != MessageResultYes)
        return;
    panes_.document().deleteTerms(std::vector<uint32_t>(rows.begin(), rows.end()));
    view_->clearRowSelection();
    view_->setFocus();
    updateCommandState();
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

void cTermPane::onFocus() {
    updateCommandState();
}

void cTermPane::onClick() {
    panes_.showSelectedTerm();
    updateCommandState();
}

bool cTermPane::onKey(int key) {
    return panes_.handleKey(
        key, [this] { panes_.editValue(0); }, [this] { deleteSelectedTerms(); });
}
