#pragma once
// The duplicate policy as the import preview and Merge offer it: add all, skip duplicates or
// update the existing term, keyed on a chosen attribute.

#include <QGroupBox>
#include <QStringList>

#include "exchange/DuplicatePolicy.h"

class QComboBox;

class cDuplicatePolicyBox : public QGroupBox {
public:
    explicit cDuplicatePolicyBox(QWidget* parent);

    // The attributes the key may be; the current key stays when it is still among them.
    void setKeyNames(const QStringList& names);
    void setPolicy(eDuplicatePolicy policy);
    sDuplicatePolicy policy() const;

    QComboBox* policyBox() const { return policy_; }
    QComboBox* keyBox() const { return key_; }

private:
    void follow();

    QComboBox* policy_;
    QComboBox* key_;
};
