#include "shell/NewDatabaseDialog.h"
#include "shell/DialogButtons.h"

#include "document/Document.h"
#include "model/Database.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/OpenDatabase.h"
#include "shell/Settings.h"
#include "text/CodePage.h"
#include "text/Messages.h"
#include "text/StringTable.h"
#include "text/TextIds.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

cNewDatabaseDialog::cNewDatabaseDialog(QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Create a New Database"));

    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(QStringLiteral("Please choose a database template from the list "
                                             "below, or choose 'Blank' to create a completely "
                                             "blank database."),
                              this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);

    // Entry k (k >= 1) is template k - 1, so the list must keep this order: never sorted.
    list_->setObjectName(QStringLiteral("templateList"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSortingEnabled(false);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->addItem(QString::fromStdU16String(AnsiToWide(ResourceString(TextBlank))));
    for (const sTemplate& entry : Settings.templates)
        list_->addItem(QString::fromStdString(entry.displayName));
    list_->setCurrentRow(0);
    layout->addWidget(list_, 1);

    auto [ok, cancel] = AddOkCancelRow(*this, *layout);

    list_->setFocus();
    connect(ok, &QPushButton::clicked, this, [this] { createFromSelection(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { createFromSelection(); });
}

void cNewDatabaseDialog::reject() {
    done(DialogCancelled);
}

void cNewDatabaseDialog::createFromSelection() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    const int row = selected.isEmpty() ? 0 : list_->row(selected.first());
    if (row <= 0 || row > static_cast<int>(Settings.templates.size())) {
        cDatabase blank;
        CurrentDocument().replace(blank, false);
        ShowStatusText(TextBlankCreated);
        done(DialogOk);
        return;
    }
    if (OpenDatabaseFile(Settings.templates[row - 1].path, true) == 0) {
        done(DialogOk);
        return;
    }
    ShowTableMessage(TextCaptionError, TextTemplateFailed);
}
