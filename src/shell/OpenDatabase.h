#pragma once
// The steps every way of opening a database shares (Open, the recent files, the welcome
// dialog, New from a template): the save prompt before the open database is replaced, and
// loading a file into it.

#include <string>

// Offers to save unsaved changes ("Save changes to '%s' %s"); true when the caller must
// abort.
bool SavePrompt(const char* reason);

// Checks and loads the file and makes it the current database: as a template it stays
// untitled (status 37), otherwise it joins the recent list (status 38). 0 on success, 1 on
// failure (after the message), when the current database is unchanged.
int OpenDatabaseFile(const std::string& path, bool asTemplate);
