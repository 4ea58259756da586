#pragma once
// The editor's delimited-text commands and Merge under a duplicate policy; results as the
// other commands (Commands.h).

#include <string>

// File > Import > Delimited Text, and the tab-delimited import with options (separator
// tab): the file, the preview, then the import into a new database (split over several
// files past the term limit, when the user agrees) or into the open one.
int ImportDelimitedCommand(char16_t separator);
// File > Export > Delimited Text (CSV).
int ExportDelimitedCommand();
// Merge of the chosen database file, after asking for the duplicate policy.
int MergeChosenFile(const std::string& path);
