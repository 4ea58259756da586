#pragma once
// The database as JSON: every text exactly as held in memory (Ascii values in their escaped
// form), 8-bit texts decoded from Windows-1252 and UTF-16 texts decoded, all as UTF-8.
//
// {"name": str, "description": str,
//  "attributes": [{"media": int, "name": str}, ...],
//  "categories": [{"group": int, "name": str, "members": [int, ...]}, ...],
//  "terms": [[{"attribute": int, "text": str}, ...], ...]}

#include <nlohmann/json.hpp>

class cDatabase;

nlohmann::ordered_json DatabaseToJson(const cDatabase& db);
