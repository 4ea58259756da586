#include "shell/AboutDialog.h"
#include "shell/DialogButtons.h"

#include "shell/Dialogs.h"
#include "shell/Launch.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

cAboutDialog::cAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Vesk-Builder"));

    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(this);
    auto* row = new QHBoxLayout(frame);

    auto* logo = new QLabel(frame);
    logo->setPixmap(ProductLogo());
    logo->setAlignment(Qt::AlignTop);
    row->addWidget(logo);

    auto* lines = new QVBoxLayout;
    auto* titleRow = new QHBoxLayout;
    auto* name = new QLabel(QStringLiteral("Vesk-Builder"), frame);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* version = new QLabel(frame);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setText(QStringLiteral("1.3"));
    titleRow->addWidget(name);
    titleRow->addWidget(version);
    titleRow->addStretch();
    lines->addLayout(titleRow);

    auto* homePage = new QPushButton(QString::fromUtf8(HomePage), frame);
    homePage->setObjectName(QStringLiteral("homePageButton"));
    homePage->setAutoDefault(false);
    lines->addWidget(homePage);
    lines->addSpacing(6);
    lines->addWidget(new QLabel(QStringLiteral("Flashcard databases for your handheld"), frame));
    lines->addWidget(new QLabel(QStringLiteral("© Vesk-Builder project"), frame));
    lines->addWidget(
        new QLabel(QStringLiteral("Support: https://vesk-builder.org/support"), frame));
    lines->addStretch();
    row->addLayout(lines, 1);
    layout->addWidget(frame);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    layout->addLayout(buttons);
    ok->setFocus();

    // The page opens beside the dialog, which stays for the user to close.
    connect(homePage, &QPushButton::clicked, this,
            [] { OpenHelpPage(QString::fromUtf8(HomePage)); });
    connect(ok, &QPushButton::clicked, this, [this] { done(DialogOk); });
}

void cAboutDialog::reject() {
    done(DialogOk);
}
