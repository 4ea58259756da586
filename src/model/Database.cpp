#include "model/Database.h"

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

void cDatabase::takeContents(cDatabase& other) {
    if (&other == this)
        return;
    other.categories.setOwns(false);
    other.attributes.setOwns(false);
    other.terms.setOwns(false);
    attributes.clear();
    attributes.appendAll(other.attributes);
    categories.clear();
    categories.appendAll(other.categories);
    terms.clear();
    terms.appendAll(other.terms);
    path.assign(other.path);
    name.assign(other.name);
    description.assign(other.description);
}
