// veq-bench [REPETITIONS] [--details] [--case TEXT]: every action of the program at the
// formats' limits, through the real windows (offscreen) next to the same work
// in the core alone, then the program as its own process: its start-up and
// its peak memory with every list full. Prints the medians as tables; with
// --details every run, and Qt's own messages on stderr; with --case only the
// cases whose names hold TEXT, and not the program's own process.
#include "audits/directory_chooser.h"
#include "bench/bench_data.h"
#include "bench/bench_harness.h"
#include "bench/bench_program.h"
#include "core/bitmap_audit.h"
#include "core/copy_reader.h"
#include "core/data_file.h"
#include "core/entry_list.h"
#include "core/file_io.h"
#include "core/platform.h"
#include "core/squadron.h"
#include "core/workspace.h"
#include "editor/veq_window.h"
#include "tests/kit/files.h"
#include "tests/kit/gui.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/tool_window.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

namespace {

using veq::ListId;
namespace fs = std::filesystem;

bool g_details = false;

// The table is the output: Qt's own remarks (an offscreen window cannot be
// raised, and the like) are shown only with --details.
void qtMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (g_details)
        std::fprintf(stderr, "qt: %s\n", qPrintable(message));
}

EntryListModel* modelOf(const QWidget* root, const char* listName)
{
    return kit::find<EntryListView>(root, listName)->entryModel();
}

struct MainListInfo {
    ListId id;
    const char* label;
    const char* list;
    const char* read;
    const char* write;
};

const MainListInfo kMainLists[] = {
    {ListId::FileList, "filelist", "lFileList", "bRdFilelist", "bWrFilelist"},
    {ListId::Except, "except", "lExcept", "bRdExcept", "bWrExcept"},
    {ListId::PlaneSq, "planesq", "lPlaneSq", "bRdPlaneSq", "bWrPlaneSq"},
};

// A tool window whose "Finish" hands its whole list to a main list.
struct FinishingTool {
    const char* label;
    const char* launcher;
    const char* window;
    const char* list;
    const char* finish;
    const char* mainList;
    ListId id;
};

const FinishingTool kFinishingTools[] = {
    {"add", "bAddFileList", "fFileListAdd", "lNewFileList", "bFileListEntryFinish", "lFileList", ListId::FileList},
    {"copy", "bCopyExcept", "fCopy", "lCopy", "bCopyFinish", "lExcept", ListId::Except},
    {"extra", "bExtra", "fExtra", "lExtra", "Command1", "lFileList", ListId::FileList},
    {"AutoGen", "bAuoGen", "fAutoGen", "SqList", "bFinish", "lPlaneSq", ListId::PlaneSq},
};

// Leaves every open tool window through its frame, which shows the main window again.
void leaveToolWindows()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<ToolWindow*>(window) && window->isVisible())
            window->close();
    kit::settle();
}

// The cases and what they work on; the folder also holds the program's own
// run: the three data files by their names and the bitmap folder.
class Bench {
public:
    Bench() : m_window(m_dialogs)
    {
        m_window.show();
        if (!QTest::qWaitForWindowExposed(&m_window))
            stopBench("the main window was not shown");
        for (const MainListInfo& list : kMainLists) {
            m_sorted[list.id] = sortedEntries(list.id, kLimit, 11 + static_cast<unsigned>(list.id));
            addReadAndWrite(list);
        }
        addDelete();
        addPaste();
        for (const FinishingTool& tool : kFinishingTools)
            addFinish(tool);
        addAutoGenOpen();
        addCopyRead();
        addAudits();
        for (const MainListInfo& list : kMainLists)
            addReadUndoRedo(list);
        addDeleteUndoRedo();
        addPasteUndoRedo();
    }

    [[nodiscard]] const fs::path& folder() const { return m_folder.path(); }
    [[nodiscard]] const std::vector<BenchCase>& windowCases() const { return m_windowCases; }
    [[nodiscard]] const std::vector<BenchCase>& coreCases() const { return m_coreCases; }

private:
    // A window case and its core floor; `worked` checks the window's result.
    void add(const std::string& name, BenchCase window, BenchCase core, std::function<bool()> worked,
             double targetMs = 25.0)
    {
        // Every window case starts from the main window alone, as the user finds it.
        window.setup = [setup = std::move(window.setup)] {
            leaveToolWindows();
            if (setup)
                setup();
        };
        window.name = core.name = name;
        window.targetMs = core.targetMs = targetMs;
        window.worked = std::move(worked);
        m_windowCases.push_back(std::move(window));
        m_coreCases.push_back(std::move(core));
    }

