#pragma once
// The user font of the panes and the display attribute of the term pane.

#include <QFont>

// The font the settings describe. 0 on success, 1 when it cannot be made.
int CreateUserFont();
// The Font command's dialog: 1 when a new font was chosen and stored (the settings file is
// written at once), 0 otherwise.
int ChooseUserFont();
// Gives the user font to the four panes.
void ApplyUserFont();
QFont UserFont();

void SetDisplayAttribute(int position);
void RebuildDisplayAttributeMenu();
