#include "shell/CommandLine.h"

#include <QCommandLineParser>

namespace {

const char ProgramName[] = "vesk-builder";

QString Usage(const QCommandLineParser& parser) {
    // helpText() starts with the program's path as started; the name reads better.
    QString text = parser.helpText();
    const int end = text.indexOf(" [options]");
    return end < 0 ? text : "Usage: " + QString(ProgramName) + text.mid(end);
}

} // namespace

sEditorCommandLine ParseEditorCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Vesk-Builder, the editor for flashcard databases.");
    const QCommandLineOption help({"h", "help"}, "Print this help and exit.");
    const QCommandLineOption version({"v", "version"}, "Print the version and exit.");
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument("FILE", "The database file to open.", "[FILE]");

    sEditorCommandLine result;
    if (!parser.parse(arguments)) {
        result.action = sEditorCommandLine::Fail;
        result.text = QString(ProgramName) + ": " + parser.errorText() + "\n\n" + Usage(parser);
    } else if (parser.isSet(help)) {
        result.action = sEditorCommandLine::Print;
        result.text = Usage(parser);
    } else if (parser.isSet(version)) {
        result.action = sEditorCommandLine::Print;
        result.text = QString(ProgramName) + " " + VESK_VERSION + "\n";
    } else if (parser.positionalArguments().size() > 1) {
        result.action = sEditorCommandLine::Fail;
        result.text = QString(ProgramName) + ": one file at a time\n\n" + Usage(parser);
    } else if (!parser.positionalArguments().isEmpty()) {
        result.file = parser.positionalArguments().front();
    }
    return result;
}
