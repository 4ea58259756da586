#pragma once
// The database file: a PDB container of type "VSDB", creator "VeSk", version 10, holding
// term count + 3 records.
//
// Record 0, database information:
//   description      8-bit string
//   block count      1   number of block indices that follow
//   block indices    1   each: a Unicode block used by some Unicode value, first use first
// Record 1, categories, in list order:
//   category count   4
//   per category:    group 2, name (8-bit string), run count 4,
//                    per run: first term 4, run length 2
// Record 2, attributes, in list order:
//   attribute count  4
//   per attribute:   media type 2, name (8-bit string)
// Record 3 + k: the values of term k back to back (see model/Value.h); may be empty.

#include <cstdint>

constexpr uint32_t kDatabaseType = 0x56534442;    // "VSDB"
constexpr uint32_t kDatabaseCreator = 0x5665536B; // "VeSk"
constexpr uint16_t kDatabaseVersion = 10;
constexpr unsigned kDescriptionRecord = 0;
constexpr unsigned kCategoryRecord = 1;
constexpr unsigned kAttributeRecord = 2;
constexpr unsigned kFirstTermRecord = 3;

// A run of record 1: terms firstTerm to firstTerm + length - 1.
struct sTermRun {
    uint32_t firstTerm;
    uint16_t length;
};

// Results of cDatabase::load.
enum : int {
    LoadResultOk = 0,
    LoadResultBadFormat = 1,
    LoadResultBadVersion = 2,
};
