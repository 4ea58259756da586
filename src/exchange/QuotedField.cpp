#include "exchange/QuotedField.h"

void AppendQuotedField(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}
