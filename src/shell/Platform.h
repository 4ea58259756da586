#pragma once
// Every call that blocks on a person (message boxes, file and font dialogs, modal dialogs)
// and every use of the clipboard and of the desktop launcher goes through this interface,
// so that tests can replace it with a scripted fake and never wait on a modal window.

#include <QFont>
#include <QString>

class QDialog;
class QWidget;

// One file dialog as the commands describe it.
struct sFileDialogRequest {
    QString title;
    QString initialName;       // a name, a path, or a pattern such as "*.PDB"
    QString filterDescription; // "Vesk Database Files (*.PDB)"
    QString pattern;           // "*.PDB"
    QString defaultExtension;  // "PDB", added when the chosen name has none
};

class cPlatform {
public:
    virtual ~cPlatform() = default;

    // A modal message box; flags and result as in text/Messages.h.
    virtual int messageBox(QWidget* owner, const QString& caption, const QString& text,
                           unsigned flags) = 0;
    // The chosen path, or an empty string when the user cancelled.
    virtual QString openFileName(QWidget* owner, const sFileDialogRequest& request) = 0;
    virtual QString saveFileName(QWidget* owner, const sFileDialogRequest& request) = 0;
    // A font chosen from initial; false when the user cancelled.
    virtual bool chooseFont(QWidget* owner, const QFont& initial, QFont& chosen) = 0;
    // Runs a dialog modally and returns its result code (QDialog::Accepted and so on, or
    // what the dialog passed to done()).
    virtual int execDialog(QDialog& dialog) = 0;

    virtual QString clipboardText() = 0;
    virtual bool clipboardHasText() = 0;
    virtual void setClipboardText(const QString& text) = 0;

    // Hands a local file or a web address to the desktop; false when that failed.
    virtual bool openUrl(const QString& target) = 0;

    // An open (or, forSaving, a save) file dialog with one check box, labelled option, below
    // it; checked comes in as the box starts and goes out as the user left it. Without a
    // dialog of its own a platform shows the plain one and leaves checked alone.
    virtual QString fileNameWithOption(QWidget* owner, const sFileDialogRequest& request,
                                       bool forSaving, const QString& option, bool& checked) {
        (void)option;
        (void)checked;
        return forSaving ? saveFileName(owner, request) : openFileName(owner, request);
    }
};

// The platform in use: the real Qt one unless a test installed its own (not owned).
cPlatform& CurrentPlatform();
void InstallPlatform(cPlatform* platform);
