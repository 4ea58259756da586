#pragma once
// The modes of the Input menu, numbered in the menu's order. The panes read the current one
// through cPaneHost; the shell keeps it.

enum class eInputMode : int {
    Normal = 1,
    // A finished value edit opens the next attribute's value of the same term.
    OneTerm = 2,
    // A finished value edit, or a paste, moves to the same attribute of the next term.
    OneAttribute = 3,
};
