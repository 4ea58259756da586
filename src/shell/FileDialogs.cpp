#include "shell/FileDialogs.h"

#include <QFile>

#include "document/Document.h"
#include "model/Database.h"
#include "panes/QtText.h"
#include "shell/AppState.h"

namespace {

const char* const DatabaseFilter = "Vesk Database Files (*.PDB)";
const char* const TextFilter = "Text Files (*.txt)";

} // namespace

const sFileDialogRequest OpenDatabaseDialog = {"Open Vesk Database", "*.PDB", DatabaseFilter,
                                               "*.PDB", "PDB"};
const sFileDialogRequest MergeDatabaseDialog = {"Merge Vesk Database", "*.PDB", DatabaseFilter,
                                                "*.PDB", "PDB"};
const sFileDialogRequest ImportQuizAppDialog = {"Import QuizApp Module", "*.PDB",
                                                "QuizApp Modules (*.PDB)", "*.PDB", "PDB"};
const sFileDialogRequest ImportTextDialog = {"Import Text File", "*.txt", TextFilter, "*.txt",
                                             "TXT"};
const sFileDialogRequest ImportErganeDialog = {"Import Ergane-exported Unicode file", "*.txt",
                                               "Ergane Unicode Text Files (*.txt)", "*.txt", "TXT"};
const sFileDialogRequest ExportTextDialog = {"Export Text", "*.txt", TextFilter, "*.txt", "TXT"};
const sFileDialogRequest ImportAnkiPackageDialog = {
    "Import Anki Package", "*.apkg", "Anki Packages (*.APKG *.COLPKG)", "*.APKG *.COLPKG", "apkg"};
const sFileDialogRequest ExportAnkiPackageDialog = {"Export Anki Package", "*.apkg",
                                                    "Anki Packages (*.APKG)", "*.APKG", "apkg"};
const sFileDialogRequest ExportAnkiTextDialog = {"Export Text for Anki", "*.txt", TextFilter,
                                                 "*.txt", "TXT"};

sFileDialogRequest SaveDatabaseDialog() {
    const cDatabase& db = CurrentDocument().database();
    QString initial = "*.PDB";
    if (!db.path.isEmpty())
        initial = PathForDisplay(db.path.text());
    else if (!db.name.isEmpty())
        initial = AnsiToQString(db.name) + ".PDB";
    return {"Save Vesk Database", initial, DatabaseFilter, "*.PDB", "PDB"};
}

std::string PathFromDialog(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString PathForDisplay(const char* path) {
    return path ? QFile::decodeName(path) : QString();
}

QString FileNameForDisplay(const char* path) {
    return path && *path ? PathForDisplay(path) : QString("Unnamed");
}
