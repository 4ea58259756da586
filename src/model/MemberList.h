#pragma once
// The members of one category: an array of entries held in place, in the order they were
// added. A database at the limits holds some 100,000 entries; in place, an entry costs 8
// bytes where a list node and an object of its own cost 64.

#include <cstdint>

#include "model/ArrayRange.h"

// One entry: runLength terms from firstTerm on. In memory every entry the program makes
// covers one term; only the database file packs members into runs.
struct cCategoryMember {
    explicit cCategoryMember(uint32_t first = 0, uint16_t run = 1)
        : firstTerm(first), runLength(run) {}

    bool covers(uint32_t term) const {
        return firstTerm <= term && uint64_t(term) < uint64_t(firstTerm) + runLength;
    }

    uint32_t firstTerm;
    uint16_t runLength;
};

class cMemberList {
public:
    cMemberList() = default;
    ~cMemberList();
    cMemberList(const cMemberList&) = delete;
    cMemberList& operator=(const cMemberList&) = delete;

    // Adds a copy of member at the end; false when memory ran out (nothing is added).
    bool append(const cCategoryMember& member);
    // Removes the entry at a 0-based position; later entries move up.
    void removeAt(uint32_t index);
    // Calls keep with each entry, which it may change; the entries it returns false for go,
    // the others keep their order.
    template <class F> void keepIf(F keep);

    // The entry at a position, or nullptr when index >= count.
    cCategoryMember* at(uint32_t index) const { return index < count_ ? items_ + index : nullptr; }
    // The last entry, or nullptr when there is none.
    cCategoryMember* last() const { return count_ ? items_ + count_ - 1 : nullptr; }
    uint32_t count() const { return count_; }
    bool isEmpty() const { return count_ == 0; }

    cCategoryMember* begin() const { return items_; }
    cCategoryMember* end() const { return items_ + count_; }

private:
    cCategoryMember* items_ = nullptr;
    uint32_t count_ = 0;
    uint32_t capacity_ = 0;
};

template <class F> void cMemberList::keepIf(F keep) {
    uint32_t kept = 0;
    for (uint32_t i = 0; i < count_; ++i)
        if (keep(items_[i]))
            items_[kept++] = items_[i];
    count_ = kept;
}

// `for (const cCategoryMember* member : Items<cCategoryMember>(category->members))`.
template <class T> cArrayRange<T*, T> Items(cMemberList& list) {
    return {list.begin(), list.end()};
}
template <class T> cArrayRange<const T*, const T> Items(const cMemberList& list) {
    return {list.begin(), list.end()};
}
