#pragma once
// Databases at the limits, made by the benchmarks themselves: 65,532 terms with three
// attributes (an Ascii word, a Unicode value of CJK text, an Ascii meaning of about 40
// characters) and 20 categories, every term in one or two of them.

#include <string>

class cDatabase;

constexpr unsigned LimitTermCount = 65532;
constexpr unsigned LimitCategoryCount = 20;

void FillLimitDatabase(cDatabase& db);

// The files the benchmarks read, written once into directory: "limit.PDB" and
// "limit.txt" (the same terms as tab-delimited 8-bit text, one line each).
struct sLimitFiles {
    std::string database;
    std::string tabText;
};
sLimitFiles WriteLimitFiles(const std::string& directory);
