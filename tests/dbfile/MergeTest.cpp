#include <gtest/gtest.h>

#include "model/Database.h"
#include "support/TempDir.h"

namespace {

int AddAttribute(cDatabase& db, uint16_t media, const char* name) {
    int index = db.addAttribute(media);
    db.renameAttribute(index, name);
    return index;
}

std::string SaveTo(cDatabase& db, const cTempDir& dir, const char* name) {
    std::string path = dir.file(name);
    db.path.assign(path.c_str());
    EXPECT_EQ(db.save(), 0);
    return path;
}

std::string AsciiText(const cDatabase& db, uint32_t term, uint16_t attribute) {
    auto* value = static_cast<const cAsciiValue*>(db.term(term)->findValue(attribute));
    return value && value->mediaType() == MediaTypeAscii ? value->text.textOrEmpty() : "<none>";
}

std::u16string UnicodeText(const cDatabase& db, uint32_t term, uint16_t attribute) {
    auto* value = static_cast<const cUnicodeValue*>(db.term(term)->findValue(attribute));
    if (!value || value->mediaType() != MediaTypeUnicode)
        return u"<none>";
    return std::u16string(value->text(), value->length());
}

} // namespace

TEST(Merge, AttributesMatchByMediaTypeAndExactName) {
    cTempDir dir;
    cDatabase source;
    AddAttribute(source, MediaTypeAscii, "Front");
    AddAttribute(source, MediaTypeUnicode, "Back");
    AddAttribute(source, MediaTypeAscii, "front");
    AddAttribute(source, MediaTypeAscii, "Front");
    int32_t term = source.addTerm();
    source.setValue(term, 0, "hello");
    source.setValue(term, 1, u"\u4F60\u597D");
    source.setValue(term, 2, "lower");
    source.setValue(term, 3, "second Front");
    std::string file = SaveTo(source, dir, "source.PDB");

    cDatabase target;
    AddAttribute(target, MediaTypeAscii, "Front");
    AddAttribute(target, MediaTypeAscii, "Back");
    target.setValue(target.addTerm(), 1, "own");
    ASSERT_EQ(target.merge(file.c_str()), 0);

    ASSERT_EQ(target.attributes.count(), 4u) << "Back (Unicode) and front are added";
    EXPECT_EQ(target.attribute(2)->mediaType, MediaTypeUnicode);
    EXPECT_STREQ(target.attribute(2)->name.text(), "Back");
    EXPECT_STREQ(target.attribute(3)->name.text(), "front");
    ASSERT_EQ(target.terms.count(), 2u);
    EXPECT_EQ(AsciiText(target, 0, 1), "own");
    EXPECT_EQ(AsciiText(target, 1, 0), "hello") << "the first value of Front is seen first";
    EXPECT_EQ(target.term(1)->values().count(), 4u) << "both Fronts map to attribute 0";
    EXPECT_EQ(UnicodeText(target, 1, 2), u"\u4F60\u597D");
    EXPECT_EQ(AsciiText(target, 1, 3), "lower");
    EXPECT_EQ(AsciiText(target, 1, 1), "<none>");
}

TEST(Merge, CategoriesMatchByGroupAndNameAndMembersFollowTheirTerms) {
    cTempDir dir;
    cDatabase source;
    source.addAttribute(MediaTypeAscii);
    source.addTerm();
    source.addTerm();
    source.categories.append(new cCategory(2, "Verbs"));
    source.categories.append(new cCategory(0, "Verbs"));
    source.categories.append(new cCategory(0, ""));
    source.category(0)->addMember(1);
    source.category(1)->addMember(0);
    source.category(1)->addMember(1);
    std::string file = SaveTo(source, dir, "source.PDB");

    cDatabase target;
    target.addAttribute(MediaTypeAscii);
    for (int i = 0; i < 10; ++i)
        target.addTerm();
    target.categories.append(new cCategory(0, ""));
    target.categories.append(new cCategory(0, "Verbs"));
    target.category(1)->addMember(3);
    ASSERT_EQ(target.merge(file.c_str()), 0);

    ASSERT_EQ(target.categories.count(), 3u) << "only Verbs of group 2 is new";
    EXPECT_EQ(target.category(2)->group, 2);
    EXPECT_STREQ(target.category(2)->name.text(), "Verbs");
    EXPECT_TRUE(target.category(2)->isMember(11));
    EXPECT_FALSE(target.category(2)->isMember(10));
    EXPECT_EQ(target.category(1)->members.count(), 3u);
    EXPECT_TRUE(target.category(1)->isMember(3));
    EXPECT_TRUE(target.category(1)->isMember(10));
    EXPECT_TRUE(target.category(1)->isMember(11));
    EXPECT_EQ(target.category(0)->members.count(), 0u);
}

TEST(Merge, SameFileTwiceDoublesTheTermsAndAddsNoUncategorized) {
    cTempDir dir;
    cDatabase db;
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
    for (int i = 0; i < 3; ++i)
        db.setValue(db.addTerm(), 0, std::to_string(i).c_str());
    db.renameCategory(db.addCategory(), "Some");
    db.category(0)->addMember(0);
    std::string file = SaveTo(db, dir, "db.PDB"); // holds Uncategorized with terms 1 and 2

    cDatabase loaded;
    loaded.path.assign(file.c_str());
    ASSERT_EQ(loaded.load(), 0);
    ASSERT_EQ(loaded.merge(file.c_str()), 0);
    EXPECT_EQ(loaded.terms.count(), 6u);
    EXPECT_EQ(loaded.attributes.count(), 1u);
    ASSERT_EQ(loaded.categories.count(), 1u);
    EXPECT_TRUE(loaded.category(0)->isMember(3));
    EXPECT_FALSE(loaded.category(0)->isMember(4));
    EXPECT_EQ(AsciiText(loaded, 5, 0), "2");
}

TEST(Merge, UnloadableFileChangesNothing) {
    cTempDir dir;
    cDatabase target;
    target.addAttribute(MediaTypeAscii);
    target.addTerm();
    WriteBytes(dir.file("bad.PDB"), std::vector<uint8_t>(90, 0));
    EXPECT_EQ(target.merge(dir.file("bad.PDB").c_str()), 1);
    EXPECT_EQ(target.merge(dir.file("missing.PDB").c_str()), 1);
    EXPECT_EQ(target.terms.count(), 1u);
    EXPECT_EQ(target.attributes.count(), 1u);
}
