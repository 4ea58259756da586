// The editor opened from outside: a file on the command line, --help and --version, and a
// file dropped on the main window.

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "panes/CommandIds.h"
#include "shell/CommandLine.h"
#include "support/DocumentSetUp.h"
#include "support/EditorFixture.h"

namespace {

TEST(EditorCommandLine, FileHelpVersionAndMistakes) {
    using Line = sEditorCommandLine;
    const struct {
        QStringList arguments;
        Line::eAction action;
        QString file;
        QString textStart;
    } cases[] = {
        {{"vesk-builder"}, Line::Start, "", ""},
        {{"vesk-builder", "Words.PDB"}, Line::Start, "Words.PDB", ""},
        {{"vesk-builder", "--", "-v.PDB"}, Line::Start, "-v.PDB", ""},
        {{"/usr/bin/vesk-builder", "--help"},
         Line::Print,
         "",
         "Usage: vesk-builder [options] [FILE]\n"},
        {{"vesk-builder", "-v"}, Line::Print, "", "vesk-builder 1."},
        {{"vesk-builder", "a.PDB", "b.PDB"}, Line::Fail, "", "vesk-builder: one file at a time\n"},
        {{"vesk-builder", "--bogus"}, Line::Fail, "", "vesk-builder: Unknown option 'bogus'."},
    };
    for (const auto& expected : cases) {
        const Line line = ParseEditorCommandLine(expected.arguments);
        const QString arguments = expected.arguments.join(' ');
        EXPECT_EQ(line.action, expected.action) << arguments.toStdString();
        EXPECT_EQ(line.file, expected.file) << arguments.toStdString();
        EXPECT_TRUE(expected.textStart.isEmpty() ? line.text.isEmpty()
                                                 : line.text.startsWith(expected.textStart))
            << arguments.toStdString() << ": " << line.text.toStdString();
        if (line.action == Line::Fail) {
            EXPECT_TRUE(line.text.contains("\n\nUsage: ")) << "the usage follows the complaint";
        }
    }
}

TEST_F(EditorTest, FileArgumentOpensAsOpenDoesWithoutTheWelcomeDialog) {
    const std::string path =
        makeDatabase("Words.PDB", [](cDatabase& db) { db.name.assign("Words"); });
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.path()));
    EXPECT_TRUE(OpenStartingDatabase("Words.PDB"));
    QDir::setCurrent(before);
    EXPECT_TRUE(platform.dialogTitles.empty());
    EXPECT_STREQ(CurrentDatabase().name.text(), "Words");
    EXPECT_EQ(Settings.recentFiles, std::vector<std::string>{path}) << "by its absolute path";
    EXPECT_EQ(window->statusText(), "Database opened.");

    // A file that does not open gets Open's message, then the welcome dialog as usual.
    platform.dialogScripts = {[](QDialog&) { return int(WelcomeQuit); }};
    EXPECT_FALSE(OpenStartingDatabase(QString::fromStdString(dir.file("missing.PDB"))));
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.dialogTitles, std::vector<QString>{"Welcome to Vesk-Builder"});
    EXPECT_STREQ(CurrentDatabase().name.text(), "Words");
}

TEST_F(EditorTest, DroppedFileOpensAfterTheSavePrompt) {
    const std::string first =
        makeDatabase("First.PDB", [](cDatabase& db) { db.name.assign("First"); });
    const std::string second =
        makeDatabase("Second.PDB", [](cDatabase& db) { db.name.assign("Second"); });
    ASSERT_TRUE(OpenStartingDatabase(QString::fromStdString(first)));
    SetModified(true);
    // Whether the window takes the drag, then whether it takes the drop.
    auto drop = [this](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &dropped);
        QCoreApplication::processEvents();
        return dropped.isAccepted();
    };
    const QUrl secondUrl = QUrl::fromLocalFile(QString::fromStdString(second));
    EXPECT_FALSE(drop({secondUrl, QUrl::fromLocalFile(QString::fromStdString(first))}));
    EXPECT_FALSE(drop({QUrl("https://vesk-builder.org/Second.PDB")}));
    EXPECT_TRUE(platform.messages.empty());

    platform.messageAnswers = {MessageResultCancel};
    EXPECT_TRUE(drop({secondUrl}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.startsWith("Save changes to '"));
    EXPECT_STREQ(CurrentDatabase().name.text(), "First") << "cancelled at the prompt";

    platform.messageAnswers = {MessageResultNo};
    EXPECT_TRUE(drop({secondUrl}));
    EXPECT_STREQ(CurrentDatabase().name.text(), "Second");
    EXPECT_EQ(window->statusText(), "Database opened.");
}

} // namespace
