// Renders what the user sees to PNG files, on the offscreen platform: the welcome dialog,
// the main window with a small database open, and the New Database, Properties and About
// dialogs. Usage: vesk-screenshots OUTPUT_DIRECTORY. Fails when a picture is missing or empty.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "model/Database.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/TermPane.h"
#include "shell/AppState.h"
#include "shell/Application.h"
#include "shell/Commands.h"
#include "shell/Dialogs.h"
#include "shell/DocumentStatus.h"
#include "shell/MainWindow.h"
#include "shell/OpenDatabase.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace {

QString OutputDirectory;
bool Failed = false;

void Save(QWidget& widget, const QString& name) {
    widget.show();
    QApplication::processEvents();
    QPixmap picture = widget.grab();
    QString path = OutputDirectory + "/" + name + ".png";
    if (picture.isNull() || picture.width() < 50 || !picture.save(path)) {
        std::fprintf(stderr, "could not render %s\n", qPrintable(path));
        Failed = true;
        return;
    }
    std::printf("%s (%dx%d)\n", qPrintable(path), picture.width(), picture.height());
}

std::function<int(QDialog&)> Shoot(const QString& name, int result) {
    return [name, result](QDialog& dialog) {
        Save(dialog, name);
        dialog.hide();
        return result;
    };
}

void FillSample(cDatabase& db) {
    db.name.assign("Spanish Verbs");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "Spanish");
    db.renameAttribute(db.addAttribute(MediaTypeAscii), "English");
    db.renameAttribute(db.addAttribute(MediaTypeUnicode), "Note");
    const char* words[][2] = {{"hablar", "to speak"}, {"comer", "to eat"}, {"vivir", "to live"},
                              {"ser", "to be"},       {"ir", "to go"},     {"tener", "to have"}};
    for (auto& word : words) {
        int32_t term = db.addTerm();
        db.setValue(term, 0, word[0]);
        db.setValue(term, 1, word[1]);
    }
    db.setValue(3, 2, u"irregular \u2013 ser/estar");
    db.renameCategory(db.addCategory(), "Regular");
    db.renameCategory(db.addCategory(), "Irregular");
    for (uint32_t term : {0u, 1u, 2u})
        db.category(0)->addMember(term);
    for (uint32_t term : {3u, 4u, 5u})
        db.category(1)->addMember(term);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vesk-screenshots OUTPUT_DIRECTORY\n");
        return 2;
    }
    OutputDirectory = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(OutputDirectory);

    cTempDir programDirectory;
    InitShellResources();
    MakePortable(programDirectory);
    InitializeEditor(programDirectory.path());
    cScriptedPlatform platform;
    std::unique_ptr<cMainWindow> window = CreateEditorWindow();
    window->resize(900, 600);
    window->show();

    // Create, then cancel the New Database dialog; the loop asks again and is told to quit.
    platform.dialogScripts = {Shoot("welcome", CmdNewDatabase), Shoot("new-database", 2),
                              [](QDialog&) { return int(WelcomeQuit); }};
    RunWelcomeLoop();
    platform.dialogScripts.clear();

    cDatabase sample;
    FillSample(sample);
    sample.path.assign(programDirectory.file("Spanish Verbs.PDB").c_str());
    sample.save();
    OpenDatabaseFile(sample.path.text(), false);
    window->termPane().view()->selectRow(3, true);
    Save(*window, "main-window");

    platform.dialogScripts = {Shoot("properties", 2), Shoot("about", 1)};
    RunPropertiesDialog(window.get());
    RunAboutDialog(window.get());

    const std::string csv = programDirectory.file("verbs.csv");
    WriteBytes(csv, [] {
        const std::string text = "Spanish;English;Tags\r\nhablar;to speak;regular\r\n"
                                 "ser;\"to be; (who or what)\";irregular\r\n";
        return std::vector<uint8_t>(text.begin(), text.end());
    }());
    platform.fileAnswers = {QString::fromStdString(csv)};
    platform.dialogScripts = {Shoot("import-preview", 2)};
    ExecuteCommand(CmdImportDelimited);

    SetMainWindow(nullptr);
    return Failed ? 1 : 0;
}
