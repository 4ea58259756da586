#pragma once
// Range-for over the array of a term's values or a category's members, as Items does over a
// cList: each element comes as Element, a pointer. An array of pointers hands over what a
// slot holds; an array of objects hands over the slot's address.

#include <type_traits>

template <class Element, class Slot> class cArrayRange {
public:
    class iterator {
    public:
        explicit iterator(Slot* at) : at_(at) {}
        Element operator*() const {
            if constexpr (std::is_pointer_v<std::remove_const_t<Slot>>)
                return static_cast<Element>(*at_);
            else
                return at_;
        }
        iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator!=(const iterator& other) const { return at_ != other.at_; }
        bool operator==(const iterator& other) const { return at_ == other.at_; }

    private:
        Slot* at_;
    };

    cArrayRange(Slot* first, Slot* end) : first_(first), end_(end) {}
    iterator begin() const { return iterator(first_); }
    iterator end() const { return iterator(end_); }

private:
    Slot* first_;
    Slot* end_;
};
