// Category operations of cDatabase: limits, membership queries, the renumbering that term
// moves need, and the "Uncategorized" category of a saved file.

#include "model/Database.h"
#include "model/Limits.h"
#include "text/Messages.h"
#include "text/TextIds.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Which terms some category of the group holds, in one pass over the entries instead of one
// membership test per term and category. A byte a term: every save asks this.
std::vector<char> CoveredTerms(const cDatabase& database, uint16_t group) {
    const uint32_t termCount = database.terms.count();
    std::vector<char> covered(termCount, false);
    for (const cCategory* category : Items<cCategory>(database.categories)) {
        if (category->group != group)
            continue;
        category->forEachMember(termCount, [&covered](uint32_t term) { covered[term] = true; });
    }
    return covered;
}

bool AllCovered(const std::vector<char>& covered) {
    return std::find(covered.begin(), covered.end(), false) == covered.end();
}

} // namespace

int32_t cDatabase::addCategory() {
    uint32_t count = categories.count();
    if (CategoryRecordBytesPerEntry * count >= MaxRecordBytes) {
        ShowTableMessage(TextCaptionError, TextCategoryLimit);
        return -1;
    }
    uint32_t inGroupZero = 0;
    for (const cCategory* category : Items<cCategory>(categories))
        if (category->group == 0)
            ++inGroupZero;
    if (inGroupZero >= MaxCategoriesInGroupZero) {
        ShowTableMessage(TextCaptionError, TextCategoryGroupLimit);
        return -1;
    }
    auto* added = new (std::nothrow) cCategory;
    if (!added || !categories.append(added)) {
        delete added;
        return -1;
    }
    return static_cast<int32_t>(count);
}

void cDatabase::renameCategory(uint32_t index, const char* text) {
    if (cCategory* renamed = category(index))
        renamed->name.assign(text);
}

void cDatabase::deleteCategory(uint32_t index) {
    if (cListNode* node = categories.nodeAt(index))
        categories.remove(node)->destroy();
}

cCategory* cDatabase::takeCategory(uint32_t index) {
    cListNode* node = categories.nodeAt(index);
    return node ? static_cast<cCategory*>(categories.remove(node)) : nullptr;
}

void cDatabase::insertCategory(cCategory* category, uint32_t index) {
    cListNode* at = index >= categories.count() ? categories.tail() : categories.nodeAt(index);
    if (!categories.insertBefore(at, nullptr, category))
        category->destroy();
}

bool cDatabase::groupInUse(uint16_t group) const {
    for (const cCategory* category : Items<cCategory>(categories))
        if (category->group == group && !category->members.isEmpty())
            return true;
    return false;
}

bool cDatabase::isCategorizedInGroup(uint32_t term, uint16_t group) const {
    for (const cCategory* category : Items<cCategory>(categories))
        if (category->group == group && category->isMember(term))
            return true;
    return false;
}

bool cDatabase::allCategorizedInGroup(uint16_t group) const {
    return AllCovered(CoveredTerms(*this, group));
}

void cDatabase::copyMemberships(uint32_t from, uint32_t to) {
    for (cCategory* category : Items<cCategory>(categories))
        if (category->isMember(from))
            category->addMember(to);
}

cList cDatabase::categoriesOfTerm(uint32_t term) const {
    cList indices(false);
    int32_t index = 0;
    for (const cCategory* category : Items<cCategory>(categories)) {
        if (category->isMember(term))
            indices.append(index, nullptr);
        ++index;
    }
    return indices;
}

void cDatabase::applyCategories(uint32_t term, const cList& list) {
    for (const cListNode* node : Nodes(list))
        if (cCategory* target = category(static_cast<uint32_t>(node->key)))
            target->addMember(term);
}

void cDatabase::shiftMembersUp(uint32_t position) {
    for (cCategory* category : Items<cCategory>(categories))
        category->shiftMembersUp(position);
}

void cDatabase::removeTermFromCategories(uint32_t term) {
    for (cCategory* category : Items<cCategory>(categories))
        category->removeMember(term, true);
}

std::vector<uint32_t> cDatabase::uncategorizedTerms() const {
    std::vector<uint32_t> uncovered;
    if (!groupInUse(0))
        return uncovered;
    const std::vector<char> covered = CoveredTerms(*this, 0);
    for (uint32_t term = 0; term < covered.size(); ++term)
        if (!covered[term])
            uncovered.push_back(term);
    return uncovered;
}

void cDatabase::addUncategorized() {
    const std::vector<uint32_t> uncovered = uncategorizedTerms();
    if (uncovered.empty())
        return;
    auto* uncategorized = new (std::nothrow) cCategory(0, UncategorizedName);
    if (!uncategorized || !categories.append(uncategorized)) {
        delete uncategorized;
        return;
    }
    for (uint32_t term : uncovered)
        uncategorized->addMember(term);
}

void cDatabase::removeUncategorized() {
    cListIterator walk(categories);
    while (walk.next()) {
        const cCategory* candidate = walk.payloadAs<cCategory>();
        if (isAddedUncategorized(candidate->group, candidate->name.textOrEmpty()))
            walk.removeCurrent()->destroy();
    }
}

bool cDatabase::isAddedUncategorized(uint16_t group, const char* name) {
    return group == 0 && std::strcmp(name, UncategorizedName) == 0;
}
