// Attribute operations of cDatabase. Values name their attribute by position, so deleting
// an attribute renumbers the values of every attribute behind it.

#include "model/Database.h"
#include "model/Limits.h"
#include "text/Messages.h"
#include "text/TextIds.h"

#include <new>

int32_t cDatabase::addAttribute(uint16_t mediaType) {
    uint32_t count = attributes.count();
    if (count >= MaxAttributeCount || AttributeRecordBytesPerEntry * count >= MaxRecordBytes) {
        ShowTableMessage(TextCaptionError, TextAttributeLimit);
        return -1;
    }
    auto* added = new (std::nothrow) cAttribute(mediaType);
    if (!added || !attributes.append(added)) {
        delete added;
        return -1;
    }
    return static_cast<int32_t>(count);
}

void cDatabase::renameAttribute(uint32_t index, const char* text) {
    if (cAttribute* renamed = attribute(index))
        renamed->name.assign(text);
}

void cDatabase::deleteAttribute(uint32_t index) {
    cListNode* node = attributes.nodeAt(index);
    if (!node)
        return;
    if (countValuesOfAttribute(index) > 0) {
        for (cTerm* term : Items<cTerm>(terms))
            term->changeValues().destroyIf(
                [index](const cValue* value) { return value->attribute == index; });
    }
    attributes.remove(node)->destroy();
    for (cTerm* term : Items<cTerm>(terms))
        for (cValue* value : Items<cValue>(term->changeValues()))
            if (value->attribute > index)
                --value->attribute;
}

int32_t cDatabase::findAttribute(uint16_t mediaType, const char* name) const {
    int32_t index = 0;
    for (const cAttribute* candidate : Items<cAttribute>(attributes)) {
        if (candidate->mediaType == mediaType && candidate->name.equals(name))
            return index;
        ++index;
    }
    return -1;
}

uint32_t cDatabase::countValuesOfAttribute(uint32_t index) const {
    uint32_t count = 0;
    for (const cTerm* term : Items<cTerm>(terms))
        for (const cValue* value : Items<cValue>(term->values()))
            if (value->attribute == index)
                ++count;
    return count;
}

cValue* cDatabase::createValue(uint32_t attributeIndex) const {
    const cAttribute* owner = attribute(attributeIndex);
    return owner ? newValue(static_cast<uint16_t>(attributeIndex), owner->mediaType) : nullptr;
}

cValue* cDatabase::newValue(uint16_t attributeIndex, uint16_t mediaType) {
    cValue* value = nullptr;
    if (mediaType == MediaTypeAscii)
        value = new (std::nothrow) cAsciiValue;
    else if (mediaType == MediaTypeUnicode)
        value = new (std::nothrow) cUnicodeValue;
    if (value)
        value->attribute = attributeIndex;
    return value;
}

namespace {

// A text of the wrong encoding would silently leave the value empty; refuse it instead.
template <class Char>
cValue* CreateWithText(const cDatabase& database, uint32_t attributeIndex, const Char* text,
                       uint16_t encoding) {
    cValue* value = database.createValue(attributeIndex);
    if (!value || !text)
        return value;
    if (value->mediaType() != encoding) {
        value->destroy();
        return nullptr;
    }
    value->setText(text);
    return value;
}

} // namespace

cValue* cDatabase::createValue(uint32_t attributeIndex, const char* text) const {
    return CreateWithText(*this, attributeIndex, text, MediaTypeAscii);
}

cValue* cDatabase::createValue(uint32_t attributeIndex, const char16_t* text) const {
    return CreateWithText(*this, attributeIndex, text, MediaTypeUnicode);
}
