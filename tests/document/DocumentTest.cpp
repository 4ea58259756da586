// The document: each change is one call that changes the database, marks the document
// modified, writes the backup and tells the listeners exactly what changed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "dbfile/DatabaseFiles.h"
#include "document/Document.h"
#include "support/TempDir.h"
#include "text/TextIds.h"

namespace {

// Every notification as one line of text.
class cRecordingListener : public cDocumentListener {
public:
    std::vector<std::string> heard;

    void termsInserted(uint32_t first, uint32_t count) override {
        note("inserted " + std::to_string(first) + "+" + std::to_string(count));
    }
    void termsRemoved(const std::vector<uint32_t>& removed) override {
        std::string text = "removed";
        for (uint32_t term : removed)
            text += " " + std::to_string(term);
        note(text);
    }
    void termsRearranged() override { note("rearranged"); }
    void valueChanged(uint32_t term, uint32_t attribute) override {
        note("value " + std::to_string(term) + "." + std::to_string(attribute));
    }
    void attributesChanged(eChange change, uint32_t index) override {
        note("attribute " + Name(change) + " " + std::to_string(index));
    }
    void categoriesChanged(eChange change, uint32_t index) override {
        note("category " + Name(change) + " " + std::to_string(index));
    }
    void membershipsChanged(uint32_t category) override {
        note("members " + std::to_string(category));
    }
    void reset() override { note("reset"); }
    void modifiedChanged(bool modified) override { note(modified ? "modified" : "saved"); }
    void backupFailed(int textId) override { note("backup failed " + std::to_string(textId)); }

private:
    static std::string Name(eChange change) {
        return change == eChange::Inserted  ? "inserted"
               : change == eChange::Removed ? "removed"
                                            : "renamed";
    }
    void note(const std::string& text) { heard.push_back(text); }
};

std::string TermTag(const cDatabase& db, uint32_t term) {
    const cTerm* t = db.term(term);
    const cValue* value = t ? t->findValue(0) : nullptr;
    return value ? static_cast<const cAsciiValue*>(value)->text.textOrEmpty() : "";
}

std::string Tags(const cDatabase& db) {
    std::string tags;
    for (uint32_t i = 0; i < db.terms.count(); ++i)
        tags += (i ? "," : "") + TermTag(db, i);
    return tags;
}

} // namespace

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        document.backup().setFolder([this] { return folder; });
        cDatabase db;
        db.addAttribute(MediaTypeAscii);
        db.addCategory();
        for (const char* tag : {"a", "b", "c", "d"})
            db.setValue(static_cast<uint32_t>(db.addTerm()), 0, tag);
        db.category(0)->addMember(1);
        document.replace(db, false);
        document.addListener(&listener);
    }
    void TearDown() override { document.backup().release(); }

    cTempDir dir;
    std::string folder = dir.file("backup");
    cDocument document;
    cRecordingListener listener;
};

