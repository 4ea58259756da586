#include "shell/ViewSettings.h"

#include <QAction>
#include <QMenu>

#include "document/Document.h"
#include "model/Database.h"
#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneModel.h"
#include "panes/QtText.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/MainWindow.h"
#include "shell/Platform.h"
#include "shell/Settings.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {
constexpr int WeightNormal = 400;
constexpr int LightestWeight = 1;
constexpr int HeaviestWeight = 1000;

// Qt's weights run from 1 to 1000 like the settings' (400 normal, 700 bold), so they carry
// over directly; a weight out of that range in the settings file reads as normal.
QFont FontFromSettings() {
    QFont font(QString::fromStdString(Settings.fontFace));
    font.setPointSize(Settings.fontSize > 0 ? Settings.fontSize : 12);
    const int weight = Settings.fontWeight;
    font.setWeight(static_cast<QFont::Weight>(
        weight >= LightestWeight && weight <= HeaviestWeight ? weight : WeightNormal));
    font.setItalic(Settings.fontItalic != 0);
    return font;
}

} // namespace

int CreateUserFont() {
    AppState().userFont = FontFromSettings();
    return 0;
}

QFont UserFont() {
    const std::optional<QFont>& font = AppState().userFont;
    return font ? *font : FontFromSettings();
}

int ChooseUserFont() {
    QFont chosen;
    if (!CurrentPlatform().chooseFont(MainWindow(), UserFont(), chosen))
        return 0;
    if (chosen.family().startsWith('@'))
        ShowTableMessage(TextCaptionWarning, TextVerticalFont, MessageOk);
    AppState().userFont = chosen;
    Settings.fontFace = chosen.family().toStdString();
    Settings.fontSize = chosen.pointSize() > 0 ? chosen.pointSize() : Settings.fontSize;
    Settings.fontWeight = static_cast<int>(chosen.weight());
    Settings.fontItalic = chosen.italic() ? 1 : 0;
    SaveSettings();
    return 1;
}

void ApplyUserFont() {
    cMainWindow* window = MainWindow();
    const std::optional<QFont>& font = AppState().userFont;
    if (!window || !font)
        return;
    for (QWidget* pane : std::initializer_list<QWidget*>{
             window->termPane().view(), window->valuePane().view(), window->categoryPane().view(),
             window->attributePane().view()})
        pane->setFont(*font);
}

void SetDisplayAttribute(int position) {
    cMainWindow* window = MainWindow();
    const cDatabase& db = CurrentDocument().database();
    const cAttribute* attribute = CurrentDocument().isOpen() && position >= 0
                                      ? db.attribute(static_cast<uint32_t>(position))
                                      : nullptr;
    AppState().displayAttribute = attribute ? position : 0;
    if (!window)
        return;
    cTermPane& terms = window->termPane();
    terms.view()->paneModel()->setColumnTitle(1, attribute ? AnsiToQString(attribute->name)
                                                           : QString());
    terms.setDisplayAttribute(attribute ? position : -1);
}

void RebuildDisplayAttributeMenu() {
    cMainWindow* window = MainWindow();
    if (!window)
        return;
    QMenu* menu = window->displayAttributeMenu();
    menu->clear();
    const cDatabase& db = CurrentDocument().database();
    int position = 0;
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes)) {
        const int command = CmdDisplayAttributeFirst + position;
        QAction* item = menu->addAction(AnsiToQString(attribute->name).replace("&", "&&"));
        item->setData(command);
        QObject::connect(item, &QAction::triggered, menu, [command] { ExecuteCommand(command); });
        ++position;
    }
    if (position == 0)
        menu->addSeparator();
}
