// Start-up, the welcome loop, the settings file and the main window's fixed parts.

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QToolBar>

#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/PaneModel.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "shell/CentreOver.h"
#include "shell/Commands.h"
#include "shell/DocumentStatus.h"
#include "shell/Toolbar.h"
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"

namespace {

std::function<int(QDialog&)> Press(const char* button) {
    return [button](QDialog& dialog) {
        dialog.findChild<QPushButton*>(button)->click();
        return dialog.result();
    };
}

std::string FileText(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TEST_F(EditorTest, FirstStartWritesTheDefaultSettingsAndExitRewritesThem) {
    EXPECT_EQ(FileText(dir.file("vesk_prefs.txt")),
              "firsttime 1\nfont_face \"Arial Unicode MS\"\nfont_size 12\nfont_weight 400\n"
              "font_italic 0\n");
    Settings.recentFiles = {"/a.PDB"};
    SaveSettings();
    EXPECT_NE(FileText(dir.file("vesk_prefs.txt")).find("recent \"/a.PDB\"\n"), std::string::npos);
}

TEST_F(EditorTest, WelcomeLoopRepeatsUntilACommandCompletes) {
    // Open, then cancel the file dialog: back to the welcome dialog. Then Create, cancel the
    // New Database dialog: back again. Then Create with Blank, and Properties.
    platform.dialogScripts = {Press("openButton"),   Press("createButton"), Press("cancelButton"),
                              Press("createButton"), Press("okButton"),     Press("okButton")};
    EXPECT_TRUE(RunWelcomeLoop());
    EXPECT_EQ(platform.dialogTitles,
              (std::vector<QString>{"Welcome to Vesk-Builder", "Welcome to Vesk-Builder",
                                    "Create a New Database", "Welcome to Vesk-Builder",
                                    "Create a New Database", "Database Properties"}));
    EXPECT_EQ(platform.fileRequests.size(), 1u);
    EXPECT_TRUE(CurrentDocument().isOpen());
    EXPECT_EQ(window->windowTitle(), "Vesk-Builder - Unnamed");
    EXPECT_EQ(window->statusText(), "Blank database created.");
}

TEST_F(EditorTest, QuitFromWelcomeLeavesTheSettingsFileAlone) {
    std::vector<uint8_t> before = ReadBytes(dir.file("vesk_prefs.txt"));
    platform.dialogScripts = {Press("quitButton")};
    EXPECT_FALSE(RunWelcomeLoop());
    EXPECT_EQ(ReadBytes(dir.file("vesk_prefs.txt")), before);
}

TEST_F(EditorTest, OpenMostRecentOpensTheNewestEntry) {
    std::string older = makeDatabase("older.PDB", [](cDatabase& db) { db.name.assign("Old"); });
    std::string newer = makeDatabase("newer.PDB", [](cDatabase& db) { db.name.assign("New"); });
    Settings.recentFiles = {older, newer};
    platform.dialogScripts = {[](QDialog& dialog) {
        EXPECT_TRUE(dialog.findChild<QPushButton*>("recentButton")->isEnabled());
        dialog.findChild<QPushButton*>("recentButton")->click();
        return dialog.result();
    }};
    EXPECT_TRUE(RunWelcomeLoop());
    EXPECT_STREQ(CurrentDatabase().name.text(), "New");
    EXPECT_EQ(window->statusText(), "Database opened.");
}

TEST_F(EditorTest, MainWindowHasTheMenusToolbarAndPanes) {
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&View", "&Input", "&Help"}));
    EXPECT_EQ(window->action(CmdNewDatabase)->text(), "&New Database...\tCtrl+N");
    EXPECT_EQ(window->action(CmdDownload)->text(), "Download && Share Databases");
    EXPECT_EQ(window->action(CmdDelete)->shortcut(), QKeySequence());
    EXPECT_EQ(window->action(CmdPaste)->shortcut(), QKeySequence("Ctrl+V"));
    EXPECT_EQ(window->action(CmdSaveAs)->text(), "Save &As...\tCtrl+Shift+S");
    EXPECT_EQ(window->action(CmdSaveAs)->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(window->action(CmdExit)->text(), "E&xit\tCtrl+Q");
    EXPECT_EQ(window->action(CmdExit)->shortcut(), QKeySequence("Ctrl+Q"));

    // Undo and Redo follow Save; the other positions keep their order.
    QList<QAction*> buttons = window->toolBar()->actions();
    ASSERT_EQ(buttons.size(), 24);
    EXPECT_EQ(buttons[3]->toolTip(), "Undo (Ctrl+Z)");
    EXPECT_EQ(buttons[4]->toolTip(), "Redo (Ctrl+Shift+Z)");
    EXPECT_FALSE(buttons[4]->icon().isNull());
    EXPECT_TRUE(buttons[5]->isSeparator());
    EXPECT_EQ(buttons[10]->toolTip(), "Paste (Ctrl+V)");
    EXPECT_EQ(buttons[23]->toolTip(), "Help Contents (F1)");
    EXPECT_FALSE(buttons[10]->icon().isNull());
    EXPECT_EQ(ToolbarTooltip(CmdPinyin), 109);
    EXPECT_EQ(ToolbarTooltip(CmdDelete), 0);

    EXPECT_TRUE(window->action(CmdInputNormal)->isChecked());
    EXPECT_FALSE(window->action(CmdPinyin)->isChecked());
    EXPECT_FALSE(window->action(CmdSave)->isEnabled()) << "nothing to save yet";
    EXPECT_EQ(window->termPane().view()->paneModel()->headerData(0, Qt::Horizontal), "Term Id");
}

TEST_F(EditorTest, SplittersKeepTheirRatiosAndTheMinimum) {
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_EQ(window->pos(), CentredPosition(window->size(), screen)) << "opens centred";
    EXPECT_TRUE(screen.contains(QRect(window->pos(), window->size())));

    window->resize(1002, 700);
    window->show();
    QApplication::processEvents();
    auto* columns = static_cast<QSplitter*>(window->centralWidget());
    QList<int> sizes = columns->sizes();
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_NEAR(double(sizes[0]) / (sizes[0] + sizes[1]), 0.5, 0.01);
    window->resize(1602, 700);
    QApplication::processEvents();
    sizes = columns->sizes();
    EXPECT_NEAR(double(sizes[0]) / (sizes[0] + sizes[1]), 0.5, 0.01) << "kept on resize";

    window->setSplitterRatios(0.999, 0.33, 0.66);
    QApplication::processEvents();
    EXPECT_GE(columns->sizes()[1], 40) << "the right column keeps 40 pixels";

    // Each border of the right column stops 40 pixels short of the other one.
    window->setSplitterRatios(0.5, 0.33, 0.66);
    QApplication::processEvents();
    auto* right = static_cast<QSplitter*>(window->valuePane().view()->parentWidget());
    for (int handle : {1, 2}) {
        const QList<int> before = right->sizes();
        QSplitterHandle* grip = right->handle(handle);
        const QPoint middle = grip->rect().center();
        const int drag = handle == 1 ? 2 * before[1] : -2 * before[1];
        QTest::mousePress(grip, Qt::LeftButton, {}, middle);
        QTest::mouseMove(grip, middle + QPoint(0, drag));
        QTest::mouseRelease(grip, Qt::LeftButton, {}, middle + QPoint(0, drag));
        const QList<int> after = right->sizes();
        EXPECT_EQ(after[1], 40) << handle;
        EXPECT_EQ(handle == 1 ? after[2] : after[0], handle == 1 ? before[2] : before[0])
            << "the other border stays: " << handle;
        window->setSplitterRatios(0.5, 0.33, 0.66);
        QApplication::processEvents();
    }
}

TEST_F(EditorTest, InputModesAndPinyinMarkTheMenuAndShowTheirStatus) {
    EXPECT_EQ(ExecuteCommand(CmdInputOneAttribute), CommandDone);
    EXPECT_EQ(AppState().inputMode, eInputMode::OneAttribute);
    EXPECT_TRUE(window->action(CmdInputOneAttribute)->isChecked());
    EXPECT_FALSE(window->action(CmdInputNormal)->isChecked());
    EXPECT_EQ(window->statusText(), "Entered One Attribute at a Time input mode.");
    ExecuteCommand(CmdPinyin);
    EXPECT_TRUE(AppState().pinyinConversion);
    EXPECT_TRUE(window->action(CmdPinyin)->isChecked());
    EXPECT_EQ(window->statusText(), "Pinyin number-to-accent conversion enabled.");
    ExecuteCommand(CmdPinyin);
    EXPECT_EQ(window->statusText(), "Pinyin number-to-accent conversion disabled.");
}

TEST_F(EditorTest, HelpPagesOpenFromTheProgramDirectoryOrSayWhyNot) {
    ExecuteCommand(CmdHelpContents);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.startsWith("Failed to load help file."));
    EXPECT_TRUE(platform.messages[0].text.endsWith(
        "\n\n" + QDir(QString::fromStdString(dir.path())).absolutePath() +
        "/Help/Vesk-Builder_UserManual.html"))
        << platform.messages[0].text.toStdString();
    EXPECT_TRUE(platform.openedUrls.empty());

    std::filesystem::create_directories(dir.file("Help"));
    WriteBytes(dir.file("Help/download.html"), {'x'});
    ExecuteCommand(CmdDownload);
    ASSERT_EQ(platform.openedUrls.size(), 1u);
    EXPECT_TRUE(platform.openedUrls[0].endsWith("/Help/download.html"));

    platform.openUrlSucceeds = false;
    ExecuteCommand(CmdDownload);
    EXPECT_TRUE(platform.messages.back().text.startsWith("Failed to launch HTML browser."));
}
