// Cut, copy and paste of terms. Terms never travel through the system clipboard: Cut and
// Copy only mark the selected terms, and Paste moves or duplicates the marked terms, with
// their values and memberships, in front of the selected term.

#include "model/Database.h"
#include "panes/ListView.h"
#include "panes/PaneHost.h"
#include "panes/Panes.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"

#include <vector>

void cTermPane::cutTerms() {
    markSelectedTerms(true);
}

void cTermPane::copyTerms() {
    markSelectedTerms(false);
}

void cTermPane::markSelectedTerms(bool cut) {
    // The labels are read from the marks, so relabelling shows the old marks gone and the
    // new ones set in one go.
    markedTerms_ = view_->selectedRows();
    marksAreCut_ = cut;
    relabelRows();
    updateCommandState();
}

void cTermPane::clearMarks() {
    markedTerms_.clear();
    relabelRows();
}

void cTermPane::pasteTerms() {
    const int target = view_->firstSelected();
    if (target < 0 || markedTerms_.isEmpty())
        return;
    cDatabase& db = panes_.database();
    const bool cut = marksAreCut_;

    // Copies go in one step: the database inserts them in front of the target, in order.
    // Moves are taken from the last mark to the first and each lands in front of the one
    // placed before it, so the pasted terms keep their order. A term moved down from above
    // the target pushes the terms from the target on up by one, and with them exactly the
    // marks that started at or above the target; a term moved up from below shifts only
    // terms that no waiting mark names. Counting those pushes, rather than raising every
    // mark after every step, keeps a paste of thousands of marks linear.
    beginRowsChange();
    if (cut) {
        int at = target;
        int raised = 0;
        for (auto mark = markedTerms_.crbegin(); mark != markedTerms_.crend(); ++mark) {
            const int source = *mark >= target ? *mark + raised : *mark;
            if (source == at)
                continue; // already in place
            db.moveTerm(static_cast<uint32_t>(source), static_cast<uint32_t>(at));
            if (source < at)
                --at; // the terms in between moved down; at names the term just placed
            else
                ++raised;
        }
        // A cut pastes once.
        markedTerms_.clear();
        marksAreCut_ = false;
    } else {
        const std::vector<uint32_t> sources(markedTerms_.begin(), markedTerms_.end());
        const int added = static_cast<int>(db.copyTerms(sources, static_cast<uint32_t>(target)));
        // The marks follow their source terms, so the same terms can be pasted again.
        for (int& mark : markedTerms_)
            if (mark >= target)
                mark += added;
    }
    endRowsChange();
    view_->selectRow(target, true);
    panes_.values().fill();
    updateCommandState();
    panes_.host().databaseChanged();
}
