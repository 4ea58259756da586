#include "exchange/PolicyMerge.h"

#include "exchange/ColumnMapping.h"
#include "exchange/ModelText.h"
#include "model/Database.h"
#include "text/CodePage.h"

#include <vector>

namespace {

// The position of the attribute of db with that media type and name, added when missing.
uint32_t MatchingAttribute(cDatabase& db, const cAttribute& attribute) {
    int32_t index = db.findAttribute(attribute.mediaType, attribute.name.text());
    if (index < 0) {
        db.attributes.append(attribute.clone());
        index = static_cast<int32_t>(db.attributes.count() - 1);
    }
    return static_cast<uint32_t>(index);
}

cCategory* MatchingCategory(cDatabase& db, const cCategory& category) {
    for (cCategory* own : Items<cCategory>(db.categories))
        if (own->group == category.group && own->name.equals(category.name))
            return own;
    cCategory* added = category.clone();
    db.categories.append(added);
    return added;
}

// The values of from onto the term at index of to; attributes maps from's to to's.
void UpdateTerm(cDatabase& to, uint32_t index, const cTerm& from,
                const std::vector<uint32_t>& attributes) {
    for (const cValue* value : Items<cValue>(from.values())) {
        if (value->attribute >= attributes.size())
            continue;
        const uint32_t attribute = attributes[value->attribute];
        to.removeValue(index, attribute);
        cValue* copy = value->clone();
        copy->attribute = static_cast<uint16_t>(attribute);
        to.term(index)->changeValues().append(copy);
    }
}

} // namespace

bool MergeWithPolicy(cDatabase& target, cDatabase& source, const sDuplicatePolicy& policy,
                     sImportCounts& counts, std::string& reason) {
    counts = sImportCounts();
    const uint32_t sourceTerms = source.terms.count();
    if (policy.policy == eDuplicatePolicy::AddAll) {
        target.mergeFrom(source);
        counts.added = sourceTerms;
        return true;
    }
    const std::u16string keyName =
        policy.key.empty() && source.attributes.count() != 0
            ? AnsiToWide(std::string(source.attribute(0)->name.textOrEmpty()))
            : policy.key;
    const int32_t sourceKey = FindAttributeNamed(source, keyName);
    const int32_t targetKey = FindAttributeNamed(target, keyName);
    if (sourceKey < 0 || targetKey < 0) {
        reason = "the key attribute is not an attribute of both databases";
        return false;
    }
    std::vector<uint32_t> attributes;
    for (const cAttribute* attribute : Items<cAttribute>(source.attributes))
        attributes.push_back(MatchingAttribute(target, *attribute));

    cTermKeys targetKeys, sourceKeys;
    targetKeys.index(target, static_cast<uint32_t>(targetKey));
    std::vector<std::vector<cCategory*>> categoriesOf(sourceTerms);
    for (cCategory* category : Items<cCategory>(source.categories))
        category->forEachMember(sourceTerms,
                                [&](uint32_t term) { categoriesOf[term].push_back(category); });

    // Duplicates leave the source; an update lands on the target's term or on the earlier
    // source term of that key.
    std::vector<uint32_t> duplicates;
    uint32_t position = 0;
    for (const cTerm* term : Items<cTerm>(source.terms)) {
        const cValue* value = term->findValue(static_cast<uint16_t>(sourceKey));
        const std::u16string key = value ? ValueCharacters(*value) : std::u16string();
        const int32_t inTarget = targetKeys.find(key);
        const int32_t inSource = inTarget < 0 ? sourceKeys.find(key) : -1;
        if (inTarget < 0 && inSource < 0) {
            sourceKeys.add(key, position++);
            continue;
        }
        duplicates.push_back(position);
        if (policy.policy == eDuplicatePolicy::Skip) {
            ++counts.skipped;
        } else if (inTarget >= 0) {
            UpdateTerm(target, static_cast<uint32_t>(inTarget), *term, attributes);
            for (cCategory* category : categoriesOf[position]) {
                cCategory* own = MatchingCategory(target, *category);
                if (!own->isMember(static_cast<uint32_t>(inTarget)))
                    own->addMember(static_cast<uint32_t>(inTarget));
            }
            ++counts.updated;
        } else {
            std::vector<uint32_t> same;
            for (uint32_t i = 0; i < source.attributes.count(); ++i)
                same.push_back(i);
            UpdateTerm(source, static_cast<uint32_t>(inSource), *term, same);
            for (cCategory* category : categoriesOf[position])
                if (!category->isMember(static_cast<uint32_t>(inSource)))
                    category->addMember(static_cast<uint32_t>(inSource));
            ++counts.updated;
        }
        ++position;
    }
    source.deleteTerms(duplicates);
    counts.added = source.terms.count();
    target.mergeFrom(source);
    return true;
}
