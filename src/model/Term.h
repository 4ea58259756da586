#pragma once
// A term: one flashcard, a row of values. It has no identifier: it is its position in the
// database's terms list, and category membership is stored in the categories by that
// position.
//
// The values are changed only through changeValues or findValueToChange: either forgets the
// record the last save wrote for the term, which the next save would otherwise copy as it
// was instead of writing the values again.

#include "model/Object.h"
#include "model/Pool.h"
#include "model/Value.h"
#include "model/ValueList.h"

#include <cstdint>

class cTerm : public cObject, public cPooled<cTerm> {
public:
    // The term's values in the order they were added; owning.
    const cValueList& values() const { return values_; }
    // The first value, in list order, whose attribute equals attributeIndex.
    const cValue* findValue(uint16_t attributeIndex) const;
    // The value at position in the term's own list (not by attribute).
    const cValue* valueAt(uint32_t position) const { return values_.at(position); }

    // The values, or the first value of an attribute, to change.
    cValueList& changeValues() {
        written_ = {};
        return values_;
    }
    cValue* findValueToChange(uint16_t attributeIndex) {
        changeValues();
        return const_cast<cValue*>(findValue(attributeIndex));
    }

    // Where a save wrote the term's record: which save (0: none since the values last
    // changed) and the term's entry in what that save kept. Left by the database writer.
    struct sWrittenRecord {
        uint32_t save = 0;
        uint32_t entry = 0;
    };
    const sWrittenRecord& writtenRecord() const { return written_; }
    void noteWrittenRecord(sWrittenRecord record) const { written_ = record; }

private:
    cValueList values_;
    mutable sWrittenRecord written_;
};
