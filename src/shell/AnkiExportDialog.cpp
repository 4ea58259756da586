#include "shell/AnkiExportDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/DialogButtons.h"
#include "shell/Platform.h"

cAnkiExportDialog::cAnkiExportDialog(QWidget* parent)
    : QDialog(parent), reverse_(new QCheckBox(QStringLiteral("Also make &reverse cards (the "
                                                             "other attributes ask, the display "
                                                             "attribute answers)"),
                                              this)) {
    setWindowTitle(QStringLiteral("Export Anki Package"));
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(QStringLiteral("Each term becomes a note with one field per "
                                             "attribute; its card asks the display attribute "
                                             "and answers with the others."),
                              this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    reverse_->setObjectName(QStringLiteral("reverseCards"));
    layout->addWidget(reverse_);
    auto [ok, cancel] = AddOkCancelRow(*this, *layout);
    connect(ok, &QPushButton::clicked, this, [this] { done(DialogOk); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(DialogCancelled); });
}

bool cAnkiExportDialog::reverse() const {
    return reverse_->isChecked();
}

bool AskAnkiExportOptions(QWidget* parent, bool& reverse) {
    cAnkiExportDialog dialog(parent);
    if (CurrentPlatform().execDialog(dialog) != DialogOk)
        return false;
    reverse = dialog.reverse();
    return true;
}
