#pragma once
// An in-memory log of the database file's open failures, one line per failure in the form
// "context: message (path)". Nothing shows or stores it; it is there for a debugger and
// for tests.

#include <string>

void AppendDiagnostic(const char* context, const char* message, const std::string& path);
const std::string& DiagnosticLog();
void ClearDiagnosticLog();
