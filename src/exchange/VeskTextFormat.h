#pragma once
// The words and separators of Vesk Text, shared by its reader and its writer. A file is a
// header of keyword lines (Title, Description, Attribute with Ascii or Unicode, Category),
// then "Terms:", then one line per term: its categories separated by '|', a tab, and its
// values separated by tabs.

const char TitleKeyword[] = "Title";
const char DescriptionKeyword[] = "Description";
const char AttributeKeyword[] = "Attribute";
const char CategoryKeyword[] = "Category";
const char TermsKeyword[] = "Terms:";
const char AsciiKeyword[] = "Ascii";
const char UnicodeKeyword[] = "Unicode";
const char CategorySeparator = '|';
const char FieldSeparator = '\t';
