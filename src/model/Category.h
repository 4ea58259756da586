#pragma once
// Categories label terms. Each sits in one of eight groups and lists its members as term
// positions.

#include "model/MemberList.h"
#include "model/Object.h"
#include "model/String.h"

#include <cstdint>
#include <vector>

class cCategory : public cObject {
public:
    cCategory() = default;
    cCategory(uint16_t categoryGroup, const char* categoryName)
        : group(categoryGroup), name(categoryName) {}

    bool isMember(uint32_t term) const;
    // Appends an entry for term; makes no check for an existing one.
    void addMember(uint32_t term);
    // Removes the first entry that covers term, if any; with renumber, every entry whose
    // firstTerm is above term then moves down by one, whether or not one was removed.
    void removeMember(uint32_t term, bool renumber);
    // Every entry with firstTerm >= position moves up by one.
    void shiftMembersUp(uint32_t position);
    // The same as removeMember(t, true) for each t of terms, from the highest to the lowest,
    // in one pass over the entries. terms must be sorted ascending without duplicates.
    void removeTerms(const std::vector<uint32_t>& terms);
    // True when an entry covers more than one term (only a hand-built category has them).
    bool hasMultiTermEntries() const;
    // True as soon as test holds for a term an entry covers, below termCount.
    template <class F> bool anyMember(uint32_t termCount, F test) const {
        for (const cCategoryMember* member : Items<cCategoryMember>(members)) {
            // In memory an entry nearly always covers one term: no loop for it.
            if (member->runLength == 1) {
                if (member->firstTerm < termCount && test(member->firstTerm))
                    return true;
                continue;
            }
            const uint64_t end = uint64_t(member->firstTerm) + member->runLength;
            for (uint64_t term = member->firstTerm; term < end && term < termCount; ++term)
                if (test(static_cast<uint32_t>(term)))
                    return true;
        }
        return false;
    }
    // Calls f with every term an entry covers, below termCount.
    template <class F> void forEachMember(uint32_t termCount, F f) const {
        anyMember(termCount, [&](uint32_t term) {
            f(term);
            return false;
        });
    }
    // For copies of the terms at sources (ascending positions, single-term entries only)
    // inserted in front of the term at position: every entry from position on moves up past
    // them, and copy j, now at position + j, joins when its source is a member. The copies'
    // entries are added from the last copy to the first.
    void insertCopies(uint32_t position, const std::vector<uint32_t>& sources);
    // Same group and name, no members.
    cCategory* clone() const { return new cCategory(group, name.text()); }

    cCategoryMember* memberAt(uint32_t position) const { return members.at(position); }

    uint16_t group = 0;
    cString name;
    // The entries, in the order they were added.
    cMemberList members;
};
