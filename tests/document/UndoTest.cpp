// Undo and redo: random sequences of every kind of change, then everything undone gives the
// saved bytes of the start and everything redone the saved bytes of the end; and the
// history's own bounds.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "dbfile/DatabaseWrite.h"
#include "document/Document.h"
#include "support/TempDir.h"

namespace {

class cUndoRun {
public:
    explicit cUndoRun(unsigned seed) : random_(seed) {
        document_.backup().setFolder([this] { return dir_.file("backup"); });
        cDatabase db;
        db.name.assign("Start");
        db.addAttribute(MediaTypeAscii);
        db.addAttribute(MediaTypeUnicode);
        db.addCategory();
        db.addCategory();
        for (int i = 0; i < 12; ++i) {
            const auto term = static_cast<uint32_t>(db.addTerm());
            db.setValue(term, 0, ("t" + std::to_string(i)).c_str());
            if (i % 3 == 0)
                db.category(i % 2)->addMember(term);
        }
        document_.replace(db, false);
    }
    ~cUndoRun() { document_.backup().release(); }

    // The bytes a save writes now.
    std::vector<uint8_t> bytes() {
        const std::string path = dir_.file("state.pdb");
        EXPECT_EQ(cDatabaseWriter().write(document_.database(), path), SaveWritten);
        return ReadBytes(path);
    }

    // One change of a kind picked at random, with arguments that exist.
    std::string change() {
        const cDatabase& db = document_.database();
        const uint32_t terms = db.terms.count();
        const uint32_t attributes = db.attributes.count();
        const uint32_t categories = db.categories.count();
        switch (pick(16)) {
        case 0:
            if (terms && attributes)
                document_.setValueText(pick(terms), pick(attributes), text());
            return "value";
        case 1:
            if (terms && attributes)
                document_.setValueText(pick(terms), pick(attributes), u"");
            return "emptied value";
        case 2:
            if (terms && attributes)
                document_.pasteValue(pick(terms), pick(attributes), nullptr);
            return "pasted value";
        case 3:
            if (terms && attributes)
                document_.removeValue(pick(terms), pick(attributes));
            return "removed value";
        case 4:
            document_.addTerm(terms ? static_cast<int32_t>(pick(terms)) : -1);
            return "new term";
        case 5:
            if (terms > 2)
                document_.deleteTerms(some(terms));
            return "deleted terms";
        case 6:
            if (terms > 2)
                document_.moveTerms(some(terms), pick(terms));
            return "moved terms";
        case 7:
            if (terms > 0)
                document_.copyTerms(some(terms), pick(terms + 1));
            return "copied terms";
        case 8:
            document_.addAttribute(pick(2) ? MediaTypeAscii : MediaTypeUnicode);
            return "new attribute";
        case 9:
            if (attributes)
                document_.renameAttribute(pick(attributes), name().c_str());
            return "renamed attribute";
        case 10:
            if (attributes > 1)
                document_.deleteAttribute(pick(attributes));
            return "deleted attribute";
        case 11:
            document_.addCategory();
            return "new category";
        case 12:
            if (categories)
                document_.renameCategory(pick(categories), name().c_str());
            return "renamed category";
        case 13:
            if (categories > 1)
                document_.deleteCategory(pick(categories));
            return "deleted category";
        case 14:
            if (categories && terms)
                document_.setMembership(pick(categories), some(terms), pick(2) == 0);
            return "membership";
        default:
            document_.setProperties(name().c_str(), name().c_str());
            return "properties";
        }
    }

    cDocument& document() { return document_; }

private:
    uint32_t pick(uint32_t below) {
        return std::uniform_int_distribution<uint32_t>(0, below - 1)(random_);
    }
    // Ascending distinct terms, one to four of them.
    std::vector<uint32_t> some(uint32_t terms) {
        std::vector<uint32_t> chosen;
        for (uint32_t i = 0; i < terms; ++i)
            if (pick(terms) < 3)
                chosen.push_back(i);
        if (chosen.empty())
            chosen.push_back(pick(terms));
        return chosen;
    }
    std::u16string text() { return u"v" + std::u16string(1, char16_t(u'a' + pick(26))); }
    std::string name() { return "n" + std::to_string(pick(1000)); }

