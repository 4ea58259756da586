#include "document/UndoHistory.h"

void cUndoHistory::push(sUndoStep step) {
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    if (saved_ > static_cast<long>(done_))
        saved_ = -1; // the saved state was among the steps just dropped
    bytes_ += step.bytes;
    steps_.push_back(std::move(step));
    ++done_;
    while (steps_.size() > 1 && (steps_.size() > MaxSteps || bytes_ > MaxBytes))
        dropOldest();
}

void cUndoHistory::dropOldest() {
    bytes_ -= steps_.front().bytes;
    steps_.pop_front();
    --done_;
    saved_ = saved_ > 0 ? saved_ - 1 : -1;
}

void cUndoHistory::clear() {
    steps_.clear();
    done_ = 0;
    saved_ = 0;
    bytes_ = 0;
}

std::string cUndoHistory::undoLabel() const {
    return canUndo() ? steps_[done_ - 1].label : std::string();
}

std::string cUndoHistory::redoLabel() const {
    return canRedo() ? steps_[done_].label : std::string();
}

const sUndoStep* cUndoHistory::takeUndo() {
    return canUndo() ? &steps_[--done_] : nullptr;
}

const sUndoStep* cUndoHistory::takeRedo() {
    return canRedo() ? &steps_[done_++] : nullptr;
}