    // Puts `entries` in a main list as the user would: a file of them read through its button.
    void fill(ListId id, const veq::Entries& entries)
    {
        const MainListInfo& list = kMainLists[veq::slotOf(id)];
        const fs::path file = folder() / (std::string(list.label) + "-fill.dat");
        kit::writeFile(file, kit::dataImage(id, entries));
        m_dialogs.answer(qPath(file));
        kit::click(&m_window, list.read);
    }

    // Every file read in three orders: as written, reversed and shuffled.
    // The shuffled one carries the list's own file name.
    void addReadAndWrite(const MainListInfo& list)
    {
        const ListId id = list.id;
        const struct {
            RecordOrder order;
            const char* name;
        } orders[] = {{RecordOrder::Ascending, "ascending"},
                      {RecordOrder::Descending, "descending"},
                      {RecordOrder::Random, "random"}};
        for (const auto& order : orders) {
            const fs::path file = order.order == RecordOrder::Random
                                      ? folder() / std::string(veq::dataKind(id).fileName)
                                      : folder() / (std::string(list.label) + "-" + order.name + ".dat");
            kit::writeFile(file, kit::dataImage(id, inOrder(m_sorted[id], order.order, 5)));
            add(std::string("read ") + list.label + " (" + order.name + ")",
                {{},
                 [this, file] { m_dialogs.answer(qPath(file)); },
                 [this, list] { kit::click(&m_window, list.read); }},
                {{},
                 {},
                 [file, id] {
                     veq::ConversionBuffer buf{};
                     auto data = veq::loadDataFile(file, id, buf);
                     veq::EntryList entries;
                     entries.assign(std::move(data->entries));
                 }},
                [this, list] { return modelOf(&m_window, list.list)->entries() == m_sorted[list.id]; });
        }
        const fs::path out = folder() / (std::string(list.label) + "-out.dat");
        add(std::string("write ") + list.label,
            {{}, [this, out] { m_dialogs.answer(qPath(out)); }, [this, list] { kit::click(&m_window, list.write); }},
            {{},
             {},
             [this, out, id] {
                 veq::ConversionBuffer buf{};
                 auto image = veq::buildDataFile(id, {}, m_sorted[id], buf);
                 (void)veq::replaceFile(out, *image);
             }},
            [out, id] { return fs::file_size(out) == veq::largestDataFile(id); });
    }

    // Deleting 1000 scattered entries of a full list.
    void addDelete()
    {
        std::vector<std::size_t> scattered;
        for (std::size_t i = 0; i < 1000; ++i)
            scattered.push_back(i * 32 + 7);
        auto list = std::make_shared<veq::EntryList>();
        add("delete 1000 scattered of 32767",
            {{},
             [this, scattered] {
                 auto* view = kit::find<EntryListView>(&m_window, "lFileList");
                 fill(ListId::FileList, m_sorted[ListId::FileList]);
                 kit::selectRows(view, std::vector<int>(scattered.begin(), scattered.end()));
                 kit::settle();
             },
             [this] { kit::click(&m_window, "bDelFileList"); }},
            {{},
             [this, list] { list->assign(m_sorted[ListId::FileList]); },
             [list, scattered] { list->removeAt(scattered); }},
            [this] { return modelOf(&m_window, "lFileList")->count() == kLimit - 1000; });
    }

    // A paste of 32767 lines, every one an entry, into an empty list.
    void addPaste()
    {
        std::string text;
        for (const veq::Entry& entry : inOrder(m_sorted[ListId::Except], RecordOrder::Random, 6))
            text += entry + "\n";
        add("paste 32767 lines",
            {{},
             [this, text] {
                 fill(ListId::Except, {});
                 QGuiApplication::clipboard()->setText(QString::fromStdString(text));
                 kit::settle();
             },
             [this] { pressOn("lExcept", QKeySequence::Paste); }},
            {{}, {}, [text] { (void)veq::Workspace().paste(ListId::Except, text); }},
            [this] { return modelOf(&m_window, "lExcept")->entries() == m_sorted[ListId::Except]; });
    }

