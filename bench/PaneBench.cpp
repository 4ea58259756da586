// The editor at the limits, on the offscreen platform: opening the 65,532-term database
// with every pane filled, committing one value edit (the backup included), deleting one
// term, pasting 100 copied terms, selecting every match of a Find, and undoing and redoing
// a value edit, a one-term delete and a 100-term paste. The benchmarks named ...ToIdle run
// the event loop to idle inside the clock, so that the layout and the repaint the change
// causes are counted; the others stop the clock when the command returns.
// With --peak-memory FILE it opens FILE in the editor and prints its peak memory in KiB; with
// --first-open FILE it opens FILE in the editor of a fresh process, the event loop run to
// idle, and prints the milliseconds.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

#include "BenchFiles.h"
#include "document/Document.h"
#include "model/Database.h"
#include "panes/CommandIds.h"
#include "panes/ListView.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "shell/AppState.h"
#include "shell/Application.h"
#include "shell/Commands.h"
#include "shell/Find.h"
#include "shell/MainWindow.h"
#include "shell/OpenDatabase.h"
#include "support/DocumentSetUp.h"
#include "support/ScriptedPlatform.h"

namespace {

cScriptedPlatform* Platform = nullptr;

// The editor's settings and backups go into directory, not into the user's, and so does
// Qt's runtime folder when the session has none (Qt would make one in /tmp and leave it).
// Set before the application starts, which looks the runtime folder up.
void KeepEditorFilesIn(const std::string& directory) {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(directory + "/config"));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(directory + "/data"));
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const std::string runtime = directory + "/runtime";
        ::mkdir(runtime.c_str(), 0700);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime));
    }
}

void StartEditor(const std::string& directory) {
    InitShellResources();
    InitializeEditor(directory);
    Platform = new cScriptedPlatform;
    static std::unique_ptr<cMainWindow> window = CreateEditorWindow();
    window->resize(1000, 700);
    window->show();
}

// The event loop run until nothing is left to lay out or paint.
void Idle() {
    for (int pass = 0; pass < 3; ++pass)
        QApplication::processEvents();
}

cMainWindow& Window() {
    return *MainWindow();
}

void OpenLimit() {
    OpenDatabaseFile(LimitFiles().database, false);
    QApplication::processEvents();
}

// From a blank database, as after New: the open measured is the load, the panes filled and
// painted, not also freeing the limit database that the run before opened.
void OpenInEditor(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        CurrentDatabase().clear();
        RefreshAllPanes();
        QApplication::processEvents();
        state.ResumeTiming();
        OpenLimit();
    }
}
BENCHMARK(OpenInEditor)->Unit(benchmark::kMillisecond);

void ValueEditCommit(benchmark::State& state) {
    OpenLimit();
    cListView& terms = *Window().termPane().view();
    cListView& values = *Window().valuePane().view();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        terms.selectRow(30000 + round % 100, true);
        values.setFocus();
        values.beginEdit(0);
        QLineEdit* editor = values.editor();
        editor->setText(QString("edited %1").arg(++round));
        // The new selection scrolled the term pane and the editor opened: paint that now,
        // so that the commit is measured with what it paints itself.
        QApplication::processEvents();
        state.ResumeTiming();
        QTest::keyClick(editor, Qt::Key_Return);
        // The list commits an edit through a queued call: let it run.
        Idle();
    }
}
BENCHMARK(ValueEditCommit)->Unit(benchmark::kMillisecond);

// With toIdle, what the setup left to paint is painted before the clock starts, and what the
// change leaves is painted inside it.
void DeleteTerm(benchmark::State& state, bool toIdle) {
    OpenLimit();
    cTermPane& terms = Window().termPane();
    for (auto _ : state) {
        state.PauseTiming();
        CurrentDatabase().terms.append(new cTerm); // keeps the count at the limit
        terms.view()->selectRow(20000, true);
        Platform->messageAnswers = {MessageResultYes};
        if (toIdle)
            Idle();
        state.ResumeTiming();
        terms.deleteSelectedTerms();
        if (toIdle)
            Idle();
    }
}

void DeleteOneTerm(benchmark::State& state) {
    DeleteTerm(state, false);
}
BENCHMARK(DeleteOneTerm)->Unit(benchmark::kMillisecond);

void DeleteOneTermToIdle(benchmark::State& state) {
    DeleteTerm(state, true);
}
BENCHMARK(DeleteOneTermToIdle)->Unit(benchmark::kMillisecond);

// At the limit there is no room for 100 more terms: the last 100 go first.
void MakeRoomForHundred(cTermPane& terms) {
    std::vector<uint32_t> last;
    for (uint32_t i = CurrentDatabase().terms.count() - 100; i < CurrentDatabase().terms.count();
         ++i)
        last.push_back(i);
    CurrentDatabase().deleteTerms(last);
    terms.fill();
}

