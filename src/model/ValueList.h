#pragma once
// The values of one term: an owning array of value pointers, in the order they were added.
// A term holds a handful of values and a database up to some 200,000 of them; a pointer in
// an array costs 8 bytes where a list node cost 48, and a term's values are walked from one
// cache line instead of along a chain of nodes.

#include <cstdint>

#include "model/ArrayRange.h"

class cValue;

class cValueList {
public:
    cValueList() = default;
    ~cValueList() { clear(); }
    cValueList(const cValueList&) = delete;
    cValueList& operator=(const cValueList&) = delete;
    // Moving hands the values over; the source is left empty.
    cValueList(cValueList&& other) noexcept;
    cValueList& operator=(cValueList&& other) noexcept;

    // Adds value at the end and owns it from then on. Returns value, or nullptr when value
    // is nullptr or memory ran out (the value is then not owned).
    cValue* append(cValue* value);
    // Takes value out of the list and returns it, never destroyed here; nullptr when the
    // list does not hold it.
    cValue* removePayload(const cValue* value);
    // Destroys every value for which remove(value) holds; the others keep their order.
    template <class F> void destroyIf(F remove);
    // Destroys every value, last first.
    void clear();

    // The value at a 0-based position; nullptr when index >= count.
    const cValue* at(uint32_t index) const { return index < count_ ? items_[index] : nullptr; }
    cValue* at(uint32_t index) { return index < count_ ? items_[index] : nullptr; }
    uint32_t count() const { return count_; }
    bool isEmpty() const { return count_ == 0; }

    const cValue* const* begin() const { return items_; }
    const cValue* const* end() const { return items_ + count_; }
    cValue* const* begin() { return items_; }
    cValue* const* end() { return items_ + count_; }

private:
    bool grow();
    static void destroyValue(cValue* value);

    cValue** items_ = nullptr;
    uint32_t count_ = 0;
    uint32_t capacity_ = 0;
};

template <class F> void cValueList::destroyIf(F remove) {
    uint32_t kept = 0;
    for (uint32_t i = 0; i < count_; ++i) {
        if (remove(items_[i]))
            destroyValue(items_[i]);
        else
            items_[kept++] = items_[i];
    }
    count_ = kept;
}

// `for (const cValue* value : Items<cValue>(term->values))`, as for a cList.
template <class T> cArrayRange<T*, cValue* const> Items(cValueList& list) {
    return {list.begin(), list.end()};
}
template <class T> cArrayRange<const T*, const cValue* const> Items(const cValueList& list) {
    return {list.begin(), list.end()};
}
