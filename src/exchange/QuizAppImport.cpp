// A QuizApp module is a PDB file (see dbfile/PdbFormat.h) of type "flsh". Of its header only
// the app-info offset, the type and the record count are used.
//
// App-info block, at the app-info offset (texts 8-bit, NUL-terminated within their width or
// filling it; the bytes between the fields are not read):
//   offset width field
//        0     4 vendor ID, four characters
//        4     4 module ID, four characters
//       26    64 vendor name
//       90   192 module name
//      282    32 module category
//      316   512 module text
//      828   256 card-category names, 8 slots of 32 bytes
//     1340   256 card-side names, 8 slots of 32 bytes
//
// Card record, at the record's data offset (integers big-endian):
//   offset width field
//        0     4 not used
//        8     1 card-category index, 0-based among the card categories
//       42     2 compressed length
//       44     2 uncompressed length
//       46     n zlib stream of the compressed length
//
// The uncompressed card is a row of NUL-terminated 8-bit strings. The first is the front
// (attribute 0); every further string follows a run of NULs, the terminator before it
// included, and the length of that run is its attribute index.

#include "exchange/QuizAppImport.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <zlib.h>

#include "dbfile/FileBytes.h"
#include "dbfile/PdbFormat.h"
#include "model/Database.h"
#include "text/TextIds.h"

namespace {

constexpr uint32_t kTypeFlashcards = PdbFourCC("flsh");
constexpr uint32_t kTypeMultipleChoice = PdbFourCC("mult");

constexpr size_t kAppInfoOffsetField = 52;

constexpr size_t kVendorIdOffset = 0;
constexpr size_t kModuleIdOffset = 4;
constexpr size_t kIdWidth = 4;
constexpr size_t kVendorNameOffset = 26;
constexpr size_t kVendorNameWidth = 64;
constexpr size_t kModuleNameOffset = 90;
constexpr size_t kModuleNameWidth = 192;
constexpr size_t kModuleCategoryOffset = 282;
constexpr size_t kModuleCategoryWidth = 32;
constexpr size_t kModuleTextOffset = 316;
constexpr size_t kModuleTextWidth = 512;
constexpr size_t kCardCategoriesOffset = 828;
constexpr size_t kCardSidesOffset = 1340;
constexpr size_t kSlotCount = 8;
constexpr size_t kSlotWidth = 32;
constexpr size_t kAppInfoExtent = kCardSidesOffset + kSlotCount * kSlotWidth;

constexpr size_t kCardCategoryOffset = 8;
constexpr size_t kCompressedLengthOffset = 42;
constexpr size_t kCardStreamOffset = 46;

constexpr const char* kFrontName = "Front of Card";
constexpr const char* kBackName = "Back of Card";

struct sModuleInfo {
    std::string vendorId;
    std::string moduleId;
    std::string vendorName;
    std::string moduleName;
    std::string moduleCategory;
    std::string moduleText;
    std::vector<std::string> cardCategories;
    std::vector<std::string> cardSides;
};

std::string FieldText(const uint8_t* field, size_t width) {
    const char* text = reinterpret_cast<const char*>(field);
    return std::string(text, strnlen(text, width));
}

// The slots in order, up to the first empty one.
std::vector<std::string> SlotTexts(const uint8_t* slots) {
    std::vector<std::string> texts;
    for (size_t slot = 0; slot < kSlotCount; ++slot) {
        std::string text = FieldText(slots + slot * kSlotWidth, kSlotWidth);
        if (text.empty())
            break;
        texts.push_back(std::move(text));
    }
    return texts;
}

// block holds at least kAppInfoExtent bytes.
sModuleInfo ReadModuleInfo(const uint8_t* block) {
    sModuleInfo info;
    info.vendorId.assign(reinterpret_cast<const char*>(block + kVendorIdOffset), kIdWidth);
    info.moduleId.assign(reinterpret_cast<const char*>(block + kModuleIdOffset), kIdWidth);
    info.vendorName = FieldText(block + kVendorNameOffset, kVendorNameWidth);
    info.moduleName = FieldText(block + kModuleNameOffset, kModuleNameWidth);
    info.moduleCategory = FieldText(block + kModuleCategoryOffset, kModuleCategoryWidth);
    info.moduleText = FieldText(block + kModuleTextOffset, kModuleTextWidth);
    info.cardCategories = SlotTexts(block + kCardCategoriesOffset);
    info.cardSides = SlotTexts(block + kCardSidesOffset);
    return info;
}

// The IDs go in as four characters each; one of them being NUL ends the description there,
// as it always has.
std::string Description(const sModuleInfo& info) {
    std::string text;
    text += "Module Name: " + info.moduleName + "\r\n\r\n";
    text += "Module ID: " + info.moduleId + "\r\n\r\n";
    text += "Vendor Name: " + info.vendorName + "\r\n\r\n";
    text += "Vendor ID: " + info.vendorId + "\r\n\r\n";
    text += "Category: " + info.moduleCategory + "\r\n\r\n";
    text += info.moduleText;
    return text;
}

void BuildFrame(cDatabase& db, const sModuleInfo& info) {
    db.name.assign(info.moduleName.substr(0, kPdbMaxNameLength).c_str());
    db.description.assign(Description(info).c_str());
    db.attributes.append(new cAttribute(MediaTypeAscii, kFrontName));
    for (const std::string& side : info.cardSides)
        db.attributes.append(new cAttribute(MediaTypeAscii, side.c_str()));
    if (info.cardSides.empty())
        db.attributes.append(new cAttribute(MediaTypeAscii, kBackName));
    for (const std::string& category : info.cardCategories)
        db.categories.append(new cCategory(0, category.c_str()));
}

// text holds length bytes and a NUL behind them. The strings are kept as they stand. A
// string whose run of NULs names no attribute is left out: no pane could show it, and the
// database file could not load the rest of its term back.
void AddCardValues(cTerm& term, const char* text, size_t length, uint32_t attributeCount) {
    term.changeValues().append(new cAsciiValue(0, text));
    size_t position = std::strlen(text);
    for (;;) {
        size_t run = 0;
        while (position < length && text[position] == '\0') {
            ++position;
            ++run;
        }
        if (position >= length)
            return;
        // The uncompressed length is 16 bits, so the run fits an attribute index.
        if (run < attributeCount)
            term.changeValues().append(new cAsciiValue(static_cast<uint16_t>(run), text + position));
        position += std::strlen(text + position);
    }
}

// The card's fields occupy [offset, end) of the file; false when it cannot be read or
// decompressed. The stream's bytes are taken from the file, not from the record, so a
// compressed length that runs past the stream into the next record does no harm when the
// file holds that many bytes: zlib stops at the end of a complete stream and ignores the
// rest. A stream that is really cut short still fails to decompress.
bool ReadCard(const std::vector<uint8_t>& file, uint32_t offset, size_t end, cDatabase& db) {
    cByteReader card(file.data() + offset, end - offset);
    uint8_t categoryIndex = 0;
    uint16_t compressedLength = 0;
    uint16_t uncompressedLength = 0;
    if (!card.seek(kCardCategoryOffset) || !card.readU8(categoryIndex) ||
        !card.seek(kCompressedLengthOffset) || !card.readU16(compressedLength) ||
        !card.readU16(uncompressedLength) ||
        file.size() - offset - kCardStreamOffset < compressedLength)
        return false;

    // One byte more than the text, zero, so the last string always ends.
    std::vector<uint8_t> text(size_t(uncompressedLength) + 1, 0);
    uLongf produced = uncompressedLength;
    if (uncompress(text.data(), &produced, card.data() + kCardStreamOffset, compressedLength) !=
            Z_OK ||
        produced != uncompressedLength)
        return false;

    auto term = std::make_unique<cTerm>();
    AddCardValues(*term, reinterpret_cast<const char*>(text.data()), uncompressedLength,
                  db.attributes.count());
    const uint32_t termIndex = db.terms.count();
    db.terms.append(term.release());
    if (cCategory* category = db.category(categoryIndex))
        category->addMember(termIndex);
    return true;
}

// A card runs to the next record's offset, or to the end of the file when there is no next
// record or the records are not in file order.
size_t CardEnd(const std::vector<uint32_t>& offsets, size_t record, size_t fileSize) {
    if (record + 1 < offsets.size() && offsets[record + 1] >= offsets[record] &&
        offsets[record + 1] <= fileSize)
        return offsets[record + 1];
    return fileSize;
}

} // namespace

