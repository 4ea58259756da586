#include "shell/DuplicatePolicyBox.h"

#include <QComboBox>
#include <QFormLayout>

cDuplicatePolicyBox::cDuplicatePolicyBox(QWidget* parent)
    : QGroupBox(QStringLiteral("Duplicates"), parent), policy_(new QComboBox(this)),
      key_(new QComboBox(this)) {
    policy_->setObjectName(QStringLiteral("duplicatePolicy"));
    key_->setObjectName(QStringLiteral("duplicateKey"));
    policy_->addItem(QStringLiteral("Add all"), int(eDuplicatePolicy::AddAll));
    policy_->addItem(QStringLiteral("Skip duplicates"), int(eDuplicatePolicy::Skip));
    policy_->addItem(QStringLiteral("Update the existing term"), int(eDuplicatePolicy::Update));
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("&Terms already there:"), policy_);
    layout->addRow(QStringLiteral("Same &value of:"), key_);
    connect(policy_, &QComboBox::currentIndexChanged, this, [this] { follow(); });
    follow();
}

void cDuplicatePolicyBox::setKeyNames(const QStringList& names) {
    const QString current = key_->currentText();
    key_->clear();
    key_->addItems(names);
    const int index = key_->findText(current);
    if (index >= 0)
        key_->setCurrentIndex(index);
}

void cDuplicatePolicyBox::setPolicy(eDuplicatePolicy policy) {
    policy_->setCurrentIndex(policy_->findData(int(policy)));
}

sDuplicatePolicy cDuplicatePolicyBox::policy() const {
    sDuplicatePolicy chosen;
    chosen.policy = static_cast<eDuplicatePolicy>(policy_->currentData().toInt());
    chosen.key = key_->currentText().toStdU16String();
    return chosen;
}

void cDuplicatePolicyBox::follow() {
    key_->setEnabled(policy_->currentData().toInt() != int(eDuplicatePolicy::AddAll));
}
