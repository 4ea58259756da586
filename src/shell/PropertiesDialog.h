#pragma once
// Edits the current database's name and description. Ends with 1 (OK) or 2 (cancelled);
// OK marks the database modified only when a text really changed.

#include <QDialog>
#include <QString>

#include <string>

class QLineEdit;
class QPlainTextEdit;

class cPropertiesDialog : public QDialog {
public:
    explicit cPropertiesDialog(QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

private:
    // Keeps the description within what the database holds, dropping what was just typed
    // or pasted rather than text the user did not touch.
    void limitDescription();

    QLineEdit* name_;
    QPlainTextEdit* description_;
    bool limiting_ = false;
    // The texts as the dialog found them, in the database's own bytes.
    std::string initialName_;
    std::string initialDescription_;
};
