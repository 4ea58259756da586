#include "cli/DelimitedCommands.h"

#include "cli/FailureReport.h"
#include "cli/ProcessHeap.h"
#include "cli/StreamFile.h"
#include "dbfile/DatabaseFiles.h"
#include "dbfile/FileFailure.h"
#include "exchange/DatabaseSplit.h"
#include "exchange/DelimitedExport.h"
#include "exchange/DelimitedImport.h"
#include "exchange/ImportMessages.h"
#include "exchange/PinyinColumns.h"
#include "exchange/PolicyMerge.h"
#include "model/Database.h"
#include "model/Limits.h"
#include "text/Messages.h"
#include "text/StringTable.h"
#include "text/TextIds.h"
#include "text/Utf8.h"

#include <iostream>
#include <memory>

namespace {

// Shows the failure, records it for the file and returns 1.
int Fail(const std::string& path, const std::string& reason) {
    CurrentMessageSink()->showMessage(ResourceString(TextCaptionError),
                                      FilledText(TextDelimitedFailed, {reason}),
                                      MessageFlagsForCaption(TextCaptionError, MessageOk));
    RecordFileFailure(path, reason);
    return 1;
}

std::string Where(const sDelimitedError& error) {
    return error.line == 0 ? error.reason
                           : "line " + std::to_string(error.line) + ": " + error.reason;
}

bool ReadOptions(const sCsvImportOptions& options, sDelimitedOptions& read,
                 sDuplicatePolicy& policy, std::string& reason) {
    if (!options.encoding.empty() && !DelimitedEncodingFromName(options.encoding, read.encoding)) {
        reason = "unknown encoding \"" + options.encoding +
                 "\" (auto, utf-8, utf-16le, utf-16be, windows-1252)";
        return false;
    }
    if (!options.separator.empty() && !SeparatorFromName(options.separator, read.separator)) {
        reason = "unknown separator \"" + options.separator +
                 "\" (comma, semicolon, tab, pipe, space, colon or one character)";
        return false;
    }
    read.header = options.header < 0    ? eHeaderRow::Detect
                  : options.header == 0 ? eHeaderRow::Absent
                                        : eHeaderRow::Present;
    if (!DuplicatePolicyFromName(options.duplicates, policy.policy)) {
        reason = "unknown duplicate policy \"" + options.duplicates + "\" (add, skip, update)";
        return false;
    }
    policy.key = Utf8ToUtf16(options.key);
    return true;
}

int ImportCsv(const std::string& input, const std::string& shownInput, const std::string& output,
              const sCsvImportOptions& options) {
    sDelimitedOptions read;
    sDuplicatePolicy policy;
    std::string reason;
    PrepareHeapForFile(input);
    if (!ReadOptions(options, read, policy, reason))
        return Fail(shownInput, reason);
    cDelimitedTable table;
    sDelimitedError error;
    if (!ReadDelimitedFile(input, read, table, error))
        return Fail(shownInput, Where(error));

    auto owned = std::make_unique<cDatabase>();
    cDatabase& db = *owned;
    if (!options.into.empty() && LoadDatabaseFile(options.into, db) != 0)
        return 1;
    const uint32_t before = db.terms.count();
    tColumnMappings mappings;
    if (options.columns.empty())
        mappings = ProposeMappings(table, options.into.empty() ? nullptr : &db);
    else if (!ParseColumnList(options.columns, table, db, mappings, reason))
        return Fail(shownInput, reason);
    if (!MarkPinyinColumns(options.pinyin.columns, options.pinyin.style, db, mappings, reason))
        return Fail(shownInput, reason);
    sImportCounts counts;
    if (!ImportRows(db, table, mappings, policy, counts, error))
        return Fail(shownInput, Where(error));
    const size_t rowCount = table.rowCount();
    // Its memory serves the save.
    table.clear();
    table.text().shrink_to_fit();

    if (db.terms.count() > MaxTermCount) {
        const std::string rows = GroupedNumber(rowCount);
        const std::string fit = GroupedNumber(before < MaxTermCount ? MaxTermCount - before : 0);
        if (!options.into.empty() || !options.split)
            return Fail(shownInput, FilledText(options.into.empty() ? TextRowsOverLimitSplit
                                                                    : TextRowsOverLimit,
                                               {rows, fit}) +
                                        (options.into.empty() ? " (--split)" : ""));
        const std::vector<std::string> parts = WriteSplitDatabases(db, output);
        if (parts.empty())
            return 1;
        std::cout << ImportSummaryText(counts) << '\n';
        for (const std::string& part : parts)
            std::cout << part << '\n';
        return 0;
    }
    if (SaveDatabaseAs(db, output) != 0)
        return 1;
    std::cout << ImportSummaryText(counts) << '\n';
    LeaveToSystem(std::move(owned));
    return 0;
}

} // namespace

int RunImportCsv(const std::string& input, const std::string& output,
                 const sCsvImportOptions& options) {
    ClearFileFailure();
    cStreamFile in(input, cStreamFile::Input);
    const int result = in.ready() ? ImportCsv(in.path(), input, output, options) : 1;
    in.nameFailure();
    return ReportFailure(result, output, std::cerr);
}

int RunExportCsv(const std::string& input, const std::string& output, bool categories,
                 const sPinyinColumns& pinyinNumbers) {
    ClearFileFailure();
    cStreamFile in(input, cStreamFile::Input), out(output, cStreamFile::Output);
    int result = 1;
    if (in.ready() && out.ready()) {
        cDatabase db;
        result = LoadDatabaseFile(in.path(), db);
        if (result == 0) {
            if (int failureText =
                    ApplyPinyinColumns(db, pinyinNumbers, ePinyinDirection::ToNumbers, input)) {
                ShowTableMessage(TextCaptionError, failureText, MessageOk);
                result = 1;
            }
        }
        if (result == 0 && ExportDelimitedFile(db, out.path(), categories) != 0) {
            ShowTableMessage(TextCaptionError, TextSaveFailed, MessageOk);
            result = 1;
        }
    }
    if (result == 0)
        result = out.deliver(std::cout);
    in.nameFailure();
    out.nameFailure();
    return ReportFailure(result, output, std::cerr);
}

int RunMergeWithPolicy(const std::string& target, const std::string& source,
                       const std::string& output, const std::string& duplicates,
                       const std::string& key) {
    ClearFileFailure();
    cStreamFile targetIn(target, cStreamFile::Input), sourceIn(source, cStreamFile::Input);
    int result = 1;
    sDuplicatePolicy policy;
    policy.key = Utf8ToUtf16(key);
    if (!DuplicatePolicyFromName(duplicates, policy.policy)) {
        result =
            Fail(target, "unknown duplicate policy \"" + duplicates + "\" (add, skip, update)");
    } else if (targetIn.ready() && sourceIn.ready()) {
        cDatabase into, from;
        sImportCounts counts;
        std::string reason;
        if (LoadDatabaseFile(targetIn.path(), into) != 0 ||
            LoadDatabaseFile(sourceIn.path(), from) != 0) {
            ShowTableMessage(TextCaptionError, TextMergeFailed, MessageOk);
        } else if (!MergeWithPolicy(into, from, policy, counts, reason)) {
            result = Fail(source, reason);
        } else if (SaveDatabaseAs(into, output) == 0) {
            std::cout << ImportSummaryText(counts) << '\n';
            result = 0;
        }
    }
    targetIn.nameFailure();
    sourceIn.nameFailure();
    return ReportFailure(result, output, std::cerr);
}
