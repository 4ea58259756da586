#include "shell/RecentMenu.h"

#include <QAction>
#include <QMenu>

#include "panes/CommandIds.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/FileDialogs.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"

void RebuildRecentMenu() {
    cMainWindow* window = MainWindow();
    if (!window)
        return;
    QMenu* menu = window->recentMenu();
    menu->clear();
    const std::vector<std::string>& recent = Settings.recentFiles;
    for (size_t i = recent.size(); i-- > 0;) {
        int command = CmdRecentFirst + static_cast<int>(i);
        QAction* item = menu->addAction(PathForDisplay(recent[i].c_str()).replace("&", "&&"));
        item->setData(command);
        QObject::connect(item, &QAction::triggered, menu, [command] { ExecuteCommand(command); });
    }
    if (recent.empty())
        menu->addSeparator();
}
