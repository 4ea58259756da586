#include "document/Document.h"

#include <algorithm>

#include "dbfile/DatabaseFiles.h"
#include "model/Limits.h"

using eChange = cDocumentListener::eChange;

void cDocument::addListener(cDocumentListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void cDocument::removeListener(cDocumentListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void cDocument::changed() {
    setModified(true);
}

void cDocument::setModified(bool modified) {
    modified_ = modified;
    if (modified) {
        if (const int problem = backup_.write(db_))
            tell([problem](cDocumentListener& l) { l.backupFailed(problem); });
    }
    tell([modified](cDocumentListener& l) { l.modifiedChanged(modified); });
}

void cDocument::rememberFile() {
    filePath_ = db_.path.textOrEmpty();
    fileIdentity_ = filePath_.empty() ? sFileIdentity() : FileIdentityOf(filePath_);
}

// ---- the document as a whole

void cDocument::replace(cDatabase& contents, bool modified) {
    db_.takeContents(contents);
    open_ = true;
    rememberFile();
    tellReset();
    setModified(modified);
}

int cDocument::mergeFile(const std::string& path) {
    if (db_.merge(path.c_str()) != 0)
        return 1;
    tellReset();
    changed();
    return 0;
}

void cDocument::savedToFile() {
    rememberFile();
    setModified(false);
}

int cDocument::save() {
    if (db_.save() != 0)
        return 1;
    savedToFile();
    return 0;
}

int cDocument::saveAs(const std::string& path) {
    if (SaveDatabaseAs(db_, path) != 0)
        return 1;
    savedToFile();
    return 0;
}

void cDocument::clear() {
    db_.clear();
    open_ = false;
    modified_ = false;
    filePath_.clear();
    fileIdentity_ = sFileIdentity();
}

void cDocument::setOpen(bool open) {
    open_ = open;
    setModified(false);
}

void cDocument::tellReset() {
    tell([](cDocumentListener& l) { l.reset(); });
}

void cDocument::setProperties(const char* name, const char* description) {
    db_.name.assign(name);
    db_.description.assign(description);
    changed();
}

// ---- values

void cDocument::setValueText(uint32_t term, uint32_t attribute, const std::u16string& text) {
    if (!termExists(term) || !db_.attribute(attribute))
        return;
    if (text.empty())
        db_.removeValue(term, attribute);
    else
        db_.setValueFromUnicode(term, attribute, text);
    tell([=](cDocumentListener& l) { l.valueChanged(term, attribute); });
    changed();
}

void cDocument::pasteValue(uint32_t term, uint32_t attribute, const std::u16string* text) {
    const cTerm* owner = db_.term(term);
    if (!owner || !db_.attribute(attribute))
        return;
    if (text)
        db_.setValueFromUnicode(term, attribute, *text);
    else if (!owner->findValue(static_cast<uint16_t>(attribute)))
        db_.setValueFromUnicode(term, attribute, std::u16string());
    tell([=](cDocumentListener& l) { l.valueChanged(term, attribute); });
    changed();
}

void cDocument::removeValue(uint32_t term, uint32_t attribute) {
    if (!termExists(term))
        return;
    db_.removeValue(term, attribute);
    tell([=](cDocumentListener& l) { l.valueChanged(term, attribute); });
    changed();
}

// ---- terms

int32_t cDocument::termAdded(int32_t added, int32_t inheritFrom) {
    if (added < 0)
        return added;
    if (inheritFrom >= 0 && inheritFrom < added)
        db_.copyMemberships(static_cast<uint32_t>(inheritFrom), static_cast<uint32_t>(added));
    tell([added](cDocumentListener& l) { l.termsInserted(static_cast<uint32_t>(added), 1); });
    changed();
    return added;
}

int32_t cDocument::addTerm(int32_t inheritFrom) {
    return termAdded(db_.addTerm(), inheritFrom);
}

int32_t cDocument::appendTerm(int32_t inheritFrom) {
    return termAdded(db_.appendTerm(), inheritFrom);
}

void cDocument::deleteTerms(const std::vector<uint32_t>& terms) {
    std::vector<uint32_t> removed;
    removed.reserve(terms.size());
    for (uint32_t term : terms)
        if (termExists(term))
            removed.push_back(term);
    std::sort(removed.begin(), removed.end());
    removed.erase(std::unique(removed.begin(), removed.end()), removed.end());
    if (removed.empty())
        return;
    db_.deleteTerms(removed);
    tell([&removed](cDocumentListener& l) { l.termsRemoved(removed); });
    changed();
}

void cDocument::moveTerms(const std::vector<uint32_t>& sources, uint32_t target) {
    // Taken from the last source to the first, each lands in front of the one placed before
    // it, so the moved terms keep their order. A term moved down from above the target
    // pushes the terms from the target on up by one, and with them exactly the sources that
    // started at or above the target; a term moved up from below shifts only terms that no
    // waiting source names. Counting those pushes, rather than raising every source after
    // every step, keeps a move of thousands of terms linear.
    uint32_t at = target;
    uint32_t raised = 0;
    for (auto source = sources.crbegin(); source != sources.crend(); ++source) {
        const uint32_t from = *source >= target ? *source + raised : *source;
        if (from == at)
            continue; // already in place
        db_.moveTerm(from, at);
        if (from < at)
            --at; // the terms in between moved down; at names the term just placed
        else
            ++raised;
    }
    tell([](cDocumentListener& l) { l.termsRearranged(); });
    changed();
}

uint32_t cDocument::copyTerms(const std::vector<uint32_t>& sources, uint32_t target) {
    const uint32_t added = db_.copyTerms(sources, target);
    tell([](cDocumentListener& l) { l.termsRearranged(); });
    changed();
    return added;
}

// ---- attributes

int32_t cDocument::addAttribute(uint16_t mediaType) {
    const int32_t index = db_.addAttribute(mediaType);
    if (index < 0)
        return index;
    tell([index](cDocumentListener& l) {
        l.attributesChanged(eChange::Inserted, static_cast<uint32_t>(index));
    });
    changed();
    return index;
}

void cDocument::renameAttribute(uint32_t index, const char* name) {
    if (!db_.attribute(index))
        return;
    db_.renameAttribute(index, name);
    tell([index](cDocumentListener& l) { l.attributesChanged(eChange::Renamed, index); });
    changed();
}

void cDocument::deleteAttribute(uint32_t index) {
    if (!db_.attribute(index))
        return;
    db_.deleteAttribute(index);
    tell([index](cDocumentListener& l) { l.attributesChanged(eChange::Removed, index); });
    changed();
}

// ---- categories

int32_t cDocument::addCategory() {
    const int32_t index = db_.addCategory();
    if (index < 0)
        return index;
    tell([index](cDocumentListener& l) {
        l.categoriesChanged(eChange::Inserted, static_cast<uint32_t>(index));
    });
    changed();
    return index;
}

void cDocument::renameCategory(uint32_t index, const char* name) {
    if (!db_.category(index))
        return;
    db_.renameCategory(index, name);
    tell([index](cDocumentListener& l) { l.categoriesChanged(eChange::Renamed, index); });
    changed();
}

void cDocument::deleteCategory(uint32_t index) {
    if (!db_.category(index))
        return;
    db_.deleteCategory(index);
    tell([index](cDocumentListener& l) { l.categoriesChanged(eChange::Removed, index); });
    changed();
}

void cDocument::setMembership(uint32_t category, const std::vector<uint32_t>& terms, bool add) {
    cCategory* owner = db_.category(category);
    if (!owner)
        return;
    for (uint32_t term : terms) {
        if (add)
            owner->addMember(term);
        else
            owner->removeMember(term, false);
    }
    tell([category](cDocumentListener& l) { l.membershipsChanged(category); });
    changed();
}
