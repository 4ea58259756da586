#pragma once
// The four panes of the main window and what they share: the focus cycle between them, the
// host they report to and the document they show. The panes never reach one another: each
// asks this object, which knows the order in which the others follow a change (the focused
// term, then the value pane, then the category ticks; an attribute change, then the value
// pane, the display column and the Display Attribute menu). It hears every change of the
// document and brings each pane up to date.

#include <QList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "document/DocumentListener.h"
#include "document/UndoHistory.h"

class QLineEdit;
class QWidget;
class cAttributePane;
class cCategoryPane;
class cDatabase;
class cDocument;
class cListView;
class cPaneHost;
class cTermPane;
class cValuePane;

class cPanes : public cDocumentListener {
public:
    cPanes(cDocument& document, cPaneHost& host, QWidget* termParent, QWidget* rightParent);
    ~cPanes() override;

    cTermPane& terms() const { return *terms_; }
    cValuePane& values() const { return *values_; }
    cCategoryPane& categories() const { return *categories_; }
    cAttributePane& attributes() const { return *attributes_; }
    const cDatabase& database() const;
    cDocument& document() const { return document_; }
    cPaneHost& host() const { return host_; }

    // ---- the selected terms, read from the term pane
    QList<int> selectedTerms() const;
    std::vector<uint32_t> selectedTermList() const;
    // The first selected term, or -1.
    int firstSelectedTerm() const;
    // The one selected term, or -1 when none or several are selected.
    int onlySelectedTerm() const;
    // Makes term the only selected term.
    void selectTerm(int term);
    // Selects exactly the terms flagged in member (one flag per term), with current (by
    // default the first of them) as the current row shown.
    void selectTerms(const std::vector<char>& member, int current = -1);

    // ---- the order in which the panes follow one another
    // The term selection changed: the value pane and the ticks show it, unless an edit of a
    // value is open (then once it ends).
    void termSelectionChanged();
    // The value pane's rows for the selected term, then the category ticks.
    void showSelectedTerm();
    // How many times showSelectedTerm has run: a command that moves the selection asks it
    // before and after, and shows the selected term itself only when the move did not.
    uint64_t selectedTermShownCount() const { return selectedTermShown_; }
    // Gives the value pane the focus and opens its editor on row.
    void editValue(int row);

    // Moves the focus from the pane that has it to the next one in the cycle term, value,
    // category, attribute (or back); the pane then selects its row 0 when nothing is
    // selected. Nothing happens when none of the four has the focus.
    void focusNeighbourPane(bool backwards);
    // The keys every pane handles alike: Tab and Right move the focus on, Backtab and Left
    // back, Return and Enter run enter, Delete runs remove. False for any other key.
    bool handleKey(int key, const std::function<void()>& enter,
                   const std::function<void()>& remove);
    // The pane's list that has the keyboard focus (or holds the focused editor), or nullptr.
    cListView* focusedPane() const;

    // The command state (Cut, Copy, Paste, Delete and the pane's own) of the pane the user
    // works in: the focused one, else the one that last had the focus in the window.
    void updateCommandState();
    // An in-place editor opened: its keys go to it, and Cut, Copy, Paste and Delete act on
    // its text. editEnded puts the pane's own state back.
    void editStarted();
    void editEnded();
    // The open in-place editor of any pane, or nullptr.
    QLineEdit* openEditor() const;
    // Ends the open edit, if any, as losing the focus does: what was typed is committed.
    void commitOpenEdit();

private:
    // The pane's list that is widget or holds it, or nullptr.
    cListView* paneHolding(const QWidget* widget) const;
    // The four lists in the focus cycle's order: term, value, category, attribute.
    std::vector<cListView*> cycle() const;
    // What the panes show after a change of the attribute at index.
    void followAttributeChange(eChange change, uint32_t index);

    // cDocumentListener
    void termsInserted(uint32_t first, uint32_t count) override;
    void termsRemoved(const std::vector<uint32_t>& removed) override;
    void termsRearranged() override;
    void valueChanged(uint32_t term, uint32_t attribute) override;
    void attributesChanged(eChange change, uint32_t index) override;
    void categoriesChanged(eChange change, uint32_t index) override;
    void membershipsChanged(uint32_t category) override;
    void reset() override;
    void placeRestored(const sPlace& place) override;
    // Where the user works now: the pane with the focus, the selected terms, its row.
    sPlace currentPlace() const;
    // focusedPane, or when the window is not active the pane its focus rests in.
    cListView* workingPane() const;
    void setEditCommandState();

    cDocument& document_;
    cPaneHost& host_;
    std::unique_ptr<cTermPane> terms_;
    std::unique_ptr<cValuePane> values_;
    std::unique_ptr<cCategoryPane> categories_;
    std::unique_ptr<cAttributePane> attributes_;
    uint64_t selectedTermShown_ = 0;
};
