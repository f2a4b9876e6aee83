#include "bench/bench_program.h"

#include "bench/bench_data.h"

#include "audits/directory_chooser.h"
#include "core/data_file.h"
#include "editor/veq_window.h"
#include "tests/kit/gui.h"
#include "ui/file_dialogs.h"

#include <QApplication>
#include <QProcess>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kChildTimeoutMs = 120000;

// What app/main.cpp does before the event loop, then waits for the window to
// be exposed and painted and says so.
void showMainWindow(QApplication& app, VEQ& window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        app.processEvents(QEventLoop::WaitForMoreEvents);
    kit::settle();
    std::printf("shown\n");
    std::fflush(stdout);
}

void nameApplication()
{
    QApplication::setApplicationName(QStringLiteral("VEQ Editor"));
    QApplication::setDesktopFileName(QStringLiteral("veq-editor"));
}

int startupChild(int argc, char* argv[])
{
    QApplication app(argc, argv);
    nameApplication();
    QtFileDialogs fileDialogs;
    VEQ window(fileDialogs);
    showMainWindow(app, window);
    return 0;
}

// The main lists by their Read buttons, count labels and file labels.
struct MainListControls {
    veq::ListId id;
    const char* read;
    const char* count;
    const char* label;
};
constexpr MainListControls kMainLists[] = {{veq::ListId::FileList, "bRdFilelist", "labCountFileList", "filelist"},
                                           {veq::ListId::Except, "bRdExcept", "labCountExcept", "except"},
                                           {veq::ListId::PlaneSq, "bRdPlaneSq", "labCountPlaneSq", "planesq"}};

int fullChild(int argc, char* argv[], const std::filesystem::path& folder)
{
    QApplication app(argc, argv);
    nameApplication();
    kit::ScriptedFileDialogs dialogs;
    VEQ window(dialogs);
    showMainWindow(app, window);

    for (const MainListControls& list : kMainLists) {
        dialogs.answer(qPath(folder / std::string(veq::dataKind(list.id).fileName)));
        kit::click(&window, list.read);
        std::printf("list %s\n", qPrintable(kit::text(&window, list.count)));
    }
    kit::click(&window, "bMissing");
    QWidget* missing = kit::find(nullptr, "Missing");
    kit::find<DirectoryChooser>(missing, "dirMissing")->setCurrentPath(qPath(folder / "bitmaps"));
    kit::click(missing, "bReport");
    std::printf("missing %s\n", qPrintable(kit::text(missing, "labMissingCount")));
    std::printf("peak %.3f\n", peakMemoryMiB());
    return 0;
}

// Reads FOLDER's "<list>-a.dat" into each list, says its peak memory, then
// makes 100 steps at the limits: reads, in turn into each list, of a full
// file over another full file with no entry in common ("-b" over "-a", then
// "-a" over "-b"). Says its peak memory again.
int historyChild(int argc, char* argv[], const std::filesystem::path& folder)
{
    QApplication app(argc, argv);
    nameApplication();
    kit::ScriptedFileDialogs dialogs;
    VEQ window(dialogs);
    showMainWindow(app, window);
    auto read = [&](const MainListControls& list, const char* side) {
        dialogs.answer(qPath(folder / (std::string(list.label) + side)));
        kit::click(&window, list.read);
    };
    for (const MainListControls& list : kMainLists)
        read(list, "-a.dat");
    std::printf("baseline %.3f\n", peakMemoryMiB());
    for (int step = 0; step < 100; ++step)
        read(kMainLists[step % 3], step / 3 % 2 == 0 ? "-b.dat" : "-a.dat");
    std::printf("peak %.3f\n", peakMemoryMiB());
    return 0;
}

struct ChildRun {
    double shownMs = 0;
    QStringList lines; // everything it said after "shown"
};

ChildRun runChild(const QStringList& arguments)
{
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments(arguments);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    child.start();
    while (!child.canReadLine())
        if (!child.waitForReadyRead(kChildTimeoutMs))
            stopBench("the program did not show its window: " + child.errorString().toStdString());
    run.shownMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (child.readLine().trimmed() != "shown")
        stopBench("the program said something other than \"shown\"");
    if (!child.waitForFinished(kChildTimeoutMs) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        stopBench("the program did not end well: " + child.errorString().toStdString());
    while (child.canReadLine())
        run.lines.append(QString::fromUtf8(child.readLine().trimmed()));
    return run;
}

} // namespace

std::optional<int> runProgramMode(int argc, char* argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--program-startup") == 0)
        return startupChild(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--program-full") == 0)
        return fullChild(argc, argv, std::filesystem::path(argv[2]));
    if (argc == 3 && std::strcmp(argv[1], "--program-history") == 0)
        return historyChild(argc, argv, std::filesystem::path(argv[2]));
    return std::nullopt;
}

ProgramResult measureStartup(int repetitions, double targetMs)
{
    ProgramResult result{"start to main window shown", {}, targetMs, "ms"};
    for (int i = 0; i < repetitions; ++i)
        result.values.push_back(runChild({QStringLiteral("--program-startup")}).shownMs);
    std::sort(result.values.begin(), result.values.end());
    return result;
}

ProgramResult measureFullRun(const std::filesystem::path& folder, int repetitions, double targetMiB)
{
    ProgramResult result{"peak memory: three lists of 32767, Missing over 30000 bitmaps", {}, targetMiB, "MiB"};
    const QString full = QString::number(kLimit);
    for (int i = 0; i < repetitions; ++i) {
        const ChildRun run = runChild({QStringLiteral("--program-full"), qPath(folder)});
        // A run that did not fill its lists or report would measure nothing.
        const QStringList expected{QStringLiteral("list ") + full, QStringLiteral("list ") + full,
                                   QStringLiteral("list ") + full};
        if (run.lines.size() != 5 || run.lines.mid(0, 3) != expected || run.lines[3].mid(8).toInt() <= 0 ||
            !run.lines[4].startsWith(QStringLiteral("peak ")))
            stopBench("the program's full run went wrong: " + run.lines.join(QStringLiteral("; ")).toStdString());
        result.values.push_back(run.lines[4].mid(5).toDouble());
    }
    std::sort(result.values.begin(), result.values.end());
    return result;
}

ProgramResult measureHistory(const std::filesystem::path& folder, int repetitions, double targetMiB)
{
    ProgramResult result{
        "memory added by 100 steps at the limits (reads of full files over others)", {}, targetMiB, "MiB"};
    for (int i = 0; i < repetitions; ++i) {
        const ChildRun run = runChild({QStringLiteral("--program-history"), qPath(folder)});
        if (run.lines.size() != 2 || !run.lines[0].startsWith(QStringLiteral("baseline ")) ||
            !run.lines[1].startsWith(QStringLiteral("peak ")))
            stopBench("the program's history run went wrong: " + run.lines.join(QStringLiteral("; ")).toStdString());
        result.values.push_back(run.lines[1].mid(5).toDouble() - run.lines[0].mid(9).toDouble());
    }
    std::sort(result.values.begin(), result.values.end());
    return result;
}
