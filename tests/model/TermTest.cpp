#include "ModelTestSupport.h"

#include <gtest/gtest.h>
#include <random>

using Tags_t = std::vector<std::string>;
using Members_t = std::vector<uint32_t>;

TEST(TermTest, DeletingTermsKeepsEveryOtherTermsMemberships) {
    cDatabase database;
    AddTaggedTerms(database, 7);
    cCategory* x = AddNamedCategory(database, "X", {2});
    cCategory* y = AddNamedCategory(database, "Y", {6});
    database.deleteTerms({5, 2});
    EXPECT_EQ(Tags(database), (Tags_t{"t0", "t1", "t3", "t4", "t6"}));
    EXPECT_TRUE(x->members.isEmpty());
    EXPECT_EQ(Members(y), (Members_t{4}));
}

TEST(TermTest, DeleteIgnoresDuplicatesAndPositionsPastTheEnd) {
    cDatabase database;
    AddTaggedTerms(database, 4);
    cCategory* x = AddNamedCategory(database, "X", {0, 1, 2, 3});
    database.deleteTerms({1, 9, 1});
    EXPECT_EQ(Tags(database), (Tags_t{"t0", "t2", "t3"}));
    EXPECT_EQ(Members(x), (Members_t{0, 1, 2}));
}

TEST(TermTest, MoveKeepsMemberships) {
    cDatabase database;
    AddTaggedTerms(database, 4);
    cCategory* x = AddNamedCategory(database, "X", {0, 2});
    cCategory* y = AddNamedCategory(database, "Y", {1, 3});
    database.moveTerm(0, 2);
    EXPECT_EQ(Tags(database), (Tags_t{"t1", "t0", "t2", "t3"}));
    EXPECT_EQ(SortedMembers(x), (Members_t{1, 2}));
    EXPECT_EQ(SortedMembers(y), (Members_t{0, 3}));

    database.moveTerm(3, 0);
    EXPECT_EQ(Tags(database), (Tags_t{"t3", "t1", "t0", "t2"}));
    EXPECT_EQ(SortedMembers(x), (Members_t{2, 3}));
    EXPECT_EQ(SortedMembers(y), (Members_t{0, 1}));

    database.moveTerm(1, 1);
    EXPECT_EQ(Tags(database), (Tags_t{"t3", "t1", "t0", "t2"}));
}

TEST(TermTest, CopyGivesTheCopyTheSourceMemberships) {
    cDatabase database;
    AddTaggedTerms(database, 5);
    cCategory* x = AddNamedCategory(database, "X", {3});
    cCategory* y = AddNamedCategory(database, "Y", {0, 4});
    database.copyTerm(3, 1);
    EXPECT_EQ(Tags(database), (Tags_t{"t0", "t3", "t1", "t2", "t3", "t4"}));
    EXPECT_EQ(SortedMembers(x), (Members_t{1, 4}));
    EXPECT_EQ(SortedMembers(y), (Members_t{0, 5}));
    EXPECT_NE(database.term(1), database.term(4));

    database.copyTerm(0, 6);
    EXPECT_EQ(TagOf(database, 6), "t0");
    EXPECT_EQ(SortedMembers(y), (Members_t{0, 5, 6}));
}

TEST(TermTest, InsertShiftsMembershipsFromItsPosition) {
    cDatabase database;
    AddTaggedTerms(database, 3);
    cCategory* x = AddNamedCategory(database, "X", {0, 1, 2});
    database.insertTerm(new cTerm, 1);
    EXPECT_EQ(Tags(database), (Tags_t{"t0", "", "t1", "t2"}));
    EXPECT_EQ(Members(x), (Members_t{0, 2, 3}));
    database.insertTerm(new cTerm, 99);
    EXPECT_EQ(database.terms.count(), 5u);
    EXPECT_EQ(Members(x), (Members_t{0, 2, 3}));
}

