#include "model/Term.h"

const cValue* cTerm::findValue(uint16_t attributeIndex) const {
    for (const cValue* value : values_)
        if (value->attribute == attributeIndex)
            return value;
    return nullptr;
}
