#pragma once
// After a file command's failure message, the status bar says which file failed and why
// (TextFailureReason), from the reason the core recorded; the message box texts stay as they
// are.

// Shows the last recorded file failure in the status bar; nothing when none is recorded.
void ShowFailureReason();
