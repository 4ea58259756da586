#include "LimitFixtures.h"

#include <cstdio>
#include <string>

#include "exchange/TextExport.h"
#include "model/Database.h"

namespace {

// A reproducible pseudo-random sequence, so every run measures the same data.
struct sSequence {
    uint32_t state = 20261208;
    uint32_t next() {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    }
};

std::string Word(sSequence& random) {
    static const char* const syllables[] = {"ka", "lo", "mi", "ne", "ru", "ta", "shi", "po",
                                            "va", "de", "gu", "zo", "be", "fa", "hi",  "ja"};
    std::string word;
    for (int n = 2 + static_cast<int>(random.next() % 3); n > 0; --n)
        word += syllables[random.next() % 16];
    return word;
}

} // namespace

void FillLimitDatabase(cDatabase& db) {
    sSequence random;
    db.name.assign("Limit");
    db.description.assign("A database at the limits of the file format.");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Word");
    db.renameAttribute(db.addAttribute(MediaTypeUnicode), "Hanzi");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Meaning");
    for (unsigned c = 0; c < LimitCategoryCount; ++c)
        db.categories.append(new cCategory(0, ("Lesson " + std::to_string(c + 1)).c_str()));

    for (unsigned t = 0; t < LimitTermCount; ++t) {
        auto* term = new cTerm;
        db.terms.append(term);
        std::string word = Word(random);
        term->changeValues().append(new cAsciiValue(0, word.c_str()));
        std::u16string hanzi;
        for (int n = 1 + static_cast<int>(random.next() % 4); n > 0; --n)
            hanzi += static_cast<char16_t>(0x4E00 + random.next() % 0x5000);
        term->changeValues().append(new cUnicodeValue(1, hanzi.c_str()));
        std::string meaning = "the meaning of " + word + " in a sentence";
        meaning.resize(40, '.');
        term->changeValues().append(new cAsciiValue(2, meaning.c_str()));

        uint32_t first = random.next() % LimitCategoryCount;
        db.category(first)->addMember(t);
        if (random.next() % 2) {
            uint32_t second =
                (first + 1 + random.next() % (LimitCategoryCount - 1)) % LimitCategoryCount;
            db.category(second)->addMember(t);
        }
    }
}

sLimitFiles WriteLimitFiles(const std::string& directory) {
    sLimitFiles files{directory + "/limit.PDB", directory + "/limit.txt"};
    cDatabase db;
    FillLimitDatabase(db);
    db.path.assign(files.database.c_str());
    if (db.save() != 0)
        std::fprintf(stderr, "cannot write %s\n", files.database.c_str());

    // The tab-delimited file holds Ascii columns only, so it is 8-bit text of the same rows.
    cDatabase ascii;
    ascii.addAttribute(MediaTypeAscii);
    ascii.addAttribute(MediaTypeAscii);
    for (uint32_t t = 0; t < db.terms.count(); ++t) {
        auto* term = new cTerm;
        ascii.terms.append(term);
        const cTerm* source = db.term(t);
        term->changeValues().append(source->findValue(0)->clone());
        cValue* meaning = source->findValue(2)->clone();
        meaning->attribute = 1;
        term->changeValues().append(meaning);
    }
    if (ExportTextFile(ascii, files.tabText, false) != 0)
        std::fprintf(stderr, "cannot write %s\n", files.tabText.c_str());
    return files;
}
