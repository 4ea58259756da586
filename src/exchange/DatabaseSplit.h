#pragma once
// A database with more terms than a file holds, written as several: "NAME 1", "NAME 2", …
// (the handheld tells databases apart by name), each with at most MaxTermCount terms, all
// the attributes and the categories, in files beside the chosen one ("Words.pdb" gives
// "Words 1.pdb", "Words 2.pdb", …).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cDatabase;

// The file of part number (1-based) beside path.
std::string SplitPartPath(const std::string& path, size_t number);
// The part's database name: the base name cut so that " <number>" fits 31 characters.
std::string SplitPartName(const std::string& baseName, size_t number);

// Moves the terms of whole into parts of at most perPart terms, each with clones of whole's
// attributes and categories and its terms' memberships renumbered; whole keeps no terms.
std::vector<std::unique_ptr<cDatabase>> SplitDatabase(cDatabase& whole, uint32_t perPart);

// Splits whole and saves each part beside path. The paths written, in order; empty after a
// failed save (its message shown), which leaves the parts written before it in place.
std::vector<std::string> WriteSplitDatabases(cDatabase& whole, const std::string& path);
