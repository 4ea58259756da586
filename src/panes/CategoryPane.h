#pragma once
// The category pane: one row per category, its name (edited in place) and a checkbox that
// is ticked when a selected term belongs to it. Ticking puts every selected term into the
// category, clearing takes them all out.

#include <vector>

#include "model/TermFlags.h"
#include "panes/NamedRowsPane.h"

class cCategoryModel;

class cCategoryPane : public cNamedRowsPane {
public:
    cCategoryPane(cPanes& panes, QWidget* parent);

    // Rebuilds the rows, keeping the selected row, then the checkboxes.
    void fill();
    // Ticks each category that at least one selected term belongs to; the one of row.
    void refreshChecks();
    void refreshCheck(int row);
    void refreshRow(int row);
    void newCategory();
    void deleteSelectedCategory();
    // Selects exactly the members of the selected category in the term pane.
    void selectMembers();
    // Adds every selected term to the category of row (add) or removes them.
    void setMembership(int row, bool add);
    void updateCommandState() override;

private:
    void deleteSelected() override { deleteSelectedCategory(); }
    void renamed(int row, const QString& text) override;
    // The user ticked or cleared the box of row; false when the tick was refused.
    bool checkChanged(int row, bool ticked);
    // One flag per term, set for the selected ones.
    cTermFlags selectedTermFlags() const;
    bool holdsAny(int row, const cTermFlags& selected) const;

    cCategoryModel* model_;
    // Set while the pane itself sets boxes, so those changes never reach the database.
    bool checkUpdateInProgress_ = false;
};
