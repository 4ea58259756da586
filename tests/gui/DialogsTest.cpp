// The Welcome, New Database, Properties and About dialogs, driven directly: built, their
// controls found by name and used, then their results and effects checked. Nothing here
// runs a modal loop; the runners are checked through a scripted platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include <filesystem>
#include <fstream>
#include <functional>

#include "model/Database.h"
#include "panes/CommandIds.h"
#include "shell/AboutDialog.h"
#include "shell/AppState.h"
#include "shell/CentreOver.h"
#include "shell/Dialogs.h"
#include "shell/Launch.h"
#include "shell/NewDatabaseDialog.h"
#include "shell/Platform.h"
#include "shell/PropertiesDialog.h"
#include "shell/Settings.h"
#include "shell/WelcomeDialog.h"
#include "support/DocumentSetUp.h"
#include "support/RecordingSink.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace {

template <typename T> T* Child(QWidget& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Click(QWidget& dialog, const char* name) {
    if (QPushButton* button = Child<QPushButton>(dialog, name))
        button->click();
}

void PressKey(QWidget& target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&target, &release);
}

// A real double-click: the view only reports one on the entry the press went to.
void DoubleClickRow(QListWidget& list, int row) {
    QWidget* viewport = list.viewport();
    const QPointF at = list.visualItemRect(list.item(row)).center();
    const QPointF global = viewport->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &twice);
}

class DialogsTest : public testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        // The help pages and the backup that SetModified writes stay in the scratch folder.
        EditorPaths.programDirectory = dir.path();
        EditorPaths.sharedDirectory = dir.path();
        EditorPaths.settingsDirectory = dir.path();
        EditorPaths.backupDirectory = dir.path();
    }
    void TearDown() override { ResetAppState(); }

    void writeHelpPage(const char* relativePath) {
        const std::string path = dir.file(relativePath);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "<html></html>";
    }

    // A database file holding only a name, offered as a template.
    void addTemplate(const std::string& displayName, const char* databaseName) {
        cDatabase db;
        const std::string path = dir.file(displayName + ".PDB");
        db.path.assign(path.c_str());
        db.name.assign(databaseName);
        ASSERT_EQ(db.save(), 0);
        Settings.templates.push_back({displayName, path});
    }

    cTempDir dir;
    cScriptedPlatform platform;
    cRecordingSink sink;
};

// ---- Welcome

TEST_F(DialogsTest, WelcomeButtonsEndWithTheirCommands) {
    Settings.recentFiles.push_back("/somewhere/words.PDB");
    const std::pair<const char*, int> cases[] = {{"createButton", CmdNewDatabase},
                                                 {"recentButton", WelcomeOpenRecent},
                                                 {"openButton", CmdOpen},
                                                 {"quitButton", WelcomeQuit}};
    for (const auto& [button, result] : cases) {
        cWelcomeDialog dialog;
        dialog.show();
        Click(dialog, button);
        EXPECT_EQ(dialog.result(), result) << button;
        EXPECT_FALSE(dialog.isVisible()) << button;
    }
}

TEST_F(DialogsTest, WelcomeCloseRequestCreatesANewDatabase) {
    cWelcomeDialog dialog;
    dialog.show();
    EXPECT_TRUE(dialog.close());
    EXPECT_EQ(dialog.result(), CmdNewDatabase);
}

TEST_F(DialogsTest, WelcomeCannotBeCancelled) {
    cWelcomeDialog dialog;
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowSystemMenuHint);
    dialog.show();
    PressKey(dialog, Qt::Key_Escape);
    PressKey(*Child<QPushButton>(dialog, "createButton"), Qt::Key_Escape);
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(DialogsTest, WelcomeOffersTheRecentDatabaseOnlyWhenThereIsOne) {
    {
        cWelcomeDialog dialog;
        EXPECT_FALSE(Child<QPushButton>(dialog, "recentButton")->isEnabled());
    }
    Settings.recentFiles.push_back("/somewhere/words.PDB");
    cWelcomeDialog dialog;
    EXPECT_TRUE(Child<QPushButton>(dialog, "recentButton")->isEnabled());
}

