#pragma once
// The rows of a delimited table into a database, column by column as mapped, with the
// duplicate policy. The terms may then be more than a database file holds: the caller
// splits them (DatabaseSplit.h) or refuses.

#include "exchange/ColumnMapping.h"
#include "exchange/DelimitedReader.h"
#include "exchange/DuplicatePolicy.h"

class cDatabase;

// Adds the new attributes, then each row: a new term, or under the policy an update of the
// term that has its key, or nothing. Categories (group 0) are made as the rows name them: a
// categories cell lists names separated by ';', or by spaces when it holds no ';'. False
// with the row's line and the reason when a limit of attributes or categories is reached or
// the key names no attribute that a column fills; db is then partly changed, so callers
// import into a copy or a database of their own.
bool ImportRows(cDatabase& db, const cDelimitedTable& table, const tColumnMappings& mappings,
                const sDuplicatePolicy& policy, sImportCounts& counts, sDelimitedError& error);
