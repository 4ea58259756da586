#pragma once
// Chooses how a new database starts: blank, or from one of the templates. Ends with 1 when
// the current database was replaced, 2 when cancelled (nothing changed).

#include <QDialog>

class QListWidget;

class cNewDatabaseDialog : public QDialog {
public:
    explicit cNewDatabaseDialog(QWidget* parent = nullptr);

    void reject() override;

private:
    // OK and a double-click on an entry; a template that fails to load keeps the dialog
    // open for another choice.
    void createFromSelection();

    QListWidget* list_;
};
