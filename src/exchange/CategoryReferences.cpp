#include "exchange/CategoryReferences.h"

#include "exchange/TextFieldText.h"
#include "model/Database.h"

#include <unordered_set>

cCategoryReferences::cCategoryReferences(const cDatabase& db) {
    for (const cCategory* category : Items<cCategory>(db.categories)) {
        const cString& held = category->name;
        std::string name(held.textOrEmpty(), held.length());
        if (ReplaceUnholdable(name, true))
            ++replacedNames_;
        DropTrailingSpaces(name);
        names_.push_back(std::move(name));
    }

    // Every name and other name in use; an other name must be neither, or a term line would
    // name the wrong category.
    std::unordered_set<std::string> taken(names_.begin(), names_.end());
    std::unordered_set<std::string> referenced;
    for (const std::string& name : names_) {
        if (referenced.insert(name).second) {
            references_.push_back(name);
            continue;
        }
        std::string other;
        for (unsigned n = 2;; ++n) {
            other = name + " (" + std::to_string(n) + ")";
            if (taken.insert(other).second)
                break;
        }
        references_.push_back(other);
    }
}
