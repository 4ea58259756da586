#pragma once
// A set of term positions asked about many times in a row, as when every entry of every
// category is checked against the selected terms: a flag per term, and the lowest and
// highest position held, so that the many entries outside them are settled without reading
// a flag.

#include <cstdint>
#include <vector>

class cTermFlags {
public:
    explicit cTermFlags(uint32_t termCount) : flags_(termCount, 0) {}

    // A position at or past the term count is not added.
    void add(uint32_t term) {
        if (term >= flags_.size())
            return;
        flags_[term] = 1;
        if (term < lowest_)
            lowest_ = term;
        if (term > highest_)
            highest_ = term;
    }
    bool holds(uint32_t term) const {
        return term >= lowest_ && term <= highest_ && flags_[term] != 0;
    }
    // The term count the set was made for.
    uint32_t termCount() const { return static_cast<uint32_t>(flags_.size()); }

private:
    std::vector<char> flags_;
    uint32_t lowest_ = UINT32_MAX;
    uint32_t highest_ = 0;
};
