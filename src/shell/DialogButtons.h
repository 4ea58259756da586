#pragma once
// The centred OK and Cancel row at the foot of a dialog: OK is the default button.

class QBoxLayout;
class QPushButton;
class QWidget;

struct sOkCancel {
    QPushButton* ok;
    QPushButton* cancel;
};

// What a dialog of the editor ends with: OK (or Create) and Cancel.
enum : int {
    DialogOk = 1,
    DialogCancelled = 2,
};

sOkCancel AddOkCancelRow(QWidget& dialog, QBoxLayout& layout);
