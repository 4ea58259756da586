#include "cli/Commands.h"

#include <iostream>
#include <memory>
#include <new>

#include "cli/FailureReport.h"
#include "cli/JsonDump.h"
#include "cli/ProcessHeap.h"
#include "cli/StreamFile.h"
#include "dbfile/DatabaseFiles.h"
#include "dbfile/FileFailure.h"
#include "exchange/AnkiPackageExport.h"
#include "exchange/AnkiTextExport.h"
#include "exchange/Imports.h"
#include "exchange/TextExport.h"
#include "model/Database.h"
#include "text/Messages.h"
#include "text/TextIds.h"

int RunCatchingOutOfMemory(const std::function<int()>& command) {
    try {
        return command();
    } catch (const std::bad_alloc&) {
        ShowTableMessage(TextCaptionError, TextOutOfMemory, MessageOk);
        return 1;
    }
}

namespace {

// The imported database, its pinyin columns converted, saved to output.
int SaveImport(cDatabase& db, const std::string& input, const std::string& output,
               const sPinyinColumns& pinyin) {
    if (int failureText = ApplyPinyinColumns(db, pinyin, ePinyinDirection::ToMarks, input)) {
        ShowTableMessage(TextCaptionError, failureText, MessageOk);
        return 1;
    }
    return SaveDatabaseAs(db, output);
}

int ImportPdb(const std::string& input, const std::string& output,
              const sPinyinColumns& pinyin) {
    auto db = std::make_unique<cDatabase>();
    if (LoadDatabaseFile(input, *db) != 0)
        return 1;
    const int result = SaveImport(*db, input, output, pinyin);
    LeaveToSystem(std::move(db));
    return result;
}

int Merge(const std::string& target, const std::string& source, const std::string& output) {
    PrepareHeapForFile(target);
    auto db = std::make_unique<cDatabase>();
    if (LoadDatabaseFile(target, *db) != 0)
        return 1;
    if (db->merge(source.c_str()) != 0) {
        ShowTableMessage(TextCaptionError, TextMergeFailed, MessageOk);
        return 1;
    }
    const int result = SaveDatabaseAs(*db, output);
    LeaveToSystem(std::move(db));
    return result;
}

int Import(const std::string& format, const std::string& input, const std::string& output,
           const sPinyinColumns& pinyin) {
    PrepareHeapForFile(input);
    if (format == "pdb")
        return ImportPdb(input, output, pinyin);
    eImportFormat kind = format == "vesk"     ? eImportFormat::VeskText
                         : format == "tab"    ? eImportFormat::TabDelimited
                         : format == "ergane" ? eImportFormat::Ergane
                         : format == "apkg"   ? eImportFormat::AnkiPackage
                                              : eImportFormat::QuizApp;
    auto db = std::make_unique<cDatabase>();
    int failureText = ImportFile(kind, *db, input);
    if (failureText != 0) {
        ShowTableMessage(TextCaptionError, failureText, MessageOk);
        return 1;
    }
    const int result = SaveImport(*db, input, output, pinyin);
    LeaveToSystem(std::move(db));
    return result;
}

int ExportAs(const cDatabase& db, const std::string& format, const std::string& output,
             bool reverse) {
    sAnkiExportOptions options;
    options.reverse = reverse;
    if (format == "apkg")
        return ExportAnkiPackage(db, output, options);
    if (format == "anki-text")
        return ExportAnkiText(db, output);
    return ExportTextFile(db, output, format == "vesk");
}

int Export(const std::string& format, const std::string& input, const std::string& output,
           bool reverse, const sPinyinColumns& pinyinNumbers) {
    PrepareHeapForFile(input);
    cDatabase db;
    if (LoadDatabaseFile(input, db) != 0)
        return 1;
    if (int failureText =
            ApplyPinyinColumns(db, pinyinNumbers, ePinyinDirection::ToNumbers, input)) {
        ShowTableMessage(TextCaptionError, failureText, MessageOk);
        return 1;
    }
    if (ExportAs(db, format, output, reverse) != 0) {
        ShowTableMessage(TextCaptionError, TextSaveFailed, MessageOk);
        return 1;
    }
    return 0;
}

} // namespace

// Each command starts with no failure on record, so that the reason it reports is its own;
// "-" stands for standard input or output (StreamFile.h), and a failure is told as its.

int RunDump(const std::string& file, std::ostream& out) {
    ClearFileFailure();
    cStreamFile in(file, cStreamFile::Input);
    const int result = in.ready() ? WriteDatabaseJson(in.path(), out) : 1;
    in.nameFailure();
    return ReportFailure(result, file, std::cerr);
}

int RunImportPdb(const std::string& input, const std::string& output) {
    return RunImport("pdb", input, output);
}

int RunMerge(const std::string& target, const std::string& source, const std::string& output) {
    ClearFileFailure();
    cStreamFile targetIn(target, cStreamFile::Input), sourceIn(source, cStreamFile::Input);
    const int result =
        targetIn.ready() && sourceIn.ready() ? Merge(targetIn.path(), sourceIn.path(), output) : 1;
    targetIn.nameFailure();
    sourceIn.nameFailure();
    return ReportFailure(result, output, std::cerr);
}

int RunImport(const std::string& format, const std::string& input, const std::string& output) {
    return RunImport(format, input, output, sPinyinColumns());
}

int RunImport(const std::string& format, const std::string& input, const std::string& output,
              const sPinyinColumns& pinyin) {
    ClearFileFailure();
    cStreamFile in(input, cStreamFile::Input);
    const int result = in.ready() ? Import(format, in.path(), output, pinyin) : 1;
    in.nameFailure();
    return ReportFailure(result, output, std::cerr);
}

int RunExport(const std::string& format, const std::string& input, const std::string& output,
              bool reverse, const sPinyinColumns& pinyinNumbers) {
    ClearFileFailure();
    cStreamFile in(input, cStreamFile::Input), out(output, cStreamFile::Output);
    int result = in.ready() && out.ready()
                     ? Export(format, in.path(), out.path(), reverse, pinyinNumbers)
                     : 1;
    if (result == 0)
        result = out.deliver(std::cout);
    in.nameFailure();
    out.nameFailure();
    return ReportFailure(result, output, std::cerr);
}
