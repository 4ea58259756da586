#pragma once
// The four panes of the main window and what they share: the focus cycle between them and
// the host they report to. Each pane reaches the others through this object.

#include <functional>
#include <memory>

class QLineEdit;
class QWidget;
class cAttributePane;
class cCategoryPane;
class cDatabase;
class cListView;
class cPaneHost;
class cTermPane;
class cValuePane;

class cPanes {
public:
    cPanes(cDatabase& database, cPaneHost& host, QWidget* termParent, QWidget* rightParent);
    ~cPanes();

    cTermPane& terms() const { return *terms_; }
    cValuePane& values() const { return *values_; }
    cCategoryPane& categories() const { return *categories_; }
    cAttributePane& attributes() const { return *attributes_; }
    cDatabase& database() const { return db_; }
    cPaneHost& host() const { return host_; }

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
    // focusedPane, or when the window is not active the pane its focus rests in.
    cListView* workingPane() const;
    void setEditCommandState();

    cDatabase& db_;
    cPaneHost& host_;
    std::unique_ptr<cTermPane> terms_;
    std::unique_ptr<cValuePane> values_;
    std::unique_ptr<cCategoryPane> categories_;
    std::unique_ptr<cAttributePane> attributes_;
};
