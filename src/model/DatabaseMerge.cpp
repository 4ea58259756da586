// Merging one loaded database into another. Attributes match by media type and exact name,
// categories by group and exact name; those without a match are added as clones. The terms
// themselves change owner, values and all, and keep their memberships under their new
// positions.

#include <vector>

#include "model/Database.h"

namespace {

int32_t FindCategory(const cList& categories, uint16_t group, const cString& name) {
    int32_t index = 0;
    for (const cCategory* category : Items<cCategory>(categories)) {
        if (category->group == group && category->name.equals(name))
            return index;
        ++index;
    }
    return -1;
}

} // namespace

void cDatabase::mergeFrom(cDatabase& source) {
    std::vector<uint16_t> attributeMap;
    for (const cAttribute* attribute : Items<cAttribute>(source.attributes)) {
        int32_t target = findAttribute(attribute->mediaType, attribute->name.text());
        if (target < 0) {
            attributes.append(attribute->clone());
            target = static_cast<int32_t>(attributes.count() - 1);
        }
        attributeMap.push_back(static_cast<uint16_t>(target));
    }

    std::vector<cCategory*> categoryMap;
    for (const cCategory* category : Items<cCategory>(source.categories)) {
        int32_t target = FindCategory(categories, category->group, category->name);
        if (target < 0) {
            categories.append(category->clone());
            target = static_cast<int32_t>(categories.count() - 1);
        }
        categoryMap.push_back(this->category(static_cast<uint32_t>(target)));
    }

    // The categories of each source term, in category order, gathered in one pass over the
    // entries instead of one isMember test per term and category.
    const uint32_t sourceTerms = source.terms.count();
    std::vector<std::vector<uint32_t>> categoriesOf(sourceTerms);
    uint32_t index = 0;
    for (const cCategory* category : Items<cCategory>(source.categories)) {
        for (const cCategoryMember* member : Items<cCategoryMember>(category->members)) {
            for (uint64_t j = member->firstTerm;
                 j < uint64_t(member->firstTerm) + member->runLength && j < sourceTerms; ++j) {
                std::vector<uint32_t>& list = categoriesOf[j];
                if (list.empty() || list.back() != index)
                    list.push_back(index);
            }
        }
        ++index;
    }

    const uint32_t base = terms.count();
    uint32_t j = 0;
    for (cTerm* term : Items<cTerm>(source.terms)) {
        for (cValue* value : Items<cValue>(term->changeValues()))
            if (value->attribute < attributeMap.size())
                value->attribute = attributeMap[value->attribute];
        for (uint32_t i : categoriesOf[j])
            categoryMap[i]->addMember(base + j);
        terms.append(term);
        ++j;
    }
    source.terms.setOwns(false);
    source.terms.clear();
    source.terms.setOwns(true);
}
