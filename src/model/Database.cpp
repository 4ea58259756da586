#include "model/Database.h"

#include <utility>

cDatabase::~cDatabase() {
    terms.clear();
    attributes.clear();
    categories.clear();
}

void cDatabase::clear() {
    categories.clear();
    attributes.clear();
    terms.clear();
    path.clear();
    name.clear();
    description.clear();
}

void cDatabase::copyFrom(const cDatabase& other) {
    if (&other == this)
        return;
    clear();
    path.assign(other.path);
    name.assign(other.name);
    description.assign(other.description);
    for (const cAttribute* attribute : Items<cAttribute>(other.attributes))
        attributes.append(attribute->clone());
    for (const cCategory* category : Items<cCategory>(other.categories)) {
        cCategory* copy = category->clone();
        for (const cCategoryMember* member : Items<cCategoryMember>(category->members))
            copy->members.append(*member);
        categories.append(copy);
    }
    for (const cTerm* term : Items<cTerm>(other.terms))
        terms.append(cloneTerm(term));
}

void cDatabase::takeContents(cDatabase& other) {
    if (&other == this)
        return;
    other.categories.setOwns(false);
    other.attributes.setOwns(false);
    other.terms.setOwns(false);
    // Each list is cleared under its old flag (a database that already handed its contents
    // over must not destroy them) and owns what it takes from then on. The nodes themselves
    // move over, so a database at the limits changes hands without copying its lists;
    // other is left with empty, non-owning lists.
    for (auto lists :
         {std::make_pair(&attributes, &other.attributes),
          std::make_pair(&categories, &other.categories), std::make_pair(&terms, &other.terms)}) {
        lists.first->clear();
        *lists.first = std::move(*lists.second);
        lists.first->setOwns(true);
    }
    path.assign(other.path);
    name.assign(other.name);
    description.assign(other.description);
}
