#pragma once
// The readers of outside data, each wrapped as one fuzz entry point: the bytes become a file
// in a private scratch directory and go through the same reader the editor and the vesk
// tool use. libFuzzer calls one of them per program; the replay driver calls them by name.

#include <cstddef>
#include <cstdint>
#include <string>

using FuzzFunction = int (*)(const uint8_t* data, size_t size);

int FuzzDatabaseFile(const uint8_t* data, size_t size);
int FuzzTextImport(const uint8_t* data, size_t size);
int FuzzErganeImport(const uint8_t* data, size_t size);
int FuzzQuizAppImport(const uint8_t* data, size_t size);
int FuzzSettingsFile(const uint8_t* data, size_t size);
// The bytes are an Anki collection as unpacked from its package.
int FuzzAnkiCollection(const uint8_t* data, size_t size);
int FuzzDelimitedImport(const uint8_t* data, size_t size);

struct sFuzzTarget {
    const char* name;
    FuzzFunction function;
};

// Every target, in the order `make fuzz` runs them.
extern const sFuzzTarget FuzzTargetTable[];
extern const size_t FuzzTargetCount;
// nullptr for an unknown name.
FuzzFunction FindFuzzTarget(const std::string& name);

// A directory of this process's own for the files a reader is handed; created on first use.
const std::string& FuzzScratchDirectory();
// Replaces the file at path with the bytes; false when it cannot be written.
bool WriteScratchFile(const std::string& path, const uint8_t* data, size_t size);
