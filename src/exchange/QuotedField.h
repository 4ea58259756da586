#pragma once
// The quoting of a field of delimited text: between double quotes, each quote in it doubled,
// so that separators and line breaks inside stay part of the field.

#include <string>

void AppendQuotedField(std::string& out, const std::string& text);
