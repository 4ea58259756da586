#pragma once
// Reading a database file part by part. The walk hands each part to a visitor in this order:
// the head, every attribute, every category, then every term with its values. The load
// builds a cDatabase from the parts; `vesk dump` writes them out as they come, so that it
// never holds more than the file's bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "dbfile/DatabaseFormat.h"
#include "model/Value.h"

class cDatabaseFileVisitor {
public:
    virtual ~cDatabaseFileVisitor() = default;
    virtual void head(const std::string& /*name*/, const std::string& /*description*/) {}
    virtual void attribute(uint16_t /*mediaType*/, const std::string& /*name*/) {}
    // A category as the file holds it (the file's "Uncategorized" one included), its runs
    // merged: every term it lists once, ascending, below the term count.
    virtual void category(uint16_t /*group*/, const std::string& /*name*/,
                          const std::vector<sTermRun>& /*runs*/) {}
    virtual void beginTerm() {}
    // The object the next value of the current term is read into: one of the attribute's
    // media type (the read sets its attribute). nullptr ends the term, as a value of an
    // attribute that does not exist does.
    virtual cValue* valueFor(uint16_t attribute, uint16_t mediaType) = 0;
    // The value valueFor gave, read in whole.
    virtual void valueRead(const cValue& /*value*/) {}
};

// A visitor that looks at each value once, as it is read: every value is read into one of
// two objects it keeps. On its own it hands nothing on, and so makes sure a file reads.
class cScratchValueVisitor : public cDatabaseFileVisitor {
public:
    cValue* valueFor(uint16_t attribute, uint16_t mediaType) override;

private:
    cAsciiValue ascii_;
    cUnicodeValue unicode_;
};

// Reads the bytes of a whole database file and hands its parts to visitor; a load result
// (DatabaseFormat.h). A malformed file ends the walk at the part that does not read, after
// the parts before it were handed on. The reason of a failure is recorded for source.
int ReadDatabaseBytes(const std::vector<uint8_t>& bytes, const std::string& source,
                      cDatabaseFileVisitor& visitor);

// Checks the file at path as an open does and reads it, handing its parts to visitor only
// when the whole file reads: a first walk makes sure of that and hands nothing on. 0 on
// success; 1 after the check's or the load's message has been shown, visitor untouched.
int StreamDatabaseFile(const std::string& path, cDatabaseFileVisitor& visitor);
