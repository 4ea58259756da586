#pragma once
// The bytes of a database file just read, kept so that the texts of its values can stay where
// the file holds them instead of each being copied into a buffer of its own: a database at
// the limits has some 130,000 Ascii texts. A text taken from a store goes back through
// ReleaseText like any other, wherever it went meanwhile (another database, the undo
// history); the store frees its bytes once its holder has let go and the last of its texts
// is back.

#include <cstddef>
#include <cstdint>
#include <vector>

class cTextStore {
public:
    // Takes the bytes over, held by the caller until letGo; nullptr (and bytes left as they
    // were) when memory runs out.
    static cTextStore* hold(std::vector<uint8_t>& bytes) noexcept;
    cTextStore(const cTextStore&) = delete;
    cTextStore& operator=(const cTextStore&) = delete;
    // The holder is done: the store goes as soon as no text of it is out.
    void letGo() noexcept;

    const std::vector<uint8_t>& bytes() const { return bytes_; }

    // The text at text, which a held store holds with its NUL, counted as out: it is the
    // store's own writable copy of those bytes. nullptr when no held store holds text.
    static char* take(const char* text) noexcept;
    // True when buffer is a text taken from a store, which is now counted back.
    static bool giveBack(const void* buffer) noexcept;

private:
    cTextStore() = default;
    bool holds(const void* buffer) const;
    void freeIfDone() noexcept;

    std::vector<uint8_t> bytes_;
    size_t textsOut_ = 0;
    bool held_ = true;
    cTextStore* next_ = nullptr;
};
