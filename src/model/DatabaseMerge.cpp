// Merging one loaded database into another. Attributes match by media type and exact name,
// categories by group and exact name; those without a match are added as clones. The terms
// themselves change owner, values and all, and keep their memberships under their new
// positions.

#include <vector>

#include "model/Database.h"

namespace {

int32_t FindCategory(const cList& categories, uint16_t group, const cString& name) {
    int32_t index = 0;
    for (const cListNode* c = categories.first(); c && c != categories.tail(); c = c->next) {
        const auto* category = static_cast<const cCategory*>(c->payload);
        if (category->group == group && category->name.equals(name))
            return index;
        ++index;
    }
    return -1;
}

} // namespace

void cDatabase::mergeFrom(cDatabase& source) {
    std::vector<uint16_t> attributeMap;
    for (cListNode* a = source.attributes.first(); a && a != source.attributes.tail();
         a = a->next) {
        const auto* attribute = static_cast<const cAttribute*>(a->payload);
        int32_t target = findAttribute(attribute->mediaType, attribute->name.text());
        if (target < 0) {
            attributes.append(attribute->clone());
            target = static_cast<int32_t>(attributes.count() - 1);
        }
        attributeMap.push_back(static_cast<uint16_t>(target));
    }

    std::vector<cCategory*> categoryMap;
    for (cListNode* c = source.categories.first(); c && c != source.categories.tail();
         c = c->next) {
        const auto* category = static_cast<const cCategory*>(c->payload);
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
    for (cListNode* c = source.categories.first(); c && c != source.categories.tail();
         c = c->next, ++index) {
        const cList& members = static_cast<const cCategory*>(c->payload)->members;
        for (const cListNode* m = members.first(); m && m != members.tail(); m = m->next) {
            const auto* member = static_cast<const cCategoryMember*>(m->payload);
            for (uint64_t j = member->firstTerm;
                 j < uint64_t(member->firstTerm) + member->runLength && j < sourceTerms; ++j) {
                std::vector<uint32_t>& list = categoriesOf[j];
                if (list.empty() || list.back() != index)
                    list.push_back(index);
            }
        }
    }

    const uint32_t base = terms.count();
    uint32_t j = 0;
    for (cListNode* t = source.terms.first(); t && t != source.terms.tail(); t = t->next, ++j) {
        auto* term = static_cast<cTerm*>(t->payload);
        for (cListNode* v = term->values.first(); v && v != term->values.tail(); v = v->next) {
            auto* value = static_cast<cValue*>(v->payload);
            if (value->attribute < attributeMap.size())
                value->attribute = attributeMap[value->attribute];
        }
        for (uint32_t i : categoriesOf[j])
            categoryMap[i]->addMember(base + j);
        terms.append(term);
    }
    source.terms.setOwns(false);
    source.terms.clear();
    source.terms.setOwns(true);
}
