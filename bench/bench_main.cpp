#include "audits/directory_chooser.h"
#include "audits/folder_listing.h"
#include "bench/bench_data.h"
#include "bench/bench_harness.h"
#include "core/bitmap_audit.h"
#include "core/data_file.h"
#include "core/entry_list.h"
#include "core/file_io.h"
#include "core/squadron.h"
#include "editor/veq_window.h"
#include "ui/data_directory.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/file_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <deque>
#include <map>
#include <memory>

namespace {

class AnsweringDialogs final : public FileDialogs {
public:
    QString next;
    QString openFileName(QWidget*, const FileRequest&) override { return next; }
    QString saveFileName(QWidget*, const FileRequest&) override { return next; }
};

// Lets every window finish laying out and painting what the action changed:
// the views lay out and paint from posted events.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void press(QWidget* root, const char* name)
{
    auto* button = root->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!button) {
        std::fprintf(stderr, "no button %s\n", name);
        std::exit(2);
    }
    button->click();
    settle();
}

struct KindInfo {
    veq::RecordKind kind;
    int listId;
    const char* label;
    const char* read;
    const char* write;
    const char* list;
};

const KindInfo kKinds[] = {
    {veq::RecordKind::FileList, 1, "filelist", "bRdFilelist", "bWrFilelist", "lFileList"},
    {veq::RecordKind::Except, 2, "except", "bRdExcept", "bWrExcept", "lExcept"},
    {veq::RecordKind::PlaneSq, 3, "planesq", "bRdPlaneSq", "bWrPlaneSq", "lPlaneSq"},
};

QWidget* topLevel(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name))
            return widget;
    std::fprintf(stderr, "no window %s\n", name);
    std::exit(2);
}

EntryListView* listIn(QWidget* root, const char* name)
{
    auto* list = root->findChild<EntryListView*>(QString::fromLatin1(name));
    if (!list) {
        std::fprintf(stderr, "no list %s\n", name);
        std::exit(2);
    }
    return list;
}

// A tool window whose "Finish" hands its whole list to a main list.
struct FinishingTool {
    const char* label;
    const char* launcher;
    const char* window;
    const char* list;
    const char* finish;
    const char* mainList;
    veq::RecordKind kind;
};

