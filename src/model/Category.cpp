#include "model/Category.h"

#include <algorithm>
#include <new>

namespace {

cCategoryMember* MemberOf(const cListNode* node) {
    return static_cast<cCategoryMember*>(node->payload);
}

} // namespace

bool cCategory::isMember(uint32_t term) const {
    for (const cCategoryMember* member : Items<cCategoryMember>(members))
        if (member->covers(term))
            return true;
    return false;
}

void cCategory::addMember(uint32_t term) {
    auto* member = new (std::nothrow) cCategoryMember(term, 1);
    if (member && !members.append(member))
        member->destroy();
}

void cCategory::removeMember(uint32_t term, bool renumber) {
    for (cListNode* node = members.head()->next; node != members.tail(); node = node->next) {
        if (MemberOf(node)->covers(term)) {
            members.remove(node)->destroy();
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
    cListNode* node = members.head()->next;
    while (node != members.tail()) {
        cListNode* following = node->next;
        cCategoryMember* member = MemberOf(node);
        auto below = std::lower_bound(terms.begin(), terms.end(), member->firstTerm);
        size_t rank = static_cast<size_t>(below - terms.begin());
        if (below != terms.end() && *below == member->firstTerm && !removed[rank]) {
            removed[rank] = true;
            members.remove(node)->destroy();
        } else {
            member->firstTerm -= static_cast<uint32_t>(rank);
        }
        node = following;
    }
}

bool cCategory::hasMultiTermEntries() const {
    for (const cCategoryMember* member : Items<cCategoryMember>(members))
        if (member->runLength != 1)
            return true;
    return false;
}

void cCategory::insertCopies(uint32_t position, const std::vector<uint32_t>& sources) {
    std::vector<bool> joins(sources.size(), false);
    for (cCategoryMember* member : Items<cCategoryMember>(members)) {
        auto copiesOf = std::equal_range(sources.begin(), sources.end(), member->firstTerm);
        for (auto copy = copiesOf.first; copy != copiesOf.second; ++copy)
            joins[size_t(copy - sources.begin())] = true;
        if (member->firstTerm >= position)
            member->firstTerm += static_cast<uint32_t>(sources.size());
    }
    for (size_t j = sources.size(); j-- > 0;)
        if (joins[j])
            addMember(position + static_cast<uint32_t>(j));
}
