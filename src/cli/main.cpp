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

    CLI::App app("vesk: reads, converts and merges Vesk flashcard database files (PDB).", "vesk");
    app.require_subcommand(1);

    std::string dumpFile;
    CLI::App* dump = app.add_subcommand(
        "dump", "Check and load a database file and print it as JSON on standard output.");
    dump->add_option("FILE", dumpFile, "The database file (.PDB)")->required();

    std::string format, input, output;
    CLI::App* import = app.add_subcommand(
        "import", "Import a file into a new database and save it as a database file. An "
                  "unnamed database is named after OUTPUT.");
    import->add_option("FORMAT", format, "The input's format: pdb (a database file)")
        ->required()
        ->check(CLI::IsMember({"pdb"}));
    import->add_option("INPUT", input, "The file to import")->required();
    import->add_option("OUTPUT", output, "The database file to write")->required();

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

    if (dump->parsed())
        return RunDump(dumpFile, std::cout);
    if (import->parsed())
        return RunImportPdb(input, output);
    return RunMerge(target, source, merged);
}
