#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <unistd.h>

#include "dbfile/DatabaseCheck.h"
#include "exchange/AnkiPackageImport.h"
#include "exchange/DelimitedExport.h"
#include "exchange/DelimitedImport.h"
#include "exchange/ErganeImport.h"
#include "exchange/PinyinColumns.h"
#include "exchange/QuizAppImport.h"
#include "exchange/TextImport.h"
#include "model/Database.h"
#include "shell/Settings.h"
#include "text/Messages.h"
#include "text/Platform.h"

namespace {

// Readers report refusals as message boxes; under fuzzing they are expected by the million
// and must neither print nor wait.
class cQuietSink : public cMessageSink {
public:
    int showMessage(const std::string&, const std::string&, unsigned) override {
        return MessageResultOk;
    }
    void showStatus(const std::string&) override {}
};

cQuietSink QuietSink;

std::string ScratchFile(const char* name) {
    InstallMessageSink(&QuietSink);
    return FuzzScratchDirectory() + "/" + name;
}

void PrepareSettingsRun() {
    InstallMessageSink(&QuietSink);
    EditorPaths = sEditorPaths{};
    EditorPaths.settingsDirectory = FuzzScratchDirectory();
}

} // namespace

const std::string& FuzzScratchDirectory() {
    static const std::string directory = [] {
        // Memory-backed where there is one: libFuzzer runs thousands of inputs a second.
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/vesk-fuzz-XXXXXX";
        std::string made = ::mkdtemp(&pattern[0]) ? pattern : std::string("/tmp");
        return made;
    }();
    return directory;
}

bool WriteScratchFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

int FuzzDatabaseFile(const uint8_t* data, size_t size) {
    const std::string path = ScratchFile("input.PDB");
    if (!WriteScratchFile(path, data, size))
        return 0;
    // The check differs where windows cannot show Unicode; both must hold up.
    UnicodePlatform = false;
    CheckDatabaseFile(path);
    UnicodePlatform = true;
    if (CheckDatabaseFile(path) != 0)
        return 0;
    cDatabase db;
    db.path.assign(path.c_str());
    db.load();
    return 0;
}

int FuzzTextImport(const uint8_t* data, size_t size) {
    const std::string path = ScratchFile("input.txt");
    if (!WriteScratchFile(path, data, size))
        return 0;
    for (bool ownFormat : {true, false}) {
        cDatabase db;
        ImportTextFile(db, path, ownFormat);
        // Every column taken for pinyin, both ways, so the conversions meet any text a file
        // can bring.
        std::vector<uint32_t> columns(db.attributes.count());
        std::iota(columns.begin(), columns.end(), 0u);
        for (ePinyinStyle style : {ePinyinStyle::Handheld, ePinyinStyle::Standard})
            ConvertPinyinValues(db, columns, ePinyinDirection::ToMarks, style);
        ConvertPinyinValues(db, columns, ePinyinDirection::ToNumbers, ePinyinStyle::Standard);
    }
    return 0;
}

int FuzzErganeImport(const uint8_t* data, size_t size) {
    const std::string path = ScratchFile("input.txt");
    if (!WriteScratchFile(path, data, size))
        return 0;
    cDatabase db;
    ImportErganeFile(db, path);
    return 0;
}

int FuzzQuizAppImport(const uint8_t* data, size_t size) {
    const std::string path = ScratchFile("input.pdb");
    if (!WriteScratchFile(path, data, size))
        return 0;
    cDatabase db;
    ImportQuizAppModule(db, path);
    return 0;
}

int FuzzSettingsFile(const uint8_t* data, size_t size) {
    PrepareSettingsRun();
    if (!WriteScratchFile(SettingsFilePath(), data, size))
        return 0;
    LoadSettings();
    // What was read must survive being written and read again.
    SaveSettings();
    LoadSettings();
    return 0;
}

int FuzzAnkiCollection(const uint8_t* data, size_t size) {
    InstallMessageSink(&QuietSink);
    cDatabase db;
    std::string reason;
    ImportAnkiCollection(db, std::string(reinterpret_cast<const char*>(data), size), reason);
    return 0;
}

// The preview's head and the whole file; what reads goes into a database under the update
// policy and out again as the export writes it.
int FuzzDelimitedImport(const uint8_t* data, size_t size) {
    const std::string path = ScratchFile("input.csv");
    if (!WriteScratchFile(path, data, size))
        return 0;
    cDelimitedTable table;
    sDelimitedError error;
    sDelimitedOptions preview;
    preview.maxRows = 50;
    ReadDelimitedFile(path, preview, table, error);
    if (!ReadDelimitedFile(path, {}, table, error))
        return 0;
    cDatabase db;
    sImportCounts counts;
    if (ImportRows(db, table, ProposeMappings(table, nullptr), {eDuplicatePolicy::Update, u""},
                   counts, error))
        DelimitedText(db, true);
    return 0;
}

const sFuzzTarget FuzzTargetTable[] = {
    {"database", FuzzDatabaseFile},     {"text", FuzzTextImport},
    {"ergane", FuzzErganeImport},       {"quizapp", FuzzQuizAppImport},
    {"settings", FuzzSettingsFile},     {"anki", FuzzAnkiCollection},
    {"delimited", FuzzDelimitedImport},
};
const size_t FuzzTargetCount = sizeof FuzzTargetTable / sizeof FuzzTargetTable[0];

FuzzFunction FindFuzzTarget(const std::string& name) {
    for (size_t i = 0; i < FuzzTargetCount; ++i)
        if (name == FuzzTargetTable[i].name)
            return FuzzTargetTable[i].function;
    return nullptr;
}
