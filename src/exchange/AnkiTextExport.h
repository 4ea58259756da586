#pragma once
// Export as text for Anki's importer: UTF-8 without a byte-order mark, LF line ends, one
// line per term, fields separated by tabs, headed by the lines that tell Anki the layout:
//
//   #separator:tab
//   #html:false
//   #columns:<attribute names, tab-separated>[<tab>Tags]
//   #tags column:<number of the Tags column>                 only when there are tags
//   <value 0><tab>...<value n-1>[<tab><tags>]                 one line per term
//
// A field holding a tab, a double quote or a line break is written in double quotes, with
// each double quote in it doubled. Tags are the category names, as in the package export.

#include <string>

class cDatabase;

// Writes db to the text file at path: 0 written, 1 not (the previous file is then unchanged).
int ExportAnkiText(const cDatabase& db, const std::string& path);
