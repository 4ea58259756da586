#pragma once
// cList: the one container of the model. An ordered doubly-linked list between two sentinel
// nodes that live inside the list object, with a count and an owns flag. Elements keep the
// order in which they were inserted; nothing sorts a list.
//
// Positional access (at, nodeAt) does not walk from the head each time: the list remembers
// the last node reached by position and walks from whichever of head, tail and that cursor
// is nearest, so reading every element by ascending (or descending) index is O(n) in total.
// Every insert and remove keeps the cursor right or forgets it.

#include "model/Object.h"
#include "model/Pool.h"
#include "model/String.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>

struct cListNode : cPooled<cListNode> {
    int32_t key = 0;
    cString name;
    cListNode* next = nullptr;
    cListNode* prev = nullptr;
    cObject* payload = nullptr;
};

class cList {
public:
    explicit cList(bool owns = true);
    ~cList() { clear(); }
    cList(const cList&) = delete;
    cList& operator=(const cList&) = delete;
    // Moving hands all nodes and the owns flag over; the source is left empty.
    cList(cList&& other) noexcept;
    cList& operator=(cList&& other) noexcept;

    // New node at the end; each returns the payload (nullptr when the node could not be
    // allocated, or when the payload itself is nullptr).
    cObject* append(cObject* payload) { return append(0, nullptr, payload); }
    cObject* append(int32_t key, cObject* payload) { return append(key, nullptr, payload); }
    cObject* append(const char* name, cObject* payload) { return append(0, name, payload); }
    cObject* append(int32_t key, const char* name, cObject* payload);
    // As append, unless a node with that key exists: then nothing is appended and nullptr
    // is returned.
    cObject* appendUnique(int32_t key, const char* name, cObject* payload);
    // Links a new node just before node; the tail sentinel appends, the head sentinel (or
    // nullptr) links nothing. Returns the new node or nullptr.
    cListNode* insertBefore(cListNode* node, const char* name, cObject* payload);

    // Element at a 0-based position; nullptr when index >= count.
    cObject* at(uint32_t index) const;
    cListNode* nodeAt(uint32_t index) const;

    cObject* findByKey(int32_t key) const;
    cListNode* findNodeByKey(int32_t key) const;
    // A linear search from the head.
    cListNode* findNodeByPayload(const cObject* payload) const;
    // Position of the first node with that payload, or -1.
    int32_t indexOf(const cObject* payload) const;

    // Unlinks and frees the node and returns its payload, which is never destroyed here.
    // A sentinel or nullptr is not removed (returns nullptr).
    cObject* remove(cListNode* node);
    cObject* removePayload(const cObject* payload);
    // Removes from the back; destroys each payload when the list owns its elements.
    void clear();
    // Appends a node with each of other's key, name and payload, in order. The payloads are
    // then shared: at most one of the two lists may own them.
    void appendAll(const cList& other);

    uint32_t count() const { return count_; }
    bool isEmpty() const { return count_ == 0; }
    bool owns() const { return owns_; }
    void setOwns(bool owns) { owns_ = owns; }

    cListNode* head() { return &head_; }
    cListNode* tail() { return &tail_; }
    const cListNode* head() const { return &head_; }
    const cListNode* tail() const { return &tail_; }
    // First and last element nodes, or nullptr when empty.
    cListNode* first() const { return count_ ? head_.next : nullptr; }
    cListNode* last() const { return count_ ? tail_.prev : nullptr; }

private:
    void linkBefore(cListNode* next, cListNode* node);
    void stealFrom(cList& other);
    void forgetCursor() const { cursor_ = nullptr; }

    cListNode head_;
    cListNode tail_;
    uint32_t count_ = 0;
    bool owns_ = true;
    // The positional cursor: cursor_ is element number cursorIndex_, or nullptr when unknown.
    mutable cListNode* cursor_ = nullptr;
    mutable uint32_t cursorIndex_ = 0;
};

// Range-for over a cList: `for (cTerm* term : Items<cTerm>(db.terms))` yields each payload as
// T* (const T* from a const list), `for (cListNode* node : Nodes(list))` each node, for its key
// or name. They walk from the head sentinel to the tail sentinel as a hand-written loop does,
// with nothing allocated and nothing virtual. The node a walk stands on must stay in the
// list: a walk that removes elements uses cListIterator.
template <class Node, class Element> class cListRange {
public:
    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Element;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Element;

        iterator() = default;
        explicit iterator(Node* node) : node_(node) {}
        Element operator*() const {
            if constexpr (std::is_same_v<Element, Node*>)
                return node_;
            else
                return static_cast<Element>(node_->payload);
        }
        iterator& operator++() {
            node_ = node_->next;
            return *this;
        }
        iterator operator++(int) {
            iterator before = *this;
            node_ = node_->next;
            return before;
        }
        bool operator==(const iterator& other) const { return node_ == other.node_; }
        bool operator!=(const iterator& other) const { return node_ != other.node_; }

    private:
        Node* node_ = nullptr;
    };

    cListRange(Node* first, Node* tail) : first_(first), tail_(tail) {}
    iterator begin() const { return iterator(first_); }
    iterator end() const { return iterator(tail_); }

private:
    Node* first_;
    Node* tail_;
};

template <class T> cListRange<cListNode, T*> Items(cList& list) {
    return {list.head()->next, list.tail()};
}
template <class T> cListRange<const cListNode, const T*> Items(const cList& list) {
    return {list.head()->next, list.tail()};
}
inline cListRange<cListNode, cListNode*> Nodes(cList& list) {
    return {list.head()->next, list.tail()};
}
inline cListRange<const cListNode, const cListNode*> Nodes(const cList& list) {
    return {list.head()->next, list.tail()};
}

// The walker over a cList. A walk that finds the list shorter than when it started (or last
// restarted) starts over from the first element; a list that grows does not restart it.
// A walk that removes its own current element uses removeCurrent, which accounts for the
// shrinking so that the walk goes on with the element that followed.
class cListIterator {
public:
    cListIterator() = default;
    explicit cListIterator(cList& list) { start(list); }

    void start(cList& list);
    // Steps to the next element; false at the end.
    bool next();
    // Steps to the previous element; false when there is none (the walk then stands on the
    // head sentinel, or stays there).
    bool back();
    // Steps back, unlinks the current element's node and returns its payload, which the
    // caller destroys or puts elsewhere. The next call of next() yields the element that
    // followed the removed one. Returns nullptr when the walk stands on no element.
    cObject* removeCurrent();

    cObject* payload() const { return payload_; }
    template <class T> T* payloadAs() const { return static_cast<T*>(payload_); }
    int32_t index() const { return index_; }
    cListNode* node() const { return node_; }

private:
    cList* list_ = nullptr;
    cListNode* node_ = nullptr;
    cObject* payload_ = nullptr;
    int32_t index_ = -1;
    uint32_t savedCount_ = 0;
};
