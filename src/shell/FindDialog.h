#pragma once
// The Find dialog: the search text in the user font, whole value, match case, select
// matches and the direction. Find stores the options and ends with 1, Cancel with 2.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

class cFindDialog : public QDialog {
public:
    explicit cFindDialog(QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

private:
    QLineEdit* text_;
    QCheckBox* wholeValue_;
    QCheckBox* matchCase_;
    QCheckBox* selectMatches_;
    QRadioButton* up_;
    QRadioButton* down_;
};

// Runs the dialog centred over owner; 1 for Find, 2 for Cancel.
int ShowFindDialog(QWidget* owner);