    cTempDir dir_;
    cDocument document_;
    std::mt19937 random_;
};

} // namespace

TEST(UndoTest, UndoingEverythingGivesTheStartBackAndRedoingTheEnd) {
    for (unsigned seed = 1; seed <= 25; ++seed) {
        cUndoRun run(seed);
        const std::vector<uint8_t> start = run.bytes();
        std::vector<std::vector<uint8_t>> states{start};
        std::vector<std::string> what;
        for (int i = 0; i < 25; ++i) {
            what.push_back(run.change());
            states.push_back(run.bytes());
        }
        const size_t steps = run.document().history().count();
        for (size_t i = 0; i < steps; ++i)
            run.document().undo();
        EXPECT_EQ(run.bytes(), start) << "seed " << seed;
        EXPECT_FALSE(run.document().isModified()) << "seed " << seed << ": back at the file";
        for (size_t i = 0; i < steps; ++i)
            run.document().redo();
        EXPECT_EQ(run.bytes(), states.back()) << "seed " << seed;
        // One step back at a time, each state as it was after its change.
        for (size_t i = steps; i-- > 0;) {
            run.document().undo();
            if (run.bytes() != states[i] && steps == what.size()) {
                ADD_FAILURE() << "seed " << seed << ": undoing " << what[i];
                break;
            }
        }
    }
}

TEST(UndoTest, TheHistoryIsBoundedAndFollowsTheSavedStep) {
    cUndoHistory history;
    auto step = [](size_t bytes) {
        sUndoStep s;
        s.label = "x";
        s.bytes = bytes;
        return s;
    };
    for (size_t i = 0; i < cUndoHistory::MaxSteps + 10; ++i)
        history.push(step(10));
    EXPECT_EQ(history.count(), cUndoHistory::MaxSteps) << "the oldest steps went";
    EXPECT_FALSE(history.atSaved()) << "the saved state went with them";
    history.clear();
    history.push(step(cUndoHistory::MaxBytes / 2));
    history.push(step(cUndoHistory::MaxBytes / 2));
    history.push(step(1));
    EXPECT_EQ(history.count(), 2u) << "at 64 MB the oldest goes";
    history.push(step(cUndoHistory::MaxBytes * 2));
    EXPECT_EQ(history.count(), 1u) << "the newest stays, however large";

    history.clear();
    history.push(step(1));
    history.markSaved();
    history.push(step(1));
    EXPECT_FALSE(history.atSaved());
    history.takeUndo();
    EXPECT_TRUE(history.atSaved());
    history.takeUndo();
    EXPECT_FALSE(history.atSaved());
    history.push(step(1)); // the saved step was among the redoable ones: gone
    history.takeUndo();
    history.takeRedo();
    EXPECT_FALSE(history.atSaved());
    EXPECT_EQ(history.undoLabel(), "x");
    EXPECT_EQ(history.redoLabel(), "");
}

TEST(UndoTest, OpeningAnotherDatabaseStartsANewHistory) {
    cDocument document;
    cDatabase first;
    document.replace(first, false);
    document.addAttribute(MediaTypeAscii);
    document.addTerm(-1);
    EXPECT_TRUE(document.history().canUndo());
    cDatabase imported;
    document.replace(imported, true);
    EXPECT_EQ(document.history().undoLabel(), "Import") << "an import can be undone";
    document.undo();
    EXPECT_EQ(document.database().terms.count(), 1u);
    cDatabase opened;
    document.replace(opened, false);
    EXPECT_FALSE(document.history().canUndo());
    EXPECT_FALSE(document.history().canRedo());
}
