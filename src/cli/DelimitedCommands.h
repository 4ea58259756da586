#pragma once
// The vesk tool's delimited-text commands and merge under a duplicate policy. Each returns
// the exit status as the other commands do (Commands.h).

#include <string>

#include "exchange/PinyinColumns.h"

struct sCsvImportOptions {
    // Names as DelimitedReader.h takes them; empty: detected.
    std::string separator;
    std::string encoding;
    // -1 detect, 0 no header row, 1 the first row names the columns.
    int header = -1;
    // ColumnMapping.h's list; empty: the proposed mapping.
    std::string columns;
    // A database file to import into instead of a new database.
    std::string into;
    std::string duplicates = "add";
    std::string key;
    // Over the term limit: write "OUTPUT 1", "OUTPUT 2", … instead of failing.
    bool split = false;
    // Columns whose tone numbers become tone marks (names or 1-based numbers), and the style.
    sPinyinColumns pinyin;
};

int RunImportCsv(const std::string& input, const std::string& output,
                 const sCsvImportOptions& options);
// pinyinNumbers: attributes whose tone marks are written as tone numbers.
int RunExportCsv(const std::string& input, const std::string& output, bool categories,
                 const sPinyinColumns& pinyinNumbers = sPinyinColumns());
// duplicates: "add", "skip" or "update"; key: an attribute name (UTF-8), empty for the first.
int RunMergeWithPolicy(const std::string& target, const std::string& source,
                       const std::string& output, const std::string& duplicates,
                       const std::string& key);
