#include "text/PinyinStyle.h"

#include "text/Pinyin.h"
#include "text/StandardPinyin.h"

std::u16string ConvertPinyin(const std::u16string& text, ePinyinStyle style) {
    return ConvertPinyin(text, 0, text.size(), style);
}

std::u16string ConvertPinyin(const std::u16string& text, size_t from, size_t to,
                             ePinyinStyle style) {
    return style == ePinyinStyle::Standard ? ConvertStandardPinyin(text, from, to)
                                           : ConvertPinyinNumbers(text, from, to);
}
