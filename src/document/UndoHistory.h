#pragma once
// The steps a user can take back and do again. Each step knows how to undo and redo one
// change of the document, what to call it in the Edit menu, roughly how much memory it
// keeps, and the place (selection and focus) where the change happened.
//
// The history holds at most 1,000 steps and about 64 MB, dropping the oldest first (the
// newest step stays, however large). It remembers which step the saved file matches, so
// that the document is modified exactly when it is away from that step.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Where a change happened, as the panes describe it: the pane that had the focus (their
// own numbering; -1 none), the selected terms, and the selected row of that pane.
struct sPlace {
    int pane = -1;
    std::vector<uint32_t> terms;
    int row = -1;
};

struct sUndoStep {
    std::string label; // "Typing", "Delete Terms", ...
    sPlace place;
    size_t bytes = 0;
    std::function<void()> undo;
    std::function<void()> redo;
};

class cUndoHistory {
public:
    static constexpr size_t MaxSteps = 1000;
    static constexpr size_t MaxBytes = 64u << 20;

    // A step just done: the steps that could be redone are gone.
    void push(sUndoStep step);
    void clear();

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // The labels of the step undo and redo would take; empty when there is none.
    std::string undoLabel() const;
    std::string redoLabel() const;
    // The step to undo (then counted as not done), or to redo; nullptr when there is none.
    const sUndoStep* takeUndo();
    const sUndoStep* takeRedo();

    // The document now matches the saved file; or matches nothing that history can reach.
    void markSaved() { saved_ = static_cast<long>(done_); }
    void markUnsaved() { saved_ = -1; }
    bool atSaved() const { return saved_ == static_cast<long>(done_); }

    size_t count() const { return steps_.size(); }
    size_t bytes() const { return bytes_; }

private:
    void dropOldest();

    std::deque<sUndoStep> steps_;
    size_t done_ = 0; // steps_[0 .. done_) are done
    long saved_ = 0;  // the number of steps done when the file was saved; -1 unreachable
    size_t bytes_ = 0;
};
