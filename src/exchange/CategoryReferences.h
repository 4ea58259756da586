#pragma once
// How a Vesk Text export names each category, in the header and in the term lines (see
// VeskTextFormat.h). The name written is the category's name as the file can hold it and as
// it reads back (without trailing spaces, which reading drops); term lines use that name for
// the first category that bears it and a made-up other name for any later one, declared on
// its Category line, so that no two categories become one.

#include <cstdint>
#include <string>
#include <vector>

class cDatabase;

class cCategoryReferences {
public:
    cCategoryReferences() = default;
    explicit cCategoryReferences(const cDatabase& db);

    uint32_t count() const { return static_cast<uint32_t>(names_.size()); }
    // By position in the category list.
    const std::string& name(uint32_t category) const { return names_[category]; }
    const std::string& reference(uint32_t category) const { return references_[category]; }
    bool hasOtherName(uint32_t category) const { return references_[category] != names_[category]; }
    // How many names held something the file cannot hold (see ReplaceUnholdable).
    uint32_t replacedNames() const { return replacedNames_; }

private:
    std::vector<std::string> names_;
    std::vector<std::string> references_;
    uint32_t replacedNames_ = 0;
};
