// Term operations of cDatabase. Memberships are stored in the categories as term positions,
// so every operation that changes positions renumbers the member entries in the same step.

#include "model/Database.h"
#include "model/Limits.h"
#include "text/CodePage.h"
#include "text/Messages.h"
#include "text/TextIds.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

namespace {

template <class Char>
void SetValueText(cDatabase& database, uint32_t termIndex, uint32_t attributeIndex,
                  const Char* text, uint16_t encoding) {
    cTerm* term = database.term(termIndex);
    if (!term)
        return;
    cValue* value = term->findValueToChange(static_cast<uint16_t>(attributeIndex));
    if (text && text[0] != 0) {
        if (!value) {
            value = database.createValue(attributeIndex);
            if (!value)
                return;
            if (value->mediaType() != encoding || !term->changeValues().append(value)) {
                value->destroy();
                return;
            }
        } else if (value->mediaType() != encoding) {
            return;
        }
        value->setText(text);
    } else if (value) {
        term->changeValues().removePayload(value);
        value->destroy();
    }
}

bool HasMultiTermEntries(const cList& categories) {
    for (const cCategory* category : Items<cCategory>(categories))
        if (category->hasMultiTermEntries())
            return true;
    return false;
}

} // namespace

void cDatabase::setValue(uint32_t termIndex, uint32_t attributeIndex, const char* text) {
    SetValueText(*this, termIndex, attributeIndex, text, MediaTypeAscii);
}

void cDatabase::setValue(uint32_t termIndex, uint32_t attributeIndex, const char16_t* text) {
    SetValueText(*this, termIndex, attributeIndex, text, MediaTypeUnicode);
}

int32_t cDatabase::appendTerm() {
    const uint32_t count = terms.count();
    auto* added = new (std::nothrow) cTerm;
    if (!added || !terms.append(added)) {
        delete added;
        return -1;
    }
    return static_cast<int32_t>(count);
}

void cDatabase::removeValue(uint32_t termIndex, uint32_t attributeIndex) {
    cTerm* owner = term(termIndex);
    cValue* value =
        owner ? owner->findValueToChange(static_cast<uint16_t>(attributeIndex)) : nullptr;
    if (!value)
        return;
    owner->changeValues().removePayload(value);
    value->destroy();
}

bool cDatabase::setValueFromUnicode(uint32_t termIndex, uint32_t attributeIndex,
                                    const std::u16string& text) {
    cTerm* owner = term(termIndex);
    const cAttribute* kind = attribute(attributeIndex);
    if (!owner || !kind)
        return false;
    cValue* value = owner->findValueToChange(static_cast<uint16_t>(attributeIndex));
    if (!value) {
        value = createValue(attributeIndex);
        if (!value)
            return false;
        if (!owner->changeValues().append(value)) {
            value->destroy();
            return false;
        }
    }
    if (kind->mediaType == MediaTypeUnicode)
        value->setText(text.c_str());
    else
        value->setText(WideToAnsi(text).c_str());
    return true;
}

int32_t cDatabase::addTerm() {
    uint32_t count = terms.count();
    if (count >= MaxTermCount) {
        ShowTableMessage(TextCaptionError, TextTermLimit);
        return -1;
    }
    auto* added = new (std::nothrow) cTerm;
    if (!added || !terms.append(added)) {
        delete added;
        return -1;
    }
    return static_cast<int32_t>(count);
}

cTerm* cDatabase::cloneTerm(const cTerm* term) {
    if (!term)
        return nullptr;
    auto* copy = new (std::nothrow) cTerm;
    if (!copy)
        return nullptr;
    for (const cValue* original : Items<cValue>(term->values())) {
        cValue* value = original->clone();
        if (value && !copy->changeValues().append(value))
            value->destroy();
    }
    return copy;
}

void cDatabase::setTermValues(uint32_t index, const cTerm& from) {
    cTerm* target = term(index);
    if (!target || target == &from)
        return;
    target->changeValues().clear();
    for (const cValue* original : Items<cValue>(from.values())) {
        cValue* value = original->clone();
        if (value && !target->changeValues().append(value))
            value->destroy();
    }
}

void cDatabase::insertTerm(cTerm* term, uint32_t position) {
    if (!term)
        return;
    position = std::min(position, terms.count());
    shiftMembersUp(position);
    cListNode* before = position == terms.count() ? terms.tail() : terms.nodeAt(position);
    if (!terms.insertBefore(before, nullptr, term))
        term->destroy();
}

