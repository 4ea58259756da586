// Merging a database file: it is loaded into a database of its own, whose terms then move
// into this one. A file that does not load leaves this database as it was.

#include "model/Database.h"

int cDatabase::merge(const char* file) {
    cDatabase source;
    source.path.assign(file);
    if (source.load() != 0)
        return 1;
    mergeFrom(source);
    return 0;
}