// The term pane pastes marked terms from the highest index down, each to the selected
// position, raising the marked indices at or after that position after each step.
TEST(TermTest, CutAndPasteOfSeveralTermsKeepsTheirOrder) {
    cDatabase database;
    AddTaggedTerms(database, 4);
    cCategory* x = AddNamedCategory(database, "X", {1});
    std::vector<uint32_t> marked = {1, 3};
    uint32_t selected = 0;
    for (size_t k = marked.size(); k-- > 0;) {
        database.moveTerm(marked[k], selected);
        for (uint32_t& index : marked)
            if (index >= selected)
                ++index;
    }
    EXPECT_EQ(Tags(database), (Tags_t{"t1", "t3", "t0", "t2"}));
    EXPECT_EQ(Members(x), (Members_t{0}));
}

TEST(TermTest, NewTermTakesTheSelectedTermsMemberships) {
    cDatabase database;
    AddTaggedTerms(database, 5);
    cCategory* x = AddNamedCategory(database, "X", {4});
    cCategory* y = AddNamedCategory(database, "Y", {1});
    int32_t added = database.addTerm();
    database.copyMemberships(4, added);
    EXPECT_TRUE(x->isMember(5));
    EXPECT_FALSE(y->isMember(5));
    added = database.addTerm();
    EXPECT_FALSE(database.isCategorizedInGroup(added, 0));
}

// Deleting most of a large database at once must not be quadratic in terms and entries.
TEST(TermTest, DeletingMostOfALargeDatabaseIsFast) {
    cDatabase database;
    const uint32_t count = 60000;
    for (uint32_t i = 0; i < count; ++i)
        database.terms.append(new cTerm);
    for (int c = 0; c < 4; ++c) {
        cCategory* category = AddNamedCategory(database, "c");
        for (uint32_t t = c; t < count; t += 2)
            category->addMember(t);
    }
    std::vector<uint32_t> doomed;
    for (uint32_t t = 0; t < count; ++t)
        if (t % 10 != 0)
            doomed.push_back(t);
    database.deleteTerms(doomed);
    EXPECT_EQ(database.terms.count(), count / 10);
    // Category 0 held the even terms: every kept term (a multiple of 10) is even.
    EXPECT_EQ(database.category(0)->members.count(), count / 10);
    EXPECT_EQ(database.category(1)->members.count(), 0u);
    EXPECT_EQ(Members(database.category(0)).back(), count / 10 - 1);
}

namespace {

// A database of tagged terms in three categories with random members; with wideEntries, the
// middle category also holds entries that cover several terms, as a hand-built one may.
void FillRandomDatabase(cDatabase& database, std::mt19937& random, bool wideEntries) {
    AddTaggedTerms(database, 40);
    for (const char* name : {"A", "B", "C"}) {
        cCategory* category = AddNamedCategory(database, name);
        for (uint32_t t = 0; t < 40; ++t)
            if (random() % 3 == 0)
                category->addMember(t);
    }
    if (wideEntries)
        database.category(1)->members.append(cCategoryMember(random() % 38, 3));
}

std::vector<std::vector<uint32_t>> AllSortedMembers(const cDatabase& database) {
    std::vector<std::vector<uint32_t>> members;
    for (uint32_t c = 0; c < database.categories.count(); ++c) {
        std::vector<uint32_t> covered;
        for (uint32_t t = 0; t < database.terms.count(); ++t)
            if (database.category(c)->isMember(t))
                covered.push_back(t);
        members.push_back(covered);
    }
    return members;
}

} // namespace

TEST(TermTest, CopyingSeveralTermsAtOnceEqualsCopyingThemOneByOne) {
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        const bool wideEntries = round % 4 == 3;
        cDatabase batch;
        std::mt19937 fill(round);
        FillRandomDatabase(batch, fill, wideEntries);
        cDatabase single;
        fill.seed(round);
        FillRandomDatabase(single, fill, wideEntries);

        std::vector<uint32_t> sources;
        for (uint32_t t = 0; t < 40; ++t)
            if (random() % 5 == 0)
                sources.push_back(t);
        const uint32_t to = random() % 41;

        EXPECT_EQ(batch.copyTerms(sources, to), sources.size());
        uint32_t raised = 0;
        for (auto s = sources.rbegin(); s != sources.rend(); ++s, ++raised)
            single.copyTerm(*s >= to ? *s + raised : *s, to);

        ASSERT_EQ(Tags(batch), Tags(single)) << "round " << round;
        ASSERT_EQ(AllSortedMembers(batch), AllSortedMembers(single)) << "round " << round;
    }
}
