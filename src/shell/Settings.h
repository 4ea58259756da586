#pragma once
// The user's settings between runs, the recent-file list and the template list. The file
// "vesk_prefs.txt" holds one setting per line, in this order when written:
//   firsttime %d
//   font_face "%s"
//   font_size %d
//   font_weight %d
//   font_italic %d
//   recent "%s"          one line per recent file, oldest first
//   pinyin_style %d      1: standard tone marks; written only then
// Plain C++: nothing here needs a window.

#include <string>
#include <vector>

#include "text/PinyinStyle.h"

struct sTemplate {
    std::string displayName; // the file's base name, at most 31 characters
    std::string path;
};

struct sSettings {
    int firstTime = 1;
    std::vector<std::string> recentFiles; // oldest first
    std::string fontFace = "Arial Unicode MS";
    int fontSize = 12;
    int fontWeight = 400; // 400 normal, 700 bold
    int fontItalic = 0;
    std::vector<sTemplate> templates;
    // The marks the pinyin conversion writes while the user types (the Input menu).
    ePinyinStyle pinyinStyle = ePinyinStyle::Handheld;
    // The delimited import's last choices (DelimitedImportDialog.cpp); "delimited" line.
    std::string delimitedChoices;
};

extern sSettings Settings;

// Where the editor keeps its files. The settings file goes to $XDG_CONFIG_HOME/vesk-builder
// and the backup to $XDG_DATA_HOME/vesk-builder, unless a file named "portable" stands in
// the program directory: such a portable copy keeps both beside the program. The help pages
// and the shipped templates are read from the shared directory (beside the program, else
// ../share/vesk-builder, else $XDG_DATA_DIRS/vesk-builder); templates also from
// $XDG_DATA_HOME/vesk-builder/templates when not portable.
struct sEditorPaths {
    std::string programDirectory;
    std::string sharedDirectory; // holds Help/ and templates/
    std::string settingsDirectory;
    std::string backupDirectory;
    std::vector<std::string> templateDirectories;
};

extern sEditorPaths EditorPaths;

// Fills EditorPaths for an executable in programDirectory (empty when unknown).
void InitEditorPaths(const std::string& programDirectory);
std::string SettingsFilePath(); // <settings directory>/vesk_prefs.txt

// Defaults, then the settings file (written with the defaults when missing), then the
// template list.
void LoadSettings();
// Writes the settings file; 1 when it cannot be written (silently), 0 otherwise.
int SaveSettings();
// Records path as the most recently used: an entry equal ignoring letter case moves to the
// end; otherwise at 10 entries the oldest goes.
void AddRecentFile(const std::string& path);
// Equal ignoring the letter case of the letters the ANSI code page has in both cases; paths
// that are valid UTF-8 are compared as the characters they encode.
bool SamePathIgnoringCase(const std::string& a, const std::string& b);
// Lists "*.PDB" (any letter case of the extension) of the template directories.
void BuildTemplateList();