TEST_F(DocumentTest, EveryChangeIsTold) {
    struct sCase {
        const char* what;
        std::function<void(cDocument&)> change;
        std::vector<std::string> heard;
        const char* tags; // the terms' values afterwards
    };
    const std::u16string x = u"x";
    const std::vector<sCase> cases = {
        {"value", [&](cDocument& d) { d.setValueText(2, 0, x); }, {"value 2.0"}, "a,b,x,d"},
        {"emptied value", [](cDocument& d) { d.setValueText(2, 0, u""); }, {"value 2.0"}, "a,b,,d"},
        {"pasted value",
         [](cDocument& d) { d.pasteValue(0, 0, nullptr); },
         {"value 0.0"},
         "a,b,c,d"},
        {"removed value", [](cDocument& d) { d.removeValue(3, 0); }, {"value 3.0"}, "a,b,c,"},
        {"new term",
         [](cDocument& d) { EXPECT_EQ(d.addTerm(1), 4); },
         {"inserted 4+1"},
         "a,b,c,d,"},
        {"appended term",
         [](cDocument& d) { EXPECT_EQ(d.appendTerm(-1), 4); },
         {"inserted 4+1"},
         "a,b,c,d,"},
        {"deleted terms",
         [](cDocument& d) {
             d.deleteTerms({3, 1, 1, 9});
         },
         {"removed 1 3"},
         "a,c"},
        {"moved terms",
         [](cDocument& d) {
             d.moveTerms({2, 3}, 0);
         },
         {"rearranged"},
         "c,d,a,b"},
        {"copied terms",
         [](cDocument& d) {
             EXPECT_EQ(d.copyTerms({0, 3}, 1), 2u);
         },
         {"rearranged"},
         "a,a,d,b,c,d"},
        {"new attribute",
         [](cDocument& d) { d.addAttribute(MediaTypeUnicode); },
         {"attribute inserted 1"},
         "a,b,c,d"},
        {"renamed attribute",
         [](cDocument& d) { d.renameAttribute(0, "Word"); },
         {"attribute renamed 0"},
         "a,b,c,d"},
        {"deleted attribute",
         [](cDocument& d) { d.deleteAttribute(0); },
         {"attribute removed 0"},
         ",,,"},
        {"new category", [](cDocument& d) { d.addCategory(); }, {"category inserted 1"}, "a,b,c,d"},
        {"renamed category",
         [](cDocument& d) { d.renameCategory(0, "Food"); },
         {"category renamed 0"},
         "a,b,c,d"},
        {"deleted category",
         [](cDocument& d) { d.deleteCategory(0); },
         {"category removed 0"},
         "a,b,c,d"},
        {"ticked",
         [](cDocument& d) {
             d.setMembership(0, {0, 2}, true);
         },
         {"members 0"},
         "a,b,c,d"},
        {"properties", [](cDocument& d) { d.setProperties("Name", "About"); }, {}, "a,b,c,d"},
    };
    for (const sCase& c : cases) {
        SetUp();
        listener.heard.clear();
        std::filesystem::remove_all(folder);
        c.change(document);
        std::vector<std::string> expected = c.heard;
        expected.push_back("modified");
        EXPECT_EQ(listener.heard, expected) << c.what;
        EXPECT_TRUE(document.isModified()) << c.what;
        EXPECT_EQ(Tags(document.database()), c.tags) << c.what;
        // The backup holds the changed database.
        cDatabase backup;
        ASSERT_EQ(LoadDatabaseFile(document.backup().filePath(), backup), 0) << c.what;
        EXPECT_EQ(backup.terms.count(), document.database().terms.count()) << c.what;
        EXPECT_EQ(Tags(backup), Tags(document.database())) << c.what;
        TearDown();
    }
    // Memberships follow the terms through the changes above.
    SetUp();
    document.copyTerms({1}, 0);
    EXPECT_TRUE(document.database().category(0)->isMember(0));
    document.addTerm(0);
    EXPECT_TRUE(document.database().category(0)->isMember(5)) << "inherits the categories";
}

TEST_F(DocumentTest, RefusalsChangeNothing) {
    listener.heard.clear();
    document.deleteTerms({7, 9});
    document.removeValue(9, 0);
    document.setValueText(0, 5, u"x");
    document.renameAttribute(3, "x");
    document.deleteCategory(4);
    document.setMembership(4, {0}, true);
    EXPECT_TRUE(listener.heard.empty());
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(std::filesystem::exists(folder)) << "no backup without a change";
}

TEST_F(DocumentTest, ABackupFailureIsToldOnceUntilABackupSucceeds) {
    folder = dir.file("plain-file");
    { std::ofstream(folder) << "x"; }
    listener.heard.clear();
    document.setValueText(0, 0, u"x");
    document.setValueText(0, 0, u"y");
    EXPECT_EQ(listener.heard, (std::vector<std::string>{
                                  "value 0.0", "backup failed " + std::to_string(TextBackupFailed),
                                  "modified", "value 0.0", "modified"}));
    std::filesystem::remove(folder);
    listener.heard.clear();
    // A folder can be made now: the backup is written.
    document.setValueText(0, 0, u"z");
    document.backup().release();
    std::filesystem::remove_all(folder);
    { std::ofstream(folder) << "x"; }
    document.setValueText(0, 0, u"w");
    EXPECT_EQ(listener.heard.size(), 5u) << "told again after a backup was written";
}

TEST_F(DocumentTest, SavingAndReplacingClearTheMark) {
    document.setValueText(0, 0, u"x");
    listener.heard.clear();
    ASSERT_EQ(document.saveAs(dir.file("saved.pdb")), 0);
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.filePath(), dir.file("saved.pdb"));
    EXPECT_TRUE(document.fileIdentity().exists);
    cDatabase other;
    document.replace(other, true);
    EXPECT_TRUE(document.isModified()) << "an import is a change";
    EXPECT_EQ(document.filePath(), "");
    EXPECT_EQ(listener.heard, (std::vector<std::string>{"saved", "reset", "modified"}));
}