// Terms 100 to 199 copied, term 40000 selected to paste them in front of.
void CopyHundredForPaste(cTermPane& terms) {
    // Built afresh each time: refilling the pane resets its model and every index.
    QItemSelection hundred(terms.view()->model()->index(100, 0),
                           terms.view()->model()->index(199, 0));
    terms.view()->selectionModel()->select(hundred, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    terms.copyTerms();
    terms.view()->selectRow(40000, true);
}

// Each paste fills the database up to the limit again.
void PasteTerms(benchmark::State& state, bool toIdle) {
    OpenLimit();
    cTermPane& terms = Window().termPane();
    MakeRoomForHundred(terms);
    for (auto _ : state) {
        state.PauseTiming();
        CopyHundredForPaste(terms);
        const uint32_t before = CurrentDatabase().terms.count();
        if (toIdle)
            Idle();
        state.ResumeTiming();
        terms.pasteTerms();
        if (toIdle)
            Idle();
        state.PauseTiming();
        if (CurrentDatabase().terms.count() != before + 100) {
            state.SkipWithError("the paste did not add 100 terms");
            break;
        }
        std::vector<uint32_t> pasted;
        for (uint32_t i = 40000; i < 40100; ++i)
            pasted.push_back(i);
        CurrentDatabase().deleteTerms(pasted);
        terms.clearMarks();
        terms.fill();
        state.ResumeTiming();
    }
}

void PasteHundredTerms(benchmark::State& state) {
    PasteTerms(state, false);
}
BENCHMARK(PasteHundredTerms)->Unit(benchmark::kMillisecond);

void PasteHundredTermsToIdle(benchmark::State& state) {
    PasteTerms(state, true);
}
BENCHMARK(PasteHundredTermsToIdle)->Unit(benchmark::kMillisecond);

void FindMatches(benchmark::State& state, bool toIdle) {
    OpenLimit();
    SetFindText(u"kalo");
    AppState().findOptions.selectMatches = true;
    for (auto _ : state) {
        // As a user starts it: one term selected, not the matches of the search before.
        state.PauseTiming();
        Window().termPane().view()->selectRow(0, true);
        if (toIdle)
            Idle();
        else
            QApplication::processEvents();
        state.ResumeTiming();
        FindNext();
        if (toIdle)
            Idle();
    }
}

void FindSelectMatches(benchmark::State& state) {
    FindMatches(state, false);
}
BENCHMARK(FindSelectMatches)->Unit(benchmark::kMillisecond);

void FindSelectMatchesToIdle(benchmark::State& state) {
    FindMatches(state, true);
}
BENCHMARK(FindSelectMatchesToIdle)->Unit(benchmark::kMillisecond);

// Undo then redo of one change made at the limit, each with the event loop run to idle:
// the figure is the pair, each half of which writes the backup as every change does.
void UndoThenRedo(benchmark::State& state) {
    for (auto _ : state) {
        ExecuteCommand(CmdUndo);
        Idle();
        ExecuteCommand(CmdRedo);
        Idle();
    }
}

void UndoRedoValueEdit(benchmark::State& state) {
    OpenLimit();
    Window().termPane().view()->selectRow(30000, true);
    CurrentDocument().setValueText(30000, 0, u"edited");
    Idle();
    UndoThenRedo(state);
}
BENCHMARK(UndoRedoValueEdit)->Unit(benchmark::kMillisecond);

void UndoRedoDeleteOneTerm(benchmark::State& state) {
    OpenLimit();
    cTermPane& terms = Window().termPane();
    terms.view()->selectRow(20000, true);
    Platform->messageAnswers = {MessageResultYes};
    terms.deleteSelectedTerms();
    Idle();
    UndoThenRedo(state);
}
BENCHMARK(UndoRedoDeleteOneTerm)->Unit(benchmark::kMillisecond);

void UndoRedoPasteHundredTerms(benchmark::State& state) {
    OpenLimit();
    cTermPane& terms = Window().termPane();
    MakeRoomForHundred(terms);
    CopyHundredForPaste(terms);
    terms.pasteTerms();
    Idle();
    UndoThenRedo(state);
}
BENCHMARK(UndoRedoPasteHundredTerms)->Unit(benchmark::kMillisecond);

// The first open of a fresh editor: the window is up and painted blank, as a user sees it
// before opening anything; the clock holds the open and the event loop run to idle, the
// first paint of the filled window included. Prints the milliseconds.
void FirstOpen(const char* path) {
    Idle();
    const auto start = std::chrono::steady_clock::now();
    const int result = OpenDatabaseFile(path, false);
    Idle();
    const std::chrono::duration<double, std::milli> taken =
        std::chrono::steady_clock::now() - start;
    if (result != 0 || CurrentDatabase().terms.count() == 0) {
        std::fprintf(stderr, "vesk-bench-panes: %s did not open\n", path);
        RemoveBenchDirectory();
        std::_Exit(1);
    }
    std::printf("%.3f\n", taken.count());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    KeepEditorFilesIn(BenchDirectory());
    QApplication app(argc, argv);
    StartEditor(BenchDirectory());
    // Each mode prints its figure and leaves through _Exit: tearing the editor down adds
    // nothing to it.
    if (argc == 3 && std::strcmp(argv[1], "--peak-memory") == 0) {
        OpenDatabaseFile(argv[2], false);
        QApplication::processEvents();
        struct rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%ld\n", usage.ru_maxrss);
    } else if (argc == 3 && std::strcmp(argv[1], "--first-open") == 0) {
        FirstOpen(argv[2]);
    } else {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
    }
    std::fflush(stdout);
    RemoveBenchDirectory();
    std::_Exit(0);
}
