#include "shell/Toolbar.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>

#include "panes/CommandIds.h"
#include "panes/InputMode.h"
#include "panes/QtText.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "shell/PinyinStyleCommand.h"
#include "text/Platform.h"
#include "text/TextIds.h"

namespace {

struct sToolbarButton {
    int command; // 0: a separator, which still takes a position
    int tooltip;
    const char* icon;
};

const sToolbarButton ToolbarButtons[] = {
    {CmdNewDatabase, TextTooltipNewDatabase, "new-database"},
    {CmdOpen, TextTooltipOpen, "open"},
    {CmdSave, TextTooltipSave, "save"},
    {CmdUndo, TextTooltipUndo, "undo"},
    {CmdRedo, TextTooltipRedo, "redo"},
    {0, 0, nullptr},
    {CmdProperties, TextTooltipProperties, "properties"},
    {0, 0, nullptr},
    {CmdCut, TextTooltipCut, "cut"},
    {CmdCopy, TextTooltipCopy, "copy"},
    {CmdPaste, TextTooltipPaste, "paste"},
    {0, 0, nullptr},
    {CmdNewTerm, TextTooltipNewTerm, "new-term"},
    {CmdNewCategory, TextTooltipNewCategory, "new-category"},
    {CmdNewAsciiAttribute, TextTooltipNewAsciiAttribute, "new-ascii-attribute"},
    {CmdNewUnicodeAttribute, TextTooltipNewUnicodeAttribute, "new-unicode-attribute"},
    {0, 0, nullptr},
    {CmdInputNormal, TextTooltipInputNormal, "input-normal"},
    {CmdInputOneTerm, TextTooltipInputOneTerm, "input-one-term"},
    {CmdInputOneAttribute, TextTooltipInputOneAttribute, "input-one-attribute"},
    {0, 0, nullptr},
    {CmdPinyin, TextTooltipPinyin, "pinyin"},
    {0, 0, nullptr},
    {CmdHelpContents, TextTooltipHelpContents, "help"},
};

static_assert(std::size(ToolbarButtons) == 24, "the toolbar has 24 positions");

} // namespace

int ToolbarTooltip(int command) {
    for (const sToolbarButton& button : ToolbarButtons)
        if (button.command == command && command != 0)
            return button.tooltip;
    return 0;
}

void cMainWindow::buildToolbar() {
    toolBar_ = addToolBar("Toolbar");
    toolBar_->setObjectName("toolbar");
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(24, 24));
    for (const sToolbarButton& button : ToolbarButtons) {
        if (button.command == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* command = action(button.command);
        command->setIcon(QIcon(QString(":/icons/%1.svg").arg(button.icon)));
        command->setToolTip(TableText(button.tooltip));
        toolBar_->addAction(command);
    }
}

void SetButtonState(int command, int state) {
    cMainWindow* window = MainWindow();
    QAction* action = window ? window->action(command) : nullptr;
    if (!action)
        return;
    action->setEnabled(state != ButtonDisabled);
    if (action->isCheckable())
        action->setChecked(state == ButtonMarked);
}

void UpdateInputMenu() {
    const sAppState& state = AppState();
    SetButtonState(CmdInputNormal,
                   state.inputMode == eInputMode::Normal ? ButtonMarked : ButtonEnabled);
    SetButtonState(CmdInputOneTerm,
                   state.inputMode == eInputMode::OneTerm ? ButtonMarked : ButtonEnabled);
    SetButtonState(CmdInputOneAttribute,
                   state.inputMode == eInputMode::OneAttribute ? ButtonMarked : ButtonEnabled);
    if (UnicodePlatform)
        SetButtonState(CmdPinyin, state.pinyinConversion ? ButtonMarked : ButtonEnabled);
    else
        SetButtonState(CmdPinyin, ButtonDisabled);
    UpdatePinyinStyleMark();
}
