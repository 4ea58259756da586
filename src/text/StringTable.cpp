#include "text/StringTable.h"

#include "text/CodePage.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace {

struct sTableEntry {
    int id;
    const char* text;
};

// Sorted by number, for the binary search below.
constexpr sTableEntry StringTable[] = {
    {2, "Failed to create font."},
    {3, "New attribute created."},
    {4, "Attribute deleted."},
    {9, "New category created."},
    {11, "New term added."},
    {12, "Do you really wish to delete the currently selected term?"},
    {13, "Dangerous Command Confirmation"},
    {14, "Term deleted."},
    {17, "Term Id"},
    {18, "Attribute"},
    {19, "Value"},
    {20, "Ascii"},
    {21, "Unicode"},
    {24, "Category Name"},
    {34, "Media"},
    {35, "Attribute Name"},
    {37, "New database created from template."},
    {38, "Database opened."},
    {39, "Failed to save."},
    {40, "Database saved."},
    {44, "Window registration failed."},
    {45, "Vesk-Builder"},
    {46, "Category deleted."},
    {47, "You have selected a vertically-oriented font. If this is not what you want, please "
         "choose a new font which does not have the '@' prefix in front of it's name."},
    {48, "New Database (Ctrl+N)"},
    {49, "Open Database (Ctrl+O)"},
    {50, "Save Database (Ctrl+S)"},
    {51, "New Term (Ctrl+T)"},
    {52, "You must add at least one attribute before you can create a new term."},
    {53, "Warning"},
    {54, "Instructions"},
    {58, "Error"},
    {59, "Failed to launch HTML browser. You can manually view the help documentation by "
         "opening Help\\Vesk-Builder_UserManual.html in your browser."},
    {60, "Failed to load database."},
    {61, "Failed to load database because file does not exist."},
    {63, "Failed to add term because this database has reached the maximum number of terms "
         "allowed."},
    {64, "Failed to add category because the specified category group has reached the maximum "
         "number of categories allowed."},
    {66, "Failed to add attribute because this database has reached the maximum amount of "
         "space allowed for attributes."},
    {68, "Failed to add category because this database has reached the maximum amount of "
         "space allowed for categories."},
    {69, "Term categorization changed."},
    {70, "Blank database created."},
    {71, "Failed to load template."},
    {72, "Blank"},
    {74, "Entered normal input mode."},
    {75, "Entered One Term at a Time input mode."},
    {76, "Entered One Attribute at a Time input mode."},
    {89, "Pinyin number-to-accent conversion enabled."},
    {90, "Pinyin number-to-accent conversion disabled."},
    {91, "Failed to load database because it is corrupt."},
    {92, "Failed to load database because it contains Unicode data, and your OS does not "
         "support Unicode."},
    {93, "Failed to load file because it is not an Vesk database."},
    {94, "Do you really wish to delete the currently selected terms?"},
    {95, "You are attempting to enter Unicode text into an Ascii attribute. Some data may be "
         "lost. Consider using a Unicode attribute instead."},
    {96, "Failed to import module."},
    {97, "Currently only QuizApp flashcard modules can be imported."},
    {98, "The selected database is not a known QuizApp module format."},
    {99, "Failed to load database because format is bad."},
    {100, "Failed to load database because version is unsupported."},
    {101, "New Category"},
    {102, "New Ascii Attribute"},
    {103, "New Unicode Attribute"},
    {104, "Help Contents (F1)"},
    {105, "Properties"},
    {106, "Quick Entry Mode - One Term at a Time (Ctrl+2)"},
    {107, "Quick Entry Mode - One Attribute at a Time (Ctrl+3)"},
    {108, "Entry Mode - Normal (Ctrl+1)"},
    {109, "Convert Pinyin Numbers to Accents (Ctrl+P)"},
    {111, "Cut (Ctrl+X)"},
    {112, "Copy (Ctrl+C)"},
    {113, "Paste (Ctrl+V)"},
    {114, "Failed to load help file. Please re-install Vesk-Builder, or view the help "
          "documentation online at https://vesk-builder.org/help/"},
    {115, "Failed to find a match."},
    {116, "Information"},
    {117, "Failed to merge database."},
    // Texts added after the original table.
    {118, "Failed to save because this database holds more than 65532 terms, the most a "
          "database file can store. Delete terms or move some into another database."},
    {200, "This text is too long to edit here; it is kept as it is."},
    {201, "1 term imported."},
    {202, "%u terms imported."},
    {203, "Database exported."},
    {204, "There is not enough memory to complete this command. The open database is kept as "
          "it was."},
    {220, "The backup could not be written: until you save, your changes are only in the "
          "editor."},
    {221, "No backup is written: something other than a plain file stands in its place (a "
          "link, a folder)."},
    {222, "No backup is written: other users can write to its folder."},
    {223, "The database file was changed by another program. Save will ask before "
          "overwriting it."},
    {224, "The database file was deleted or moved by another program. Save will ask before "
          "recreating it."},
    {225, "'%1' was changed by another program since you opened or saved it.\n\nOverwrite "
          "that version with yours? Yes overwrites it; No keeps it and lets you save yours "
          "under another name."},
    {226, "'%1' was deleted or moved by another program since you opened or saved it.\n\n"
          "Save it there again? Yes recreates it; No lets you save it under another name."},
    {230, "Vesk-Builder was closed with unsaved changes to %1. Restore them?"},
    {231, "The unsaved changes of the last run could not be restored: their backup is missing "
          "or unreadable."},
    {240, "Failed to load database because it is not a file but a folder, a device, a pipe or "
          "a socket."},
    {241, "'%1': %2"},
    {260, "Line %u: this line holds a NUL character, which no text in a database can hold."},
    {261, "Line %u: more attributes than a database can hold (128)."},
    {262, "Line %u: more terms than a database can hold (65532)."},
    {263, "%u imported texts held characters that Ascii text cannot hold; each of those "
          "characters became '?'."},
    {264, "%u texts held a tab, a line break or, in a category name, a '|', which the text "
          "file cannot hold; they were written as spaces and '/'."},
    {280, "Undo (Ctrl+Z)"},
    {281, "Redo (Ctrl+Shift+Z)"},
    {300, "%u notes became terms. Scheduling, review history and media files are not "
          "imported."},
    {301, "%u sound and picture references were left out."},
    {302, "%u tags and decks did not fit the 127 categories an import fills and were left out."},
    {303, "%u fields did not fit the 128 attributes and were left out."},
    {304, "%u tag, deck and field names held characters that Ascii text cannot hold; each of "
          "those characters became '?'."},
    {305, "The package holds %u notes, more than a database can hold (65532)."},
    {320, "%1 added, %2 updated, %3 skipped"},
    {321, "The file holds %1 rows, but a database holds at most 65,532 terms, so %2 of them fit. "
          "Split the rows over several databases, \"NAME 1\", \"NAME 2\" and so on, each "
          "beside the chosen file?"},
    {322, "The file holds %1 rows, but only %2 more terms fit in this database (at most "
          "65,532). Nothing was imported."},
    {323, "Failed to import the delimited text: %1"},
    {324, "Write the categories of each term as a column too?"},
    {325, "The terms were split over %1 database files."},
    {350, "Pinyin could not be converted: a pinyin column names no Unicode attribute of the "
          "database. Nothing was changed."},
    {351, "Standard pinyin tone marks: on the vowel the dictionaries mark, caron for tone 3."},
    {352, "Handheld pinyin tone marks: on the last vowel before the digit, breve for tone 3."},
};

