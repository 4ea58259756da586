#pragma once
// The attribute pane: one row per attribute, its media type shown first and its name in
// column 0 (edited in place). Every change here reshapes the value pane, the term pane's
// display column and the Display Attribute menu.

#include "panes/NamedRowsPane.h"

class cAttributeModel;

class cAttributePane : public cNamedRowsPane {
public:
    cAttributePane(cPanes& panes, QWidget* parent);

    // Rebuilds the rows, keeping the selected row; re-reads one row.
    void fill();
    void refreshRow(int row);
    // mediaType: 1 Ascii, 2 Unicode.
    void newAttribute(int mediaType);
    void deleteSelectedAttribute();
    void updateCommandState() override;

private:
    void deleteSelected() override { deleteSelectedAttribute(); }
    void renamed(int row, const QString& text) override;

    cAttributeModel* model_;
};