void cDatabase::moveTerm(uint32_t from, uint32_t to) {
    uint32_t count = terms.count();
    if (from == to || from >= count || to > count)
        return;
    cList memberships = categoriesOfTerm(from);
    removeTermFromCategories(from);
    cListNode* target = to == count ? terms.tail() : terms.nodeAt(to);
    cObject* moved = terms.remove(terms.nodeAt(from));
    if (from < to)
        --to;
    shiftMembersUp(to);
    terms.insertBefore(target, nullptr, moved);
    applyCategories(to, memberships);
}

void cDatabase::copyTerm(uint32_t from, uint32_t to) {
    cTerm* copy = cloneTerm(term(from));
    if (!copy)
        return;
    to = std::min(to, terms.count());
    insertTerm(copy, to);
    uint32_t source = from >= to ? from + 1 : from;
    copyMemberships(source, to);
}

uint32_t cDatabase::copyTerms(const std::vector<uint32_t>& sources, uint32_t to) {
    to = std::min(to, terms.count());
    if (HasMultiTermEntries(categories)) {
        // Such entries are renumbered by their first term only, so their reach changes
        // with every insertion: only the copies one by one give the same result.
        uint32_t raised = 0;
        for (auto source = sources.crbegin(); source != sources.crend(); ++source) {
            const uint32_t count = terms.count();
            copyTerm(*source >= to ? *source + raised : *source, to);
            raised += terms.count() - count;
        }
        return raised;
    }

    // The copies go in first; the member entries still number the terms as before. They are
    // all made before any goes in, so reading the sources is one walk up the list.
    std::vector<std::pair<uint32_t, cTerm*>> copies;
    for (uint32_t source : sources)
        if (cTerm* copy = source < terms.count() ? cloneTerm(term(source)) : nullptr)
            copies.emplace_back(source, copy);
    std::vector<uint32_t> copied;
    cListNode* before = to == terms.count() ? terms.tail() : terms.nodeAt(to);
    for (const auto& [source, copy] : copies) {
        if (terms.insertBefore(before, nullptr, copy))
            copied.push_back(source);
        else
            copy->destroy();
    }
    if (copied.empty())
        return 0;
    for (cCategory* category : Items<cCategory>(categories))
        category->insertCopies(to, copied);
    return static_cast<uint32_t>(copied.size());
}

std::vector<uint32_t> cDatabase::existingTerms(const std::vector<uint32_t>& indices) const {
    std::vector<uint32_t> existing;
    existing.reserve(indices.size());
    for (uint32_t index : indices)
        if (index < terms.count())
            existing.push_back(index);
    std::sort(existing.begin(), existing.end());
    existing.erase(std::unique(existing.begin(), existing.end()), existing.end());
    return existing;
}

void cDatabase::deleteTerms(const std::vector<uint32_t>& indices) {
    for (cTerm* term : takeTerms(existingTerms(indices)))
        term->destroy();
}

std::vector<cTerm*> cDatabase::takeTerms(const std::vector<uint32_t>& indices) {
    std::vector<cTerm*> taken(indices.size(), nullptr);
    if (indices.empty())
        return taken;
    // removeTermFromCategories for each index from the highest down, done per category in
    // one pass: a terms x entries loop is far too slow when most of a database goes.
    for (cCategory* category : Items<cCategory>(categories))
        category->removeTerms(indices);
    // From the highest down, each nodeAt starts from the cursor the previous removal left,
    // so the whole pass is one walk.
    for (size_t i = indices.size(); i-- > 0;)
        taken[i] = static_cast<cTerm*>(terms.remove(terms.nodeAt(indices[i])));
    return taken;
}

void cDatabase::restoreTerms(const std::vector<uint32_t>& positions,
                             const std::vector<cTerm*>& restored) {
    if (positions.empty())
        return;
    // Where each present term ends up: behind every restored position at or before it.
    const uint32_t before = terms.count();
    std::vector<uint32_t> newIndex(before);
    size_t next = 0;
    for (uint32_t old = 0, position = 0; old < before; ++position) {
        if (next < positions.size() && positions[next] == position)
            ++next;
        else
            newIndex[old++] = position;
    }
    const auto added = static_cast<uint32_t>(positions.size());
    for (cCategory* category : Items<cCategory>(categories))
        for (cCategoryMember* member : Items<cCategoryMember>(category->members))
            member->firstTerm = member->firstTerm < before ? newIndex[member->firstTerm]
                                                           : member->firstTerm + added;
    // Ascending positions: each nodeAt walks on from the cursor the insertion before left.
    for (size_t i = 0; i < positions.size(); ++i) {
        cListNode* at = positions[i] >= terms.count() ? terms.tail() : terms.nodeAt(positions[i]);
        if (!terms.insertBefore(at, nullptr, restored[i]))
            restored[i]->destroy();
    }
}
