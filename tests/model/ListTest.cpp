#include "model/List.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <type_traits>
#include <vector>

namespace {

// A payload that counts its destructions and carries a number.
struct cProbe : cObject {
    explicit cProbe(int n, int* destroyed = nullptr) : number(n), destroyedCount(destroyed) {}
    ~cProbe() override {
        if (destroyedCount)
            ++*destroyedCount;
    }
    int number;
    int* destroyedCount;
};

int NumberAt(const cList& list, uint32_t index) {
    return static_cast<cProbe*>(list.at(index))->number;
}

std::vector<int> Numbers(cList& list) {
    std::vector<int> numbers;
    cListIterator walk(list);
    while (walk.next())
        numbers.push_back(walk.payloadAs<cProbe>()->number);
    return numbers;
}

void Fill(cList& list, int count, int* destroyed = nullptr) {
    for (int i = 0; i < count; ++i)
        list.append(new cProbe(i, destroyed));
}

} // namespace

TEST(ListTest, PositionsPastTheEndGiveNothing) {
    cList list;
    EXPECT_EQ(list.at(0), nullptr);
    Fill(list, 3);
    EXPECT_EQ(list.at(3), nullptr);
    EXPECT_EQ(list.nodeAt(3), nullptr);
    EXPECT_EQ(list.at(uint32_t(-1)), nullptr);
    EXPECT_EQ(NumberAt(list, 2), 2);
}

TEST(ListTest, InsertBeforeSentinels) {
    cList list;
    Fill(list, 2);
    cProbe refused(9);
    EXPECT_EQ(list.insertBefore(list.head(), nullptr, &refused), nullptr);
    EXPECT_EQ(list.count(), 2u);
    list.insertBefore(list.tail(), nullptr, new cProbe(7));
    list.insertBefore(list.nodeAt(0), nullptr, new cProbe(5));
    EXPECT_EQ(Numbers(list), (std::vector<int>{5, 0, 1, 7}));
}

TEST(ListTest, RemoveHandsThePayloadBackAndSparesSentinels) {
    int destroyed = 0;
    cList list;
    Fill(list, 3, &destroyed);
    cObject* middle = list.at(1);
    EXPECT_EQ(list.remove(list.head()), nullptr);
    EXPECT_EQ(list.remove(list.tail()), nullptr);
    EXPECT_EQ(list.removePayload(middle), middle);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(list.removePayload(middle), nullptr);
    middle->destroy();
    EXPECT_EQ(Numbers(list), (std::vector<int>{0, 2}));
}

TEST(ListTest, ClearDestroysOnlyWhenOwning) {
    int destroyed = 0;
    {
        cList owning;
        Fill(owning, 4, &destroyed);
    }
    EXPECT_EQ(destroyed, 4);
    cProbe kept(1, &destroyed);
    {
        cList borrowing(false);
        borrowing.append(&kept);
    }
    EXPECT_EQ(destroyed, 4);
}

TEST(ListTest, KeysNamesAndAppendUnique) {
    cList list(false);
    list.append(4, "four", nullptr);
    list.append(7, nullptr);
    EXPECT_EQ(list.appendUnique(4, "again", nullptr), nullptr);
    EXPECT_EQ(list.count(), 2u);
    ASSERT_NE(list.findNodeByKey(4), nullptr);
    EXPECT_STREQ(list.findNodeByKey(4)->name.text(), "four");
    EXPECT_EQ(list.findNodeByKey(5), nullptr);
    cList copy(false);
    copy.appendAll(list);
    copy.appendAll(copy);
    EXPECT_EQ(copy.count(), 4u);
    EXPECT_EQ(copy.nodeAt(3)->key, 7);
}

TEST(ListTest, WalkRestartsWhenAnotherOperationRemovesAnElement) {
    cList list;
    Fill(list, 4);
    cListIterator walk(list);
    std::vector<int> seen;
    while (walk.next()) {
        seen.push_back(walk.payloadAs<cProbe>()->number);
        if (seen.size() == 3)
            list.remove(list.nodeAt(3))->destroy();
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0, 1, 2}));
}

TEST(ListTest, RemovingTheCurrentElementGoesOnWithTheNext) {
    cList list;
    Fill(list, 6);
    cListIterator walk(list);
    std::vector<int> seen;
    std::vector<int> indices;
    while (walk.next()) {
        int n = walk.payloadAs<cProbe>()->number;
        seen.push_back(n);
        indices.push_back(walk.index());
        if (n == 0 || n == 2 || n == 3 || n == 5)
            walk.removeCurrent()->destroy();
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    // The index names the element's position in the list as it is at that moment.
    EXPECT_EQ(indices, (std::vector<int>{0, 0, 1, 1, 1, 2}));
    EXPECT_EQ(Numbers(list), (std::vector<int>{1, 4}));
}

TEST(ListTest, WalkReachesElementsAppendedDuringIt) {
    cList list;
    Fill(list, 2);
    cListIterator walk(list);
    std::vector<int> seen;
    while (walk.next()) {
        seen.push_back(walk.payloadAs<cProbe>()->number);
        if (seen.size() == 1)
            list.append(new cProbe(9));
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 9}));
}

