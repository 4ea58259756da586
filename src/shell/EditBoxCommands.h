#pragma once
// Commands while an in-place editor is open. Cut, Copy, Paste, Delete, Undo and Redo act on
// the text in the editor, never on the stored value behind it; every other command that reads or
// refills a pane first ends the edit the way losing the focus does, so nothing typed is dropped.

// Runs Cut, Copy, Paste, Delete, Undo or Redo on the open editor's text; false when no editor is
// open or command is another one.
bool RunEditBoxCommand(int command);
// Ends the open edit (committing it) unless command leaves the panes alone.
void EndEditBeforeCommand(int command);
