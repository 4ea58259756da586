#include "shell/Settings.h"
#include "shell/AppState.h"

#include "shell/AppState.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

const char DefaultFile[] = "firsttime 1\nfont_face \"Arial Unicode MS\"\nfont_size 12\n"
                           "font_weight 400\nfont_italic 0\n";

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// Every test starts from a program directory of its own.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        MakePortable(program);
        InitEditorPaths(program.path());
    }

    void loadFrom(const std::string& text) {
        WriteText(program.file("vesk_prefs.txt"), text);
        LoadSettings();
    }

    cTempDir program;
};

TEST_F(SettingsTest, FirstStartWritesTheDefaults) {
    LoadSettings();
    EXPECT_EQ(ReadText(program.file("vesk_prefs.txt")), DefaultFile);
    EXPECT_EQ(Settings.fontFace, "Arial Unicode MS");
    EXPECT_TRUE(Settings.recentFiles.empty());
}

TEST_F(SettingsTest, ReadsEverySettingAndWritesItBack) {
    const std::string text = "firsttime 0\nfont_face \"Noto Sans CJK SC\"\nfont_size 14\n"
                             "font_weight 700\nfont_italic 255\nrecent \"/db/a b.PDB\"\n"
                             "recent /db/c.PDB\n";
    loadFrom(text);
    EXPECT_EQ(Settings.firstTime, 0);
    EXPECT_EQ(Settings.fontFace, "Noto Sans CJK SC");
    EXPECT_EQ(Settings.fontSize, 14);
    EXPECT_EQ(Settings.fontWeight, 700);
    EXPECT_EQ(Settings.fontItalic, 255);
    EXPECT_EQ(Settings.recentFiles, (std::vector<std::string>{"/db/a b.PDB", "/db/c.PDB"}));

    EXPECT_EQ(SaveSettings(), 0);
    std::string expected = text;
    expected.replace(expected.find("/db/c.PDB"), 9, "\"/db/c.PDB\"");
    EXPECT_EQ(ReadText(program.file("vesk_prefs.txt")), expected);
}

TEST_F(SettingsTest, AcceptsCarriageReturnLineEndsAndAnyOrder) {
    loadFrom("font_size 9\r\nrecent \"/x/y z.PDB\"\r\nfont_face Courier\r\n");
    EXPECT_EQ(Settings.fontSize, 9);
    EXPECT_EQ(Settings.fontFace, "Courier");
    EXPECT_EQ(Settings.recentFiles, std::vector<std::string>{"/x/y z.PDB"});
}

TEST_F(SettingsTest, StopsAtWhatItDoesNotUnderstand) {
    // An unknown third keyword keeps the first two settings; the rest keep their defaults.
    loadFrom("firsttime 0\nfont_face \"Courier New\"\nfont_color 3\nfont_size 20\n"
             "recent \"/db/a.PDB\"\n");
    EXPECT_EQ(Settings.firstTime, 0);
    EXPECT_EQ(Settings.fontFace, "Courier New");
    EXPECT_EQ(Settings.fontSize, 12);
    EXPECT_TRUE(Settings.recentFiles.empty());

    // Keywords are case-sensitive.
    loadFrom("Font_size 20\n");
    EXPECT_EQ(Settings.fontSize, 12);

    loadFrom("font_size big\nfont_weight 700\n");
    EXPECT_EQ(Settings.fontSize, 12);
    EXPECT_EQ(Settings.fontWeight, 400);

    loadFrom("font_face \"\"\nfont_size 20\n");
    EXPECT_EQ(Settings.fontFace, "Arial Unicode MS");
    EXPECT_EQ(Settings.fontSize, 12);

    loadFrom("recent \"/db/a.PDB\"\nrecent \"\"\nrecent \"/db/b.PDB\"\n");
    EXPECT_EQ(Settings.recentFiles, std::vector<std::string>{"/db/a.PDB"});
}

