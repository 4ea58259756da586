// Random sequences of term moves, copies, inserts and deletions mixed with membership
// changes, checked after every step against a plain model: the terms in order (each known by
// a unique tag held in its value) and, per tag, the set of categories it belongs to.

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

namespace {

const int CategoryCount = 5;

class cReferenceModel {
public:
    std::vector<std::string> tags;
    std::map<std::string, std::set<int>> memberships;
};

class cPropertyRun {
public:
    explicit cPropertyRun(unsigned seed) : random_(seed) {
        AddTaggedTerms(database_, 20);
        for (int i = 0; i < 20; ++i)
            reference_.tags.push_back("t" + std::to_string(i));
        nextTag_ = 20;
        for (int c = 0; c < CategoryCount; ++c)
            AddNamedCategory(database_, ("c" + std::to_string(c)).c_str());
    }

    void step() {
        uint32_t count = database_.terms.count();
        int action = pick(count < 4 ? 3 : 10);
        if (action == 0)
            copy(count);
        else if (action == 1)
            insert(count);
        else if (action == 2)
            addTerm();
        else if (action <= 4)
            move(count);
        else if (action == 5 && count > 8)
            remove(count);
        else
            toggleMembership(count);
    }

    // Every term in its place, with exactly its own memberships and no duplicate entries.
    void check(int stepNumber) {
        ASSERT_EQ(Tags(database_), reference_.tags) << "step " << stepNumber;
        for (int c = 0; c < CategoryCount; ++c) {
            std::vector<uint32_t> expected;
            for (uint32_t i = 0; i < reference_.tags.size(); ++i)
                if (reference_.memberships[reference_.tags[i]].count(c))
                    expected.push_back(i);
            ASSERT_EQ(SortedMembers(database_.category(c)), expected)
                << "category " << c << " step " << stepNumber;
        }
    }

private:
    uint32_t pick(uint32_t bound) { return bound ? random_() % bound : 0; }
    std::string newTag() { return "t" + std::to_string(nextTag_++); }

    void copy(uint32_t count) {
        if (count == 0)
            return;
        uint32_t from = pick(count);
        uint32_t to = pick(count + 1);
        database_.copyTerm(from, to);
        // The copy carries the source's tag; give it its own to tell them apart.
        std::string source = reference_.tags[from];
        std::string tag = newTag();
        database_.setValue(to, 0, tag.c_str());
        reference_.tags.insert(reference_.tags.begin() + to, tag);
        reference_.memberships[tag] = reference_.memberships[source];
    }

    void insert(uint32_t count) {
        uint32_t position = pick(count + 1);
        std::string tag = newTag();
        cValue* value = database_.createValue(0, tag.c_str());
        auto* term = new cTerm;
        term->changeValues().append(value);
        database_.insertTerm(term, position);
        reference_.tags.insert(reference_.tags.begin() + position, tag);
    }

    void addTerm() {
        int32_t index = database_.addTerm();
        std::string tag = newTag();
        database_.setValue(index, 0, tag.c_str());
        reference_.tags.push_back(tag);
    }

    void move(uint32_t count) {
        if (count < 2)
            return;
        uint32_t from = pick(count);
        uint32_t to = pick(count);
        database_.moveTerm(from, to);
        if (from == to)
            return;
        std::string tag = reference_.tags[from];
        reference_.tags.erase(reference_.tags.begin() + from);
        reference_.tags.insert(reference_.tags.begin() + (from < to ? to - 1 : to), tag);
    }

    void remove(uint32_t count) {
        std::vector<uint32_t> doomed;
        int n = 1 + pick(4);
        for (int i = 0; i < n; ++i)
            doomed.push_back(pick(count));
        database_.deleteTerms(doomed);
        std::set<uint32_t> unique(doomed.begin(), doomed.end());
        for (auto index = unique.rbegin(); index != unique.rend(); ++index)
            reference_.tags.erase(reference_.tags.begin() + *index);
    }

    // As the category pane does: tick adds the term where it is not a member, untick
    // removes it without renumbering.
    void toggleMembership(uint32_t count) {
        if (count == 0)
            return;
        uint32_t term = pick(count);
        int c = static_cast<int>(pick(CategoryCount));
        cCategory* category = database_.category(c);
        std::set<int>& cats = reference_.memberships[reference_.tags[term]];
        if (category->isMember(term)) {
            category->removeMember(term, false);
            cats.erase(c);
        } else {
            category->addMember(term);
            cats.insert(c);
        }
    }

    std::mt19937 random_;
    cDatabase database_;
    cReferenceModel reference_;
    int nextTag_ = 0;
};

} // namespace

TEST(TermPropertyTest, RandomEditsKeepEveryTermsOwnMemberships) {
    for (unsigned seed : {1u, 42u, 2024u, 777u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        cPropertyRun run(seed);
        for (int step = 0; step < 4000; ++step) {
            run.step();
            run.check(step);
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
}
