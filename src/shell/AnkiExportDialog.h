#pragma once
// The choice an Anki package export asks before its file: whether the cards also go the
// other way round.

#include <QDialog>

class QCheckBox;

class cAnkiExportDialog : public QDialog {
public:
    explicit cAnkiExportDialog(QWidget* parent);

    bool reverse() const;

private:
    QCheckBox* reverse_;
};

// Shows the dialog; false when the user cancelled, otherwise reverse holds the choice.
bool AskAnkiExportOptions(QWidget* parent, bool& reverse);
