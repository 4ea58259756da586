#include "document/Document.h"

#include <algorithm>
#include <memory>

#include "dbfile/DatabaseFiles.h"
#include "model/Limits.h"
#include "model/TermFlags.h"

using eChange = cDocumentListener::eChange;

namespace {

// Roughly what a term and its values keep in memory.
size_t ApproximateBytes(const cTerm& term) {
    size_t bytes = 64;
    for (const cValue* value : Items<cValue>(term.values())) {
        bytes += 64;
        if (value->mediaType() == MediaTypeUnicode)
            bytes += 2 * static_cast<const cUnicodeValue*>(value)->length();
        else
            bytes += static_cast<const cAsciiValue*>(value)->text.length();
    }
    return bytes;
}

size_t ApproximateBytes(const cDatabase& db) {
    size_t bytes = 1024;
    for (const cTerm* term : Items<cTerm>(db.terms))
        bytes += ApproximateBytes(*term);
    for (const cCategory* category : Items<cCategory>(db.categories))
        bytes += 64 + 48 * category->members.count();
    return bytes;
}

// Terms owned by an undo step while they are out of the database.
struct sTakenTerms {
    std::vector<cTerm*> terms;
    bool owned = false;
    ~sTakenTerms() {
        if (owned)
            for (cTerm* term : terms)
                term->destroy();
    }
};

struct sTakenCategory {
    cCategory* category = nullptr;
    bool owned = false;
    ~sTakenCategory() {
        if (owned && category)
            category->destroy();
    }
};

std::shared_ptr<cTerm> TermCopy(const cTerm* term) {
    return std::shared_ptr<cTerm>(cDatabase::cloneTerm(term), [](cTerm* t) {
        if (t)
            t->destroy();
    });
}

// The first .. count of a run of consecutive terms, or count 0 when they are not one run.
std::pair<uint32_t, uint32_t> RunOf(const std::vector<uint32_t>& terms) {
    if (terms.empty() || terms.back() - terms.front() + 1 != terms.size())
        return {0, 0};
    return {terms.front(), static_cast<uint32_t>(terms.size())};
}

} // namespace

