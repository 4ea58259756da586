#include "model/TextStore.h"

#include <functional>
#include <new>
#include <utility>

namespace {

// The live stores: one per database loaded whose texts are still in use, so a few at most.
cTextStore* stores = nullptr;

} // namespace

cTextStore* cTextStore::hold(std::vector<uint8_t>& bytes) noexcept {
    auto* store = new (std::nothrow) cTextStore;
    if (!store)
        return nullptr;
    store->bytes_ = std::move(bytes);
    store->next_ = stores;
    stores = store;
    return store;
}

void cTextStore::letGo() noexcept {
    held_ = false;
    freeIfDone();
}

bool cTextStore::holds(const void* buffer) const {
    const auto* p = static_cast<const uint8_t*>(buffer);
    const std::less<const uint8_t*> before;
    return !bytes_.empty() && !before(p, bytes_.data()) && before(p, bytes_.data() + bytes_.size());
}

char* cTextStore::take(const char* text) noexcept {
    for (cTextStore* store = stores; store; store = store->next_) {
        if (store->held_ && store->holds(text)) {
            ++store->textsOut_;
            const auto offset = static_cast<size_t>(reinterpret_cast<const uint8_t*>(text) -
                                                    store->bytes_.data());
            return reinterpret_cast<char*>(store->bytes_.data() + offset);
        }
    }
    return nullptr;
}

bool cTextStore::giveBack(const void* buffer) noexcept {
    for (cTextStore* store = stores; store; store = store->next_) {
        if (store->holds(buffer)) {
            --store->textsOut_;
            store->freeIfDone();
            return true;
        }
    }
    return false;
}

void cTextStore::freeIfDone() noexcept {
    if (held_ || textsOut_ > 0)
        return;
    for (cTextStore** link = &stores; *link; link = &(*link)->next_) {
        if (*link == this) {
            *link = next_;
            break;
        }
    }
    delete this;
}
