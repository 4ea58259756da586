#include "text/StringTable.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(StringTable, EveryUsedNumberHasText) {
    const int used[] = {2,   3,   4,   9,   11,  12,  13,  14,  17,  18,  19,  20,  21,  24,
                        34,  35,  37,  38,  39,  40,  44,  45,  46,  47,  48,  49,  50,  51,
                        52,  53,  54,  58,  59,  60,  61,  63,  64,  66,  68,  69,  70,  71,
                        72,  74,  75,  76,  89,  90,  91,  92,  93,  94,  95,  96,  97,  98,
                        99,  100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 111, 112, 113,
                        114, 115, 116, 117, 118, 200, 201, 202, 203, 204, 220, 221, 222, 223,
                        224, 225, 226, 240, 241, 260, 261, 262, 263, 264, 280, 281,
                        320, 321, 322, 323, 324, 325};
    for (int id : used)
        EXPECT_FALSE(ResourceString(id).empty()) << "text " << id;
    // The Anki package messages.
    for (int id = 300; id <= 305; ++id)
        EXPECT_FALSE(ResourceString(id).empty()) << "text " << id;
    for (int id : {350, 351, 352}) // pinyin styles and pinyin columns
        EXPECT_FALSE(ResourceString(id).empty()) << "text " << id;
}

TEST(StringTable, TextsAreExact) {
    EXPECT_EQ(ResourceString(2), "Failed to create font.");
    EXPECT_EQ(ResourceString(12), "Do you really wish to delete the currently selected term?");
    EXPECT_EQ(ResourceString(13), "Dangerous Command Confirmation");
    EXPECT_EQ(ResourceString(17), "Term Id");
    EXPECT_EQ(ResourceString(40), "Database saved.");
    EXPECT_EQ(ResourceString(45), "Vesk-Builder");
    EXPECT_EQ(ResourceString(47),
              "You have selected a vertically-oriented font. If this is not what you want, "
              "please choose a new font which does not have the '@' prefix in front of it's "
              "name.");
    EXPECT_EQ(ResourceString(58), "Error");
    EXPECT_EQ(ResourceString(59),
              "Failed to launch HTML browser. You can manually view the help documentation by "
              "opening Help\\Vesk-Builder_UserManual.html in your browser.");
    EXPECT_EQ(ResourceString(64), "Failed to add category because the specified category group "
                                  "has reached the maximum number of categories allowed.");
    EXPECT_EQ(ResourceString(93), "Failed to load file because it is not an Vesk database.");
    EXPECT_EQ(ResourceString(95),
              "You are attempting to enter Unicode text into an Ascii attribute. Some data may "
              "be lost. Consider using a Unicode attribute instead.");
    EXPECT_EQ(ResourceString(106), "Quick Entry Mode - One Term at a Time (Ctrl+2)");
    EXPECT_EQ(ResourceString(113), "Paste (Ctrl+V)");
    EXPECT_EQ(ResourceString(114),
              "Failed to load help file. Please re-install Vesk-Builder, or view the help "
              "documentation online at https://vesk-builder.org/help/");
    EXPECT_EQ(ResourceString(116), "Information");
    EXPECT_EQ(ResourceString(117), "Failed to merge database.");
}

TEST(StringTable, MissingNumbersAreEmpty) {
    for (int id : {-1, 0, 1, 5, 62, 110, 119, 40005})
        EXPECT_EQ(ResourceString(id), "") << "text " << id;
    EXPECT_STREQ(LoadResourceText(110), "");
    EXPECT_EQ(LoadResourceTextW(110)[0], 0);
}

TEST(StringTable, LoadsShareOneBuffer) {
    const char* first = LoadResourceText(53);
    EXPECT_STREQ(first, "Warning");
    const char* second = LoadResourceText(58);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "Error");

    const char16_t* wide = LoadResourceTextW(45);
    EXPECT_EQ(static_cast<const void*>(wide), static_cast<const void*>(first));
    EXPECT_EQ(std::u16string(wide), u"Vesk-Builder");
    // A by-value read leaves the loaded text alone.
    ResourceString(2);
    EXPECT_EQ(std::u16string(wide), u"Vesk-Builder");
}
