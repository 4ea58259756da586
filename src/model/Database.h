#pragma once
// The in-memory database. Attributes, terms and categories carry no identifiers: each is its
// 0-based position in its list, and every operation that deletes, inserts or moves an
// element renumbers every stored reference to the elements behind it in the same step.
//
// Operations that the user can push past a limit check the limit before changing anything,
// report it through ShowTableMessage and return -1.

#include "model/Attribute.h"
#include "model/Category.h"
#include "model/List.h"
#include "model/Object.h"
#include "model/String.h"
#include "model/Term.h"
#include "model/Value.h"

#include <cstdint>
#include <string>
#include <vector>

// The name of the category that a saved file has in group 0 for the terms that no group-0
// category holds (the database itself does not get it); a load removes it again.
constexpr const char* UncategorizedName = "Uncategorized";

class cDatabase : public cObject {
public:
    cDatabase() = default;
    ~cDatabase() override;

    // Destroys every element and empties path, name and description.
    void clear();
    // A copy of everything: path, name, description, and clones of every attribute,
    // category (with its member entries, in order) and term (with its values, in order).
    void copyFrom(const cDatabase& other);
    // Takes other's attributes, categories and terms (the same objects, in order) in place of
    // this database's own, which are destroyed, and copies path, name and description.
    // other's lists are left non-owning, so destroying other leaves the moved objects alone.
    void takeContents(cDatabase& other);

    // Typed positional access; nullptr when there is no element at index.
    cAttribute* attribute(uint32_t index) const {
        return static_cast<cAttribute*>(attributes.at(index));
    }
    cCategory* category(uint32_t index) const {
        return static_cast<cCategory*>(categories.at(index));
    }
    cTerm* term(uint32_t index) const { return static_cast<cTerm*>(terms.at(index)); }

    // ---- attributes (DatabaseAttributes.cpp)
    // Appends an attribute with an empty name; its index, or -1 (TextAttributeLimit) at the limit.
    int32_t addAttribute(uint16_t mediaType);
    void renameAttribute(uint32_t index, const char* text);
    // Removes the attribute and every value of it, then renumbers the values of the
    // attributes behind it. Asking the user first is the caller's business.
    void deleteAttribute(uint32_t index);
    // First attribute with that media type and exactly that name, or -1.
    int32_t findAttribute(uint16_t mediaType, const char* name) const;
    uint32_t countValuesOfAttribute(uint32_t index) const;
    // A new value of the attribute's class, not yet in any term; nullptr when there is no
    // such attribute or its media type is unknown. text, when given, must be in the value's
    // own encoding (escaped ANSI bytes for Ascii, UTF-16 for Unicode); a text of the other
    // encoding gives nullptr.
    cValue* createValue(uint32_t attributeIndex) const;
    // A new empty value of that media type for that attribute; nullptr for another media
    // type or when memory runs out. The load, which knows the media types, skips the look-up.
    static cValue* newValue(uint16_t attributeIndex, uint16_t mediaType);
    cValue* createValue(uint32_t attributeIndex, const char* text) const;
    cValue* createValue(uint32_t attributeIndex, const char16_t* text) const;

