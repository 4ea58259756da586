// vesk: the command-line companion of the editor. Exit status 0 on success, 1 on a failure
// (its message on standard error), 2 on a usage error (the usage on standard error).

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/Commands.h"
#include "cli/ErrorStreamSink.h"

namespace {

constexpr int ExitUsage = 2;

} // namespace

int main(int argc, char** argv) {
    cErrorStreamSink sink;
    InstallMessageSink(&sink);

    CLI::App app(
        "vesk: reads, converts, imports, exports and merges Vesk flashcard database files (PDB).",
        "vesk");
    app.require_subcommand(1);

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
                     "(tab-delimited text), ergane (an Ergane word list, UTF-16) or quizapp "
                     "(a QuizApp flashcard module)")
        ->required()
        ->check(CLI::IsMember({"pdb", "vesk", "tab", "ergane", "quizapp"}));
    import->add_option("INPUT", input, "The file to import")->required();
    import->add_option("OUTPUT", output, "The database file to write")->required();

    std::string exportFormat, exportInput, exportOutput;
    CLI::App* exportCommand = app.add_subcommand(
        "export", "Load a database file and export it as text. A database with a Unicode "
                  "attribute is written as UTF-16, otherwise as Windows-1252 text.");
    exportCommand
        ->add_option("FORMAT", exportFormat,
                     "The output's format: vesk (Vesk Text) or tab (tab-delimited text)")
        ->required()
        ->check(CLI::IsMember({"vesk", "tab"}));
    exportCommand->add_option("INPUT", exportInput, "The database file (.PDB)")->required();
    exportCommand->add_option("OUTPUT", exportOutput, "The text file to write")->required();

    std::string target, source, merged;
    CLI::App* merge = app.add_subcommand(
        "merge", "Load TARGET, append the terms of SOURCE (matching attributes and categories "
                 "by name) and save the result to OUTPUT.");
    merge->add_option("TARGET", target, "The database file merged into")->required();
    merge->add_option("SOURCE", source, "The database file whose terms are appended")->required();
    merge->add_option("OUTPUT", merged, "The database file to write")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForAllHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        std::cerr << error.what() << "\n\n";
        CLI::App* failed = app.get_subcommands().empty() ? &app : app.get_subcommands().front();
        std::cerr << failed->help();
        return ExitUsage;
    }

    return RunCatchingOutOfMemory([&] {
        if (dump->parsed())
            return RunDump(dumpFile, std::cout);
        if (import->parsed())
            return RunImport(format, input, output);
        if (exportCommand->parsed())
            return RunExport(exportFormat, exportInput, exportOutput);
        return RunMerge(target, source, merged);
    });
}
