#include "exchange/AnkiPackageImport.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <unordered_map>
#include <vector>

#include "dbfile/FileBytes.h"
#include "dbfile/PdbFormat.h"
#include "exchange/AnkiCollectionRead.h"
#include "exchange/AnkiHtml.h"
#include "exchange/ZipArchive.h"
#include "exchange/ZstdFrames.h"
#include "model/Database.h"
#include "model/Limits.h"
#include "text/CodePage.h"
#include "text/Messages.h"
#include "text/StringTable.h"
#include "text/TextIds.h"
#include "text/Utf8.h"

namespace {

// Memory, against the 64 × size + 64 MB any reader may use (size: the package's, or the
// collection's when it comes unpacked). The collection may unpack to 24 × size + 16 MB; it
// is held twice at most, while SQLite takes its copy. A zstd collection is incompressible,
// so its entry in the zip may hold at most 4 × size + 1 MB. The database built from it may
// take 32 × size + 32 MB, counted as kTermCost a term and kValueCost a value plus its text;
// a collection of many tiny fields would otherwise cost far more than its bytes.
constexpr uint64_t kUnpackFactor = 24;
constexpr uint64_t kUnpackFloor = 16u << 20;
constexpr uint64_t kCompressedFactor = 4;
constexpr uint64_t kCompressedFloor = 1u << 20;
constexpr uint64_t kBuildFactor = 32;
constexpr uint64_t kBuildFloor = 32u << 20;
constexpr uint64_t kTermCost = 64;
constexpr uint64_t kValueCost = 128;

// One category is left for the "Uncategorized" one a save adds.
constexpr uint32_t kMaxImportedCategories = MaxCategoriesInGroupZero - 1;
constexpr size_t kMaxNameLength = MaxValueTextLength;
constexpr size_t kMaxDescriptionLength = 511;

constexpr char kFieldSeparator = '\x1f';

// Newest first: see the top of AnkiPackageImport.h.
const char* const kCollectionEntries[] = {"collection.anki21b", "collection.anki21",
                                          "collection.anki2"};
const char* const kCompressedEntry = "collection.anki21b";

struct sSummary {
    uint32_t notes = 0;
    uint32_t droppedMedia = 0;
    uint32_t categoriesLeftOut = 0;
    uint32_t fieldsLeftOut = 0;
    uint32_t namesReplaced = 0;
};

// The collection's entry as stored: compressed says whether it is zstd. The package is freed
// once the entry is read.
bool ReadCollectionEntry(std::vector<uint8_t>& package, std::string& entryBytes, bool& compressed,
                         std::string& reason) {
    cZipReader zip;
    if (!zip.open(package, reason))
        return false;
    for (const char* entry : kCollectionEntries) {
        if (!zip.has(entry))
            continue;
        compressed = std::string(entry) == kCompressedEntry;
        const uint64_t limit = compressed ? kCompressedFactor * package.size() + kCompressedFloor
                                          : kUnpackFactor * package.size() + kUnpackFloor;
        return zip.read(entry, limit, entryBytes, reason);
    }
    reason = "not an Anki package: it holds no collection";
    return false;
}

// The Ascii form of a UTF-8 name, at most kMaxNameLength characters.
std::string AnsiName(const std::string& utf8, size_t maxLength, sSummary& summary) {
    const std::u16string units = Utf8ToUtf16(Utf8Prefix(utf8, maxLength));
    std::string name;
    if (AsciiFromUnicode(units.data(), units.size(), name) != 0)
        ++summary.namesReplaced;
    name.erase(std::remove(name.begin(), name.end(), '\0'), name.end());
    return name;
}

std::vector<std::string> SplitFields(const std::string& fields) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = fields.find(kFieldSeparator, start);
        parts.push_back(fields.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::vector<std::string> SplitTags(const std::string& tags) {
    std::vector<std::string> parts;
    size_t start = tags.find_first_not_of(" \t\r\n\x0b\x0c");
    while (start != std::string::npos) {
        const size_t end = tags.find_first_of(" \t\r\n\x0b\x0c", start);
        parts.push_back(tags.substr(start, end == std::string::npos ? end : end - start));
        start = end == std::string::npos ? end : tags.find_first_not_of(" \t\r\n\x0b\x0c", end);
    }
    return parts;
}

// Builds the database from the notes.
class cBuilder {
public:
    cBuilder(cDatabase& db, const sAnkiCollection& collection, uint64_t budget)
        : db_(db), collection_(collection), budget_(budget) {}

    // False when the terms would cost more than the budget; db then holds part of them.
    bool build() {
        const int64_t soleDeck = SoleDeck();
        if (soleDeck != kNoDeck)
            NameAfterDeck(soleDeck);
        for (const sAnkiNote& note : collection_.notes)
            if (!addNote(note, soleDeck))
                return false;
        summary_.notes = db_.terms.count();
        return true;
    }

    const sSummary& summary() const { return summary_; }

private:
    static constexpr int64_t kNoDeck = INT64_MIN;

    // The deck that holds every note's cards, when there is one.
    int64_t SoleDeck() const {
        int64_t deck = kNoDeck;
        for (const sAnkiNote& note : collection_.notes) {
            if (note.decks.size() != 1 || (deck != kNoDeck && note.decks[0] != deck))
                return kNoDeck;
            deck = note.decks[0];
        }
        return deck;
    }

    void NameAfterDeck(int64_t id) {
        const auto deck = collection_.decks.find(id);
        if (deck == collection_.decks.end())
            return;
        db_.name.assign(AnsiName(deck->second.name, kPdbMaxNameLength, summary_).c_str());
        uint32_t ignored = 0;
        // A description breaks its lines with CR LF, as the editor's description box does.
        std::string description;
        for (char c : AnkiHtmlToText(deck->second.description, ignored))
            description += c == '\n' ? std::string("\r\n") : std::string(1, c);
        db_.description.assign(AnsiName(description, kMaxDescriptionLength, summary_).c_str());
    }

    // The attribute of each field of the note type; -1 for a field left out.
    const std::vector<int32_t>& attributesOf(int64_t type) {
        auto known = attributesOfType_.find(type);
        if (known != attributesOfType_.end())
            return known->second;
        std::vector<int32_t>& attributes = attributesOfType_[type];
        for (const std::string& name : collection_.fieldNames.at(type)) {
            auto existing = attributeByName_.find(name);
            if (existing != attributeByName_.end()) {
                attributes.push_back(existing->second);
            } else if (db_.attributes.count() < MaxAttributeCount) {
                const auto index = static_cast<int32_t>(db_.attributes.count());
                db_.attributes.append(new cAttribute(
                    MediaTypeUnicode, AnsiName(name, kMaxNameLength, summary_).c_str()));
                attributeByName_.emplace(name, index);
                attributes.push_back(index);
            } else {
                ++summary_.fieldsLeftOut;
                attributes.push_back(-1);
            }
        }
        return attributes;
    }

    void addToCategory(const std::string& name, uint32_t term) {
        auto known = categoryByName_.find(name);
        if (known == categoryByName_.end()) {
            int32_t index = -1;
            if (db_.categories.count() < kMaxImportedCategories) {
                index = static_cast<int32_t>(db_.categories.count());
                db_.categories.append(
                    new cCategory(0, AnsiName(name, kMaxNameLength, summary_).c_str()));
            } else {
                ++summary_.categoriesLeftOut;
            }
            known = categoryByName_.emplace(name, index).first;
        }
        if (cCategory* category = known->second >= 0 ? db_.category(known->second) : nullptr)
            if (category->members.count() == 0 ||
                category->memberAt(category->members.count() - 1)->firstTerm != term)
                category->addMember(term);
    }

    bool addNote(const sAnkiNote& note, int64_t soleDeck) {
        const std::vector<int32_t>& attributes = attributesOf(note.noteType);
        auto term = std::make_unique<cTerm>();
        spent_ += kTermCost;
        const std::vector<std::string> fields = SplitFields(note.fields);
        for (size_t f = 0; f < fields.size() && f < attributes.size(); ++f) {
            std::string text = AnkiHtmlToText(fields[f], summary_.droppedMedia);
            if (attributes[f] < 0 || text.empty() || term->findValue(attributes[f]))
                continue;
            std::u16string units = Utf8ToUtf16(text);
            units.erase(std::remove(units.begin(), units.end(), u'\0'), units.end());
            spent_ += kValueCost + 2 * units.size();
            if (spent_ > budget_)
                return false;
            term->changeValues().append(
                new cUnicodeValue(static_cast<uint16_t>(attributes[f]), units.c_str()));
        }
        const uint32_t index = db_.terms.count();
        db_.terms.append(term.release());
        for (const std::string& tag : SplitTags(note.tags))
            addToCategory(tag, index);
        if (soleDeck == kNoDeck) {
            for (int64_t deck : note.decks) {
                const auto named = collection_.decks.find(deck);
                if (named != collection_.decks.end() && !named->second.name.empty())
                    addToCategory(named->second.name, index);
            }
        }
        return spent_ <= budget_;
    }

    cDatabase& db_;
    const sAnkiCollection& collection_;
    sSummary summary_;
    const uint64_t budget_;
    uint64_t spent_ = 0;
    std::unordered_map<int64_t, std::vector<int32_t>> attributesOfType_;
    std::unordered_map<std::string, int32_t> attributeByName_;
    std::unordered_map<std::string, int32_t> categoryByName_;
};

void ShowSummary(const sSummary& summary) {
    std::string text = CountedText(TextAnkiNotesImported, summary.notes);
    const std::pair<uint32_t, int> parts[] = {
        {summary.droppedMedia, TextAnkiMediaLeftOut},
        {summary.categoriesLeftOut, TextAnkiCategoriesLeftOut},
        {summary.fieldsLeftOut, TextAnkiFieldsLeftOut},
        {summary.namesReplaced, TextAnkiNamesReplaced},
    };
    for (const auto& [count, textId] : parts)
        if (count != 0)
            text += "\n\n" + CountedText(textId, count);
    CurrentMessageSink()->showMessage(ResourceString(TextCaptionInformation), text,
                                      MessageFlagsForCaption(TextCaptionInformation, MessageOk));
}

// Reads the collection (image, consumed) and builds db from it; size is what the memory
// limits are reckoned from.
int ImportCollection(cDatabase& db, std::string& image, uint64_t size, std::string& reason) {
    sAnkiCollection collection;
    switch (ReadAnkiCollection(image, MaxTermCount, collection, reason)) {
    case eAnkiRead::Read:
        break;
    case eAnkiRead::TooManyNotes:
        reason = "more notes than a database can hold";
        ShowCountedMessage(
            TextCaptionError, TextAnkiTooManyNotes,
            static_cast<unsigned>(std::min<uint64_t>(collection.noteCount, UINT32_MAX)));
        return AnkiImportTooManyNotes;
    case eAnkiRead::Failed:
        return AnkiImportFailed;
    }

    cBuilder builder(db, collection, kBuildFactor * size + kBuildFloor);
    if (!builder.build()) {
        reason = "its notes would take more memory than the package's size allows";
        return AnkiImportFailed;
    }
    ShowSummary(builder.summary());
    return AnkiImportOk;
}
} // namespace

int ImportAnkiPackage(cDatabase& db, const std::string& path, std::string& reason) {
    std::vector<uint8_t> package;
    if (!ReadFileBytes(path, package))
        return AnkiImportFailed;
    const uint64_t packageSize = package.size();
    std::string image;
    bool compressed = false;
    if (!ReadCollectionEntry(package, image, compressed, reason))
        return AnkiImportFailed;
    std::vector<uint8_t>().swap(package);
    if (compressed) {
        std::string unpacked;
        if (!DecompressZstd(image, kUnpackFactor * packageSize + kUnpackFloor, unpacked, reason))
            return AnkiImportFailed;
        image.swap(unpacked);
    }
    return ImportCollection(db, image, packageSize, reason);
}

int ImportAnkiCollection(cDatabase& db, std::string image, std::string& reason) {
    const uint64_t size = image.size();
    return ImportCollection(db, image, size, reason);
}
