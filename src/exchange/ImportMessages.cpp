#include "exchange/ImportMessages.h"

#include "exchange/DuplicatePolicy.h"
#include "text/StringTable.h"
#include "text/TextIds.h"

std::string GroupedNumber(uint64_t number) {
    std::string digits = std::to_string(number);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

std::string FilledText(int textId, std::initializer_list<std::string> arguments) {
    std::string text = ResourceString(textId);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t number = i + 1 < text.size() ? size_t(text[i + 1] - '1') : arguments.size();
        if (text[i] == '%' && number < arguments.size()) {
            out += arguments.begin()[number];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ImportSummaryText(const sImportCounts& counts) {
    return FilledText(TextImportSummary,
                      {GroupedNumber(counts.added), GroupedNumber(counts.updated),
                       GroupedNumber(counts.skipped)});
}
