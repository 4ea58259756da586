#pragma once
// The one dispatcher of command numbers and the sequences the commands share.

#include <string>

// Command results.
enum : int {
    CommandNotHandled = 0, // also: cancelled at the save prompt or in the New Database dialog
    CommandFailed = 1,     // a file dialog was cancelled, or opening or saving failed
    CommandDone = 2,
};

// Runs the command and returns its result.
int ExecuteCommand(int command);

// Offers to save unsaved changes ("Save changes to '%s' %s"); true when the caller must
// abort.
bool SavePrompt(const char* reason);

// Checks and loads the file and makes it the current database: as a template it stays
// untitled (status 37), otherwise it joins the recent list (status 38). 0 on success, 1 on
// failure (after the message), when the current database is unchanged.
int OpenDatabaseFile(const std::string& path, bool asTemplate);

// Refills every pane after the current database changed wholesale.
void RefreshAllPanes();
