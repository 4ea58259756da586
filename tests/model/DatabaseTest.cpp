#include "ModelTestSupport.h"
#include "model/Limits.h"
#include "text/TextIds.h"

#include <gtest/gtest.h>

namespace {

int TermsDestroyed = 0;

struct cCountedTerm : cTerm {
    ~cCountedTerm() override { ++TermsDestroyed; }
};

} // namespace

TEST(DatabaseTest, TakeContentsMovesObjectsAndDestroysTheOldOnes) {
    TermsDestroyed = 0;
    cDatabase current;
    current.terms.append(new cCountedTerm);
    current.terms.append(new cCountedTerm);
    current.addAttribute(MediaTypeAscii);
    current.path.assign("/old.pdb");

    auto* loaded = new cDatabase;
    auto* moved = new cCountedTerm;
    loaded->terms.append(moved);
    loaded->addAttribute(MediaTypeUnicode);
    AddNamedCategory(*loaded, "Verbs", {0});
    loaded->path.assign("/new.pdb");
    loaded->name.assign("New");
    cObject* movedAttribute = loaded->attributes.at(0);

    current.takeContents(*loaded);
    EXPECT_EQ(TermsDestroyed, 2);
    loaded->destroy();
    EXPECT_EQ(TermsDestroyed, 2);

    ASSERT_EQ(current.terms.count(), 1u);
    EXPECT_EQ(current.term(0), moved);
    EXPECT_EQ(current.attributes.at(0), movedAttribute);
    EXPECT_EQ(current.attribute(0)->mediaType, MediaTypeUnicode);
    EXPECT_TRUE(current.category(0)->isMember(0));
    EXPECT_STREQ(current.path.text(), "/new.pdb");
    EXPECT_STREQ(current.name.text(), "New");
    EXPECT_TRUE(current.description.isEmpty());

    // The emptied database can load again: it must now own what it takes, and must not
    // destroy what it handed over before.
    auto* again = new cDatabase;
    again->terms.append(new cCountedTerm);
    loaded = new cDatabase;
    loaded->terms.append(new cCountedTerm);
    current.takeContents(*loaded);
    EXPECT_EQ(TermsDestroyed, 3);
    loaded->takeContents(*again);
    again->destroy();
    EXPECT_EQ(TermsDestroyed, 3);
    loaded->destroy();
    EXPECT_EQ(TermsDestroyed, 4);

    current.clear();
    EXPECT_EQ(TermsDestroyed, 5);
    EXPECT_TRUE(current.path.isEmpty());
    EXPECT_TRUE(current.attributes.isEmpty());
    EXPECT_TRUE(current.categories.isEmpty());
}

TEST(DatabaseTest, TermLimitRefusesWithMessageAndChangesNothing) {
    cDatabase database;
    for (uint32_t i = 0; i < MaxTermCount - 1; ++i)
        database.terms.append(new cTerm);
    {
        cRecordingSink sink;
        EXPECT_EQ(database.addTerm(), int32_t(MaxTermCount - 1));
        EXPECT_TRUE(sink.shown.empty());
    }
    cRecordingSink sink;
    EXPECT_EQ(database.addTerm(), -1);
    EXPECT_TRUE(sink.showedOnly(TextCaptionError, TextTermLimit));
    EXPECT_EQ(database.terms.count(), MaxTermCount);
}

TEST(DatabaseTest, AttributeLimitIs128) {
    cDatabase database;
    for (int i = 0; i < 127; ++i)
        ASSERT_EQ(database.addAttribute(MediaTypeAscii), i);
    cRecordingSink sink;
    EXPECT_EQ(database.addAttribute(MediaTypeUnicode), 127);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(database.addAttribute(MediaTypeAscii), -1);
    EXPECT_TRUE(sink.showedOnly(TextCaptionError, TextAttributeLimit));
    EXPECT_EQ(database.attributes.count(), 128u);
}

TEST(DatabaseTest, CategoryLimitIs245InAll) {
    cDatabase database;
    // Fill the other groups so that group 0 stays below its own limit.
    for (int i = 0; i < 244; ++i)
        database.categories.append(new cCategory(i < 200 ? 1 : 0, "c"));
    cRecordingSink sink;
    EXPECT_EQ(database.addCategory(), 244);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(database.addCategory(), -1);
    EXPECT_TRUE(sink.showedOnly(TextCaptionError, TextCategoryLimit));
    EXPECT_EQ(database.categories.count(), 245u);
}

TEST(DatabaseTest, GroupZeroLimitIs128EvenWhenTheTotalIsLower) {
    cDatabase database;
    for (int i = 0; i < 127; ++i)
        database.categories.append(new cCategory(0, "c"));
    database.categories.append(new cCategory(3, "other"));
    cRecordingSink sink;
    EXPECT_EQ(database.addCategory(), 128);
    EXPECT_EQ(database.category(128)->group, 0);
    EXPECT_TRUE(database.category(128)->name.isEmpty());
    EXPECT_EQ(database.addCategory(), -1);
    EXPECT_TRUE(sink.showedOnly(TextCaptionError, TextCategoryGroupLimit));
    EXPECT_EQ(database.categories.count(), 129u);
}
