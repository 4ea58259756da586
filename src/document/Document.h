#pragma once
// The open database as one document: the database, whether one is open, whether it holds
// unsaved changes, its backup, its undo history, and the views that follow it. Every change
// to the database is one call here; the call changes the database, tells every listener,
// records how to undo it, marks the document modified and writes the backup.
//
// Terms, attributes and categories are 0-based positions as in cDatabase. Texts of names
// are escaped ANSI as the model stores them; values come as UTF-16 and are stored in the
// attribute's encoding.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dbfile/FileIdentity.h"
#include "document/DocumentBackup.h"
#include "document/DocumentListener.h"
#include "document/UndoHistory.h"
#include "model/Database.h"

class cDocument {
public:
    cDocument() = default;
    cDocument(const cDocument&) = delete;
    cDocument& operator=(const cDocument&) = delete;

    const cDatabase& database() const { return db_; }
    // The database for building contents in place before anyone looks (tests, benchmarks):
    // what changes here reaches no listener and marks nothing.
    cDatabase& databaseForSetUp() { return db_; }
    bool isOpen() const { return open_; }
    bool isModified() const { return modified_; }
    // The file the database was last read from or written to, as it was then; an empty path
    // for a database that has no file yet.
    const std::string& filePath() const { return filePath_; }
    const sFileIdentity& fileIdentity() const { return fileIdentity_; }
    cDocumentBackup& backup() { return backup_; }

    void addListener(cDocumentListener* listener);
    void removeListener(cDocumentListener* listener);
    // Where the user works when a change is made, recorded with its undo step.
    void setPlaceProvider(std::function<sPlace()> provider) { placeOf_ = std::move(provider); }

    // ---- undo and redo
    // Takes back the last change done, or does again the last one taken back: the database
    // is then exactly as it was, the listeners are told what changed and where, the backup
    // is written, and the document is modified unless it matches the saved file again.
    void undo();
    void redo();
    const cUndoHistory& history() const { return history_; }

    // ---- the document as a whole
    // contents becomes the database (contents is left empty); a document that was not open
    // is open now. modified: an import, which counts as a change and can be undone;
    // otherwise a file just opened or a new database, which starts a new history.
    // The database a file or new database took the place of is kept until
    // releaseReplaced, so that freeing it term by term need not delay showing the new one.
    void replace(cDatabase& contents, bool modified);
    void releaseReplaced() { replaced_.reset(); }
    // Appends the terms of the database file at path (cDatabase::merge); a change. 0, or 1
    // when the file could not be loaded (nothing changed).
    int mergeFile(const std::string& path);
    // An import into the open database or a merge under a duplicate policy: change gets a
    // copy of the database to change, and the copy becomes the database as one change with
    // one undo step. False from change (its failure shown) leaves everything as it was.
    bool changeCopy(const char* label, const std::function<bool(cDatabase&)>& change);
    // Writes the database to its path, or to path as Save As does (the path becomes the
    // database's; an unnamed database is named after the file). 0, and the document is
    // no longer modified; 1 when nothing was written (the previous file is unchanged).
    int save();
    int saveAs(const std::string& path);
    // Sets or clears the modified flag; setting it writes the backup as every change does,
    // clearing it tells the backup's record that nothing is unsaved.
    void setModified(bool modified);
    // Empties the database and closes the document, as at start-up; tells nobody.
    void clear();
    // For contents built in place (databaseForSetUp): open or closed, not modified; and the
    // listeners told that everything is new.
    void setOpen(bool open);
    void tellReset();

    // ---- properties
    void setProperties(const char* name, const char* description);

    // ---- values
    // The user's text for the value: an empty text removes the value. A change even when
    // the text is the one stored: committing an edit is what counts.
    void setValueText(uint32_t term, uint32_t attribute, const std::u16string& text);
    // A pasted value: the text when there is one; without text an empty value is made where
    // there was none. Always a change.
    void pasteValue(uint32_t term, uint32_t attribute, const std::u16string* text);
    void removeValue(uint32_t term, uint32_t attribute);

    // ---- terms
    // A new empty term at the end, in the categories of inheritFrom when that is a term;
    // its index, or -1 at the term limit (after the model's message) or out of memory.
    int32_t addTerm(int32_t inheritFrom);
    // The same past the term limit (quick entry never stops half-way through a row).
    int32_t appendTerm(int32_t inheritFrom);
    void deleteTerms(const std::vector<uint32_t>& terms);
    // Moves the terms at sources (ascending) in front of the term at target, keeping their
    // order, with their values and memberships.
    void moveTerms(const std::vector<uint32_t>& sources, uint32_t target);
    // Copies of the terms at sources (ascending) in front of the term at target; how many.
    uint32_t copyTerms(const std::vector<uint32_t>& sources, uint32_t target);

    // ---- attributes
    // mediaType: MediaTypeAscii or MediaTypeUnicode. The index, or -1 at the limit.
    int32_t addAttribute(uint16_t mediaType);
    void renameAttribute(uint32_t index, const char* name);
    void deleteAttribute(uint32_t index);

    // ---- categories
    int32_t addCategory();
    void renameCategory(uint32_t index, const char* name);
    void deleteCategory(uint32_t index);
    // Puts every term of terms into the category (add) or takes them out.
    void setMembership(uint32_t category, const std::vector<uint32_t>& terms, bool add);

private:
    // What every change ends with: the step recorded, modified, the backup written.
    void changed(const char* label, size_t bytes, std::function<void()> undo,
                 std::function<void()> redo);
    // After an undo or a redo.
    void stepped(const sUndoStep& step);
    // Where the user works, taken before a change: the place its undo step shows again.
    void notePlace();
    void writeBackup();
    template <class F> void tell(F f) {
        for (cDocumentListener* listener : std::vector<cDocumentListener*>(listeners_))
            f(*listener);
    }
    bool termExists(uint32_t term) const { return term < db_.terms.count(); }
    int32_t termAdded(int32_t added, int32_t inheritFrom);
    // A change of one term's values, recorded as its values before and after.
    template <class F>
    void changeValues(uint32_t term, uint32_t attribute, const char* label, F change);
    // A rename recorded as the names before and after; rename(text) sets the name that
    // current holds and tells the listeners.
    template <class R>
    void changeName(const char* label, const cString& current, const char* name, R rename);
    // A change recorded as the whole database before it: undo and redo swap the two.
    // change(before) makes the change, leaving before as the database was (false: nothing
    // changed); tellChange(done) tells the listeners of the change done or undone.
    template <class F, class T> void changeWholesale(const char* label, F change, T tellChange);
    // The raw steps that changes, undos and redos share; each tells the listeners.
    void removeTermsAt(const std::vector<uint32_t>& terms);
    void copyTermsRaw(const std::vector<uint32_t>& sources, uint32_t target);
    void rememberFile();
    // Not modified after a save, with the path (which a Save As may have changed) shown.
    void savedToFile();

    cDatabase db_;
    std::unique_ptr<cDatabase> replaced_;
    bool open_ = false;
    bool modified_ = false;
    std::string filePath_;
    sFileIdentity fileIdentity_;
    cDocumentBackup backup_;
    std::vector<cDocumentListener*> listeners_;
    cUndoHistory history_;
    std::function<sPlace()> placeOf_;
    sPlace place_;
};