void cDocument::addListener(cDocumentListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void cDocument::removeListener(cDocumentListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

// ---- the modified flag, the backup and the history

void cDocument::writeBackup() {
    if (const int problem = backup_.write(db_, modified_))
        tell([problem](cDocumentListener& l) { l.backupFailed(problem); });
}

void cDocument::changed(const char* label, size_t bytes, std::function<void()> undo,
                        std::function<void()> redo) {
    sUndoStep step;
    step.label = label;
    step.bytes = bytes;
    step.undo = std::move(undo);
    step.redo = std::move(redo);
    step.place = std::move(place_);
    history_.push(std::move(step));
    modified_ = true;
    writeBackup();
    tell([](cDocumentListener& l) { l.modifiedChanged(true); });
    tell([](cDocumentListener& l) { l.historyChanged(); });
}

void cDocument::notePlace() {
    place_ = placeOf_ ? placeOf_() : sPlace();
}

void cDocument::setModified(bool modified) {
    modified_ = modified;
    if (modified) {
        history_.markUnsaved();
        writeBackup();
    } else {
        history_.markSaved();
        backup_.forgetUnsaved();
    }
    tell([modified](cDocumentListener& l) { l.modifiedChanged(modified); });
}

void cDocument::stepped(const sUndoStep& step) {
    modified_ = !history_.atSaved();
    // Every undo and redo is a change of the database like any other: the backup follows.
    writeBackup();
    const bool modified = modified_;
    tell([modified](cDocumentListener& l) { l.modifiedChanged(modified); });
    tell([&step](cDocumentListener& l) { l.placeRestored(step.place); });
    tell([](cDocumentListener& l) { l.historyChanged(); });
}

void cDocument::undo() {
    if (const sUndoStep* step = history_.takeUndo()) {
        step->undo();
        stepped(*step);
    }
}

void cDocument::redo() {
    if (const sUndoStep* step = history_.takeRedo()) {
        step->redo();
        stepped(*step);
    }
}

void cDocument::rememberFile() {
    filePath_ = db_.path.textOrEmpty();
    fileIdentity_ = filePath_.empty() ? sFileIdentity() : FileIdentityOf(filePath_);
}

// ---- the document as a whole

template <class F, class T>
void cDocument::changeWholesale(const char* label, F change, T tellChange) {
    // The other state: before the change until it is undone, then after it.
    struct sOther {
        cDatabase db;
        std::string filePath;
        sFileIdentity identity;
    };
    auto other = std::make_shared<sOther>();
    other->filePath = filePath_;
    other->identity = fileIdentity_;
    if (!change(other->db))
        return;
    tellChange(true);
    auto swap = [this, other] {
        cDatabase here;
        here.takeContents(db_);
        db_.takeContents(other->db);
        other->db.takeContents(here);
        std::swap(filePath_, other->filePath);
        std::swap(fileIdentity_, other->identity);
    };
    changed(
        label, ApproximateBytes(other->db),
        [swap, tellChange] {
            swap();
            tellChange(false);
        },
        [swap, tellChange] {
            swap();
            tellChange(true);
        });
}

void cDocument::replace(cDatabase& contents, bool modified) {
    open_ = true;
    if (modified) {
        notePlace();
        changeWholesale(
            "Import",
            [&](cDatabase& before) {
                before.takeContents(db_);
                db_.takeContents(contents);
                rememberFile();
                return true;
            },
            [this](bool) { tellReset(); });
        return;
    }
    // The lists change hands; nothing is freed here.
    auto replaced = std::make_unique<cDatabase>();
    replaced->takeContents(db_);
    db_.takeContents(contents);
    replaced_ = std::move(replaced);
    history_.clear();
    rememberFile();
    tellReset();
    setModified(false);
    tell([](cDocumentListener& l) { l.historyChanged(); });
}

int cDocument::mergeFile(const std::string& path) {
    int result = 1;
    notePlace();
    changeWholesale(
        "Merge",
        [&](cDatabase& before) {
            before.copyFrom(db_);
            result = db_.merge(path.c_str());
            return result == 0;
        },
        [this](bool) { tellReset(); });
    return result;
}

bool cDocument::changeCopy(const char* label, const std::function<bool(cDatabase&)>& change) {
    bool made = false;
    notePlace();
    changeWholesale(
        label,
        [&](cDatabase& before) {
            cDatabase work;
            work.copyFrom(db_);
            if (!change(work))
                return false;
            before.takeContents(db_);
            db_.takeContents(work);
            made = true;
            return true;
        },
        [this](bool) { tellReset(); });
    return made;
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
    history_.clear();
    filePath_.clear();
    fileIdentity_ = sFileIdentity();
}

void cDocument::setOpen(bool open) {
    open_ = open;
    history_.clear();
    setModified(false);
}

void cDocument::tellReset() {
    tell([](cDocumentListener& l) { l.reset(); });
}

void cDocument::setProperties(const char* name, const char* description) {
    auto set = [this](const cString& name, const cString& description) {
        db_.name.assign(name);
        db_.description.assign(description);
    };
    notePlace();
    auto before = std::make_shared<std::pair<cString, cString>>();
    before->first.assign(db_.name);
    before->second.assign(db_.description);
    db_.name.assign(name);
    db_.description.assign(description);
    auto after = std::make_shared<std::pair<cString, cString>>();
    after->first.assign(db_.name);
    after->second.assign(db_.description);
    changed(
        "Properties", 256, [set, before] { set(before->first, before->second); },
        [set, after] { set(after->first, after->second); });
}

// ---- values

template <class F>
void cDocument::changeValues(uint32_t term, uint32_t attribute, const char* label, F change) {
    notePlace();
    std::shared_ptr<cTerm> before = TermCopy(db_.term(term));
    change();
    std::shared_ptr<cTerm> after = TermCopy(db_.term(term));
    if (!before || !after)
        return; // out of memory for the copies: the change stands, but cannot be undone
    auto set = [this, term, attribute](const std::shared_ptr<cTerm>& values) {
        db_.setTermValues(term, *values);
        tell([=](cDocumentListener& l) { l.valueChanged(term, attribute); });
    };
    tell([=](cDocumentListener& l) { l.valueChanged(term, attribute); });
    changed(
        label, ApproximateBytes(*before) + ApproximateBytes(*after), [set, before] { set(before); },
        [set, after] { set(after); });
}

void cDocument::setValueText(uint32_t term, uint32_t attribute, const std::u16string& text) {
    if (!termExists(term) || !db_.attribute(attribute))
        return;
    changeValues(term, attribute, "Typing", [&] {
        if (text.empty())
            db_.removeValue(term, attribute);
        else
            db_.setValueFromUnicode(term, attribute, text);
    });
}

void cDocument::pasteValue(uint32_t term, uint32_t attribute, const std::u16string* text) {
    const cTerm* owner = db_.term(term);
    if (!owner || !db_.attribute(attribute))
        return;
    changeValues(term, attribute, "Paste", [&] {
        if (text)
            db_.setValueFromUnicode(term, attribute, *text);
        else if (!owner->findValue(static_cast<uint16_t>(attribute)))
            db_.setValueFromUnicode(term, attribute, std::u16string());
    });
}

void cDocument::removeValue(uint32_t term, uint32_t attribute) {
    if (!termExists(term))
        return;
    changeValues(term, attribute, "Delete Value", [&] { db_.removeValue(term, attribute); });
}

// ---- terms

void cDocument::removeTermsAt(const std::vector<uint32_t>& terms) {
    db_.deleteTerms(terms);
    tell([&terms](cDocumentListener& l) { l.termsRemoved(terms); });
}

int32_t cDocument::termAdded(int32_t added, int32_t inheritFrom) {
    if (added < 0)
        return added;
    if (inheritFrom >= 0 && inheritFrom < added)
        db_.copyMemberships(static_cast<uint32_t>(inheritFrom), static_cast<uint32_t>(added));
    tell([added](cDocumentListener& l) { l.termsInserted(static_cast<uint32_t>(added), 1); });
    const auto term = static_cast<uint32_t>(added);
    changed(
        "New Term", 128, [this, term] { removeTermsAt({term}); },
        [this, inheritFrom] {
            const int32_t again = db_.appendTerm();
            if (inheritFrom >= 0 && inheritFrom < again)
                db_.copyMemberships(static_cast<uint32_t>(inheritFrom),
                                    static_cast<uint32_t>(again));
            tell([again](cDocumentListener& l) {
                l.termsInserted(static_cast<uint32_t>(again), 1);
            });
        });
    return added;
}

int32_t cDocument::addTerm(int32_t inheritFrom) {
    notePlace();
    return termAdded(db_.addTerm(), inheritFrom);
}

int32_t cDocument::appendTerm(int32_t inheritFrom) {
    notePlace();
    return termAdded(db_.appendTerm(), inheritFrom);
}

void cDocument::deleteTerms(const std::vector<uint32_t>& terms) {
    auto removed = std::make_shared<std::vector<uint32_t>>(db_.existingTerms(terms));
    if (removed->empty())
        return;
    notePlace();
    // Which categories hold each removed term: (category, term) pairs, one walk over the
    // entries. Taking the terms out removes their entries; putting them back adds these.
    auto memberships = std::make_shared<std::vector<std::pair<uint32_t, uint32_t>>>();
    cTermFlags doomed(db_.terms.count());
    for (uint32_t term : *removed)
        doomed.add(term);
    uint32_t index = 0;
    for (const cCategory* category : Items<cCategory>(db_.categories)) {
        category->forEachMember(db_.terms.count(), [&](uint32_t term) {
            if (doomed.holds(term))
                memberships->emplace_back(index, term);
        });
        ++index;
    }
    auto taken = std::make_shared<sTakenTerms>();
    auto take = [this, removed, taken] {
        taken->terms = db_.takeTerms(*removed);
        taken->owned = true;
        tell([&](cDocumentListener& l) { l.termsRemoved(*removed); });
    };
    auto putBack = [this, removed, taken, memberships] {
        db_.restoreTerms(*removed, taken->terms);
        taken->owned = false;
        for (const auto& [category, term] : *memberships)
            db_.category(category)->addMember(term);
        const auto [first, count] = RunOf(*removed);
        if (count > 0)
            tell([first = first, count = count](cDocumentListener& l) {
                l.termsInserted(first, count);
            });
        else
            tell([](cDocumentListener& l) { l.termsRearranged(); });
    };
    take();
    size_t bytes = 64 * memberships->size();
    for (const cTerm* term : taken->terms)
        bytes += ApproximateBytes(*term);
    changed("Delete Terms", bytes, putBack, take);
}

void cDocument::moveTerms(const std::vector<uint32_t>& sources, uint32_t target) {
    // Taken from the last source to the first, each lands in front of the one placed before
    // it, so the moved terms keep their order. A term moved down from above the target
    // pushes the terms from the target on up by one, and with them exactly the sources that
    // started at or above the target; a term moved up from below shifts only terms that no
    // waiting source names. Counting those pushes, rather than raising every source after
    // every step, keeps a move of thousands of terms linear.
    notePlace();
    auto moves = std::make_shared<std::vector<std::pair<uint32_t, uint32_t>>>();
    uint32_t at = target;
    uint32_t raised = 0;
    for (auto source = sources.crbegin(); source != sources.crend(); ++source) {
        const uint32_t from = *source >= target ? *source + raised : *source;
        if (from == at)
            continue; // already in place
        db_.moveTerm(from, at);
        moves->emplace_back(from, at);
        if (from < at)
            --at; // the terms in between moved down; at names the term just placed
        else
            ++raised;
    }
    tell([](cDocumentListener& l) { l.termsRearranged(); });
    auto back = [this, moves] {
        // Each move taken back from the last: the term lands at to (to - 1 from below) and
        // goes back in front of the term now at its old place.
        for (auto move = moves->crbegin(); move != moves->crend(); ++move) {
            const auto [from, to] = *move;
            if (from < to)
                db_.moveTerm(to - 1, from);
            else
                db_.moveTerm(to, from + 1);
        }
        tell([](cDocumentListener& l) { l.termsRearranged(); });
    };
    auto again = [this, moves] {
        for (const auto& [from, to] : *moves)
            db_.moveTerm(from, to);
        tell([](cDocumentListener& l) { l.termsRearranged(); });
    };
    changed("Paste Terms", 64 + 8 * moves->size(), back, again);
}

void cDocument::copyTermsRaw(const std::vector<uint32_t>& sources, uint32_t target) {
    db_.copyTerms(sources, target);
    tell([](cDocumentListener& l) { l.termsRearranged(); });
}

uint32_t cDocument::copyTerms(const std::vector<uint32_t>& sources, uint32_t target) {
    notePlace();
    const uint32_t first = std::min(target, db_.terms.count());
    const uint32_t before = db_.terms.count();
    copyTermsRaw(sources, target);
    const uint32_t added = db_.terms.count() - before;
    if (added == 0)
        return 0;
    auto copies = std::make_shared<std::vector<uint32_t>>();
    for (uint32_t i = 0; i < added; ++i)
        copies->push_back(first + i);
    auto again = std::make_shared<std::vector<uint32_t>>(sources);
    changed(
        "Paste Terms", 64 + 4 * copies->size(), [this, copies] { removeTermsAt(*copies); },
        [this, again, target] { copyTermsRaw(*again, target); });
    return added;
}

// ---- attributes

int32_t cDocument::addAttribute(uint16_t mediaType) {
    notePlace();
    const int32_t index = db_.addAttribute(mediaType);
    if (index < 0)
        return index;
    const auto at = static_cast<uint32_t>(index);
    tell([at](cDocumentListener& l) { l.attributesChanged(eChange::Inserted, at); });
    changed(
        "New Attribute", 128,
        [this, at] {
            db_.deleteAttribute(at);
            tell([at](cDocumentListener& l) { l.attributesChanged(eChange::Removed, at); });
        },
        [this, mediaType, at] {
            db_.addAttribute(mediaType);
            tell([at](cDocumentListener& l) { l.attributesChanged(eChange::Inserted, at); });
        });
    return index;
}

template <class R>
void cDocument::changeName(const char* label, const cString& current, const char* name, R rename) {
    notePlace();
    auto names = std::make_shared<std::pair<cString, cString>>();
    names->first.assign(current);
    rename(name);
    names->second.assign(current);
    changed(
        label, 256, [rename, names] { rename(names->first.textOrEmpty()); },
        [rename, names] { rename(names->second.textOrEmpty()); });
}

void cDocument::renameAttribute(uint32_t index, const char* name) {
    const cAttribute* attribute = db_.attribute(index);
    if (!attribute)
        return;
    changeName("Rename Attribute", attribute->name, name, [this, index](const char* text) {
        db_.renameAttribute(index, text);
        tell([index](cDocumentListener& l) { l.attributesChanged(eChange::Renamed, index); });
    });
}

void cDocument::deleteAttribute(uint32_t index) {
    if (!db_.attribute(index))
        return;
    notePlace();
    changeWholesale(
        "Delete Attribute",
        [&](cDatabase& before) {
            before.copyFrom(db_);
            db_.deleteAttribute(index);
            return true;
        },
        [this, index](bool forward) {
            const eChange change = forward ? eChange::Removed : eChange::Inserted;
            tell([=](cDocumentListener& l) { l.attributesChanged(change, index); });
        });
}

// ---- categories

int32_t cDocument::addCategory() {
    notePlace();
    const int32_t index = db_.addCategory();
    if (index < 0)
        return index;
    const auto at = static_cast<uint32_t>(index);
    tell([at](cDocumentListener& l) { l.categoriesChanged(eChange::Inserted, at); });
    changed(
        "New Category", 128,
        [this, at] {
            db_.deleteCategory(at);
            tell([at](cDocumentListener& l) { l.categoriesChanged(eChange::Removed, at); });
        },
        [this, at] {
            db_.addCategory();
            tell([at](cDocumentListener& l) { l.categoriesChanged(eChange::Inserted, at); });
        });
    return index;
}

void cDocument::renameCategory(uint32_t index, const char* name) {
    const cCategory* category = db_.category(index);
    if (!category)
        return;
    changeName("Rename Category", category->name, name, [this, index](const char* text) {
        db_.renameCategory(index, text);
        tell([index](cDocumentListener& l) { l.categoriesChanged(eChange::Renamed, index); });
    });
}

void cDocument::deleteCategory(uint32_t index) {
    if (!db_.category(index))
        return;
    notePlace();
    auto taken = std::make_shared<sTakenCategory>();
    auto take = [this, index, taken] {
        taken->category = db_.takeCategory(index);
        taken->owned = true;
        tell([index](cDocumentListener& l) { l.categoriesChanged(eChange::Removed, index); });
    };
    take();
    changed(
        "Delete Category", 128 + 48 * taken->category->members.count(),
        [this, index, taken] {
            db_.insertCategory(taken->category, index);
            taken->owned = false;
            tell([index](cDocumentListener& l) { l.categoriesChanged(eChange::Inserted, index); });
        },
        take);
}

void cDocument::setMembership(uint32_t category, const std::vector<uint32_t>& terms, bool add) {
    cCategory* owner = db_.category(category);
    if (!owner)
        return;
    notePlace();
    // Only the terms whose membership changes: a second entry for a term that is a member
    // already would make another term a member once a term below it is deleted.
    std::vector<char> member(db_.terms.count(), 0);
    owner->forEachMember(db_.terms.count(), [&](uint32_t term) { member[term] = 1; });
    auto changing = std::make_shared<std::vector<uint32_t>>();
    for (uint32_t term : terms)
        if (term < member.size() && (member[term] != 0) != add) {
            changing->push_back(term);
            member[term] = add; // a term named twice changes once
        }
    auto set = [this, category, changing](bool in) {
        cCategory* target = db_.category(category);
        for (uint32_t term : *changing) {
            if (in)
                target->addMember(term);
            else
                target->removeMember(term, false);
        }
        tell([category](cDocumentListener& l) { l.membershipsChanged(category); });
    };
    set(add);
    changed(
        "Categorization", 64 + 4 * changing->size(), [set, add] { set(!add); },
        [set, add] { set(add); });
}
