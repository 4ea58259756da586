#include "model/MemberList.h"

#include <cstdlib>
#include <cstring>
#include <type_traits>

static_assert(std::is_trivially_copyable_v<cCategoryMember>,
              "entries are moved with realloc and memmove");

cMemberList::~cMemberList() {
    std::free(items_);
}

bool cMemberList::append(const cCategoryMember& member) {
    if (count_ == capacity_) {
        const uint32_t capacity = capacity_ ? 2 * capacity_ : 4;
        void* items = std::realloc(items_, size_t(capacity) * sizeof(cCategoryMember));
        if (!items)
            return false;
        items_ = static_cast<cCategoryMember*>(items);
        capacity_ = capacity;
    }
    items_[count_++] = member;
    return true;
}

void cMemberList::removeAt(uint32_t index) {
    if (index >= count_)
        return;
    std::memmove(items_ + index, items_ + index + 1,
                 size_t(count_ - index - 1) * sizeof(cCategoryMember));
    --count_;
}
