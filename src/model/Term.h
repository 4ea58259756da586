#pragma once
// A term: one flashcard, a row of values. It has no identifier: it is its position in the
// database's terms list, and category membership is stored in the categories by that
// position.

#include "model/Object.h"
#include "model/Pool.h"
#include "model/Value.h"
#include "model/ValueList.h"

#include <cstdint>

class cTerm : public cObject, public cPooled<cTerm> {
public:
    // The first value, in list order, whose attribute equals attributeIndex.
    cValue* findValue(uint16_t attributeIndex) const;
    // The value at position in the term's own list (not by attribute).
    cValue* valueAt(uint32_t position) const { return values.at(position); }

    // The term's values in the order they were added; owning.
    cValueList values;
};
