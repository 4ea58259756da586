#pragma once
// The texts that report a delimited import: numbers grouped by thousands ("1,234") in the
// string table's "%1", "%2", "%3".

#include <cstdint>
#include <initializer_list>
#include <string>

struct sImportCounts;

std::string GroupedNumber(uint64_t number);
// The text textId with "%1", "%2", … replaced by the arguments in order.
std::string FilledText(int textId, std::initializer_list<std::string> arguments);
// "1,234 added, 56 updated, 7 skipped"
std::string ImportSummaryText(const sImportCounts& counts);
