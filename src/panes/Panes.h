#pragma once
// The four panes of the main window and what ties them together: the value pane follows
// the term pane's selection, and the category pane's checkboxes follow the value pane.

#include <memory>

class QWidget;
class cAttributePane;
class cCategoryPane;
class cDatabase;
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

    // Refills the value pane for the selected term and the checkboxes for the selection.
    void followTermSelection();

    // New term, category and attribute commands.
    void newTerm();
    void newCategory();
    void newAttribute(int mediaType);

private:
    cDatabase& db_;
    cPaneHost& host_;
    std::unique_ptr<cTermPane> terms_;
    std::unique_ptr<cValuePane> values_;
    std::unique_ptr<cCategoryPane> categories_;
    std::unique_ptr<cAttributePane> attributes_;
};
