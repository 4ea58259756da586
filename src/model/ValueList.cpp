#include "model/ValueList.h"

#include <cstring>
#include <utility>

#include "model/TextBuffer.h"
#include "model/Value.h"

namespace {

// Room for four values at first (one 32-byte buffer): most terms never grow past it.
constexpr uint32_t FirstCapacity = 4;

size_t BytesFor(uint32_t capacity) {
    return size_t(capacity) * sizeof(cValue*);
}

} // namespace

cValueList::cValueList(cValueList&& other) noexcept
    : items_(other.items_), count_(other.count_), capacity_(other.capacity_) {
    other.items_ = nullptr;
    other.count_ = 0;
    other.capacity_ = 0;
}

cValueList& cValueList::operator=(cValueList&& other) noexcept {
    if (this != &other) {
        clear();
        items_ = std::exchange(other.items_, nullptr);
        count_ = std::exchange(other.count_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

void cValueList::destroyValue(cValue* value) {
    value->destroy();
}

bool cValueList::grow() {
    const uint32_t capacity = capacity_ ? 2 * capacity_ : FirstCapacity;
    auto* items = static_cast<cValue**>(AllocateText(BytesFor(capacity)));
    if (!items)
        return false;
    if (count_)
        std::memcpy(items, items_, BytesFor(count_));
    ReleaseText(items_, BytesFor(capacity_));
    items_ = items;
    capacity_ = capacity;
    return true;
}

cValue* cValueList::append(cValue* value) {
    if (!value || (count_ == capacity_ && !grow()))
        return nullptr;
    items_[count_++] = value;
    return value;
}

cValue* cValueList::removePayload(const cValue* value) {
    for (uint32_t i = 0; i < count_; ++i) {
        if (items_[i] != value)
            continue;
        cValue* removed = items_[i];
        std::memmove(items_ + i, items_ + i + 1, BytesFor(count_ - i - 1));
        --count_;
        return removed;
    }
    return nullptr;
}

void cValueList::clear() {
    while (count_ > 0)
        items_[--count_]->destroy();
    ReleaseText(items_, BytesFor(capacity_));
    items_ = nullptr;
    capacity_ = 0;
}
