#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

TEST(AttributeTest, DeleteRemovesItsValuesAndRenumbersTheRest) {
    cDatabase database;
    for (int i = 0; i < 3; ++i)
        database.addAttribute(MediaTypeAscii);
    for (int t = 0; t < 3; ++t) {
        database.addTerm();
        // Added out of attribute order, so the removal walks past other values.
        database.setValue(t, 1, "one");
        database.setValue(t, 2, "two");
        database.setValue(t, 0, "zero");
    }
    database.setValue(1, 1, "");
    EXPECT_EQ(database.countValuesOfAttribute(1), 2u);

    database.deleteAttribute(1);
    EXPECT_EQ(database.attributes.count(), 2u);
    EXPECT_EQ(database.countValuesOfAttribute(1), 3u);
    for (uint32_t t = 0; t < 3; ++t) {
        cTerm* term = database.term(t);
        ASSERT_EQ(term->values().count(), 2u);
        EXPECT_STREQ(static_cast<const cAsciiValue*>(term->findValue(0))->text.text(), "zero");
        EXPECT_STREQ(static_cast<const cAsciiValue*>(term->findValue(1))->text.text(), "two");
    }
}

TEST(AttributeTest, FindMatchesMediaTypeAndExactName) {
    cDatabase database;
    database.addAttribute(MediaTypeAscii);
    database.addAttribute(MediaTypeUnicode);
    database.addAttribute(MediaTypeAscii);
    database.renameAttribute(0, "Front");
    database.renameAttribute(1, "Back");
    database.renameAttribute(2, "Back");
    EXPECT_EQ(database.findAttribute(MediaTypeAscii, "Back"), 2);
    EXPECT_EQ(database.findAttribute(MediaTypeUnicode, "Back"), 1);
    EXPECT_EQ(database.findAttribute(MediaTypeAscii, "front"), -1);
    EXPECT_EQ(database.findAttribute(MediaTypeAscii, ""), -1);
    database.renameAttribute(0, "");
    EXPECT_EQ(database.findAttribute(MediaTypeAscii, nullptr), 0);
}

TEST(AttributeTest, CreateValueFollowsTheMediaType) {
    cDatabase database;
    database.addAttribute(MediaTypeAscii);
    database.addAttribute(MediaTypeUnicode);
    database.attributes.append(new cAttribute(7));

    std::unique_ptr<cValue> ascii(database.createValue(0, "a"));
    ASSERT_TRUE(ascii);
    EXPECT_EQ(ascii->mediaType(), MediaTypeAscii);
    std::unique_ptr<cValue> unicode(database.createValue(1, u"b"));
    ASSERT_TRUE(unicode);
    EXPECT_EQ(unicode->attribute, 1);
    EXPECT_EQ(std::u16string(static_cast<const cUnicodeValue*>(unicode.get())->text()), u"b");

    EXPECT_EQ(database.createValue(2), nullptr);
    EXPECT_EQ(database.createValue(3), nullptr);
    EXPECT_EQ(database.createValue(1, "bytes"), nullptr);
}

TEST(AttributeTest, SetValueCreatesChangesAndRemoves) {
    cDatabase database;
    database.addAttribute(MediaTypeAscii);
    database.addAttribute(MediaTypeUnicode);
    database.addTerm();
    database.setValue(0, 0, "first");
    database.setValue(0, 1, u"second");
    database.setValue(0, 0, "");
    EXPECT_EQ(database.term(0)->values().count(), 1u);
    database.setValue(0, 0, "again");
    // A value set again after removal goes to the end.
    EXPECT_EQ(database.term(0)->valueAt(1)->attribute, 0);
    database.setValue(0, 0, "changed");
    EXPECT_EQ(database.term(0)->values().count(), 2u);
    EXPECT_STREQ(static_cast<const cAsciiValue*>(database.term(0)->findValue(0))->text.text(), "changed");

    database.setValue(0, 5, "no such attribute");
    database.setValue(0, 0, u"wrong encoding");
    database.setValue(9, 0, "no such term");
    EXPECT_EQ(database.term(0)->values().count(), 2u);
    EXPECT_STREQ(static_cast<const cAsciiValue*>(database.term(0)->findValue(0))->text.text(), "changed");
}

TEST(AttributeTest, CloneTermClonesValuesInOrder) {
    cDatabase database;
    database.addAttribute(MediaTypeAscii);
    database.addAttribute(MediaTypeUnicode);
    database.addTerm();
    database.setValue(0, 1, u"u");
    database.setValue(0, 0, "a");
    std::unique_ptr<cTerm> copy(cDatabase::cloneTerm(database.term(0)));
    ASSERT_EQ(copy->values().count(), 2u);
    EXPECT_EQ(copy->valueAt(0)->attribute, 1);
    EXPECT_EQ(copy->valueAt(1)->attribute, 0);
    EXPECT_NE(copy->valueAt(0), database.term(0)->valueAt(0));
}