    // A step at the top of a main list's history taken back (Undo) and done
    // again (Redo) through the keys. `makeStep` makes the step through the
    // window, `coreStep` the same on a list of the core, returning its
    // change; `worked(undone)` checks the list afterwards.
    void addUndoRedo(const std::string& what, const char* listName, const std::function<void()>& makeStep,
                     const std::function<veq::EntryChange(veq::EntryList&)>& coreStep,
                     const std::function<bool(bool undone)>& worked)
    {
        for (const bool undo : {true, false}) {
            auto list = std::make_shared<veq::EntryList>();
            auto change = std::make_shared<veq::EntryChange>();
            add(std::string(undo ? "undo: " : "redo: ") + what,
                {{},
                 [this, makeStep, listName, undo] {
                     makeStep();
                     m_window.activateWindow();
                     if (!QTest::qWaitForWindowActive(&m_window))
                         stopBench("the main window did not become active");
                     if (!undo)
                         pressOn(listName, QKeySequence::Undo);
                     // The window shown again after a read paints before the clock starts.
                     QTest::qWait(20);
                 },
                 [this, listName, undo] { pressOn(listName, undo ? QKeySequence::Undo : QKeySequence::Redo); }},
                {{},
                 [list, change, coreStep, undo] {
                     *change = coreStep(*list);
                     if (!undo)
                         list->flip(*change);
                 },
                 [list, change] { list->flip(*change); }},
                [worked, undo] { return worked(undo); });
        }
    }

    // A standard key pressed on a main list, as the user presses it there.
    void pressOn(const char* listName, QKeySequence::StandardKey key)
    {
        auto* list = kit::find<EntryListView>(&m_window, listName);
        list->setFocus();
        QTest::keySequence(list, QKeySequence(key));
        kit::settle();
    }

    // A read of a full file over another full file with no entry in common.
    void addReadUndoRedo(const MainListInfo& list)
    {
        const auto files = disjointEntries(list.id, kLimit, 31);
        const veq::Entries& first = files.first;
        const veq::Entries& second = files.second;
        const fs::path a = folder() / (std::string(list.label) + "-a.dat");
        const fs::path b = folder() / (std::string(list.label) + "-b.dat");
        kit::writeFile(a, kit::dataImage(list.id, inOrder(first, RecordOrder::Random, 3)));
        kit::writeFile(b, kit::dataImage(list.id, inOrder(second, RecordOrder::Random, 4)));
        addUndoRedo(
            std::string("read 32767 over 32767 others (") + list.label + ")", list.list,
            [this, list, a, b] {
                for (const fs::path& file : {a, b}) {
                    m_dialogs.answer(qPath(file));
                    kit::click(&m_window, list.read);
                }
            },
            [first, second](veq::EntryList& entries) {
                entries.assign(first);
                return entries.assign(second);
            },
            [this, list, first, second](bool undone) {
                return modelOf(&m_window, list.list)->entries() == (undone ? first : second);
            });
    }

    // A Delete of 1000 scattered entries of a full list.
    void addDeleteUndoRedo()
    {
        std::vector<int> scattered;
        for (int i = 0; i < 1000; ++i)
            scattered.push_back(i * 32 + 7);
        const fs::path file = folder() / "filelist-ascending.dat";
        addUndoRedo(
            "delete 1000 scattered of 32767", "lFileList",
            [this, file, scattered] {
                m_dialogs.answer(qPath(file));
                kit::click(&m_window, "bRdFilelist");
                kit::selectRows(kit::find<EntryListView>(&m_window, "lFileList"), scattered);
                kit::click(&m_window, "bDelFileList");
            },
            [this, scattered](veq::EntryList& entries) {
                entries.assign(m_sorted[ListId::FileList]);
                return entries.removeAt(std::vector<std::size_t>(scattered.begin(), scattered.end()));
            },
            [this](bool undone) { return modelOf(&m_window, "lFileList")->count() == kLimit - (undone ? 0 : 1000); });
    }

