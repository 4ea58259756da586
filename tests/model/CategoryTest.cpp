#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using Members_t = std::vector<uint32_t>;

TEST(CategoryTest, RemoveTermFromCategoriesRenumbers) {
    cDatabase database;
    cCategory* x = AddNamedCategory(database, "X", {1, 3, 5});
    cCategory* y = AddNamedCategory(database, "Y", {1, 5});
    database.removeTermFromCategories(3);
    EXPECT_EQ(Members(x), (Members_t{1, 4}));
    EXPECT_EQ(Members(y), (Members_t{1, 4}));
}

TEST(CategoryTest, ShiftMembersUpFromAPosition) {
    cDatabase database;
    cCategory* x = AddNamedCategory(database, "X", {1, 3, 5});
    database.shiftMembersUp(3);
    EXPECT_EQ(Members(x), (Members_t{1, 4, 6}));
}

TEST(CategoryTest, RemoveMemberWithoutRenumberAndRuns) {
    cCategory category;
    category.addMember(2);
    category.addMember(2);
    category.members.append(cCategoryMember(10, 3));
    EXPECT_TRUE(category.isMember(12));
    EXPECT_FALSE(category.isMember(13));
    category.removeMember(2, false);
    EXPECT_TRUE(category.isMember(2));
    category.removeMember(11, false);
    EXPECT_FALSE(category.isMember(10));
    category.removeMember(7, false);
    EXPECT_EQ(category.members.count(), 1u);
}

TEST(CategoryTest, CopyMembershipsAddsToTheSourcesCategoriesOnly) {
    cDatabase database;
    cCategory* x = AddNamedCategory(database, "X", {2, 4});
    cCategory* y = AddNamedCategory(database, "Y", {4});
    database.copyMemberships(2, 9);
    EXPECT_EQ(Members(x), (Members_t{2, 4, 9}));
    EXPECT_EQ(Members(y), (Members_t{4}));
}

TEST(CategoryTest, CategoriesOfTermAndApplyCategories) {
    cDatabase database;
    AddNamedCategory(database, "A", {1});
    AddNamedCategory(database, "B", {2});
    AddNamedCategory(database, "C", {1});
    cList indices = database.categoriesOfTerm(1);
    ASSERT_EQ(indices.count(), 2u);
    EXPECT_EQ(indices.nodeAt(0)->key, 0);
    EXPECT_EQ(indices.nodeAt(1)->key, 2);
    database.applyCategories(7, indices);
    EXPECT_TRUE(database.category(0)->isMember(7));
    EXPECT_FALSE(database.category(1)->isMember(7));
    EXPECT_TRUE(database.category(2)->isMember(7));
}

TEST(CategoryTest, GroupQueries) {
    cDatabase database;
    AddTaggedTerms(database, 3);
    EXPECT_FALSE(database.groupInUse(0));
    EXPECT_TRUE(database.allCategorizedInGroup(2) == false);
    database.categories.append(new cCategory(2, "two"));
    database.category(0)->addMember(0);
    database.category(0)->addMember(1);
    EXPECT_TRUE(database.groupInUse(2));
    EXPECT_FALSE(database.groupInUse(0));
    EXPECT_TRUE(database.isCategorizedInGroup(1, 2));
    EXPECT_FALSE(database.isCategorizedInGroup(1, 0));
    EXPECT_FALSE(database.allCategorizedInGroup(2));
    database.category(0)->addMember(2);
    EXPECT_TRUE(database.allCategorizedInGroup(2));
    cDatabase empty;
    EXPECT_TRUE(empty.allCategorizedInGroup(0));
}

TEST(CategoryTest, UncategorizedHoldsExactlyTheTermsInNoGroupZeroCategory) {
    cDatabase database;
    AddTaggedTerms(database, 5);
    AddNamedCategory(database, "X", {0, 2});
    AddNamedCategory(database, "Y", {3});
    database.categories.append(new cCategory(1, "other group"));
    database.category(2)->addMember(1);
    database.addUncategorized();
    ASSERT_EQ(database.categories.count(), 4u);
    cCategory* added = database.category(3);
    EXPECT_EQ(added->group, 0);
    EXPECT_STREQ(added->name.text(), "Uncategorized");
    EXPECT_EQ(Members(added), (Members_t{1, 4}));
    database.removeUncategorized();
    EXPECT_EQ(database.categories.count(), 3u);
}

TEST(CategoryTest, NoUncategorizedWhenGroupZeroIsUnusedOrComplete) {
    cDatabase database;
    AddTaggedTerms(database, 2);
    AddNamedCategory(database, "empty");
    database.addUncategorized();
    EXPECT_EQ(database.categories.count(), 1u);
    AddNamedCategory(database, "all", {1, 0});
    database.addUncategorized();
    EXPECT_EQ(database.categories.count(), 2u);
}

TEST(CategoryTest, RemoveUncategorizedTakesEveryGroupZeroOneAndNothingElse) {
    cDatabase database;
    AddNamedCategory(database, "Uncategorized");
    AddNamedCategory(database, "Uncategorized");
    AddNamedCategory(database, "uncategorized");
    database.categories.append(new cCategory(1, "Uncategorized"));
    AddNamedCategory(database, "Uncategorized");
    database.removeUncategorized();
    ASSERT_EQ(database.categories.count(), 2u);
    EXPECT_STREQ(database.category(0)->name.text(), "uncategorized");
    EXPECT_EQ(database.category(1)->group, 1);
}

TEST(CategoryTest, RenameAndDelete) {
    cDatabase database;
    AddNamedCategory(database, "A", {1});
    AddNamedCategory(database, "B");
    database.renameCategory(1, "Bee");
    database.deleteCategory(0);
    database.deleteCategory(5);
    ASSERT_EQ(database.categories.count(), 1u);
    EXPECT_STREQ(database.category(0)->name.text(), "Bee");
    std::unique_ptr<cCategory> copy(database.category(0)->clone());
    EXPECT_TRUE(copy->name.equals("Bee"));
    EXPECT_TRUE(copy->members.isEmpty());
}

// removeTerms does in one pass what removeMember(t, true) does from the highest t down,
// including for duplicate entries (which a loaded file can bring) and runs.
TEST(CategoryTest, RemoveTermsMatchesStepwiseRemoval) {
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        bool withRuns = round % 5 == 0;
        cCategory fast, slow;
        int entries = random() % 12;
        for (int e = 0; e < entries; ++e) {
            uint32_t first = random() % 10;
            uint16_t run = withRuns ? 1 + random() % 3 : 1;
            fast.members.append(cCategoryMember(first, run));
            slow.members.append(cCategoryMember(first, run));
        }
        std::vector<uint32_t> terms;
        for (uint32_t t = 0; t < 10; ++t)
            if (random() % 3 == 0)
                terms.push_back(t);
        fast.removeTerms(terms);
        for (auto t = terms.rbegin(); t != terms.rend(); ++t)
            slow.removeMember(*t, true);
        ASSERT_EQ(Members(&fast), Members(&slow)) << "round " << round;
    }
}
