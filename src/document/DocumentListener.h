#pragma once
// What a view of the open database hears from the document after each change. Every
// notification comes after the database has changed; rows and indices are positions in
// the changed database unless said otherwise. A listener overrides what it follows.

#include <cstdint>
#include <vector>

struct sPlace;

class cDocumentListener {
public:
    virtual ~cDocumentListener() = default;

    // New terms at first .. first + count - 1; the terms behind them moved up by count.
    virtual void termsInserted(uint32_t /*first*/, uint32_t /*count*/) {}
    // The terms that were at removed (ascending, positions before the removal) are gone.
    virtual void termsRemoved(const std::vector<uint32_t>& /*removed*/) {}
    // Terms were moved or copied in numbers: every row may show another term.
    virtual void termsRearranged() {}
    // The term's value of the attribute was set, emptied or removed.
    virtual void valueChanged(uint32_t /*term*/, uint32_t /*attribute*/) {}

    enum class eChange { Inserted, Removed, Renamed };
    // An attribute (with its values) or a category came, went or was renamed at index.
    virtual void attributesChanged(eChange /*change*/, uint32_t /*index*/) {}
    virtual void categoriesChanged(eChange /*change*/, uint32_t /*index*/) {}
    // Terms joined or left the category at index.
    virtual void membershipsChanged(uint32_t /*category*/) {}

    // The whole database was replaced or extended (open, new, import, merge).
    virtual void reset() {}
    // The modified flag was set or cleared, or the path changed with a save.
    virtual void modifiedChanged(bool /*modified*/) {}
    // The backup of a change could not be written; textId says why. Told once, and again
    // only after a backup was written since.
    virtual void backupFailed(int /*textId*/) {}
    // A step was done, undone or redone: what Undo and Redo would do now has changed.
    virtual void historyChanged() {}
    // After an undo or a redo: where the change had been made.
    virtual void placeRestored(const sPlace& /*place*/) {}
};