    // 16000 scattered entries of a full list going and coming back. A Delete
    // takes at most 1000 entries, so the step is a paste of 16000 entries into
    // a list of 16767: its undo takes 16000 of 32767 away, as the redo of a
    // Delete of them would, and its redo brings them back, as the undo would.
    void addPasteUndoRedo()
    {
        const veq::Entries& all = m_sorted[ListId::FileList];
        veq::Entries held;
        veq::Entries pasted;
        QStringList lines;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const bool paste = i % 2 == 0 && pasted.size() < 16000;
            (paste ? pasted : held).push_back(all[i]);
            if (paste)
                lines << QString::fromStdString(all[i]);
        }
        const fs::path file = folder() / "filelist-held.dat";
        kit::writeFile(file, kit::dataImage(ListId::FileList, held));
        addUndoRedo(
            "paste of 16000 scattered into 16767 (16000 of 32767 go or come)", "lFileList",
            [this, file, text = lines.join(u'\n')] {
                m_dialogs.answer(qPath(file));
                kit::click(&m_window, "bRdFilelist");
                QGuiApplication::clipboard()->setText(text);
                pressOn("lFileList", QKeySequence::Paste);
            },
            [held, pasted](veq::EntryList& entries) {
                entries.assign(held);
                return entries.addMany(pasted);
            },
            [this](bool undone) { return modelOf(&m_window, "lFileList")->count() == (undone ? 16767 : kLimit); });
    }

    // "Finish" of a tool: 32767 items into a main list that holds 32767 others.
    void addFinish(const FinishingTool& tool)
    {
        const auto lists = disjointEntries(tool.id, kLimit, 23);
        const veq::Entries& held = lists.first;
        const veq::Entries& handed = lists.second;
        auto list = std::make_shared<veq::EntryList>();
        add(std::string("finish ") + tool.label + ": 32767 into 32767",
            {{},
             [this, tool, held, handed] {
                 fill(tool.id, held);
                 kit::click(&m_window, tool.launcher);
                 modelOf(kit::find(nullptr, tool.window), tool.list)->assign(handed);
                 kit::settle();
             },
             [tool] { kit::click(kit::find(nullptr, tool.window), tool.finish); }},
            {{}, [list, held] { list->assign(held); }, [list, handed] { list->addMany(handed); }},
            [this, tool] { return modelOf(&m_window, tool.mainList)->count() == 2 * kLimit; });
    }

    // AutoGen opening a squadron file with 32767 plane entries.
    void addAutoGenOpen()
    {
        const fs::path squadron = folder() / "squadron.dat";
        kit::writeFile(squadron, squadronImage(kLimit, 3));
        add("AutoGen: open 32767 plane entries",
            {{},
             [this, squadron] {
                 m_dialogs.answer(qPath(squadron));
                 kit::click(&m_window, "bAuoGen");
             },
             [] { kit::click(kit::find(nullptr, "fAutoGen"), "bOpenSq"); }},
            {{},
             {},
             [squadron] {
                 auto items = veq::loadSquadronFile(squadron);
                 veq::EntryList list(true);
                 list.assign(std::move(*items));
             }},
            [] { return modelOf(kit::find(nullptr, "fAutoGen"), "SqList")->count() == kLimit; });
    }

    // The copy dialog reading a file whose records all belong to plane 25.
    void addCopyRead()
    {
        veq::Entries plane25;
        for (const auto& id : m_sorted[ListId::FileList])
            plane25.push_back("0325" + id.substr(4));
        std::sort(plane25.begin(), plane25.end());
        plane25.erase(std::unique(plane25.begin(), plane25.end()), plane25.end());
        const fs::path source = folder() / "copy-source.dat";
        kit::writeFile(source, kit::dataImage(ListId::FileList, inOrder(plane25, RecordOrder::Random, 9)));
        add("copy: read " + std::to_string(plane25.size()) + " matching records",
            {{},
             [this, source] {
                 m_dialogs.answer(qPath(source));
                 kit::click(&m_window, "bCopyFileList");
                 QWidget* copy = kit::find(nullptr, "fCopy");
                 // Each run reads into an empty list, as the first one does.
                 modelOf(copy, "lCopy")->assign({});
                 kit::find<QLineEdit>(copy, "tCopyPlaneId")->setText(QStringLiteral("25"));
             },
             [] { kit::click(kit::find(nullptr, "fCopy"), "bCopyAdd"); }},
            {{},
             {},
             [source] {
                 auto entries = veq::loadCopyEntries(source, ListId::FileList, "25");
                 veq::EntryList list(true);
                 list.addMany(std::move(*entries));
             }},
            [plane25] { return modelOf(kit::find(nullptr, "fCopy"), "lCopy")->entries() == plane25; });
    }

    // The audits over a folder of bitmaps: 20,000 named by the file list, the
    // rest not; the Missing report also over 200,000, to show its growth.
    void addAudits()
    {
        const veq::Entries& fileIds = m_sorted[ListId::FileList];
        const veq::Entries others = kit::randomEntries(ListId::FileList, 200000 + fileIds.size(), 47);
        for (std::size_t total : {std::size_t{30000}, std::size_t{200000}}) {
            veq::Entries bitmaps(fileIds.begin(), fileIds.begin() + 20000);
            for (auto other = others.begin(); bitmaps.size() < total; ++other)
                if (!std::binary_search(fileIds.begin(), fileIds.end(), *other))
                    bitmaps.push_back(*other);
            const fs::path bitmapFolder = folder() / (total == 30000 ? "bitmaps" : "bitmaps-200000");
            makeBitmaps(bitmapFolder, bitmaps);
            addMissing(bitmapFolder, total, total == 30000 ? 25.0 : 150.0);
            if (total == 30000)
                addExtra(bitmapFolder, total);
        }
    }

    void addMissing(const fs::path& bitmaps, std::size_t count, double targetMs)
    {
        add(
            "Missing: report, 32767 + 32767 entries, " + std::to_string(count) + " bitmaps",
            {{},
             [this, bitmaps] {
                 fill(ListId::FileList, m_sorted[ListId::FileList]);
                 fill(ListId::Except, m_sorted[ListId::Except]);
                 kit::click(&m_window, "bMissing");
                 kit::find<DirectoryChooser>(kit::find(nullptr, "Missing"), "dirMissing")
                     ->setCurrentPath(qPath(bitmaps));
                 kit::settle();
             },
             [] { kit::click(kit::find(nullptr, "Missing"), "bReport"); }},
            {{}, {}, [this, bitmaps] { (void)missingReport(bitmaps); }},
            [this, bitmaps] {
                const veq::MissingBitmaps report = missingReport(bitmaps);
                const QWidget* missing = kit::find(nullptr, "Missing");
                return modelOf(missing, "lFileListMissing")->entries() == report.fileListMissing &&
                       modelOf(missing, "lExceptMissing")->entries() == report.exceptMissing &&
                       modelOf(missing, "lMissing")->entries() == report.missing;
            },
            targetMs);
    }

    [[nodiscard]] veq::MissingBitmaps missingReport(const fs::path& bitmaps)
    {
        const auto names = veq::platform::listFiles(bitmaps);
        return veq::missingBitmaps(m_sorted[ListId::FileList], m_sorted[ListId::Except], *names);
    }

    void addExtra(const fs::path& bitmaps, std::size_t count)
    {
        add("Extra: check " + std::to_string(count) + " bitmaps against 32767 entries",
            {{},
             [this, bitmaps] {
                 fill(ListId::FileList, m_sorted[ListId::FileList]);
                 kit::click(&m_window, "bExtra");
                 kit::find<DirectoryChooser>(kit::find(nullptr, "fExtra"), "DirExtra")->setCurrentPath(qPath(bitmaps));
                 kit::settle();
             },
             [] { kit::click(kit::find(nullptr, "fExtra"), "bCheck"); }},
            {{}, {}, [this, bitmaps] { (void)extraReport(bitmaps); }}, [this, bitmaps] {
                return modelOf(kit::find(nullptr, "fExtra"), "lExtra")->entries() == extraReport(bitmaps);
            });
    }

    [[nodiscard]] veq::Entries extraReport(const fs::path& bitmaps)
    {
        const auto names = veq::platform::listFiles(bitmaps);
        return veq::extraBitmaps(*names, m_sorted[ListId::FileList]);
    }

    kit::TempFolder m_folder;
    kit::ScriptedFileDialogs m_dialogs;
    VEQ m_window;
    std::map<ListId, veq::Entries> m_sorted;
    std::vector<BenchCase> m_windowCases;
    std::vector<BenchCase> m_coreCases;
};

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(qtMessage);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (const auto status = runProgramMode(argc, argv))
        return *status;

    int repetitions = 7;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--details") == 0)
            g_details = true;
        else if (std::strcmp(argv[i], "--case") == 0 && i + 1 < argc)
            only = argv[++i];
        else
            repetitions = std::max(1, std::atoi(argv[i]));
    }
    QApplication app(argc, argv);
    Bench bench;

    const auto chosen = [&only](const BenchCase& c) { return c.name.find(only) != std::string::npos; };
    std::vector<BenchResult> coreResults;
    for (const auto& c : bench.coreCases())
        if (chosen(c))
            coreResults.push_back(runCase(c, repetitions));
    std::vector<BenchResult> windowResults;
    for (const auto& c : bench.windowCases())
        if (chosen(c))
            windowResults.push_back(runCase(c, repetitions));
    std::vector<ProgramResult> programResults;
    if (only.empty())
        programResults = {measureStartup(repetitions, 300.0), measureFullRun(bench.folder(), repetitions, 64.0),
                          measureHistory(bench.folder(), repetitions, 64.0)};

    printTable(windowResults, coreResults);
    printProgramTable(programResults);
    if (g_details)
        printDetails(windowResults, coreResults, programResults);
    return 0;
}
