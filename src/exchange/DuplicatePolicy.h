#pragma once
// What an import into an existing database does with a row (or a merged term) whose key
// (its value of the key attribute, without leading and trailing spaces) a term already
// has: add it all the same, skip it, or update that term with its values. Rows without a
// key are always added. Keys added on the way count too, so a file's own repeats follow the
// policy as well.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

class cDatabase;

enum class eDuplicatePolicy { AddAll, Skip, Update };

struct sDuplicatePolicy {
    eDuplicatePolicy policy = eDuplicatePolicy::AddAll;
    // The key attribute's name; empty: the first attribute that the import fills.
    std::u16string key;
};

struct sImportCounts {
    uint32_t added = 0;
    uint32_t updated = 0;
    uint32_t skipped = 0;
};

// "add", "skip", "update" and back.
bool DuplicatePolicyFromName(const std::string& name, eDuplicatePolicy& policy);

// The terms of a database by their key.
class cTermKeys {
public:
    // Every term of db with a value of attribute, the first of each key.
    void index(const cDatabase& db, uint32_t attribute);
    // The term holding key, or -1; an empty key is never found.
    int32_t find(std::u16string_view key) const;
    void add(std::u16string_view key, uint32_t term);

private:
    std::unordered_map<std::u16string, uint32_t> terms_;
};
