#include "shell/Settings.h"

#include "text/Paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

sEditorPaths EditorPaths;

namespace {

const char ApplicationFolder[] = "vesk-builder";
const char SettingsFileName[] = "vesk_prefs.txt";
const char TemplatesFolder[] = "templates";
const char HelpFolder[] = "Help";
const char PortableMarker[] = "portable";
const char InstalledDataFolder[] = "../share/vesk-builder";
const char DefaultDataDirs[] = "/usr/local/share:/usr/share";

std::string HomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    if (entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] == '/')
        return entry->pw_dir;
    return ".";
}

// An XDG base directory: the variable when it holds an absolute path (relative ones are
// invalid by the XDG rules and ignored), otherwise the default below the home directory.
std::string XdgDirectory(const char* variable, const char* defaultBelowHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/')
        return value;
    return JoinPath(HomeDirectory(), defaultBelowHome);
}

bool IsDirectory(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool HoldsSharedFiles(const std::string& directory) {
    return IsDirectory(JoinPath(directory, HelpFolder)) ||
           IsDirectory(JoinPath(directory, TemplatesFolder));
}

// Where the help pages and the shipped templates are: beside the program (a build tree, a
// portable copy), in ../share/vesk-builder of an installed one, else in the first folder of
// $XDG_DATA_DIRS that has them. With none of them, the program directory, so that a
// missing help page is reported where it was looked for.
std::string SharedDataDirectory(const std::string& programDirectory, bool portable) {
    if (!programDirectory.empty()) {
        if (portable || HoldsSharedFiles(programDirectory))
            return programDirectory;
        std::string installed =
            std::filesystem::path(JoinPath(programDirectory, InstalledDataFolder))
                .lexically_normal()
                .string();
        if (HoldsSharedFiles(installed))
            return installed;
    }
    const char* variable = std::getenv("XDG_DATA_DIRS");
    std::string list = variable != nullptr && variable[0] != '\0' ? variable : DefaultDataDirs;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        std::string directory = list.substr(start, end - start);
        std::string candidate = JoinPath(directory, ApplicationFolder);
        if (!directory.empty() && directory[0] == '/' && HoldsSharedFiles(candidate))
            return candidate;
        start = end + 1;
    }
    return programDirectory;
}

bool IsPortableProgram(const std::string& programDirectory) {
    return !programDirectory.empty() &&
           ::access(JoinPath(programDirectory, PortableMarker).c_str(), F_OK) == 0;
}

} // namespace

void InitEditorPaths(const std::string& programDirectory) {
    EditorPaths = sEditorPaths{};
    EditorPaths.programDirectory = programDirectory;
    const bool portable = IsPortableProgram(programDirectory);
    EditorPaths.sharedDirectory = SharedDataDirectory(programDirectory, portable);
    if (!EditorPaths.sharedDirectory.empty())
        EditorPaths.templateDirectories.push_back(
            JoinPath(EditorPaths.sharedDirectory, TemplatesFolder));
    if (portable) {
        EditorPaths.settingsDirectory = programDirectory;
        EditorPaths.backupDirectory = programDirectory;
        return;
    }
    std::string config = XdgDirectory("XDG_CONFIG_HOME", ".config");
    std::string data = XdgDirectory("XDG_DATA_HOME", ".local/share");
    EditorPaths.settingsDirectory = JoinPath(config, ApplicationFolder);
    EditorPaths.backupDirectory = JoinPath(data, ApplicationFolder);
    // The user's own templates follow the shipped ones.
    EditorPaths.templateDirectories.push_back(
        JoinPath(EditorPaths.backupDirectory, TemplatesFolder));
}

std::string SettingsFilePath() {
    return JoinPath(EditorPaths.settingsDirectory, SettingsFileName);
}
