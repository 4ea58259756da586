#include "exchange/DuplicatePolicy.h"

#include "exchange/ModelText.h"
#include "model/Database.h"

bool DuplicatePolicyFromName(const std::string& name, eDuplicatePolicy& policy) {
    if (name == "add")
        policy = eDuplicatePolicy::AddAll;
    else if (name == "skip")
        policy = eDuplicatePolicy::Skip;
    else if (name == "update")
        policy = eDuplicatePolicy::Update;
    else
        return false;
    return true;
}

void cTermKeys::index(const cDatabase& db, uint32_t attribute) {
    terms_.clear();
    uint32_t position = 0;
    for (const cTerm* term : Items<cTerm>(db.terms)) {
        if (const cValue* value = term->findValue(static_cast<uint16_t>(attribute)))
            add(ValueCharacters(*value), position);
        ++position;
    }
}

int32_t cTermKeys::find(std::u16string_view key) const {
    key = TrimSpaces(key);
    if (key.empty())
        return -1;
    auto found = terms_.find(std::u16string(key));
    return found == terms_.end() ? -1 : static_cast<int32_t>(found->second);
}

void cTermKeys::add(std::u16string_view key, uint32_t term) {
    key = TrimSpaces(key);
    if (!key.empty())
        terms_.emplace(std::u16string(key), term);
}
