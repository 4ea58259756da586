// vesk: the command-line companion of the editor. Exit status 0 on success, 1 on a failure
// (its message on standard error), 2 on a usage error (the usage on standard error). "-"
// reads standard input or, as the output of export, writes standard output.

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/Commands.h"
#include "cli/DelimitedCommands.h"
#include "cli/ErrorStreamSink.h"
#include "cli/ProcessHeap.h"

namespace {

constexpr int ExitUsage = 2;

const char ExitStatuses[] =
    "A FILE, INPUT, TARGET or SOURCE of - is standard input (one of them at a time), an "
    "OUTPUT of export - is standard output.\n\n"
    "Exit status:\n"
    "  0  success\n"
    "  1  failure: the message, then \"vesk: PATH: reason\", on standard error\n"
    "  2  wrong usage: the usage on standard error\n";

// A database file is binary: it goes to a file, never to standard output.
const CLI::Validator NotStandardOutput(
    [](std::string& value) {
        return value == "-" ? std::string("a database file is not written to standard output")
                            : std::string();
    },
    "", "NotStandardOutput");

// COLUMN[,COLUMN] of the pinyin options.
const CLI::Validator PinyinColumnList(
    [](std::string& value) {
        std::vector<std::string> columns;
        return ParsePinyinColumnList(value, columns)
                   ? std::string()
                   : std::string("a comma-separated list of attribute names or numbers");
    },
    "COLUMN[,COLUMN]", "PinyinColumnList");

sPinyinColumns PinyinOption(const std::string& list, const std::string& style) {
    sPinyinColumns option;
    if (!list.empty())
        ParsePinyinColumnList(list, option.columns);
    option.style = style == "handheld" ? ePinyinStyle::Handheld : ePinyinStyle::Standard;
    return option;
}

} // namespace

