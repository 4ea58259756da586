#pragma once
// Why the last file operation that failed did so: the safe save and the readers record the
// path and a reason here, like errno, so that the CLI and the editor's status bar can say
// more than the message box does, even for writers and readers that only return 0 or 1.
// A command clears it when it starts; a failure overwrites what an earlier one left.

#include <string>
#include <sys/types.h>

struct sFileFailure {
    std::string path;
    // The errno text, or a phrase such as "not a regular file"; empty when nothing failed.
    std::string reason;
};

void RecordFileFailure(const std::string& path, const std::string& reason);
// The reason is the text of error, an errno value.
void RecordFileError(const std::string& path, int error);
const sFileFailure& LastFileFailure();
void ClearFileFailure();

// What a file that is not a regular one is, by its st_mode: "is a directory", "is a device",
// "is a FIFO", "is a socket", "is a symbolic link", or "not a regular file".
std::string DescribeNonRegularFile(mode_t mode);
