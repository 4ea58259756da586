#include "shell/DialogButtons.h"

#include <QBoxLayout>
#include <QPushButton>

sOkCancel AddOkCancelRow(QWidget& dialog, QBoxLayout& layout) {
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout.addLayout(buttons);
    return {ok, cancel};
}
