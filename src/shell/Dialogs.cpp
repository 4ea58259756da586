#include "shell/Dialogs.h"

#include "shell/AboutDialog.h"
#include "shell/CentreOver.h"
#include "shell/NewDatabaseDialog.h"
#include "shell/Platform.h"
#include "shell/PropertiesDialog.h"
#include "shell/WelcomeDialog.h"

#include <QFile>
#include <QIcon>
#include <QPixmap>

namespace {

int RunCentred(QDialog& dialog, QWidget* owner) {
    // Sized now, so that centring uses the size the dialog will open with; moving it also
    // keeps Qt from placing it again when it is shown.
    dialog.adjustSize();
    if (owner)
        CentreOver(dialog, owner->window()->frameGeometry());
    return CurrentPlatform().execDialog(dialog);
}

} // namespace

int RunWelcomeDialog(QWidget* owner) {
    cWelcomeDialog dialog(owner);
    return RunCentred(dialog, owner);
}

int RunNewDatabaseDialog(QWidget* owner) {
    cNewDatabaseDialog dialog(owner);
    return RunCentred(dialog, owner);
}

int RunPropertiesDialog(QWidget* owner) {
    cPropertiesDialog dialog(owner);
    return RunCentred(dialog, owner);
}

int RunAboutDialog(QWidget* owner) {
    cAboutDialog dialog(owner);
    return RunCentred(dialog, owner);
}

QPixmap ProductLogo() {
    const QString path = QStringLiteral(":/icons/logo.svg");
    if (!QFile::exists(path))
        return QPixmap();
    return QIcon(path).pixmap(64, 64);
}
