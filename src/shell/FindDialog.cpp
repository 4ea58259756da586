#include "shell/FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/Limits.h"
#include "shell/AppState.h"
#include "shell/CentreOver.h"
#include "shell/Find.h"
#include "shell/Platform.h"
#include "shell/ViewSettings.h"

cFindDialog::cFindDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Find");
    text_ = new QLineEdit(this);
    text_->setObjectName("findText");
    text_->setMaxLength(MaxValueTextLength);
    text_->setFont(UserFont());
    const sFindOptions& previous = AppState().findOptions;
    text_->setText(QString::fromStdU16String(previous.wideText));
    auto* label = new QLabel("Find what:", this);
    label->setBuddy(text_);

    wholeValue_ = new QCheckBox("Match whole word only", this);
    wholeValue_->setObjectName("wholeValue");
    matchCase_ = new QCheckBox("Match case", this);
    matchCase_->setObjectName("matchCase");
    selectMatches_ = new QCheckBox("Select matches", this);
    selectMatches_->setObjectName("selectMatches");
    wholeValue_->setChecked(previous.wholeValue);
    matchCase_->setChecked(previous.matchCase);
    selectMatches_->setChecked(previous.selectMatches);

    auto* direction = new QGroupBox("Direction", this);
    up_ = new QRadioButton("Up", direction);
    up_->setObjectName("up");
    down_ = new QRadioButton("Down", direction);
    down_->setObjectName("down");
    (previous.upward ? up_ : down_)->setChecked(true);
    auto* directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(up_);
    directionLayout->addWidget(down_);

    auto* find = new QPushButton("Find", this);
    find->setObjectName("findButton");
    find->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cancelButton");
    connect(find, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // "Find what:" and the text across the top, the options below left, the direction
    // beside them, the two buttons down the right edge.
    auto* options = new QVBoxLayout;
    options->addWidget(wholeValue_);
    options->addWidget(matchCase_);
    options->addWidget(selectMatches_);
    auto* grid = new QGridLayout;
    grid->addWidget(label, 0, 0);
    grid->addWidget(text_, 0, 1, 1, 2);
    grid->addLayout(options, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(find);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    setTabOrder(text_, wholeValue_);
    setTabOrder(wholeValue_, matchCase_);
    setTabOrder(matchCase_, selectMatches_);
    setTabOrder(selectMatches_, up_);
    setTabOrder(up_, down_);
    setTabOrder(down_, find);
    setTabOrder(find, cancel);
}

void cFindDialog::accept() {
    SetFindText(text_->text().left(MaxValueTextLength).toStdU16String());
    sFindOptions& options = AppState().findOptions;
    options.wholeValue = wholeValue_->isChecked();
    options.matchCase = matchCase_->isChecked();
    options.selectMatches = selectMatches_->isChecked();
    options.upward = up_->isChecked();
    done(1);
}

void cFindDialog::reject() {
    done(2);
}

int ShowFindDialog(QWidget* owner) {
    cFindDialog dialog(owner);
    dialog.adjustSize();
    if (owner)
        CentreOver(dialog, owner->window()->frameGeometry());
    return CurrentPlatform().execDialog(dialog);
}
