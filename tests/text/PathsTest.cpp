#include "text/Paths.h"

#include <gtest/gtest.h>

TEST(Paths, StripFileNameCutsAtLastSeparator) {
    char path[] = "/dir/prog";
    EXPECT_TRUE(StripFileName(path));
    EXPECT_STREQ(path, "/dir");

    std::string nested = "/home/user/db/cards.PDB";
    EXPECT_TRUE(StripFileName(nested));
    EXPECT_EQ(nested, "/home/user/db");
    std::string relative = "templates/a.PDB";
    EXPECT_TRUE(StripFileName(relative));
    EXPECT_EQ(relative, "templates");
}

TEST(Paths, StripFileNameRefusesWithoutInnerSeparator) {
    char bare[] = "prog";
    EXPECT_FALSE(StripFileName(bare));
    EXPECT_STREQ(bare, "prog");
    char rooted[] = "/prog";
    EXPECT_FALSE(StripFileName(rooted));
    EXPECT_STREQ(rooted, "/prog");

    std::string text = "/prog";
    EXPECT_FALSE(StripFileName(text));
    EXPECT_EQ(text, "/prog");
    std::string empty;
    EXPECT_FALSE(StripFileName(empty));
}

TEST(Paths, FileBaseNameStopsAtFirstDotAfterDirectory) {
    EXPECT_EQ(FileBaseName("/db/My Cards.old.PDB"), "My Cards");
    EXPECT_EQ(FileBaseName("/some.dir/cards"), "cards");
    EXPECT_EQ(FileBaseName("cards.PDB"), "cards");
    EXPECT_EQ(FileBaseName("/db/.hidden"), "");
    EXPECT_EQ(FileBaseName("/db/"), "");

    char name[FileBaseNameMaxChars + 1];
    FileBaseName(name, "/db/Vocabulary.PDB");
    EXPECT_STREQ(name, "Vocabulary");
}

TEST(Paths, FileBaseNameKeepsAtMost32Characters) {
    std::string forty(40, 'w');
    EXPECT_EQ(FileBaseName("/db/" + forty), forty.substr(0, 32));

    char name[FileBaseNameMaxChars + 1];
    FileBaseName(name, forty.c_str());
    EXPECT_EQ(std::string(name), forty.substr(0, 32));
}