const FinishingTool kFinishingTools[] = {
    {"add", "bAddFileList", "fFileListAdd", "lNewFileList", "bFileListEntryFinish", "lFileList",
     veq::RecordKind::FileList},
    {"copy", "bCopyExcept", "fCopy", "lCopy", "bCopyFinish", "lExcept", veq::RecordKind::Except},
    {"extra", "bExtra", "fExtra", "lExtra", "Command1", "lFileList", veq::RecordKind::FileList},
    {"AutoGen", "bAuoGen", "fAutoGen", "SqList", "bFinish", "lPlaneSq", veq::RecordKind::PlaneSq},
};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

    QTemporaryDir folder;
    auto path = [&](const QString& name) { return folder.filePath(name); };
    AnsweringDialogs dialogs;
    VEQ window(dialogs);
    window.show();
    settle();

    std::vector<BenchCase> windowCases;
    std::vector<BenchCase> coreCases;
    std::map<std::string, veq::Entries> sorted;

    for (const KindInfo& k : kKinds) {
        sorted[k.label] = distinctEntries(k.kind, kLimit, 11);
        const char* orders[] = {"ascending", "descending", "random"};
        for (int o = 0; o < 3; ++o) {
            const auto order = static_cast<RecordOrder>(o);
            const QString file =
                path(QStringLiteral("%1-%2.dat").arg(QLatin1String(k.label), QLatin1String(orders[o])));
            writeFile(file, dataImage(k.kind, inOrder(sorted[k.label], order, 5)));
            const std::string name = std::string("read ") + k.label + " (" + orders[o] + ")";
            windowCases.push_back(
                {name, [&dialogs, file] { dialogs.next = file; }, [&window, k] { press(&window, k.read); }});
            coreCases.push_back({name, nullptr, [file, k] {
                                     veq::ConvBuf buf{};
                                     auto data = veq::loadDataFile(toFsPath(file), k.kind, buf);
                                     veq::EntryList list;
                                     list.assign(std::move(data->entries));
                                 }});
        }
        const QString out = path(QStringLiteral("%1-out.dat").arg(QLatin1String(k.label)));
        const std::string name = std::string("write ") + k.label;
        windowCases.push_back(
            {name, [&dialogs, out] { dialogs.next = out; }, [&window, k] { press(&window, k.write); }});
        coreCases.push_back({name, nullptr, [&sorted, k] {
                                 veq::ConvBuf buf{};
                                 auto image = veq::buildDataFile(k.kind, {}, sorted[k.label], buf);
                                 (void)image;
                             }});
    }

    // Deleting 1000 scattered entries of a full list.
    auto* fileListView = window.findChild<EntryListView*>(QStringLiteral("lFileList"));
    std::vector<std::size_t> scattered;
    for (std::size_t i = 0; i < 1000; ++i)
        scattered.push_back(i * 32 + 7);
    windowCases.push_back({"delete 1000 scattered of 32767",
                           [&] {
                               fileListView->entryModel()->assign(sorted["filelist"]);
                               QItemSelection selection;
                               for (std::size_t row : scattered) {
                                   const QModelIndex index = fileListView->model()->index(static_cast<int>(row), 0);
                                   selection.select(index, index);
                               }
                               fileListView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
                               settle();
                           },
                           [&] { press(&window, "bDelFileList"); }});
    veq::EntryList coreList;
    coreCases.push_back({"delete 1000 scattered of 32767", [&] { coreList.assign(sorted["filelist"]); },
                         [&] { coreList.removeAt(scattered); }});

    // "Finish" of every tool: 32767 items into a list that holds 32767 others.
    for (const FinishingTool& tool : kFinishingTools) {
        const veq::Entries both = distinctEntries(tool.kind, 2 * kLimit, 23);
        veq::Entries held;
        veq::Entries handed;
        for (std::size_t i = 0; i < both.size(); ++i)
            (i % 2 ? handed : held).push_back(both[i]);
        const std::string name = std::string("finish ") + tool.label + ": 32767 into 32767";
        windowCases.push_back({name,
                               [&window, tool, held, handed] {
                                   listIn(&window, tool.mainList)->entryModel()->assign(held);
                                   press(&window, tool.launcher);
                                   listIn(topLevel(tool.window), tool.list)->entryModel()->assign(handed);
                                   settle();
                               },
                               [tool] { press(topLevel(tool.window), tool.finish); }});
        auto coreList = std::make_shared<veq::EntryList>();
        coreCases.push_back(
            {name, [coreList, held] { coreList->assign(held); }, [coreList, handed] { coreList->addMany(handed); }});
    }

    // AutoGen opening a squadron file with 32767 plane entries.
    const QString squadron = path(QStringLiteral("squadron.dat"));
    writeFile(squadron, squadronImage(kLimit, 3));
    const std::string openSquadron = "AutoGen: open 32767 plane entries";
    windowCases.push_back({openSquadron,
                           [&] {
                               dialogs.next = squadron;
                               press(&window, "bAuoGen");
                           },
                           [&] { press(topLevel("fAutoGen"), "bOpenSq"); }});
    coreCases.push_back({openSquadron, nullptr, [&] {
                             auto items = veq::loadSquadronFile(toFsPath(squadron));
                             veq::EntryList list(true);
                             list.assign(std::move(*items));
                         }});

    // The copy dialog reading a file whose 32767 records all belong to plane 25.
    veq::Entries plane25;
    for (const auto& id : distinctEntries(veq::RecordKind::FileList, kLimit, 31))
        plane25.push_back("0325" + id.substr(4));
    std::sort(plane25.begin(), plane25.end());
    plane25.erase(std::unique(plane25.begin(), plane25.end()), plane25.end());
    const QString copySource = path(QStringLiteral("copy-source.dat"));
    writeFile(copySource, dataImage(veq::RecordKind::FileList, inOrder(plane25, RecordOrder::Random, 9)));
    const std::string copyRead = "copy: read " + std::to_string(plane25.size()) + " matching records";
    windowCases.push_back(
        {copyRead,
         [&] {
             dialogs.next = copySource;
             press(&window, "bCopyFileList");
             topLevel("fCopy")->findChild<QLineEdit*>(QStringLiteral("tCopyPlaneId"))->setText(QStringLiteral("25"));
         },
         [&] { press(topLevel("fCopy"), "bCopyAdd"); }});
    coreCases.push_back({copyRead, nullptr, [&] {
                             veq::ConvBuf buf{};
                             auto data = veq::loadDataFile(toFsPath(copySource), veq::RecordKind::FileList, buf);
                             veq::EntryList list(true);
                             list.assign(std::move(data->entries));
                         }});

    // The audits over a folder of 30,000 bitmaps: two thirds named by the file
    // list, the rest not.
    const veq::Entries fileIds = distinctEntries(veq::RecordKind::FileList, kLimit, 41);
    const veq::Entries pairs = distinctEntries(veq::RecordKind::Except, kLimit, 43);
    veq::Entries bitmaps(fileIds.begin(), fileIds.begin() + 20000);
    for (const auto& id : distinctEntries(veq::RecordKind::FileList, 12000, 47))
        if (bitmaps.size() < 30000 && !std::binary_search(fileIds.begin(), fileIds.end(), id))
            bitmaps.push_back(id);
    const QString bitmapFolder = path(QStringLiteral("bitmaps"));
    makeBitmaps(bitmapFolder, bitmaps);
    const std::string report = "Missing: report, 32767 + 32767 entries, 30000 bitmaps";
    windowCases.push_back({report,
                           [&] {
                               listIn(&window, "lFileList")->entryModel()->assign(fileIds);
                               listIn(&window, "lExcept")->entryModel()->assign(pairs);
                               press(&window, "bMissing");
                               topLevel("Missing")
                                   ->findChild<DirectoryChooser*>(QStringLiteral("dirMissing"))
                                   ->setCurrentPath(bitmapFolder);
                               settle();
                           },
                           [&] { press(topLevel("Missing"), "bReport"); }});
    coreCases.push_back({report, nullptr, [&] {
                             const auto present = veq::foldNames(listBitmapFolder(bitmapFolder));
                             auto result = veq::missingBitmaps(fileIds, pairs, present);
                             (void)result;
                         }});
    const std::string check = "Extra: check 30000 bitmaps against 32767 entries";
    windowCases.push_back(
        {check,
         [&] {
             listIn(&window, "lFileList")->entryModel()->assign(fileIds);
             press(&window, "bExtra");
             topLevel("fExtra")->findChild<DirectoryChooser*>(QStringLiteral("DirExtra"))->setCurrentPath(bitmapFolder);
             settle();
         },
         [&] { press(topLevel("fExtra"), "bCheck"); }});
    coreCases.push_back({check, nullptr, [&] {
                             veq::Entries names;
                             for (auto& name : listBitmapFolder(bitmapFolder))
                                 if (veq::isExtraCandidate(name))
                                     names.push_back(std::move(name));
                             auto result = veq::extraBitmaps(names, fileIds);
                             (void)result;
                         }});

    // What the benchmark's own data and the empty windows take, before any case runs.
    const double baseline = currentMemoryMiB();
    std::vector<BenchResult> windowResults;
    std::vector<BenchResult> coreResults;
    for (const auto& c : coreCases)
        coreResults.push_back(runCase(c, repetitions));
    for (const auto& c : windowCases)
        windowResults.push_back(runCase(c, repetitions));
    printTable(windowResults, coreResults);
    std::printf("Resident before the cases ran (benchmark data, empty windows): %.1f MiB\n", baseline);
    return 0;
}
