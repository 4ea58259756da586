#include "model/Term.h"

cValue* cTerm::findValue(uint16_t attributeIndex) const {
    for (cValue* value : values)
        if (value->attribute == attributeIndex)
            return value;
    return nullptr;
}
