#include "exchange/DelimitedImport.h"

#include "exchange/ModelText.h"
#include "model/Database.h"
#include "model/Limits.h"
#include "text/Messages.h"
#include "text/PinyinStyle.h"
#include "text/TextIds.h"

#include <unordered_map>
#include <unordered_set>

namespace {

class cRowImporter {
public:
    cRowImporter(cDatabase& db, const cDelimitedTable& table, sDelimitedError& error)
        : db_(db), table_(table), error_(error) {}

    bool resolveColumns(const tColumnMappings& mappings);
    bool resolveKey(const sDuplicatePolicy& policy);
    bool run(eDuplicatePolicy policy, sImportCounts& counts);
    size_t replaced() const { return replaced_; }

private:
    bool fill(uint32_t term, size_t row, bool update);
    bool addToCategories(uint32_t term, std::u16string_view names, bool update);
    cCategory* categoryNamed(std::u16string_view name);
    bool fail(uint32_t line, std::string reason) {
        error_.line = line;
        error_.reason = std::move(reason);
        return false;
    }

    cDatabase& db_;
    const cDelimitedTable& table_;
    sDelimitedError& error_;
    // Per column: the attribute it fills, -1 none, -2 categories.
    std::vector<int32_t> targets_;
    const tColumnMappings* mappings_ = nullptr;
    int32_t keyColumn_ = -1;
    cTermKeys keys_;
    std::unordered_map<std::string, cCategory*> categories_;
    // The same by the names as the cells spell them, which most rows repeat; the keys are
    // views of the table's text, which outlives the import.
    std::unordered_map<std::u16string_view, cCategory*> spelled_;
    // Memberships as category index << 32 | term, for updates, which must not add twice.
    std::unordered_set<uint64_t> members_;
    std::unordered_map<cCategory*, uint32_t> categoryIndex_;
    size_t replaced_ = 0;
    std::string ascii_;
};

constexpr int32_t CategoriesColumn = -2;

bool cRowImporter::resolveColumns(const tColumnMappings& mappings) {
    size_t newAttributes = 0;
    for (const sColumnMapping& mapping : mappings)
        newAttributes += mapping.use == eColumnUse::NewAttribute;
    if (db_.attributes.count() + newAttributes > MaxAttributeCount)
        return fail(0, "more attributes than a database can hold (" +
                           std::to_string(MaxAttributeCount) + ")");
    mappings_ = &mappings;
    for (const sColumnMapping& mapping : mappings) {
        int32_t target = -1;
        switch (mapping.use) {
        case eColumnUse::Skip:
            break;
        case eColumnUse::Categories:
            target = CategoriesColumn;
            break;
        case eColumnUse::ExistingAttribute:
            if (mapping.attribute >= db_.attributes.count())
                return fail(0, "a column is mapped to an attribute that does not exist");
            target = static_cast<int32_t>(mapping.attribute);
            break;
        case eColumnUse::NewAttribute:
            target = static_cast<int32_t>(db_.attributes.count());
            db_.attributes.append(
                new cAttribute(mapping.pinyin ? uint16_t(MediaTypeUnicode) : mapping.mediaType,
                               NameText(mapping.name).c_str()));
            break;
        }
        targets_.push_back(target);
    }
    uint32_t index = 0;
    for (cCategory* category : Items<cCategory>(db_.categories)) {
        if (category->group == 0)
            categories_.emplace(category->name.textOrEmpty(), category);
        categoryIndex_.emplace(category, index++);
    }
    return true;
}

bool cRowImporter::resolveKey(const sDuplicatePolicy& policy) {
    if (policy.policy == eDuplicatePolicy::AddAll)
        return true;
    int32_t attribute = -1;
    if (!policy.key.empty()) {
        attribute = FindAttributeNamed(db_, policy.key);
        if (attribute < 0)
            return fail(0, "the key attribute is not an attribute of the database");
    }
    for (size_t column = 0; column < targets_.size() && keyColumn_ < 0; ++column)
        if (targets_[column] >= 0 && (attribute < 0 || targets_[column] == attribute))
            keyColumn_ = static_cast<int32_t>(column);
    if (keyColumn_ < 0)
        return fail(0, "no column fills the key attribute");
    keys_.index(db_, static_cast<uint32_t>(targets_[static_cast<size_t>(keyColumn_)]));
    if (policy.policy == eDuplicatePolicy::Update)
        for (cCategory* category : Items<cCategory>(db_.categories))
            category->forEachMember(db_.terms.count(), [&](uint32_t term) {
                members_.insert(uint64_t(categoryIndex_[category]) << 32 | term);
            });
    return true;
}

cCategory* cRowImporter::categoryNamed(std::u16string_view spelling) {
    const std::u16string_view key = spelling;
    auto spelled = spelled_.find(key);
    if (spelled != spelled_.end())
        return spelled->second;
    const std::string name = NameText(spelling);
    auto found = categories_.find(name);
    if (found != categories_.end())
        return spelled_.emplace(key, found->second).first->second;
    const int32_t index = db_.addCategory();
    if (index < 0)
        return nullptr;
    cCategory* category = db_.category(static_cast<uint32_t>(index));
    category->name.assign(name.c_str());
    categories_.emplace(name, category);
    spelled_.emplace(key, category);
    categoryIndex_.emplace(category, static_cast<uint32_t>(index));
    return category;
}

bool cRowImporter::addToCategories(uint32_t term, std::u16string_view names, bool update) {
    const char16_t separator = names.find(u';') != std::u16string_view::npos ? u';' : u' ';
    while (!names.empty()) {
        const size_t end = names.find(separator);
        const std::u16string_view name = TrimSpaces(names.substr(0, end));
        names.remove_prefix(end == std::u16string_view::npos ? names.size() : end + 1);
        if (name.empty())
            continue;
        cCategory* category = categoryNamed(name);
        if (!category)
            return false;
        // A new term's entries come in order, so a repeat within the cell is the last one.
        const cCategoryMember* last = category->members.last();
        if (update ? !members_.insert(uint64_t(categoryIndex_[category]) << 32 | term).second
                   : last && last->firstTerm == term)
            continue;
        category->addMember(term);
    }
    return true;
}

bool cRowImporter::fill(uint32_t termIndex, size_t row, bool update) {
    cTerm* term = db_.term(termIndex);
    const size_t cells = std::min(table_.cellCount(row), targets_.size());
    for (size_t column = 0; column < cells; ++column) {
        const int32_t target = targets_[column];
        const std::u16string_view text = table_.cell(row, column);
        // An update leaves the key as the term has it: it matched without its spaces.
        if (target == -1 || text.empty() || (update && int32_t(column) == keyColumn_))
            continue;
        if (target == CategoriesColumn) {
            if (!addToCategories(termIndex, text, update))
                return fail(table_.line(row), "more categories than a database can hold");
            continue;
        }
        const auto attribute = static_cast<uint32_t>(target);
        if (update)
            db_.removeValue(termIndex, attribute);
        cValue* value;
        if (db_.attribute(attribute)->mediaType == MediaTypeUnicode) {
            auto* unicode = new cUnicodeValue;
            const sColumnMapping& mapping = (*mappings_)[column];
            if (mapping.pinyin) {
                const std::u16string marked =
                    ConvertPinyin(std::u16string(text), mapping.pinyinStyle);
                unicode->setText(marked.data(), static_cast<uint32_t>(marked.size()));
            } else {
                unicode->setText(text.data(), static_cast<uint32_t>(text.size()));
            }
            value = unicode;
        } else {
            size_t lost = 0;
            AsciiValueText(text, ascii_, lost);
            auto* bytes = new cAsciiValue;
            bytes->text.assign(ascii_.data(), static_cast<uint32_t>(ascii_.size()));
            value = bytes;
            replaced_ += lost != 0;
        }
        value->attribute = static_cast<uint16_t>(attribute);
        term->changeValues().append(value);
    }
    return true;
}

bool cRowImporter::run(eDuplicatePolicy policy, sImportCounts& counts) {
    for (size_t row = 0; row < table_.rowCount(); ++row) {
        std::u16string_view key;
        if (keyColumn_ >= 0) {
            key = table_.cell(row, static_cast<size_t>(keyColumn_));
            const int32_t existing = keys_.find(key);
            if (existing >= 0 && policy == eDuplicatePolicy::Skip) {
                ++counts.skipped;
                continue;
            }
            if (existing >= 0) {
                if (!fill(static_cast<uint32_t>(existing), row, true))
                    return false;
                ++counts.updated;
                continue;
            }
        }
        const int32_t term = db_.appendTerm();
        if (term < 0)
            return fail(table_.line(row), "out of memory");
        if (!fill(static_cast<uint32_t>(term), row, false))
            return false;
        keys_.add(key, static_cast<uint32_t>(term));
        ++counts.added;
    }
    return true;
}

} // namespace

bool ImportRows(cDatabase& db, const cDelimitedTable& table, const tColumnMappings& mappings,
                const sDuplicatePolicy& policy, sImportCounts& counts, sDelimitedError& error) {
    counts = sImportCounts();
    cRowImporter importer(db, table, error);
    if (!importer.resolveColumns(mappings) || !importer.resolveKey(policy) ||
        !importer.run(policy.policy, counts))
        return false;
    if (importer.replaced() != 0)
        ShowCountedMessage(TextCaptionWarning, TextCharactersReplaced,
                           static_cast<unsigned>(importer.replaced()));
    return true;
}
