#pragma once
// The root of every model class. Lists own their elements through this base, so deleting
// through it must reach the most derived destructor.

class cObject {
public:
    cObject() = default;
    cObject(const cObject&) = delete;
    cObject& operator=(const cObject&) = delete;
    virtual ~cObject() = default;

    // Deletes the object through its most derived class. The object must have been made
    // with new; after the call it is gone.
    void destroy() { delete this; }
};