TEST_F(DialogsTest, WelcomeHelpOpensTheManualAndStaysOpen) {
    writeHelpPage(HelpContentsPage);
    cWelcomeDialog dialog;
    dialog.show();
    Click(dialog, "helpButton");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    ASSERT_EQ(platform.openedUrls.size(), 1u);
    EXPECT_TRUE(platform.openedUrls[0].endsWith(QString::fromUtf8(HelpContentsPage)));
}

// ---- New Database

TEST_F(DialogsTest, NewDatabaseListsBlankFirstThenTemplatesInListOrder) {
    Settings.templates = {{"Zoology", "/t/Zoology.PDB"}, {"Animals", "/t/Animals.PDB"}};
    cNewDatabaseDialog dialog;
    QListWidget* list = Child<QListWidget>(dialog, "templateList");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Blank"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Zoology"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Animals"));
    EXPECT_TRUE(list->item(0)->isSelected());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(DialogsTest, NewDatabaseBlankEmptiesTheDatabaseAndOpensIt) {
    CurrentDatabase().name.assign("Old");
    CurrentDatabase().addTerm();
    cNewDatabaseDialog dialog;
    Click(dialog, "okButton");
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_TRUE(CurrentDatabase().name.isEmpty());
    EXPECT_EQ(CurrentDatabase().terms.count(), 0u);
    EXPECT_TRUE(CurrentDocument().isOpen());
    EXPECT_FALSE(CurrentDocument().isModified());
    ASSERT_FALSE(sink.statuses.empty());
    EXPECT_EQ(sink.statuses.back(), ResourceString(70));
}

TEST_F(DialogsTest, NewDatabaseWithoutSelectionCreatesBlank) {
    addTemplate("Animals", "Animal names");
    cNewDatabaseDialog dialog;
    Child<QListWidget>(dialog, "templateList")->clearSelection();
    Click(dialog, "okButton");
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_TRUE(CurrentDatabase().name.isEmpty());
    EXPECT_TRUE(CurrentDocument().isOpen());
}

TEST_F(DialogsTest, NewDatabaseDoubleClickOpensTheTemplateItNames) {
    addTemplate("Zoology", "Zoology terms");
    addTemplate("Animals", "Animal names");
    cNewDatabaseDialog dialog;
    dialog.show();
    DoubleClickRow(*Child<QListWidget>(dialog, "templateList"), 2);
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_STREQ(CurrentDatabase().name.textOrEmpty(), "Animal names");
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(DialogsTest, NewDatabaseFailedTemplateStaysOpenAndChangesNothing) {
    const std::string broken = dir.file("Broken.PDB");
    std::ofstream(broken) << "not a database";
    Settings.templates.push_back({"Broken", broken});
    CurrentDatabase().name.assign("Kept");
    cNewDatabaseDialog dialog;
    dialog.show();
    Child<QListWidget>(dialog, "templateList")->setCurrentRow(1);
    Click(dialog, "okButton");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_STREQ(CurrentDatabase().name.textOrEmpty(), "Kept");
    ASSERT_FALSE(sink.shown.empty());
    EXPECT_EQ(sink.shown.back().caption, ResourceString(58));
    EXPECT_EQ(sink.shown.back().text, ResourceString(71));
}

TEST_F(DialogsTest, NewDatabaseCancelChangesNothing) {
    CurrentDatabase().name.assign("Kept");
    cNewDatabaseDialog dialog;
    dialog.show();
    Click(dialog, "cancelButton");
    EXPECT_EQ(dialog.result(), 2);
    EXPECT_STREQ(CurrentDatabase().name.textOrEmpty(), "Kept");
    EXPECT_FALSE(CurrentDocument().isOpen());

    cNewDatabaseDialog closed;
    closed.show();
    closed.close();
    EXPECT_EQ(closed.result(), 2);
}

// ---- Properties

TEST_F(DialogsTest, PropertiesShowsCodePageTextAndOkWithoutChangeKeepsUnmodified) {
    CurrentDatabase().name.assign("Caf\xe9");
    // A no-break space too: the box must give it back as it is, not as a space.
    CurrentDatabase().description.assign("Line one\r\nLine two\xa0"
                                         "end");
    cPropertiesDialog dialog;
    EXPECT_EQ(Child<QLineEdit>(dialog, "nameEdit")->text(), QStringLiteral("Café"));
    EXPECT_TRUE(Child<QPlainTextEdit>(dialog, "descriptionEdit")
                    ->toPlainText()
                    .startsWith(QStringLiteral("Line one\nLine two")));
    Click(dialog, "okButton");
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_FALSE(CurrentDocument().isModified());
    EXPECT_STREQ(CurrentDatabase().name.textOrEmpty(), "Caf\xe9");
    EXPECT_STREQ(CurrentDatabase().description.textOrEmpty(), "Line one\r\nLine two\xa0"
                                                              "end");
}

TEST_F(DialogsTest, PropertiesLetterCaseChangeCounts) {
    CurrentDatabase().name.assign("Animals");
    cPropertiesDialog dialog;
    Child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral("animals"));
    Click(dialog, "okButton");
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_STREQ(CurrentDatabase().name.textOrEmpty(), "animals");
}

TEST_F(DialogsTest, PropertiesWritesCodePageBytesAndCrLfLineBreaks) {
    cPropertiesDialog dialog;
    Child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral("Über €"));
    Child<QPlainTextEdit>(dialog, "descriptionEdit")->setPlainText(QStringLiteral("a\nb"));
    Click(dialog, "okButton");
    EXPECT_TRUE(CurrentDocument().isModified());
    EXPECT_STREQ(CurrentDatabase().name.textOrEmpty(), "\xdc"
                                                       "ber \x80");
    EXPECT_STREQ(CurrentDatabase().description.textOrEmpty(), "a\r\nb");
}

