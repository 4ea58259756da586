#pragma once
// The one dispatcher of command numbers.

// Command results.
enum : int {
    CommandNotHandled = 0, // also: cancelled at the save prompt or in the New Database dialog
    CommandFailed = 1,     // a file dialog was cancelled, or opening or saving failed
    CommandDone = 2,
};

// Runs the command and returns its result.
int ExecuteCommand(int command);