    // ---- terms (DatabaseTerms.cpp)
    // Sets, creates or removes (empty text) the term's value for the attribute. A text whose
    // encoding does not match the attribute's media type changes nothing.
    void setValue(uint32_t termIndex, uint32_t attributeIndex, const char* text);
    void setValue(uint32_t termIndex, uint32_t attributeIndex, const char16_t* text);
    // Appends an empty term; its index, or -1 (TextTermLimit) at 65,532 terms.
    int32_t addTerm();
    // Appends an empty term whatever the limit (quick entry never stops half-way through a
    // row; a save refuses what a file cannot hold); -1 only when memory runs out.
    int32_t appendTerm();
    // Removes the value of attributeIndex from the term, if it has one.
    void removeValue(uint32_t termIndex, uint32_t attributeIndex);
    // Sets the value from Unicode text: a Unicode attribute takes the units as they are, an
    // Ascii one their Windows-1252 form ("?" where there is none). The value is created when
    // missing, even for an empty text. False when there is no such term or attribute.
    bool setValueFromUnicode(uint32_t termIndex, uint32_t attributeIndex,
                             const std::u16string& text);
    // A new term holding clones of the term's values, in the same order.
    static cTerm* cloneTerm(const cTerm* term);
    // The term at index gets clones of from's values, in from's order, in place of its own.
    void setTermValues(uint32_t index, const cTerm& from);
    // Takes ownership of term and puts it at position (0..count; beyond count appends),
    // moving the memberships of the terms from position on up by one.
    void insertTerm(cTerm* term, uint32_t position);
    // Moves the term at from in front of the term at to (to = count: to the end), with its
    // memberships; it lands at to, or at to - 1 when it came from below.
    void moveTerm(uint32_t from, uint32_t to);
    // Inserts a copy of the term at from at position to; the copy gets the source's
    // memberships.
    void copyTerm(uint32_t from, uint32_t to);
    // The same as copyTerm(source, to) for each of sources (ascending positions) from the
    // last to the first, each source found where the copies before it pushed it: copies of
    // the terms, in their order, land in front of the term at to. One pass over the
    // members instead of one per copy. Returns the number of copies made.
    uint32_t copyTerms(const std::vector<uint32_t>& sources, uint32_t to);
    // Deletes the terms at the given positions (any order; duplicates and positions past
    // the end are ignored); every other term keeps its memberships under its new position.
    void deleteTerms(const std::vector<uint32_t>& indices);
    // The positions among indices that name a term, ascending, each once.
    std::vector<uint32_t> existingTerms(const std::vector<uint32_t>& indices) const;
    // deleteTerms without destroying: the terms at indices (ascending, no duplicates, all
    // present) leave the list and are returned in that order, without memberships.
    std::vector<cTerm*> takeTerms(const std::vector<uint32_t>& indices);
    // Puts terms[i] at positions[i] (ascending positions in the database they make): the
    // inverse of takeTerms, every member entry renumbered in one pass. The memberships of
    // the returned terms are the caller's (addMember).
    void restoreTerms(const std::vector<uint32_t>& positions, const std::vector<cTerm*>& terms);

    // ---- categories (DatabaseCategories.cpp)
    // Appends an empty group-0 category; its index, or -1 (TextCategoryLimit, then
    // TextCategoryGroupLimit) at a limit.
    int32_t addCategory();
    void renameCategory(uint32_t index, const char* text);
    void deleteCategory(uint32_t index);
    // deleteCategory without destroying, and its inverse: the category goes back to index.
    cCategory* takeCategory(uint32_t index);
    void insertCategory(cCategory* category, uint32_t index);
    bool groupInUse(uint16_t group) const;
    bool isCategorizedInGroup(uint32_t term, uint16_t group) const;
    // True when every term is in some category of the group, or there are no terms.
    bool allCategorizedInGroup(uint16_t group) const;
    // Adds to to every category that has from as member.
    void copyMemberships(uint32_t from, uint32_t to);
    // The indices of the categories that have term as member, in category order, as the
    // keys of the returned list's nodes (the payloads are nullptr).
    cList categoriesOfTerm(uint32_t term) const;
    // Adds term to the category named by each key of list, in order.
    void applyCategories(uint32_t term, const cList& list);
    // In every category, every entry at or after position moves up by one.
    void shiftMembersUp(uint32_t position);
    // In every category: removeMember(term, renumber).
    void removeTermFromCategories(uint32_t term);
    // The members of the "Uncategorized" category of a saved file: when group 0 is in use
    // but some terms are in none of its categories, exactly those terms, ascending; otherwise
    // none (no such category).
    std::vector<uint32_t> uncategorizedTerms() const;
    // Appends that category to this database, when there is one: group 0, named
    // "Uncategorized", holding uncategorizedTerms().
    void addUncategorized();
    // After a load: removes every group-0 category named "Uncategorized".
    void removeUncategorized();
    // True for such a category: the one a save adds.
    static bool isAddedUncategorized(uint16_t group, const char* name);

    // ---- the database file (defined in src/dbfile)
    // Writes the whole database to the file at path: 0 written, 1 failed (the previous file
    // is then unchanged).
    int save();
    // Reads the file at path into this empty database: 0 loaded, 1 unreadable or malformed,
    // 2 an unsupported version.
    int load();
    // The same from the file's bytes, already read (the path names them in messages). The
    // values' texts may keep living in those bytes: they are taken over.
    int load(std::vector<uint8_t>&& fileBytes);
    // Appends the terms of the database file at file: 0 merged, 1 the file could not be
    // loaded (nothing changed).
    int merge(const char* file);

    // ---- merging (DatabaseMerge.cpp)
    // Moves every term of source to the end of this database, matching attributes by media
    // type and name and categories by group and name, and adding clones of those that have
    // no match. source is left without terms.
    void mergeFrom(cDatabase& source);

    cString path;
    cString name;
    cString description;
    cList categories; // of cCategory
    cList attributes; // of cAttribute
    cList terms;      // of cTerm
};