TEST_F(DialogsTest, PropertiesNameHoldsAtMost31Characters) {
    CurrentDatabase().name.assign(std::string(40, 'n').c_str());
    cPropertiesDialog dialog;
    QLineEdit* name = Child<QLineEdit>(dialog, "nameEdit");
    EXPECT_EQ(name->maxLength(), 31);
    EXPECT_EQ(name->text().size(), 31);
    Click(dialog, "okButton");
    EXPECT_EQ(CurrentDatabase().name.length(), 31u);
}

TEST_F(DialogsTest, PropertiesDescriptionIsCutAt1023) {
    cPropertiesDialog dialog;
    QPlainTextEdit* description = Child<QPlainTextEdit>(dialog, "descriptionEdit");
    description->insertPlainText(QString(1100, QLatin1Char('x')));
    EXPECT_EQ(description->toPlainText().size(), 1023);
    Click(dialog, "okButton");
    EXPECT_EQ(CurrentDatabase().description.length(), 1023u);
}

TEST_F(DialogsTest, PropertiesDescriptionLineBreaksCountAsTwo) {
    cPropertiesDialog dialog;
    QPlainTextEdit* description = Child<QPlainTextEdit>(dialog, "descriptionEdit");
    description->insertPlainText(QString(1020, QLatin1Char('x')));
    description->insertPlainText(QStringLiteral("\n\nyy"));
    Click(dialog, "okButton");
    // "yy" and one break (two bytes) give back the three bytes too many.
    EXPECT_EQ(std::string(CurrentDatabase().description.textOrEmpty()),
              std::string(1020, 'x') + "\r\n");
}

