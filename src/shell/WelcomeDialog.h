#pragma once
// The dialog every run starts with. It ends with the command to run: CmdNewDatabase (also
// for a close request), CmdOpen, WelcomeOpenRecent or WelcomeQuit. It cannot be cancelled.

#include <QDialog>

class cWelcomeDialog : public QDialog {
public:
    explicit cWelcomeDialog(QWidget* parent = nullptr);

    // Escape and every other cancel request do nothing: the run needs a database or Quit.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
