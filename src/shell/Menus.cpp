// The main menu and the panes' context menus. Labels are the program's own texts: "&" marks
// the mnemonic and the part after a tab names the accelerator.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/TermPane.h"
#include "shell/MainWindow.h"

namespace {

struct sMenuItem {
    int command; // 0: a separator
    const char* label;
    QKeySequence keys;
};

void AddItems(cMainWindow& window, QMenu* menu, std::initializer_list<sMenuItem> items) {
    for (const sMenuItem& item : items) {
        if (item.command == 0)
            menu->addSeparator();
        else
            menu->addAction(window.addCommand(item.command, item.label, item.keys));
    }
}

QKeySequence Ctrl(int key) {
    return QKeySequence(Qt::CTRL | key);
}

} // namespace

void cMainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    AddItems(*this, file,
             {{CmdNewDatabase, "&New Database...\tCtrl+N", Ctrl(Qt::Key_N)},
              {CmdOpen, "&Open...\tCtrl+O", Ctrl(Qt::Key_O)}});
    recentMenu_ = file->addMenu("Open &Recent");
    file->addSeparator();
    AddItems(*this, file, {{CmdMerge, "&Merge", {}}});
    QMenu* import = file->addMenu("&Import");
    AddItems(*this, import,
             {{CmdImportVeskText, "&Vesk Text", {}},
              {CmdImportTabDelimited, "&Text (Tab delimited)", {}},
              {CmdImportQuizApp, "&QuizApp Module", {}},
              {CmdImportErgane, "&Ergane (Unicode)", {}},
              {CmdImportAnkiPackage, "&Anki Package...", {}},
              {CmdImportDelimited, "&Delimited Text (CSV, TSV)...", {}},
              {CmdImportTabWithOptions, "Text (Tab delimited) with &Options...", {}}});
    QMenu* exportMenu = file->addMenu("&Export");
    AddItems(*this, exportMenu,
             {{CmdExportVeskText, "&Vesk Text", {}},
              {CmdExportTabDelimited, "&Text (Tab delimited)", {}},
              {CmdExportAnkiPackage, "&Anki Package (*.apkg)...", {}},
              {CmdExportAnkiText, "Text for Anki (&UTF-8)...", {}},
              {CmdExportDelimited, "&Delimited Text (CSV)...", {}}});
    AddItems(*this, file,
             {{0, nullptr, {}},
              {CmdSave, "&Save\tCtrl+S", Ctrl(Qt::Key_S)},
              {CmdSaveAs, "Save &As...\tCtrl+Shift+S", QKeySequence("Ctrl+Shift+S")},
              {0, nullptr, {}},
              {CmdExit, "E&xit\tCtrl+Q", Ctrl(Qt::Key_Q)}});

    QMenu* edit = menuBar()->addMenu("&Edit");
    AddItems(*this, edit,
             {{CmdUndo, "&Undo\tCtrl+Z", Ctrl(Qt::Key_Z)},
              {CmdRedo, "&Redo\tCtrl+Shift+Z", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
              {0, nullptr, {}},
              {CmdProperties, "&Properties...", {}},
              {0, nullptr, {}},
              {CmdNewTerm, "New &Term\tCtrl+T", Ctrl(Qt::Key_T)},
              {CmdNewCategory, "New Cate&gory", {}}});
    addAccelerator(CmdRedo, Ctrl(Qt::Key_Y));
    QMenu* newAttribute = edit->addMenu("New &Attribute");
    AddItems(*this, newAttribute,
             {{CmdNewAsciiAttribute, "&Ascii", {}}, {CmdNewUnicodeAttribute, "&Unicode", {}}});
    AddItems(*this, edit,
             {{0, nullptr, {}},
              {CmdFind, "&Find...\tCtrl+F", Ctrl(Qt::Key_F)},
              {CmdFindNext, "Find Next\tF3", QKeySequence(Qt::Key_F3)},
              {0, nullptr, {}},
              {CmdCut, "Cu&t\tCtrl+X", Ctrl(Qt::Key_X)},
              {CmdCopy, "&Copy\tCtrl+C", Ctrl(Qt::Key_C)},
              {CmdPaste, "&Paste\tCtrl+V", Ctrl(Qt::Key_V)},
              {0, nullptr, {}},
              {CmdDelete, "&Delete\tDel", {}}});

    QMenu* view = menuBar()->addMenu("&View");
    AddItems(*this, view, {{CmdFont, "&Font...", {}}});
    displayAttributeMenu_ = view->addMenu("&Display Attribute");

    QMenu* input = menuBar()->addMenu("&Input");
    AddItems(*this, input,
             {{CmdInputNormal, "&Normal\tCtrl+1", Ctrl(Qt::Key_1)},
              {CmdInputOneTerm, "&Quick Entry Mode - One Term at a Time\tCtrl+2", Ctrl(Qt::Key_2)},
              {CmdInputOneAttribute, "&Quick Entry Mode - One Attribute at a Time\tCtrl+3",
               Ctrl(Qt::Key_3)},
              {0, nullptr, {}},
              {CmdPinyin, "&Convert Pinyin Numbers to Accents\tCtrl+P", Ctrl(Qt::Key_P)}});
    for (int command : {CmdInputNormal, CmdInputOneTerm, CmdInputOneAttribute, CmdPinyin})
        action(command)->setCheckable(true);
    AddItems(*this, input, {{CmdPinyinStandard, "&Standard Tone Marks", {}}});
    action(CmdPinyinStandard)->setCheckable(true);

    QMenu* help = menuBar()->addMenu("&Help");
    AddItems(*this, help,
             {{CmdHelpContents, "&Contents\tF1", QKeySequence(Qt::Key_F1)},
              {0, nullptr, {}},
              {CmdHomePage, "Vesk &Home Page", {}},
              {CmdDownload, "Download && Share Databases", {}},
              {0, nullptr, {}},
              {CmdAbout, "About Vesk-Builder", {}}});
}

void cMainWindow::buildContextMenus() {
    auto attach = [this](cListView* view, std::initializer_list<sMenuItem> items) {
        auto* menu = new QMenu(this);
        AddItems(*this, menu, items);
        contextMenus_.insert(view, menu);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, menu,
                [view, menu](const QPoint& at) { menu->exec(view->viewport()->mapToGlobal(at)); });
    };
    attach(termPane().view(), {{CmdTermNew, "&New Term", {}},
                               {0, nullptr, {}},
                               {CmdTermCut, "Cu&t", {}},
                               {CmdTermCopy, "&Copy", {}},
                               {CmdTermPaste, "&Paste", {}},
                               {0, nullptr, {}},
                               {CmdTermDelete, "&Delete", {}}});
    attach(categoryPane().view(), {{CmdCategoryNew, "&New Category", {}},
                                   {CmdSelectMembers, "&Select Members", {}},
                                   {0, nullptr, {}},
                                   {CmdCategoryDelete, "&Delete", {}}});
    attach(attributePane().view(), {{CmdAttributeNewAscii, "&New Ascii Attribute", {}},
                                    {CmdAttributeNewUnicode, "&New Unicode Attribute", {}},
                                    {0, nullptr, {}},
                                    {CmdAttributeDelete, "&Delete", {}}});
}
