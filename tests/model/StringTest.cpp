#include "model/String.h"

#include <gtest/gtest.h>

TEST(StringTest, EmptyHoldsNoBuffer) {
    cString s;
    EXPECT_TRUE(s.isEmpty());
    EXPECT_EQ(s.text(), nullptr);
    s.assign("");
    EXPECT_EQ(s.text(), nullptr);
    s.assign("abc");
    s.assign(nullptr);
    EXPECT_TRUE(s.isEmpty());
    EXPECT_EQ(s.length(), 0u);
}

TEST(StringTest, EmptyEqualsEmptyButNeverNonEmpty) {
    cString a, b;
    EXPECT_TRUE(a.equals(b));
    EXPECT_TRUE(a.equals(nullptr));
    EXPECT_TRUE(a.equals(""));
    b.assign("x");
    EXPECT_FALSE(a.equals(b));
    EXPECT_FALSE(b.equals(a));
    EXPECT_FALSE(b.equals(""));
}

TEST(StringTest, EqualsIsExactAndCaseSensitive) {
    cString s("Verbs");
    EXPECT_TRUE(s.equals("Verbs"));
    EXPECT_FALSE(s.equals("verbs"));
    EXPECT_FALSE(s.equals("Verb"));
    EXPECT_FALSE(s.equals("Verbsx"));
    EXPECT_FALSE(s.equals(cString("Verbsx")));
}

TEST(StringTest, AssignOwnBufferOrPartOfItIsSafe) {
    cString s("hello");
    const char* before = s.text();
    s.assign(s.text());
    EXPECT_EQ(s.text(), before);
    s.assign(s.text() + 2);
    EXPECT_STREQ(s.text(), "llo");
    EXPECT_EQ(s.length(), 3u);
}

TEST(StringTest, TruncateWorksInPlaceAndOnlyBelowLength) {
    cString s("abcdef");
    const char* buffer = s.text();
    s.truncate(6);
    EXPECT_STREQ(s.text(), "abcdef");
    s.truncate(3);
    EXPECT_EQ(s.text(), buffer);
    EXPECT_STREQ(s.text(), "abc");
    EXPECT_EQ(s.length(), 3u);
    s.truncate(0);
    EXPECT_TRUE(s.isEmpty());
    EXPECT_TRUE(s.equals(""));
}

TEST(StringTest, CopiesAreDeepAndMovesLeaveTheSourceEmpty) {
    cString a("one");
    cString b(a);
    EXPECT_NE(a.text(), b.text());
    b.assign("two");
    EXPECT_STREQ(a.text(), "one");
    cString c(std::move(a));
    EXPECT_STREQ(c.text(), "one");
    EXPECT_TRUE(a.isEmpty());
    b = c;
    EXPECT_STREQ(b.text(), "one");
}