TEST_F(DialogsTest, PropertiesDescriptionCutTakesBackWhatWasJustTyped) {
    CurrentDatabase().description.assign(std::string(1020, 'a').c_str());
    cPropertiesDialog dialog;
    QPlainTextEdit* description = Child<QPlainTextEdit>(dialog, "descriptionEdit");
    QTextCursor cursor = description->textCursor();
    cursor.setPosition(5);
    description->setTextCursor(cursor);
    description->insertPlainText(QStringLiteral("XXXXXXXX"));
    EXPECT_EQ(description->toPlainText(), QString(5, QLatin1Char('a')) + QStringLiteral("XXX") +
                                              QString(1015, QLatin1Char('a')));
}

TEST_F(DialogsTest, PropertiesOverlongDescriptionFromAFileIsCutAtTheEnd) {
    CurrentDatabase().description.assign((std::string(1023, 'a') + "bbbb").c_str());
    cPropertiesDialog dialog;
    EXPECT_EQ(Child<QPlainTextEdit>(dialog, "descriptionEdit")->toPlainText(),
              QString(1023, QLatin1Char('a')));
}

TEST_F(DialogsTest, PropertiesEnterInTheDescriptionMakesANewLine) {
    cPropertiesDialog dialog;
    dialog.show();
    QPlainTextEdit* description = Child<QPlainTextEdit>(dialog, "descriptionEdit");
    description->setFocus();
    PressKey(*description, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(description->toPlainText(), QStringLiteral("\n"));
}

TEST_F(DialogsTest, PropertiesCancelChangesNothing) {
    CurrentDatabase().name.assign("Animals");
    cPropertiesDialog dialog;
    dialog.show();
    Child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral("Plants"));
    Click(dialog, "cancelButton");
    EXPECT_EQ(dialog.result(), 2);
    EXPECT_FALSE(CurrentDocument().isModified());
    EXPECT_STREQ(CurrentDatabase().name.textOrEmpty(), "Animals");
}

// ---- About

TEST_F(DialogsTest, AboutShowsVersionAndOpensTheHomePageWithoutClosing) {
    writeHelpPage(HomePage);
    cAboutDialog dialog;
    dialog.show();
    EXPECT_EQ(Child<QLabel>(dialog, "versionLabel")->text(), QStringLiteral("1.3"));
    Click(dialog, "homePageButton");
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(platform.openedUrls.size(), 1u);
    EXPECT_TRUE(platform.openedUrls[0].endsWith(QString::fromUtf8(HomePage)));
    Click(dialog, "okButton");
    EXPECT_EQ(dialog.result(), 1);
}

// ---- Runners and placement

TEST_F(DialogsTest, CentredPositionUsesTheWidthNotTheInclusiveRightEdge) {
    EXPECT_EQ(CentredPosition(QSize(200, 100), QRect(100, 50, 801, 601)), QPoint(400, 300));
    EXPECT_EQ(CentredPosition(QSize(201, 301), QRect(0, 0, 100, 100)), QPoint(-50, -100));
}

TEST_F(DialogsTest, RunnersGoThroughThePlatformCentredOverTheOwner) {
    QWidget owner;
    owner.setGeometry(300, 200, 800, 600);
    QPoint at;
    QSize size;
    platform.dialogScripts = {[&](QDialog& dialog) {
        at = dialog.pos();
        size = dialog.size();
        Click(dialog, "okButton");
        return dialog.result();
    }};
    EXPECT_EQ(RunAboutDialog(&owner), 1);
    EXPECT_EQ(platform.dialogTitles.size(), 1u);
    EXPECT_EQ(at, CentredPosition(size, owner.frameGeometry()));

    auto cancel = [](QDialog& dialog) {
        Click(dialog, "cancelButton");
        return dialog.result();
    };
    platform.dialogScripts = {[](QDialog& dialog) {
                                  Click(dialog, "quitButton");
                                  return dialog.result();
                              },
                              cancel, cancel};
    EXPECT_EQ(RunWelcomeDialog(&owner), WelcomeQuit);
    EXPECT_EQ(RunNewDatabaseDialog(&owner), 2);
    EXPECT_EQ(RunPropertiesDialog(&owner), 2);
    EXPECT_EQ(platform.dialogTitles.size(), 4u);
}

} // namespace
