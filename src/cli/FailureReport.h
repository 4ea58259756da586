#pragma once
// The line that follows a failed command's message on standard error, saying which file
// failed and why: "vesk: PATH: reason".

#include <iosfwd>
#include <string>

// Writes the line for the last recorded file failure; for a failure that recorded nothing,
// the line names fallbackPath. Returns result, so that a command can end with it.
int ReportFailure(int result, const std::string& fallbackPath, std::ostream& errors);
