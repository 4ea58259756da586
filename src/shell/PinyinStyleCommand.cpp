#include "shell/PinyinStyleCommand.h"

#include "panes/CommandIds.h"
#include "shell/Commands.h"
#include "shell/Settings.h"
#include "shell/Toolbar.h"
#include "text/Messages.h"
#include "text/Platform.h"
#include "text/TextIds.h"

int TogglePinyinStyle() {
    ePinyinStyle& style = Settings.pinyinStyle;
    style = style == ePinyinStyle::Standard ? ePinyinStyle::Handheld : ePinyinStyle::Standard;
    SaveSettings();
    UpdatePinyinStyleMark();
    ShowStatusText(style == ePinyinStyle::Standard ? TextPinyinStandardMarks
                                                   : TextPinyinHandheldMarks);
    return CommandDone;
}

void UpdatePinyinStyleMark() {
    if (!UnicodePlatform)
        SetButtonState(CmdPinyinStandard, ButtonDisabled);
    else
        SetButtonState(CmdPinyinStandard, Settings.pinyinStyle == ePinyinStyle::Standard
                                              ? ButtonMarked
                                              : ButtonEnabled);
}
