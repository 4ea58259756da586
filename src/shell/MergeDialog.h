#pragma once
// What Merge asks once the file is chosen: what to do with terms the open database already
// has, keyed on one of the merged database's attributes.

#include <QDialog>
#include <QStringList>

#include "exchange/DuplicatePolicy.h"

class cDuplicatePolicyBox;

class cMergeDialog : public QDialog {
public:
    cMergeDialog(QWidget* parent, const QStringList& keyNames);
    sDuplicatePolicy policy() const;
    void reject() override;

private:
    cDuplicatePolicyBox* policy_;
};
