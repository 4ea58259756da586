#pragma once
// The commands of the vesk tool. Each returns the process exit status: 0 on success, 1 on a
// failure whose message has gone to standard error, followed by "vesk: PATH: reason".

#include <functional>
#include <iosfwd>
#include <string>

#include "exchange/PinyinColumns.h"

// Runs command; when memory runs out on the way, says so and returns 1 instead of aborting.
int RunCatchingOutOfMemory(const std::function<int()>& command);

int RunDump(const std::string& file, std::ostream& out);
int RunImportPdb(const std::string& input, const std::string& output);
// format: "vesk", "tab", "ergane", "quizapp" or "apkg".
int RunImport(const std::string& format, const std::string& input, const std::string& output);
int RunMerge(const std::string& target, const std::string& source, const std::string& output);

// The same, converting pinyin in the columns of the option: tone numbers to marks of its
// style for an import, marks to tone numbers for an export. A column that names no Unicode
// attribute fails the command before anything is written.
int RunImport(const std::string& format, const std::string& input, const std::string& output,
              const sPinyinColumns& pinyin);
// format: "vesk", "tab", "apkg" or "anki-text"; reverse adds the reverse cards of "apkg".
int RunExport(const std::string& format, const std::string& input, const std::string& output,
              bool reverse = false, const sPinyinColumns& pinyinNumbers = sPinyinColumns());