TEST_F(SettingsTest, ValuesFollowTheQuotes) {
    // Quotes may stand anywhere in a value; a blank inside them belongs to it.
    loadFrom("font_face Arial\" Unicode\"\" MS\" font_size 10\n");
    EXPECT_EQ(Settings.fontFace, "Arial Unicode MS");
    EXPECT_EQ(Settings.fontSize, 10);

    // A quote left open ends with its line.
    loadFrom("recent \"/db/open quote.PDB\nfont_size 11\n");
    EXPECT_EQ(Settings.recentFiles, std::vector<std::string>{"/db/open quote.PDB"});
    EXPECT_EQ(Settings.fontSize, 11);
}

TEST_F(SettingsTest, LoadingStartsFromTheDefaults) {
    Settings.fontSize = 30;
    Settings.recentFiles = {"/old.PDB"};
    loadFrom("firsttime 1\n");
    EXPECT_EQ(Settings.fontSize, 12);
    EXPECT_TRUE(Settings.recentFiles.empty());
}

TEST_F(SettingsTest, LongRecentListsFromTheFileAreKept) {
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "recent \"/db/" + std::to_string(i) + ".PDB\"\n";
    loadFrom(text);
    ASSERT_EQ(Settings.recentFiles.size(), 12u);

    // A new path does not trim them; a repeat moves without growing.
    AddRecentFile("/db/new.PDB");
    EXPECT_EQ(Settings.recentFiles.size(), 13u);
    AddRecentFile("/db/0.PDB");
    EXPECT_EQ(Settings.recentFiles.size(), 13u);
    EXPECT_EQ(Settings.recentFiles.back(), "/db/0.PDB");
}

TEST_F(SettingsTest, SaveFailsQuietlyWhenTheFileCannotBeWritten) {
    std::filesystem::create_directory(program.file("vesk_prefs.txt"));
    EXPECT_EQ(SaveSettings(), 1);
}

TEST_F(SettingsTest, SaveCreatesTheSettingsFolder) {
    EditorPaths.settingsDirectory = program.file("deep/er");
    EXPECT_EQ(SaveSettings(), 0);
    EXPECT_EQ(ReadText(program.file("deep/er/vesk_prefs.txt")), DefaultFile);
}

class RecentFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAppState(); }
};

TEST_F(RecentFilesTest, KeepsTheTenMostRecent) {
    for (int i = 1; i <= 11; ++i)
        AddRecentFile("/db/" + std::to_string(i) + ".PDB");
    ASSERT_EQ(Settings.recentFiles.size(), 10u);
    EXPECT_EQ(Settings.recentFiles.front(), "/db/2.PDB");
    EXPECT_EQ(Settings.recentFiles.back(), "/db/11.PDB");

    // Reopening moves an entry to the end without removing another.
    AddRecentFile("/db/5.PDB");
    ASSERT_EQ(Settings.recentFiles.size(), 10u);
    EXPECT_EQ(Settings.recentFiles.front(), "/db/2.PDB");
    EXPECT_EQ(Settings.recentFiles.back(), "/db/5.PDB");
    EXPECT_EQ(std::count(Settings.recentFiles.begin(), Settings.recentFiles.end(), "/db/5.PDB"), 1);
}

TEST_F(RecentFilesTest, LetterCaseMatchKeepsTheNewSpelling) {
    AddRecentFile("/db/Cards.PDB");
    AddRecentFile("/db/other.PDB");
    AddRecentFile("/DB/cards.pdb");
    EXPECT_EQ(Settings.recentFiles, (std::vector<std::string>{"/db/other.PDB", "/DB/cards.pdb"}));
}

