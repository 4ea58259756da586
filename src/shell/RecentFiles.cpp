#include "shell/Settings.h"

#include "text/CodePage.h"
#include "text/Utf8.h"

#include <algorithm>

namespace {

const size_t RecentFilesMax = 10;

// Paths reach us as UTF-8 from the file system, or as code-page text from older settings
// files; either way they are compared as characters, never byte by byte, so that folding
// one byte of a UTF-8 sequence cannot make two different names equal.
std::u16string PathCharacters(const std::string& path) {
    std::u16string wide = Utf8ToUtf16(path);
    if (Utf16ToUtf8(wide) == path)
        return wide;
    return AnsiToWide(path);
}

// The letters the ANSI code page has in both cases, folded to lower case.
char16_t FoldLetter(char16_t c) {
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char16_t>(c + 0x20);
    switch (c) {
    case 0x0152: // OE ligature
    case 0x0160: // S caron
    case 0x017D: // Z caron
        return static_cast<char16_t>(c + 1);
    case 0x0178: // Y diaeresis
        return 0x00FF;
    default:
        return c;
    }
}

} // namespace

bool SamePathIgnoringCase(const std::string& a, const std::string& b) {
    std::u16string left = PathCharacters(a);
    std::u16string right = PathCharacters(b);
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(),
                      [](char16_t x, char16_t y) { return FoldLetter(x) == FoldLetter(y); });
}

void AddRecentFile(const std::string& path) {
    std::vector<std::string>& recent = Settings.recentFiles;
    auto same = std::find_if(recent.begin(), recent.end(), [&](const std::string& entry) {
        return SamePathIgnoringCase(entry, path);
    });
    if (same != recent.end())
        recent.erase(same);
    else if (recent.size() == RecentFilesMax)
        recent.erase(recent.begin());
    recent.push_back(path);
}
