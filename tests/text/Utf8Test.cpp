#include "text/Utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, EncodesEveryLength) {
    EXPECT_EQ(Utf16ToUtf8(u"a\u00E9\u4E2D\U0001F600"), "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80"), u"a\u00E9\u4E2D\U0001F600");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, 0)), std::string(1, '\0'));
}

TEST(Utf8, UnpairedSurrogatesBecomeReplacement) {
    std::u16string text = {u'a', 0xDC00, 0xD800, u'b', 0xD800};
    EXPECT_EQ(Utf16ToUtf8(text), "a\xEF\xBF\xBD\xEF\xBF\xBD"
                                 "b\xEF\xBF\xBD");
}

TEST(Utf8, MalformedInputBecomesReplacement) {
    EXPECT_EQ(Utf8ToUtf16("\x80x"), u"\uFFFDx");                   // stray continuation
    EXPECT_EQ(Utf8ToUtf16("\xE4\xB8x"), u"\uFFFDx");               // truncated, then resumes
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");           // overlong
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // encoded surrogate
    EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD"); // past U+10FFFF
    EXPECT_EQ(Utf8ToUtf16("\xFF"), u"\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98"), u"\uFFFD"); // cut off at the end
}