TEST(SamePathIgnoringCase, FoldsLettersOnly) {
    EXPECT_TRUE(SamePathIgnoringCase("/A/b.PDB", "/a/B.pdb"));
    EXPECT_FALSE(SamePathIgnoringCase("/a/b.PDB", "/a/b.PDB2"));
    EXPECT_FALSE(SamePathIgnoringCase("/a/[.PDB", "/a/{.PDB")); // differ by 0x20, not letters
    // Code-page text: E acute and e acute, S caron and s caron.
    EXPECT_TRUE(SamePathIgnoringCase("/\xC9t\xE9.PDB", "/\xE9T\xC9.PDB"));
    EXPECT_TRUE(SamePathIgnoringCase("/\x8A.PDB", "/\x9A.PDB"));
    EXPECT_FALSE(SamePathIgnoringCase("/\xD7.PDB", "/\xF7.PDB")); // times and divide
    // UTF-8: E circumflex (C3 8A) and U acute (C3 9A) are different letters, while E acute
    // (C3 89) and e acute (C3 A9) are one letter in two cases.
    EXPECT_FALSE(SamePathIgnoringCase("/\xC3\x8A.PDB", "/\xC3\x9A.PDB"));
    EXPECT_TRUE(SamePathIgnoringCase("/\xC3\x89t\xC3\xA9.PDB", "/\xC3\xA9T\xC3\x89.PDB"));
}

class TemplatesTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakePortable(program);
        InitEditorPaths(program.path());
        std::filesystem::create_directory(program.file("templates"));
    }

    void touch(const std::string& name) { WriteText(program.file("templates/" + name), "x"); }

    cTempDir program;
};

TEST_F(TemplatesTest, ListsDatabaseFilesByName) {
    touch("Spanish Verbs.PDB");
    touch("animals.pdb");
    touch("Kanji.Pdb");
    touch("notes.txt");
    touch("PDB");
    touch("archive.PDB.bak");
    std::filesystem::create_directory(program.file("templates/folder.PDB"));
    BuildTemplateList();

    ASSERT_EQ(Settings.templates.size(), 3u);
    EXPECT_EQ(Settings.templates[0].displayName, "Kanji");
    EXPECT_EQ(Settings.templates[1].displayName, "Spanish Verbs");
    EXPECT_EQ(Settings.templates[1].path, program.path() + "/templates/Spanish Verbs.PDB");
    EXPECT_EQ(Settings.templates[2].displayName, "animals");
}

TEST_F(TemplatesTest, CutsLongNamesTo31Characters) {
    touch("An Exceedingly Long Template Name Indeed.PDB");
    // 30 ASCII characters, then two-, three- and four-byte characters across the cut.
    touch(std::string(30, 'x') + "\xC3\xA9\xC3\xA9.PDB");
    touch(std::string(30, 'y') + "\xE4\xB8\xAD\xE6\x96\x87.PDB");
    touch(std::string(30, 'z') + "\xF0\x9F\x98\x80\xF0\x9F\x98\x80.PDB");
    BuildTemplateList();
    ASSERT_EQ(Settings.templates.size(), 4u);
    EXPECT_EQ(Settings.templates[0].displayName, "An Exceedingly Long Template Na");
    EXPECT_EQ(Settings.templates[1].displayName, std::string(30, 'x') + "\xC3\xA9");
    EXPECT_EQ(Settings.templates[2].displayName, std::string(30, 'y') + "\xE4\xB8\xAD");
    EXPECT_EQ(Settings.templates[3].displayName, std::string(30, 'z') + "\xF0\x9F\x98\x80");
}

TEST_F(TemplatesTest, MissingFolderGivesNone) {
    std::filesystem::remove(program.file("templates"));
    Settings.templates.push_back({"stale", "/stale.PDB"});
    BuildTemplateList();
    EXPECT_TRUE(Settings.templates.empty());
}

TEST_F(TemplatesTest, LoadSettingsBuildsTheList) {
    touch("French.PDB");
    LoadSettings();
    ASSERT_EQ(Settings.templates.size(), 1u);
    EXPECT_EQ(Settings.templates[0].displayName, "French");
}