TEST(ListTest, ItemsAndNodesVisitEveryElementInOrder) {
    cList list;
    EXPECT_EQ(Items<cProbe>(list).begin(), Items<cProbe>(list).end());
    list.append(10, new cProbe(0));
    list.append(11, new cProbe(1));
    list.append(12, new cProbe(2));
    std::vector<int> numbers;
    for (cProbe* probe : Items<cProbe>(list))
        numbers.push_back(probe->number++);
    std::vector<int> keys;
    for (cListNode* node : Nodes(list))
        keys.push_back(node->key);
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(keys, (std::vector<int>{10, 11, 12}));

    // A const list gives const elements; the changes made through the walk above stay.
    const cList& constant = list;
    static_assert(std::is_same_v<decltype(*Items<cProbe>(constant).begin()), const cProbe*>);
    static_assert(std::is_same_v<decltype(*Nodes(constant).begin()), const cListNode*>);
    numbers.clear();
    for (const cProbe* probe : Items<cProbe>(constant))
        numbers.push_back(probe->number);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3}));
}

TEST(ListTest, BackStopsAtTheFirstElement) {
    cList list;
    Fill(list, 2);
    cListIterator walk(list);
    EXPECT_FALSE(walk.back());
    walk.next();
    walk.next();
    EXPECT_TRUE(walk.back());
    EXPECT_EQ(walk.index(), 0);
    EXPECT_EQ(walk.payloadAs<cProbe>()->number, 0);
    EXPECT_FALSE(walk.back());
    EXPECT_TRUE(walk.next());
    EXPECT_EQ(walk.payloadAs<cProbe>()->number, 0);
}

TEST(ListTest, MoveHandsNodesOver) {
    cList source;
    Fill(source, 3);
    source.at(1);
    cList moved(std::move(source));
    EXPECT_EQ(source.count(), 0u);
    EXPECT_EQ(source.at(0), nullptr);
    EXPECT_EQ(Numbers(moved), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(NumberAt(moved, 1), 1);
    moved.append(new cProbe(3));
    EXPECT_EQ(NumberAt(moved, 3), 3);
}

// Node at position reached by a walk, which leaves the positional cursor where it is.
static cListNode* WalkTo(cList& list, uint32_t position) {
    cListIterator walk(list);
    for (uint32_t i = 0; i <= position; ++i)
        walk.next();
    return walk.node();
}

// Positional access keeps a cursor; it must stay right through every kind of change, made
// next to it, far from it, at either end, through nodeAt or through a walk. A reference
// vector follows the same changes.
TEST(ListTest, PositionalAccessStaysCorrectThroughInsertsAndRemoves) {
    std::mt19937 random(20240611);
    cList list;
    std::vector<int> reference;
    int nextNumber = 0;
    uint32_t lastRead = 0;
    for (int step = 0; step < 30000; ++step) {
        uint32_t count = list.count();
        // Positions next to the cursor reach the branches that keep it without a walk.
        uint32_t position = random() % (count + 1);
        if (random() % 2 && count > 0) {
            int near = int(lastRead) + int(random() % 5) - 2;
            position = uint32_t(std::max(0, std::min(int(count), near)));
        }
        int action = count == 0 ? 0 : random() % 10;
        if (action == 0) {
            list.append(new cProbe(nextNumber));
            reference.push_back(nextNumber++);
        } else if (action >= 1 && action <= 3) {
            cListNode* before = position == count ? list.tail()
                                : action == 1     ? list.nodeAt(position)
                                                  : WalkTo(list, position);
            list.insertBefore(before, nullptr, new cProbe(nextNumber));
            reference.insert(reference.begin() + position, nextNumber++);
        } else if (action >= 4 && action <= 6) {
            position = std::min(position, count - 1);
            if (action == 4) {
                list.remove(list.nodeAt(position))->destroy();
            } else if (action == 5) {
                cListIterator walk(list);
                for (uint32_t i = 0; i <= position; ++i)
                    walk.next();
                walk.removeCurrent()->destroy();
            } else {
                list.removePayload(WalkTo(list, position)->payload)->destroy();
            }
            reference.erase(reference.begin() + position);
        } else {
            position = std::min(position, count - 1);
            ASSERT_EQ(NumberAt(list, position), reference[position]) << "step " << step;
            lastRead = position;
        }
        if (step % 1000 == 0) {
            for (uint32_t i = 0; i < reference.size(); ++i)
                ASSERT_EQ(NumberAt(list, i), reference[i]);
            for (uint32_t i = reference.size(); i-- > 0;)
                ASSERT_EQ(NumberAt(list, i), reference[i]);
        }
    }
    ASSERT_EQ(list.count(), reference.size());
    for (uint32_t i = 0; i < reference.size(); ++i)
        ASSERT_EQ(NumberAt(list, i), reference[i]);
    EXPECT_EQ(list.indexOf(list.at(5)), 5);
}

// Reading every element by index must not cost a walk from the head each time: with
// 65,532 elements that would be about two billion steps.
TEST(ListTest, ReadingEveryElementByIndexIsLinear) {
    cList list;
    const int count = 65532;
    Fill(list, count);
    long long sum = 0;
    for (int round = 0; round < 20; ++round)
        for (uint32_t i = 0; i < uint32_t(count); ++i)
            sum += NumberAt(list, i);
    EXPECT_EQ(sum, 20LL * count * (count - 1) / 2);
}
