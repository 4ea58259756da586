#include "shell/Settings.h"

#include "text/Paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

sEditorPaths EditorPaths;

namespace {

const char ApplicationFolder[] = "vesk-builder";
const char SettingsFileName[] = "vesk_prefs.txt";
const char TemplatesFolder[] = "templates";

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

} // namespace

void InitEditorPaths(const std::string& programDirectory) {
    EditorPaths = sEditorPaths{};
    EditorPaths.programDirectory = programDirectory;
    if (!programDirectory.empty() && ::access(programDirectory.c_str(), W_OK) == 0) {
        // A build tree or a portable copy keeps everything beside the program.
        EditorPaths.settingsDirectory = programDirectory;
        EditorPaths.backupDirectory = programDirectory;
        EditorPaths.templateDirectories.push_back(JoinPath(programDirectory, TemplatesFolder));
        return;
    }
    std::string config = XdgDirectory("XDG_CONFIG_HOME", ".config");
    std::string data = XdgDirectory("XDG_DATA_HOME", ".local/share");
    EditorPaths.settingsDirectory = JoinPath(config, ApplicationFolder);
    EditorPaths.backupDirectory = JoinPath(data, ApplicationFolder);
    // An installed program still offers the templates shipped beside it, then the user's own.
    if (!programDirectory.empty())
        EditorPaths.templateDirectories.push_back(JoinPath(programDirectory, TemplatesFolder));
    EditorPaths.templateDirectories.push_back(
        JoinPath(EditorPaths.backupDirectory, TemplatesFolder));
}

std::string SettingsFilePath() {
    return JoinPath(EditorPaths.settingsDirectory, SettingsFileName);
}
