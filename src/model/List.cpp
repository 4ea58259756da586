#include "model/List.h"

#include <new>

cList::cList(bool owns) : owns_(owns) {
    head_.next = &tail_;
    tail_.prev = &head_;
}

cList::cList(cList&& other) noexcept : cList(other.owns_) {
    stealFrom(other);
}

cList& cList::operator=(cList&& other) noexcept {
    if (this != &other) {
        clear();
        owns_ = other.owns_;
        stealFrom(other);
    }
    return *this;
}

void cList::stealFrom(cList& other) {
    if (other.count_ > 0) {
        head_.next = other.head_.next;
        head_.next->prev = &head_;
        tail_.prev = other.tail_.prev;
        tail_.prev->next = &tail_;
        count_ = other.count_;
        cursor_ = other.cursor_;
        cursorIndex_ = other.cursorIndex_;
    }
    other.head_.next = &other.tail_;
    other.tail_.prev = &other.head_;
    other.count_ = 0;
    other.cursor_ = nullptr;
}

void cList::linkBefore(cListNode* next, cListNode* node) {
    // Keep the positional cursor right where the new node's place relative to it is known
    // without a walk; otherwise forget it.
    if (cursor_) {
        if (next == &tail_ || next == cursor_->next) {
            // after the cursor: its index stays
        } else if (next == cursor_) {
            cursor_ = node; // the new node takes the cursor's index
        } else if (next == head_.next) {
            ++cursorIndex_;
        } else {
            forgetCursor();
        }
    }
    node->prev = next->prev;
    node->next = next;
    next->prev->next = node;
    next->prev = node;
    ++count_;
}

cObject* cList::append(int32_t key, const char* name, cObject* payload) {
    auto* node = new (std::nothrow) cListNode;
    if (!node)
        return nullptr;
    node->key = key;
    node->name.assign(name);
    node->payload = payload;
    linkBefore(&tail_, node);
    return payload;
}

cObject* cList::appendUnique(int32_t key, const char* name, cObject* payload) {
    if (findNodeByKey(key))
        return nullptr;
    return append(key, name, payload);
}

cListNode* cList::insertBefore(cListNode* node, const char* name, cObject* payload) {
    if (!node || node == &head_)
        return nullptr;
    auto* created = new (std::nothrow) cListNode;
    if (!created)
        return nullptr;
    created->name.assign(name);
    created->payload = payload;
    linkBefore(node, created);
    return created;
}

cObject* cList::at(uint32_t index) const {
    cListNode* node = nodeAt(index);
    return node ? node->payload : nullptr;
}

cListNode* cList::nodeAt(uint32_t index) const {
    if (index >= count_)
        return nullptr;
    // Start from the nearest of the first element, the last element and the cursor.
    cListNode* node = head_.next;
    uint32_t position = 0;
    uint32_t distance = index;
    if (count_ - 1 - index < distance) {
        node = tail_.prev;
        position = count_ - 1;
        distance = count_ - 1 - index;
    }
    if (cursor_) {
        uint32_t fromCursor = cursorIndex_ > index ? cursorIndex_ - index : index - cursorIndex_;
        if (fromCursor < distance) {
            node = cursor_;
            position = cursorIndex_;
        }
    }
    while (position < index) {
        node = node->next;
        ++position;
    }
    while (position > index) {
        node = node->prev;
        --position;
    }
    cursor_ = node;
    cursorIndex_ = index;
    return node;
}

cListNode* cList::findNodeByKey(int32_t key) const {
    for (cListNode* node = head_.next; node != &tail_; node = node->next)
        if (node->key == key)
            return node;
    return nullptr;
}

cObject* cList::findByKey(int32_t key) const {
    cListNode* node = findNodeByKey(key);
    return node ? node->payload : nullptr;
}

cListNode* cList::findNodeByPayload(const cObject* payload) const {
    uint32_t index = 0;
    for (cListNode* node = head_.next; node != &tail_; node = node->next, ++index) {
        if (node->payload == payload) {
            // Usually followed by remove(node), which keeps a cursor standing on it valid.
            cursor_ = node;
            cursorIndex_ = index;
            return node;
        }
    }
    return nullptr;
}

int32_t cList::indexOf(const cObject* payload) const {
    return findNodeByPayload(payload) ? static_cast<int32_t>(cursorIndex_) : -1;
}

cObject* cList::remove(cListNode* node) {
    if (!node || node == &head_ || node == &tail_)
        return nullptr;
    if (cursor_) {
        if (node == cursor_) {
            if (node->next != &tail_) {
                cursor_ = node->next; // the follower takes the cursor's index
            } else if (node->prev != &head_) {
                cursor_ = node->prev;
                --cursorIndex_;
            } else {
                forgetCursor();
            }
        } else if (node->next == &tail_ || node == cursor_->next) {
            // after the cursor: its index stays
        } else if (node->prev == &head_ || node == cursor_->prev) {
            --cursorIndex_;
        } else {
            forgetCursor();
        }
    }
    node->prev->next = node->next;
    node->next->prev = node->prev;
    --count_;
    cObject* payload = node->payload;
    delete node;
    return payload;
}

cObject* cList::removePayload(const cObject* payload) {
    cListNode* node = findNodeByPayload(payload);
    return node ? remove(node) : nullptr;
}

void cList::clear() {
    forgetCursor();
    // Every node goes, last first, so none needs unlinking on its own: the list is emptied
    // at once and the nodes freed afterwards. Destroying a database at the limits frees
    // some 400,000 nodes this way.
    cListNode* node = count_ ? tail_.prev : nullptr;
    head_.next = &tail_;
    tail_.prev = &head_;
    for (uint32_t n = count_; n > 0; --n) {
        cListNode* previous = node->prev;
        if (owns_ && node->payload)
            node->payload->destroy();
        delete node;
        node = previous;
    }
    count_ = 0;
}

void cList::appendAll(const cList& other) {
    // Walk a fixed number of nodes, so that appending a list to itself ends.
    const cListNode* node = other.head_.next;
    for (uint32_t n = other.count_; n > 0; --n, node = node->next)
        append(node->key, node->name.text(), node->payload);
}

void cListIterator::start(cList& list) {
    list_ = &list;
    node_ = list.head();
    payload_ = nullptr;
    index_ = -1;
    savedCount_ = list.count();
}

bool cListIterator::next() {
    if (!list_)
        return false;
    if (list_->count() < savedCount_) {
        // Something removed elements behind the walk's back: node_ may be gone.
        savedCount_ = list_->count();
        node_ = list_->head();
        payload_ = nullptr;
        index_ = -1;
    }
    if (node_ == list_->tail())
        return false;
    node_ = node_->next;
    ++index_;
    if (node_ == list_->tail())
        return false;
    payload_ = node_->payload;
    return true;
}

bool cListIterator::back() {
    if (!list_ || node_ == list_->head())
        return false;
    node_ = node_->prev;
    if (node_ == list_->head())
        return false;
    --index_;
    payload_ = node_->payload;
    return true;
}

cObject* cListIterator::removeCurrent() {
    if (!list_ || node_ == list_->head() || node_ == list_->tail())
        return nullptr;
    cListNode* removed = node_;
    if (removed->prev == list_->head()) {
        node_ = list_->head();
        payload_ = nullptr;
        index_ = -1;
    } else {
        back();
    }
    cObject* payload = list_->remove(removed);
    savedCount_ = list_->count();
    return payload;
}
