#pragma once
// An attribute: a named column of the database with a media type fixed at creation. Values
// refer to their attribute by its position in the database's attributes list.

#include "model/Object.h"
#include "model/String.h"

#include <cstdint>

enum : uint16_t {
    MediaTypeAscii = 1,
    MediaTypeUnicode = 2,
};

class cAttribute : public cObject {
public:
    explicit cAttribute(uint16_t type = MediaTypeAscii) : mediaType(type) {}
    cAttribute(uint16_t type, const char* attributeName) : mediaType(type), name(attributeName) {}

    // A copy with the same media type and name.
    cAttribute* clone() const { return new cAttribute(mediaType, name.text()); }

    uint16_t mediaType;
    cString name;
};
