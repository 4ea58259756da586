#pragma once
// Small valid files of every kind the program reads, made by our own writers (and, for the
// formats we only read, by a builder of their documented layout). They seed the fuzz
// corpora and are the fixtures the malformed-file tests cut and corrupt.

#include <cstdint>
#include <string>
#include <vector>

using SeedBytes = std::vector<uint8_t>;

struct sSeedFile {
    std::string name;
    SeedBytes bytes;
};

class cDatabase;

// A database touching every record kind: both media types, a right-to-left value, a
// multi-line Ascii value, categories of two groups.
void FillSeedDatabase(cDatabase& db);

// The seeds of one fuzz target by its name ("database", "text", "ergane", "quizapp",
// "settings", "anki"); empty for an unknown name. Files are written in scratchDirectory on the way.
std::vector<sSeedFile> SeedFilesFor(const std::string& target, const std::string& scratchDirectory);

// QuizApp modules as the documented layout has them.
struct sQuizAppCard {
    uint8_t category = 0;
    std::string text; // the uncompressed card: NUL-separated strings
    // When set, these replace the compressed stream and the lengths written before it.
    bool rawStream = false;
    SeedBytes stream;
    uint16_t compressedLength = 0;
    uint16_t uncompressedLength = 0;
};

struct sQuizAppModule {
    std::string type = "flsh";
    std::string moduleName = "Animals";
    std::vector<std::string> categories = {"Mammals", "Birds"};
    std::vector<std::string> sides = {"Front", "Back", "Note"};
    std::vector<sQuizAppCard> cards;
};

SeedBytes BuildQuizAppModule(const sQuizAppModule& module);
SeedBytes CompressZlib(const std::string& text);

// Ergane writes UTF-16 with the high byte first and no byte-order mark.
SeedBytes ErganeBytes(const std::u16string& text);
