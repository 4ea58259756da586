#include "exchange/DelimitedImport.h"
#include "exchange/DatabaseSplit.h"
#include "exchange/DelimitedExport.h"
#include "exchange/ImportMessages.h"
#include "exchange/PolicyMerge.h"
#include "model/Database.h"
#include "model/Limits.h"

#include <gtest/gtest.h>

namespace {

cDelimitedTable Read(const std::string& text) {
    cDelimitedTable table;
    sDelimitedError error;
    EXPECT_TRUE(
        ReadDelimited(reinterpret_cast<const uint8_t*>(text.data()), text.size(), {}, table, error))
        << error.reason;
    return table;
}

// Each term's values of attributes 0 and 1 and its categories, "a/b[c d]".
std::string Terms(const cDatabase& db) {
    std::string out;
    for (uint32_t term = 0; term < db.terms.count(); ++term) {
        for (uint16_t attribute = 0; attribute < 2; ++attribute) {
            const cValue* value = db.term(term)->findValue(attribute);
            out += value ? static_cast<const cAsciiValue*>(value)->text.textOrEmpty() : "";
            out += attribute == 0 ? "/" : "";
        }
        out += "[";
        for (const cCategory* category : Items<cCategory>(db.categories))
            if (category->isMember(term))
                out += std::string(category->name.textOrEmpty()) + " ";
        out += "] ";
    }
    return out;
}

void Existing(cDatabase& db) {
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Meaning");
    db.setValue(db.addTerm(), 0, "apple");
    db.setValue(0, 1, "old");
}

} // namespace

TEST(DelimitedImport, FollowsTheDuplicatePolicyOnTheKey) {
    const cDelimitedTable table =
        Read("Word,Meaning,Tags\n apple ,Apfel,fruit\npear,Birne,fruit;tree\npear,,x\n,none,\n");
    struct {
        eDuplicatePolicy policy;
        std::string terms;
        std::string summary;
    } const cases[] = {
        {eDuplicatePolicy::AddAll,
         "apple/old[]  apple /Apfel[fruit ] pear/Birne[fruit tree ] pear/[x ] /none[] ",
         "4 added, 0 updated, 0 skipped"},
        {eDuplicatePolicy::Skip, "apple/old[] pear/Birne[fruit tree ] /none[] ",
         "2 added, 0 updated, 2 skipped"},
        {eDuplicatePolicy::Update, "apple/Apfel[fruit ] pear/Birne[fruit tree x ] /none[] ",
         "2 added, 2 updated, 0 skipped"},
    };
    for (const auto& c : cases) {
        cDatabase db;
        Existing(db);
        sImportCounts counts;
        sDelimitedError error;
        ASSERT_TRUE(
            ImportRows(db, table, ProposeMappings(table, &db), {c.policy, u"Word"}, counts, error))
            << error.reason;
        EXPECT_EQ(db.attributes.count(), 2u);
        EXPECT_EQ(Terms(db), c.terms);
        EXPECT_EQ(ImportSummaryText(counts), c.summary);
    }
    cDatabase db;
    Existing(db);
    sImportCounts counts;
    sDelimitedError error;
    EXPECT_FALSE(ImportRows(db, table, ProposeMappings(table, &db),
                            {eDuplicatePolicy::Skip, u"Nope"}, counts, error));
}

TEST(DelimitedImport, MergeFollowsThePolicyToo) {
    for (auto policy : {eDuplicatePolicy::Skip, eDuplicatePolicy::Update}) {
        cDatabase target, source;
        Existing(target);
        Existing(source);
        source.setValue(0, 1, "new");
        source.setValue(source.addTerm(), 0, "kiwi");
        sImportCounts counts;
        std::string reason;
        ASSERT_TRUE(MergeWithPolicy(target, source, {policy, u""}, counts, reason));
        EXPECT_EQ(Terms(target), policy == eDuplicatePolicy::Skip ? "apple/old[] kiwi/[] "
                                                                  : "apple/new[] kiwi/[] ");
        EXPECT_EQ(counts.added, 1u);
    }
}

TEST(DelimitedImport, TheExportReadsBackAsTheSameDatabase) {
    cDatabase db;
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word, \"quoted\"");
    db.renameAttribute(db.addAttribute(MediaTypeUnicode), "Hanzi");
    db.setValue(db.addTerm(), 0, "two\\nlines, caf\xE9");
    db.setValue(0, 1, u"\u4E2D\u6587");
    db.addTerm();
    db.setValue(db.addTerm(), 1, u"\u6587");
    db.renameCategory(db.addCategory(), "with space");
    db.renameCategory(db.addCategory(), "b");
    db.category(0)->addMember(0);
    db.category(1)->addMember(2);
    db.category(0)->addMember(2);

    const std::string text = DelimitedText(db, true);
    const cDelimitedTable table = Read(text);
    cDatabase back;
    sImportCounts counts;
    sDelimitedError error;
    ASSERT_TRUE(ImportRows(back, table, ProposeMappings(table, nullptr), {}, counts, error));
    EXPECT_EQ(DelimitedText(back, true), text);
    EXPECT_EQ(back.attribute(1)->mediaType, MediaTypeUnicode);
    EXPECT_EQ(back.terms.count(), 3u);
}

TEST(DatabaseSplit, PartsHoldAtMostTheLimitAndTheirOwnMemberships) {
    cDatabase whole;
    whole.addAttribute(MediaTypeAscii);
    const uint32_t total = 2 * MaxTermCount + 3;
    for (uint32_t term = 0; term < total; ++term)
        whole.appendTerm();
    whole.renameCategory(whole.addCategory(), "c");
    whole.category(0)->addMember(1);
    whole.category(0)->addMember(MaxTermCount + 2);
    const auto parts = SplitDatabase(whole, MaxTermCount);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0]->terms.count(), MaxTermCount);
    EXPECT_EQ(parts[2]->terms.count(), 3u);
    EXPECT_TRUE(parts[1]->category(0)->isMember(2));
    EXPECT_EQ(parts[1]->category(0)->members.count(), 1u);
    EXPECT_EQ(SplitPartPath("/d/Words.pdb", 2), "/d/Words 2.pdb");
    EXPECT_EQ(SplitPartName(std::string(40, 'x'), 12), std::string(28, 'x') + " 12");
}