// Sets (or, given nullptr, removes) an environment variable for the life of the object.
class cScopedEnv {
public:
    cScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        hadOld_ = old != nullptr;
        old_ = hadOld_ ? old : "";
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~cScopedEnv() {
        if (hadOld_)
            ::setenv(name_, old_.c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    bool hadOld_;
    std::string old_;
};

TEST(EditorPaths, PortableProgramDirectoryHoldsEverything) {
    cTempDir program;
    MakePortable(program);
    InitEditorPaths(program.path());
    EXPECT_EQ(EditorPaths.settingsDirectory, program.path());
    EXPECT_EQ(SettingsFilePath(), program.path() + "/vesk_prefs.txt");
    EXPECT_EQ(BackupFilePath(), program.path() + "/backup.PDB");
    EXPECT_EQ(EditorPaths.templateDirectories,
              std::vector<std::string>{program.path() + "/templates"});
}

TEST(EditorPaths, FallsBackToTheXdgDirectories) {
    cTempDir config, data;
    cScopedEnv configHome("XDG_CONFIG_HOME", config.path().c_str());
    cScopedEnv dataHome("XDG_DATA_HOME", data.path().c_str());

    InitEditorPaths(config.path() + "/no/such/dir");
    EXPECT_EQ(SettingsFilePath(), config.path() + "/vesk-builder/vesk_prefs.txt");
    EXPECT_EQ(BackupFilePath(), data.path() + "/vesk-builder/backup.PDB");
    EXPECT_EQ(EditorPaths.templateDirectories,
              (std::vector<std::string>{config.path() + "/no/such/dir/templates",
                                        data.path() + "/vesk-builder/templates"}));

    // The first start creates the settings folder; the user's templates are offered.
    std::filesystem::create_directories(data.path() + "/vesk-builder/templates");
    WriteText(data.path() + "/vesk-builder/templates/Mine.PDB", "x");
    InitEditorPaths("");
    EXPECT_EQ(EditorPaths.templateDirectories,
              std::vector<std::string>{data.path() + "/vesk-builder/templates"});
    LoadSettings();
    EXPECT_EQ(ReadText(config.path() + "/vesk-builder/vesk_prefs.txt"), DefaultFile);
    ASSERT_EQ(Settings.templates.size(), 1u);
    EXPECT_EQ(Settings.templates[0].displayName, "Mine");
}

TEST(EditorPaths, WithoutTheMarkerEveryCopyUsesTheXdgFoldersAndFindsItsSharedFiles) {
    cTempDir root;
    cScopedEnv configHome("XDG_CONFIG_HOME", root.file("config").c_str());
    cScopedEnv dataHome("XDG_DATA_HOME", root.file("data").c_str());
    cScopedEnv dataDirs("XDG_DATA_DIRS", ("relative/ignored:" + root.file("system")).c_str());
    for (const char* folder : {"build/Help", "prefix/bin", "prefix/share/vesk-builder/templates",
                               "elsewhere", "system/vesk-builder/Help"})
        std::filesystem::create_directories(root.file(folder));
    // A build tree (writable, Help beside the program), an installed copy and one whose
    // files only the data folders hold: which shared folder each finds.
    const std::pair<std::string, std::string> cases[] = {
        {"build", "build"},
        {"prefix/bin", "prefix/share/vesk-builder"},
        {"elsewhere", "system/vesk-builder"}};
    for (const auto& [program, shared] : cases) {
        InitEditorPaths(root.file(program));
        EXPECT_EQ(EditorPaths.sharedDirectory, root.file(shared)) << program;
        EXPECT_EQ(SettingsFilePath(), root.file("config/vesk-builder/vesk_prefs.txt")) << program;
        EXPECT_EQ(BackupFilePath(), root.file("data/vesk-builder/backup.PDB")) << program;
        EXPECT_EQ(EditorPaths.templateDirectories,
                  (std::vector<std::string>{root.file(shared + "/templates"),
                                            root.file("data/vesk-builder/templates")}))
            << program;
    }
}

TEST(EditorPaths, DefaultsBelowTheHomeDirectory) {
    cTempDir home;
    cScopedEnv homeVariable("HOME", home.path().c_str());
    cScopedEnv configHome("XDG_CONFIG_HOME", "relative/is/ignored");
    cScopedEnv dataHome("XDG_DATA_HOME", nullptr);
    InitEditorPaths("");
    EXPECT_EQ(SettingsFilePath(), home.path() + "/.config/vesk-builder/vesk_prefs.txt");
    EXPECT_EQ(BackupFilePath(), home.path() + "/.local/share/vesk-builder/backup.PDB");
}

} // namespace
