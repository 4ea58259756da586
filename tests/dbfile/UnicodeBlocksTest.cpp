#include <gtest/gtest.h>

#include "dbfile/UnicodeBlocks.h"

TEST(UnicodeBlocks, TellingRowsHaveTheirPublishedPositions) {
    EXPECT_EQ(UnicodeBlockOf(u'A'), 0);
    EXPECT_EQ(UnicodeBlockOf(0x0416), 8);
    EXPECT_EQ(UnicodeBlockOf(0x0531), 9);
    EXPECT_EQ(UnicodeBlockOf(0x0780), 13);
    EXPECT_EQ(UnicodeBlockOf(0x0900), 14);
    EXPECT_EQ(UnicodeBlockOf(0x3000), 60);
    EXPECT_EQ(UnicodeBlockOf(0x4DB5), 69);
    EXPECT_EQ(UnicodeBlockOf(0x4E2D), 70);
    EXPECT_EQ(UnicodeBlockOf(0xD7A3), 73);
    EXPECT_EQ(UnicodeBlockOf(0xD800), 74);
    EXPECT_EQ(UnicodeBlockOf(0xDBFF), 75);
    EXPECT_EQ(UnicodeBlockOf(0xDC00), 76);
    EXPECT_EQ(UnicodeBlockOf(0xF8FF), 77);
    EXPECT_EQ(UnicodeBlockOf(0xFEFE), 84);
    EXPECT_EQ(UnicodeBlockOf(0xFEFF), 85);
    EXPECT_EQ(UnicodeBlockOf(0xFF21), 86);
    EXPECT_EQ(UnicodeBlockOf(0xFFFD), 87);
    EXPECT_EQ(UnicodeBlocks[88].first, 0x10300u);
    EXPECT_EQ(UnicodeBlocks[98].last, 0x10FFFDu);
}

TEST(UnicodeBlocks, GapsHaveNoBlock) {
    for (char16_t unit : {char16_t(0x0500), char16_t(0x052F), char16_t(0x07C0), char16_t(0x0800),
                          char16_t(0x08FF), char16_t(0xFFFE), char16_t(0xFFFF)})
        EXPECT_EQ(UnicodeBlockOf(unit), kNoUnicodeBlock) << std::hex << unit;
}

TEST(UnicodeBlocks, ListIsOrderedAndDisjoint) {
    for (size_t i = 0; i < kUnicodeBlockCount; ++i) {
        EXPECT_LE(UnicodeBlocks[i].first, UnicodeBlocks[i].last) << i;
        if (i > 0) {
            EXPECT_LT(UnicodeBlocks[i - 1].last, UnicodeBlocks[i].first) << i;
        }
    }
}
