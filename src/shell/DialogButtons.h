#pragma once
// The centred OK and Cancel row at the foot of a dialog: OK is the default button.

class QBoxLayout;
class QPushButton;
class QWidget;

struct sOkCancel {
    QPushButton* ok;
    QPushButton* cancel;
};

sOkCancel AddOkCancelRow(QWidget& dialog, QBoxLayout& layout);
