#pragma once
// The product, its version and where to find it. Ends with 1.

#include <QDialog>

class cAboutDialog : public QDialog {
public:
    explicit cAboutDialog(QWidget* parent = nullptr);

    void reject() override;
};
