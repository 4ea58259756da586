#pragma once
// The pinyin option of the Vesk Text and tab-delimited imports and of the text exports: a
// check box on their file dialog ("Convert pinyin tone numbers to tone marks", "Write pinyin
// with tone numbers"), remembered for the run; when it is checked, the Pinyin Columns dialog
// asks which Unicode attributes hold pinyin.

#include <string>

#include "shell/Platform.h"

class cDatabase;

// The file dialog of a text import (forExport false) or export with its pinyin box; the
// chosen path as the file system spells it, empty when cancelled.
std::string ChoosePinyinTextFile(const sFileDialogRequest& request, bool forExport);

// After a text import read imported: with the box checked, asks for the columns and the
// style and converts them. False when the user cancelled, or when imported has no Unicode
// attribute (said in a message): the import is then to be dropped.
bool ConvertImportedPinyin(cDatabase& imported);

// Before a text export of db: db itself with the box unchecked; with it checked, copy made
// from db with the chosen columns in tone numbers; nullptr when the user cancelled or db has
// no Unicode attribute (said in a message).
const cDatabase* PinyinNumbersForExport(const cDatabase& db, cDatabase& copy);
