#pragma once
// The safe save's temporary files, named ".vesk-save-<pid>-XXXXXX" after the process that
// writes them, so that one a killed save left behind can be told from one a running save
// is still writing.

#include <string>
#include <sys/types.h>

// The mkstemp pattern for a temporary file of this process in directory.
std::string TemporaryPattern(const std::string& directory);

// The process id in a temporary file's name; 0 when name is not one of ours.
pid_t TemporaryFileProcess(const std::string& name);

// Removes from directory the temporary files that the saving user owns and whose process is
// gone. Nothing else is touched: other names, links, folders, other users' files, and the
// files of processes still running (this one included) stay.
void RemoveAbandonedTemporaries(const std::string& directory);
