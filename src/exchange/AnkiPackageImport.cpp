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

// The collection may unpack to this many times the package's size, plus a floor; SQLite
// gets the rest of the 64 × size + 64 MB that any reader may use.
constexpr uint64_t kUnpackFactor = 32;
constexpr uint64_t kUnpackFloor = 32u << 20;

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

bool ReadCollectionImage(const std::vector<uint8_t>& package, std::string& image,
                         std::string& reason) {
    cZipReader zip;
    if (!zip.open(package, reason))
        return false;
    const uint64_t limit = kUnpackFactor * package.size() + kUnpackFloor;
    for (const char* entry : kCollectionEntries) {
        if (!zip.has(entry))
            continue;
        if (std::string(entry) != kCompressedEntry)
            return zip.read(entry, limit, image, reason);
        std::string compressed;
        return zip.read(entry, limit, compressed, reason) &&
               DecompressZstd(compressed, limit, image, reason);
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
    cBuilder(cDatabase& db, const sAnkiCollection& collection) : db_(db), collection_(collection) {}

    void build() {
        const int64_t soleDeck = SoleDeck();
        if (soleDeck != kNoDeck)
            NameAfterDeck(soleDeck);
        for (const sAnkiNote& note : collection_.notes)
            addNote(note, soleDeck);
        summary_.notes = db_.terms.count();
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

    void addNote(const sAnkiNote& note, int64_t soleDeck) {
        const std::vector<int32_t>& attributes = attributesOf(note.noteType);
        auto term = std::make_unique<cTerm>();
        const std::vector<std::string> fields = SplitFields(note.fields);
        for (size_t f = 0; f < fields.size() && f < attributes.size(); ++f) {
            std::string text = AnkiHtmlToText(fields[f], summary_.droppedMedia);
            if (attributes[f] < 0 || text.empty() || term->findValue(attributes[f]))
                continue;
            std::u16string units = Utf8ToUtf16(text);
            units.erase(std::remove(units.begin(), units.end(), u'\0'), units.end());
            term->values.append(
                new cUnicodeValue(static_cast<uint16_t>(attributes[f]), units.c_str()));
        }
        const uint32_t index = db_.terms.count();
        db_.terms.append(term.release());
        for (const std::string& tag : SplitTags(note.tags))
            addToCategory(tag, index);
        if (soleDeck != kNoDeck)
            return;
        for (int64_t deck : note.decks) {
            const auto named = collection_.decks.find(deck);
            if (named != collection_.decks.end() && !named->second.name.empty())
                addToCategory(named->second.name, index);
        }
    }

    cDatabase& db_;
    const sAnkiCollection& collection_;
    sSummary summary_;
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

} // namespace

int ImportAnkiPackage(cDatabase& db, const std::string& path, std::string& reason) {
    std::vector<uint8_t> package;
    if (!ReadFileBytes(path, package))
        return AnkiImportFailed;
    std::string image;
    if (!ReadCollectionImage(package, image, reason))
        return AnkiImportFailed;
    std::vector<uint8_t>().swap(package);
    return ImportAnkiCollection(db, std::move(image), reason);
}

int ImportAnkiCollection(cDatabase& db, std::string image, std::string& reason) {
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
    std::string().swap(image);

    cBuilder builder(db, collection);
    builder.build();
    ShowSummary(builder.summary());
    return AnkiImportOk;
}
