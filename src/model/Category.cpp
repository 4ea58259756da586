#include "model/Category.h"

#include <algorithm>

bool cCategory::isMember(uint32_t term) const {
    for (const cCategoryMember* member : Items<cCategoryMember>(members))
        if (member->covers(term))
            return true;
    return false;
}

void cCategory::addMember(uint32_t term) {
    members.append(cCategoryMember(term, 1));
}

void cCategory::removeMember(uint32_t term, bool renumber) {
    for (uint32_t i = 0; i < members.count(); ++i) {
        if (members.at(i)->covers(term)) {
            members.removeAt(i);
            break;
        }
    }
    if (!renumber)
        return;
    for (cCategoryMember* member : Items<cCategoryMember>(members))
        if (member->firstTerm > term)
            --member->firstTerm;
}

void cCategory::shiftMembersUp(uint32_t position) {
    for (cCategoryMember* member : Items<cCategoryMember>(members))
        if (member->firstTerm >= position)
            ++member->firstTerm;
}

void cCategory::removeTerms(const std::vector<uint32_t>& terms) {
    if (terms.empty())
        return;
    // Entries covering more than one term can be removed at one step and shifted into
    // another's reach at the next; replay the steps.
    if (hasMultiTermEntries()) {
        for (auto t = terms.rbegin(); t != terms.rend(); ++t)
            removeMember(*t, true);
        return;
    }
    // With single-term entries, handling the terms from the highest down means: for each
    // deleted term t, the first entry (in list order) for t goes; every other entry moves
    // down by the number of deleted terms below it. An entry above t never reaches t through
    // the renumbering of higher terms, so the original firstTerm decides.
    std::vector<bool> removed(terms.size(), false);
    members.keepIf([&](cCategoryMember& member) {
        // Below the lowest deleted term an entry stays as it is: most entries, when few
        // terms go.
        if (member.firstTerm < terms.front())
            return true;
        auto below = std::lower_bound(terms.begin(), terms.end(), member.firstTerm);
        size_t rank = static_cast<size_t>(below - terms.begin());
        if (below != terms.end() && *below == member.firstTerm && !removed[rank]) {
            removed[rank] = true;
            return false;
        }
        member.firstTerm -= static_cast<uint32_t>(rank);
        return true;
    });
}

bool cCategory::hasMultiTermEntries() const {
    for (const cCategoryMember* member : Items<cCategoryMember>(members))
        if (member->runLength != 1)
            return true;
    return false;
}

void cCategory::insertCopies(uint32_t position, const std::vector<uint32_t>& sources) {
    if (sources.empty())
        return;
    std::vector<bool> joins(sources.size(), false);
    for (cCategoryMember* member : Items<cCategoryMember>(members)) {
        // Only an entry between the lowest and the highest source can be one of them.
        if (member->firstTerm >= sources.front() && member->firstTerm <= sources.back()) {
            auto copiesOf = std::equal_range(sources.begin(), sources.end(), member->firstTerm);
            for (auto copy = copiesOf.first; copy != copiesOf.second; ++copy)
                joins[size_t(copy - sources.begin())] = true;
        }
        if (member->firstTerm >= position)
            member->firstTerm += static_cast<uint32_t>(sources.size());
    }
    for (size_t j = sources.size(); j-- > 0;)
        if (joins[j])
            addMember(position + static_cast<uint32_t>(j));
}