int ImportQuizAppModule(cDatabase& db, const std::string& path) {
    // The header first: a file of another kind costs its first bytes, not its size.
    std::vector<uint8_t> bytes;
    if (ReadFileHead(path, kPdbHeaderSize, bytes) != eFileRead::Read)
        return QuizAppResultCannotOpen;
    cByteReader head(bytes);
    uint32_t type = 0;
    if (!ReadType(head, type))
        return QuizAppResultShortHeader;
    if (type == kTypeMultipleChoice)
        return QuizAppResultNotFlashcards;
    if (type != kTypeFlashcards)
        return QuizAppResultUnknownType;
    if (!ReadFileBytes(path, bytes))
        return QuizAppResultCannotOpen;
    cByteReader file(bytes);

    uint32_t appInfoOffset = 0;
    uint16_t recordCount = 0;
    if (bytes.size() < kPdbHeaderSize || !file.seek(kAppInfoOffsetField) ||
        !file.readU32(appInfoOffset) || !ReadRecordCount(file, recordCount))
        return QuizAppResultShortHeader;

    if (uint64_t(appInfoOffset) + kAppInfoExtent > bytes.size())
        return QuizAppResultShortAppInfo;
    const sModuleInfo info = ReadModuleInfo(bytes.data() + appInfoOffset);

    if (kPdbHeaderSize + kPdbRecordEntrySize * size_t(recordCount) > bytes.size())
        return QuizAppResultShortRecordList;
    std::vector<uint32_t> offsets(recordCount);
    file.seek(kPdbHeaderSize);
    for (uint32_t& offset : offsets) {
        file.readU32(offset);
        file.skip(kPdbRecordEntrySize - 4);
    }

    BuildFrame(db, info);
    for (size_t record = 0; record < offsets.size(); ++record) {
        if (offsets[record] > bytes.size() ||
            !ReadCard(bytes, offsets[record], CardEnd(offsets, record, bytes.size()), db))
            return QuizAppResultBadCard;
    }
    return QuizAppResultOk;
}

int QuizAppFailureText(int result) {
    switch (result) {
    case QuizAppResultOk:
        return 0;
    case QuizAppResultNotFlashcards:
        return TextQuizAppNotFlashcards;
    case QuizAppResultUnknownType:
        return TextQuizAppUnknownType;
    default:
        return TextImportFailed;
    }
}