int main(int argc, char** argv) {
    cErrorStreamSink sink;
    InstallMessageSink(&sink);

    CLI::App app(
        "vesk: reads, converts, imports, exports and merges Vesk flashcard database files (PDB).",
        "vesk");
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("vesk ") + VESK_VERSION,
                         "Print the version and exit");
    app.footer(ExitStatuses);

    std::string dumpFile;
    CLI::App* dump = app.add_subcommand(
        "dump", "Check and load a database file and print it as JSON on standard output.");
    dump->add_option("FILE", dumpFile, "The database file (.PDB)")->required();

    std::string format, input, output;
    CLI::App* import = app.add_subcommand(
        "import", "Import a file into a new database and save it as a database file. An "
                  "unnamed database is named after OUTPUT.");
    import
        ->add_option("FORMAT", format,
                     "The input's format: pdb (a database file), vesk (Vesk Text), tab "
                     "(tab-delimited text), ergane (an Ergane word list, UTF-16), quizapp "
                     "(a QuizApp flashcard module) or apkg (an Anki package, .apkg or .colpkg)")
        ->required()
        ->check(CLI::IsMember({"pdb", "vesk", "tab", "ergane", "quizapp", "apkg", "csv"}));
    import->add_option("INPUT", input, "The file to import")->required();
    import->add_option("OUTPUT", output, "The database file to write")
        ->required()
        ->check(NotStandardOutput);
    std::string pinyinColumns, pinyinStyle = "standard";
    import
        ->add_option("--pinyin", pinyinColumns,
                     "Convert pinyin tone numbers to tone marks (ni3 hao3: n\u01d0 h\u01ceo) in "
                     "these Unicode attributes, each a name or a 1-based number")
        ->check(PinyinColumnList);
    import
        ->add_option("--pinyin-style", pinyinStyle,
                     "The marks --pinyin writes: standard (the dictionaries' pinyin) or handheld "
                     "(the editor's default style)")
        ->check(CLI::IsMember({"standard", "handheld"}));

    sCsvImportOptions csv;
    bool csvHeader = false, csvNoHeader = false;
    import->add_option("--separator", csv.separator,
                       "csv: comma, semicolon, tab, pipe, space, colon or one character "
                       "(default: detected)");
    import->add_option("--encoding", csv.encoding,
                       "csv: utf-8, utf-16le, utf-16be or windows-1252 (default: detected)");
    import->add_flag("--header", csvHeader, "csv: the first row names the columns");
    import->add_flag("--no-header", csvNoHeader, "csv: the first row is a term (default: detected)")
        ->excludes("--header");
    import->add_option("--columns", csv.columns,
                       "csv: per column NAME:ascii, NAME:unicode, NAME (an attribute of --into), "
                       "#categories or - (skip), separated by commas");
    import->add_option("--into", csv.into,
                       "csv: add the rows to this database file; the result goes to OUTPUT");
    import->add_option("--duplicates", csv.duplicates, "csv: add (default), skip or update")
        ->check(CLI::IsMember({"add", "skip", "update"}));
    import->add_option("--key", csv.key,
                       "csv: the attribute whose value tells duplicates (default: the first "
                       "one filled)");
    import->add_flag("--split", csv.split,
                     "csv: over 65,532 rows, write \"OUTPUT 1\", \"OUTPUT 2\", ... beside OUTPUT");

    std::string exportFormat, exportInput, exportOutput;
    CLI::App* exportCommand = app.add_subcommand(
        "export", "Load a database file and export it as text or as an Anki package. Vesk "
                  "Text and tab-delimited text with a Unicode attribute are written as UTF-16, "
                  "otherwise as Windows-1252 text; the Anki formats are UTF-8.");
    exportCommand
        ->add_option("FORMAT", exportFormat,
                     "The output's format: vesk (Vesk Text), tab (tab-delimited text), apkg "
                     "(an Anki package) or anki-text (UTF-8 text for Anki's importer)")
        ->required()
        ->check(CLI::IsMember({"vesk", "tab", "apkg", "anki-text", "csv"}));
    exportCommand->add_option("INPUT", exportInput, "The database file (.PDB)")->required();
    exportCommand->add_option("OUTPUT", exportOutput, "The file to write")->required();
    bool reverse = false;
    exportCommand->add_flag("--reverse", reverse,
                            "apkg: also a card from the other fields back to the first attribute");
    std::string pinyinNumbers;
    exportCommand
        ->add_option("--pinyin-numbers", pinyinNumbers,
                     "Write the pinyin of these Unicode attributes (names or 1-based numbers) "
                     "with tone numbers instead of tone marks of either style")
        ->check(PinyinColumnList);
    bool exportCategories = false;
    exportCommand->add_flag("--categories", exportCategories,
                            "csv: a last column \"Categories\" with each term's categories");

    std::string target, source, merged;
    CLI::App* merge = app.add_subcommand(
        "merge", "Load TARGET, append the terms of SOURCE (matching attributes and categories "
                 "by name) and save the result to OUTPUT.");
    merge->add_option("TARGET", target, "The database file merged into")->required();
    merge->add_option("SOURCE", source, "The database file whose terms are appended")->required();
    merge->add_option("OUTPUT", merged, "The database file to write")
        ->required()
        ->check(NotStandardOutput);
    std::string mergeDuplicates = "add", mergeKey;
    merge->add_option("--duplicates", mergeDuplicates, "add (default), skip or update")
        ->check(CLI::IsMember({"add", "skip", "update"}));
    merge->add_option("--key", mergeKey,
                      "The attribute whose value tells duplicates (default: SOURCE's first)");

    try {
        app.parse(argc, argv);
        if (merge->parsed() && target == "-" && source == "-")
            throw CLI::ValidationError("TARGET and SOURCE", "standard input can be read once");
    } catch (const CLI::Success& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        std::cerr << error.what() << "\n\n";
        CLI::App* failed = app.get_subcommands().empty() ? &app : app.get_subcommands().front();
        std::cerr << failed->help();
        return ExitUsage;
    }

    MarkProcessEndsAfterCommand();
    return RunCatchingOutOfMemory([&] {
        if (dump->parsed())
            return RunDump(dumpFile, std::cout);
        if (import->parsed() && format == "csv") {
            csv.header = csvHeader ? 1 : csvNoHeader ? 0 : -1;
            csv.pinyin = PinyinOption(pinyinColumns, pinyinStyle);
            return RunImportCsv(input, output, csv);
        }
        if (import->parsed())
            return RunImport(format, input, output, PinyinOption(pinyinColumns, pinyinStyle));
        if (exportCommand->parsed() && exportFormat == "csv")
            return RunExportCsv(exportInput, exportOutput, exportCategories,
                                PinyinOption(pinyinNumbers, "standard"));
        if (exportCommand->parsed())
            return RunExport(exportFormat, exportInput, exportOutput, reverse,
                             PinyinOption(pinyinNumbers, "standard"));
        if (mergeDuplicates != "add" || !mergeKey.empty())
            return RunMergeWithPolicy(target, source, merged, mergeDuplicates, mergeKey);
        return RunMerge(target, source, merged);
    });
}
