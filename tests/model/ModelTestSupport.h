#pragma once
// Shared helpers of the model tests: small builders and readers for tagged terms and category
// members.

#include "model/Database.h"
#include "support/RecordingSink.h"

#include <algorithm>
#include <string>
#include <vector>

// A database with one Ascii attribute and count terms whose value is their tag ("t0", ...).
inline void AddTaggedTerms(cDatabase& database, int count, int firstTag = 0) {
    if (database.attributes.isEmpty())
        database.addAttribute(MediaTypeAscii);
    for (int i = 0; i < count; ++i) {
        int32_t index = database.addTerm();
        database.setValue(index, 0, ("t" + std::to_string(firstTag + i)).c_str());
    }
}

inline std::string TagOf(const cDatabase& database, uint32_t index) {
    const cTerm* term = database.term(index);
    if (!term)
        return "<none>";
    auto* value = static_cast<const cAsciiValue*>(term->findValue(0));
    return value ? value->text.textOrEmpty() : "";
}

inline std::vector<std::string> Tags(const cDatabase& database) {
    std::vector<std::string> tags;
    for (uint32_t i = 0; i < database.terms.count(); ++i)
        tags.push_back(TagOf(database, i));
    return tags;
}

// A category's member terms in entry order.
inline std::vector<uint32_t> Members(const cCategory* category) {
    std::vector<uint32_t> terms;
    for (uint32_t i = 0; i < category->members.count(); ++i)
        terms.push_back(category->memberAt(i)->firstTerm);
    return terms;
}

inline std::vector<uint32_t> SortedMembers(const cCategory* category) {
    std::vector<uint32_t> terms = Members(category);
    std::sort(terms.begin(), terms.end());
    return terms;
}

inline cCategory* AddNamedCategory(cDatabase& database, const char* name,
                                   std::vector<uint32_t> members = {}) {
    int32_t index = database.addCategory();
    cCategory* category = database.category(index);
    category->name.assign(name);
    for (uint32_t term : members)
        category->addMember(term);
    return category;
}
