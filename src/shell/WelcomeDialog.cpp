#include "shell/WelcomeDialog.h"

#include "panes/CommandIds.h"
#include "shell/Commands.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"

#include <QCloseEvent>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QGroupBox* CreateHeader(QWidget* parent) {
    auto* header = new QGroupBox(parent);
    auto* row = new QHBoxLayout(header);

    auto* logo = new QLabel(header);
    logo->setPixmap(ProductLogo());
    logo->setAlignment(Qt::AlignTop);
    row->addWidget(logo);

    auto* lines = new QVBoxLayout;
    auto* name = new QLabel(QStringLiteral("Vesk-Builder"), header);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    lines->addWidget(name);
    lines->addWidget(new QLabel(QStringLiteral("v. 1.31"), header));
    lines->addSpacing(6);
    lines->addWidget(new QLabel(QStringLiteral("Flashcard databases for your handheld"), header));
    lines->addWidget(new QLabel(QStringLiteral("© Vesk-Builder project"), header));
    lines->addWidget(new QLabel(QStringLiteral("https://vesk-builder.org"), header));
    lines->addStretch();
    row->addLayout(lines, 1);
    return header;
}

} // namespace

cWelcomeDialog::cWelcomeDialog(QWidget* parent) : QDialog(parent) {
    // A caption bar, but nothing on it that would close the dialog.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Welcome to Vesk-Builder"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateHeader(this));

    auto* group = new QGroupBox(this);
    auto* buttons = new QVBoxLayout(group);
    auto addButton = [&](const char* objectName, const char* label) {
        auto* button = new QPushButton(QString::fromUtf8(label), group);
        button->setObjectName(QString::fromUtf8(objectName));
        buttons->addWidget(button);
        return button;
    };
    QPushButton* create = addButton("createButton", "&Create a New Database");
    QPushButton* recent = addButton("recentButton", "Open the Most &Recent Database");
    QPushButton* open = addButton("openButton", "&Open an Existing Database");
    QPushButton* help = addButton("helpButton", "View &Help");
    buttons->addSpacing(4);
    QPushButton* quit = addButton("quitButton", "&Quit");
    layout->addWidget(group);

    recent->setEnabled(!Settings.recentFiles.empty());
    create->setFocus();

    connect(create, &QPushButton::clicked, this, [this] { done(CmdNewDatabase); });
    connect(recent, &QPushButton::clicked, this, [this] { done(WelcomeOpenRecent); });
    connect(open, &QPushButton::clicked, this, [this] { done(CmdOpen); });
    connect(help, &QPushButton::clicked, this, [] { ExecuteCommand(CmdHelpContents); });
    connect(quit, &QPushButton::clicked, this, [this] { done(WelcomeQuit); });
}

void cWelcomeDialog::reject() {}

void cWelcomeDialog::closeEvent(QCloseEvent* event) {
    done(CmdNewDatabase);
    event->accept();
}

void cWelcomeDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
