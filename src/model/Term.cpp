#include "model/Term.h"

cValue* cTerm::findValue(uint16_t attributeIndex) const {
    for (const cListNode* node = values.head()->next; node != values.tail(); node = node->next) {
        auto* value = static_cast<cValue*>(node->payload);
        if (value->attribute == attributeIndex)
            return value;
    }
    return nullptr;
}
