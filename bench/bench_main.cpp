#include "bench/bench_data.h"
#include "bench/bench_harness.h"
#include "core/data_file.h"
#include "core/entry_list.h"
#include "core/file_io.h"
#include "editor/veq_window.h"
#include "ui/data_directory.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/file_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QItemSelectionModel>
#include <QTemporaryDir>

#include <cstdio>
#include <deque>
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
            const QString file = path(QStringLiteral("%1-%2.dat").arg(QLatin1String(k.label), QLatin1String(orders[o])));
            writeFile(file, dataImage(k.kind, inOrder(sorted[k.label], order, 5)));
            const std::string name = std::string("read ") + k.label + " (" + orders[o] + ")";
            windowCases.push_back({name, [&dialogs, file] { dialogs.next = file; },
                                   [&window, k] { press(&window, k.read); }});
            coreCases.push_back({name, nullptr, [file, k] {
                                     veq::ConvBuf buf{};
                                     auto data = veq::loadDataFile(toFsPath(file), k.kind, buf);
                                     veq::EntryList list;
                                     list.assign(std::move(data->entries));
                                 }});
        }
        const QString out = path(QStringLiteral("%1-out.dat").arg(QLatin1String(k.label)));
        const std::string name = std::string("write ") + k.label;
        windowCases.push_back({name, [&dialogs, out] { dialogs.next = out; }, [&window, k] { press(&window, k.write); }});
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

    std::vector<BenchResult> windowResults;
    std::vector<BenchResult> coreResults;
    for (const auto& c : coreCases)
        coreResults.push_back(runCase(c, repetitions));
    for (const auto& c : windowCases)
        windowResults.push_back(runCase(c, repetitions));
    printTable(windowResults, coreResults);
    return 0;
}
