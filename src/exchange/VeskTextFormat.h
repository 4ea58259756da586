#pragma once
// The words and separators of Vesk Text, shared by its reader and its writer. A file is a
// header of keyword lines (Title, Description, Attribute with Ascii or Unicode, Category),
// then "Terms:", then one line per term: its categories separated by '|', a tab, and its
// values separated by tabs.
//
// Term lines name categories, so two categories of one name would be one to them. A Category
// line may therefore carry a third field, another name for that category that term lines may
// use; a name in a term line is looked up among the category names first, then among these.
// An empty name stands for a category named so: "|" alone, or an empty name before a final
// '|' ("a||"), since a lone final '|' ends the list.

const char TitleKeyword[] = "Title";
const char DescriptionKeyword[] = "Description";
const char AttributeKeyword[] = "Attribute";
const char CategoryKeyword[] = "Category";
const char TermsKeyword[] = "Terms:";
const char AsciiKeyword[] = "Ascii";
const char UnicodeKeyword[] = "Unicode";
const char CategorySeparator = '|';
const char FieldSeparator = '\t';
