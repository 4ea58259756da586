#pragma once
// Merging another database under a duplicate policy (DuplicatePolicy.h): a source term
// whose key a term of the target (or an earlier source term) has is skipped, or updates that
// term: each of its values replaces the value of the same attribute, and it joins that
// term's categories. The other terms move over as cDatabase::mergeFrom moves them.

#include "exchange/DuplicatePolicy.h"

#include <string>

class cDatabase;

// False with the reason when the key names no attribute of the target or the source
// (nothing changed then).
bool MergeWithPolicy(cDatabase& target, cDatabase& source, const sDuplicatePolicy& policy,
                     sImportCounts& counts, std::string& reason);
