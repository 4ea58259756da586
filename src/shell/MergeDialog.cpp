#include "shell/MergeDialog.h"

#include "shell/DialogButtons.h"
#include "shell/DuplicatePolicyBox.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

cMergeDialog::cMergeDialog(QWidget* parent, const QStringList& keyNames)
    : QDialog(parent), policy_(new cDuplicatePolicyBox(this)) {
    setWindowTitle(QStringLiteral("Merge"));
    auto* layout = new QVBoxLayout(this);
    policy_->setKeyNames(keyNames);
    layout->addWidget(policy_);
    auto [ok, cancel] = AddOkCancelRow(*this, *layout);
    connect(ok, &QPushButton::clicked, this, [this] { done(DialogOk); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    policy_->policyBox()->setFocus();
    // An unscripted run merges as Merge always has: every term added.
    setResult(DialogOk);
}

sDuplicatePolicy cMergeDialog::policy() const {
    return policy_->policy();
}

void cMergeDialog::reject() {
    done(DialogCancelled);
}
