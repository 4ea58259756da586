// Cut, copy and paste of terms. Terms never travel through the system clipboard: Cut and
// Copy only mark the selected terms, and Paste moves or duplicates the marked terms, with
// their values and memberships, in front of the selected term.

#include "document/Document.h"
#include "panes/ListView.h"
#include "panes/Panes.h"
#include "panes/TermPane.h"

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
    cDocument& document = panes_.document();
    const std::vector<uint32_t> sources(markedTerms_.begin(), markedTerms_.end());
    if (marksAreCut_) {
        // A cut pastes once.
        markedTerms_.clear();
        marksAreCut_ = false;
        document.moveTerms(sources, static_cast<uint32_t>(target));
    } else {
        const auto added = static_cast<int>(document.copyTerms(sources, uint32_t(target)));
        // The marks follow their source terms, so the same terms can be pasted again.
        for (int& mark : markedTerms_)
            if (mark >= target)
                mark += added;
        relabelRows();
    }
    // Selecting the target shows it when the selection moves (the paste pushed the selected
    // row down); when the target stayed selected, it is shown here.
    const uint64_t shown = panes_.selectedTermShownCount();
    view_->selectRow(target, true);
    if (panes_.selectedTermShownCount() == shown)
        panes_.showSelectedTerm();
    updateCommandState();
}
