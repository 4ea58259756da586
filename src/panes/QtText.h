#pragma once
// Between the model's texts (Windows-1252 bytes, UTF-16 units) and Qt's strings.

#include <QString>
#include <string>

class cString;
class cValue;

QString AnsiToQString(const char* text);
QString AnsiToQString(const cString& text);
// Characters Windows-1252 cannot hold become "?".
std::string QStringToAnsi(const QString& text);
// The string-table text with that number.
QString TableText(int id);
// A value's text as the panes show it: Ascii values in their escaped form.
QString ValueToQString(const cValue* value);