constexpr bool TableIsSorted() {
    for (size_t i = 1; i < std::size(StringTable); ++i)
        if (StringTable[i - 1].id >= StringTable[i].id)
            return false;
    return true;
}
static_assert(TableIsSorted(), "the lookup needs the table sorted by number, without repeats");

const size_t SharedBufferBytes = 512;

// One storage for both kinds of load, as callers expect a load to invalidate the previous
// text whichever kind it was.
union uSharedText {
    char ansi[SharedBufferBytes];
    char16_t wide[SharedBufferBytes / sizeof(char16_t)];
};

uSharedText SharedText;

const char* FindText(int id) {
    auto end = std::end(StringTable);
    auto it = std::lower_bound(std::begin(StringTable), end, id,
                               [](const sTableEntry& entry, int key) { return entry.id < key; });
    return it != end && it->id == id ? it->text : "";
}

} // namespace

const char* LoadResourceText(int id) {
    const char* text = FindText(id);
    size_t length = 0;
    for (; text[length] != 0 && length + 1 < SharedBufferBytes; ++length)
        SharedText.ansi[length] = text[length];
    SharedText.ansi[length] = 0;
    return SharedText.ansi;
}

const char16_t* LoadResourceTextW(int id) {
    // Converted unit by unit rather than through AnsiToWide, so that an overlong text is
    // cut like the ANSI load instead of coming back empty.
    const char* text = FindText(id);
    const size_t capacity = std::size(SharedText.wide);
    size_t length = 0;
    for (; text[length] != 0 && length + 1 < capacity; ++length)
        SharedText.wide[length] = AnsiCharToWide(static_cast<unsigned char>(text[length]));
    SharedText.wide[length] = 0;
    return SharedText.wide;
}

std::string ResourceString(int id) {
    return FindText(id);
}
