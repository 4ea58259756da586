#include "shell/Settings.h"

#include "dbfile/PdbFormat.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

bool HasDatabaseExtension(const std::string& name) {
    static const char Extension[] = ".PDB";
    const size_t length = sizeof Extension - 1;
    if (name.size() < length)
        return false;
    return std::equal(name.end() - length, name.end(), Extension, [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == b;
    });
}

// The database files of one folder, by name. The directory order on Linux depends on the
// file system and on the history of the folder, so the list is sorted to come out the same
// on every machine; a missing or unreadable folder gives none.
std::vector<std::string> DatabaseFileNames(const std::string& directory) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(directory, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (HasDatabaseExtension(name) && it->is_regular_file(typeError))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

void BuildTemplateList() {
    Settings.templates.clear();
    for (const std::string& directory : EditorPaths.templateDirectories) {
        for (const std::string& name : DatabaseFileNames(directory)) {
            sTemplate entry;
            entry.path = directory + "/" + name;
            entry.displayName = Utf8Prefix(name.substr(0, name.find('.')), kPdbMaxNameLength);
            Settings.templates.push_back(entry);
        }
    }
}
