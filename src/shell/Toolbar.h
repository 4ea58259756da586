#pragma once
// The toolbar's 24 positions and the button and menu states the shell keeps.

// The tooltip text number of the toolbar button with that command, or 0.
int ToolbarTooltip(int command);
// Sets the command's button (and menu item) to ButtonEnabled, ButtonMarked or
// ButtonDisabled.
void SetButtonState(int command, int state);
// The marks of the Input menu and its buttons from the input mode and pinyin conversion.
void UpdateInputMenu();
