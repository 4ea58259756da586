#include "shell/QtPlatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include "text/Messages.h"

namespace {

cQtPlatform RealPlatform;
cPlatform* InstalledPlatform = nullptr;

// Some file dialogs on Linux match patterns case-sensitively, so each pattern is offered in
// both letter cases: "Vesk Database Files (*.PDB *.pdb)".
QString FilterOf(const sFileDialogRequest& request) {
    QString both = request.pattern + " " + request.pattern.toLower();
    QString description = request.filterDescription;
    description.replace("(" + request.pattern + ")", "(" + both + ")");
    return description;
}

void Prepare(QFileDialog& dialog, const sFileDialogRequest& request) {
    dialog.setWindowTitle(request.title);
    dialog.setNameFilter(FilterOf(request));
    dialog.setDefaultSuffix(request.defaultExtension);
    // A pattern as the initial name only says what to list; a real name is proposed.
    if (!request.initialName.contains('*'))
        dialog.selectFile(request.initialName);
}

QString Run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

cPlatform& CurrentPlatform() {
    return InstalledPlatform ? *InstalledPlatform : RealPlatform;
}

void InstallPlatform(cPlatform* platform) {
    InstalledPlatform = platform;
}

int cQtPlatform::messageBox(QWidget* owner, const QString& caption, const QString& text,
                            unsigned flags) {
    QMessageBox box(owner);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (flags & MessageIconMask) {
    case MessageIconQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIconExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIconInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    switch (flags & MessageButtonMask) {
    case MessageYesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageYesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MessageOkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageResultYes;
    case QMessageBox::No:
        return MessageResultNo;
    case QMessageBox::Cancel:
        return MessageResultCancel;
    default:
        return MessageResultOk;
    }
}

QString cQtPlatform::openFileName(QWidget* owner, const sFileDialogRequest& request) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    Prepare(dialog, request);
    return Run(dialog);
}

QString cQtPlatform::saveFileName(QWidget* owner, const sFileDialogRequest& request) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    Prepare(dialog, request);
    return Run(dialog);
}

bool cQtPlatform::chooseFont(QWidget* owner, const QFont& initial, QFont& chosen) {
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, initial, owner);
    if (ok)
        chosen = font;
    return ok;
}

int cQtPlatform::execDialog(QDialog& dialog) {
    return dialog.exec();
}

QString cQtPlatform::clipboardText() {
    return QApplication::clipboard()->text();
}

bool cQtPlatform::clipboardHasText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

void cQtPlatform::setClipboardText(const QString& text) {
    QApplication::clipboard()->setText(text);
}

bool cQtPlatform::openUrl(const QString& target) {
    return QDesktopServices::openUrl(QUrl(target));
}

QString cQtPlatform::fileNameWithOption(QWidget* owner, const sFileDialogRequest& request,
                                        bool forSaving, const QString& option, bool& checked) {
    // The desktop's own dialogs take no extra widgets, so this one is Qt's.
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    Prepare(dialog, request);
    auto* box = new QCheckBox(option, &dialog);
    box->setChecked(checked);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
    QString path = Run(dialog);
    if (!path.isEmpty())
        checked = box->isChecked();
    return path;
}
