#include "core/data_file.h"
#include "dialogs/form_message.h"
#include "editor/veq_window.h"
#include "tests/support/gui_support.h"
#include "ui/data_directory.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace {

using veq::Bytes;
using veq::Entries;

QWidget* topLevel(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name))
            return widget;
    return nullptr;
}

bool visible(const char* name)
{
    QWidget* widget = topLevel(name);
    return widget && widget->isVisible();
}

// Records the order in which watched windows are shown and hidden.
class VisibilityLog final : public QObject {
public:
    void watch(QWidget* widget) { widget->installEventFilter(this); }
    QStringList events;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            events << object->objectName() + QStringLiteral(" shown");
        if (event->type() == QEvent::Hide)
            events << object->objectName() + QStringLiteral(" hidden");
        return false;
    }
};

struct Kind {
    int listId;
    veq::RecordKind kind;
    const char* read;
    const char* write;
    const char* del;
    const char* list;
    const char* label;
    const char* fileName;
    Entries entries; // unsorted, with a duplicate
};

const Kind kFileList{1,
                     veq::RecordKind::FileList,
                     "bRdFilelist",
                     "bWrFilelist",
                     "bDelFileList",
                     "lFileList",
                     "labCountFileList",
                     "filelist.dat",
                     {"03010714", "03000112", "03010714", "03001005", "03000A01"}};
const Kind kExcept{2,
                   veq::RecordKind::Except,
                   "bRdExcept",
                   "bWrExcept",
                   "bDelExcept",
                   "lExcept",
                   "labCountExcept",
                   "except.dat",
                   {"03011804 ======> 03010814", "03011804 ======> 03010815", "03011804 ======> 03010814"}};
const Kind kPlaneSq{3,
                    veq::RecordKind::PlaneSq,
                    "bRdPlaneSq",
                    "bWrPlaneSq",
                    "bDelPlaneSq",
                    "lPlaneSq",
                    "labCountPlaneSq",
                    "planesq.dat",
                    {"2500000094", "0100000002", "2500000094"}};

Entries sortedUnique(Entries entries)
{
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    return entries;
}

veq::DataFileHeaders headers(std::uint8_t seed)
{
    veq::DataFileHeaders h;
    for (std::size_t i = 0; i < h.header1.size(); ++i)
        h.header1[i] = static_cast<std::uint8_t>(seed + i);
    for (std::size_t i = 0; i < h.header2.size(); ++i)
        h.header2[i] = static_cast<std::uint8_t>(seed ^ (i * 13));
    return h;
}

class EditorWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        window = std::make_unique<VEQ>(dialogs);
        window->show();
    }
    void TearDown() override { window.reset(); }

    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    // A data file on disk, made with the program's own writer.
    QString makeFile(const Kind& kind, const Entries& entries, std::uint8_t seed = 7, const char* name = nullptr)
    {
        veq::ConvBuf buf{};
        auto image = veq::buildDataFile(kind.kind, headers(seed), entries, buf);
        EXPECT_TRUE(image.ok());
        const QString file = path(name ? name : kind.fileName);
        writeBytes(file, *image);
        return file;
    }

    void read(const Kind& kind, const QString& file)
    {
        dialogs.answer(file);
        click(window.get(), kind.read);
    }

    QString message() const { return window->messageWindow().text(); }
    bool messageShown() const { return window->messageWindow().isVisible(); }

    QTemporaryDir folder;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<VEQ> window;
};

TEST_F(EditorWindow, StartsWithEmptyListsBlankCountsAndItsCaption)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VEQ Editor"));
    for (const char* list : {"lFileList", "lExcept", "lPlaneSq"}) {
        EXPECT_TRUE(shownItems(window.get(), list).empty());
        EXPECT_EQ(control<QListView>(window.get(), list)->selectionMode(), QAbstractItemView::ExtendedSelection);
        EXPECT_TRUE(control<QListView>(window.get(), list)->uniformItemSizes());
        const QFont font = control<QListView>(window.get(), list)->font();
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
        EXPECT_TRUE(QFontInfo(font).fixedPitch()) << font.family().toStdString();
    }
    for (const char* label : {"labCountFileList", "labCountExcept", "labCountPlaneSq"})
        EXPECT_TRUE(labelText(window.get(), label).isEmpty());
}

TEST_F(EditorWindow, ControlsHaveTheirCaptionsParentsAndGeometry)
{
    struct Expect {
        const char* name;
        const char* caption;
        const char* parent;
        int left, top, width, height;
    };
    const Expect controls[] = {
        {"bAuoGen", "AutoGen", "VEQ", 240, 120, 1695, 375},
        {"bMissing", "Missing", "VEQ", 2280, 120, 1695, 375},
        {"bExtra", "Extra", "VEQ", 4320, 120, 1695, 375},
        {"bExit", "Exit", "VEQ", 10320, 120, 1215, 375},
        {"bRdPlaneSq", "Read", "VEQ", 2040, 1080, 1095, 375},
        {"bWrPlaneSq", "Write", "VEQ", 2040, 1800, 1095, 375},
        {"bAddPlaneSq", "Add", "VEQ", 2040, 3360, 1095, 375},
        {"bDelPlaneSq", "Delete", "VEQ", 2040, 4320, 1095, 375},
        {"bCopyPlaneSq", "Copy", "framePlaneSq", 1920, 4680, 1095, 375},
        {"bRdFilelist", "Read", "VEQ", 5520, 1080, 1095, 375},
        {"bWrFilelist", "Write", "VEQ", 5520, 1800, 1095, 375},
        {"bAddFileList", "Add", "VEQ", 5520, 3480, 1095, 375},
        {"bDelFileList", "Delete", "VEQ", 5520, 4440, 1095, 375},
        {"bCopyFileList", "Copy", "frameFielList", 1920, 4680, 1095, 375},
        {"bRdExcept", "Read", "VEQ", 11040, 960, 975, 375},
        {"bWrExcept", "Write", "VEQ", 11040, 1680, 975, 375},
        {"bAddExcept", "Add", "VEQ", 11040, 3600, 975, 375},
        {"bDelExcept", "Delete", "VEQ", 11040, 4560, 975, 375},
        {"bCopyExcept", "Copy", "frameExcept", 4080, 4920, 975, 375},
    };
    const double pixelsPerTwip = window->logicalDpiX() / 1440.0;
    auto px = [&](int twips) { return static_cast<int>(std::lround(twips * pixelsPerTwip)); };
    for (const Expect& c : controls) {
        auto* button = control<QPushButton>(window.get(), c.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromLatin1(c.caption)) << c.name;
        EXPECT_EQ(button->parentWidget()->objectName(), QString::fromLatin1(c.parent)) << c.name;
        EXPECT_EQ(button->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height))) << c.name;
    }
    EXPECT_EQ(control<QGroupBox>(window.get(), "frameFielList")->title(), QStringLiteral("FileList"));
    EXPECT_EQ(control<QGroupBox>(window.get(), "frameExcept")->title(), QStringLiteral("Except"));
    EXPECT_EQ(control<QGroupBox>(window.get(), "framePlaneSq")->title(), QStringLiteral("PlaneSQ"));
    EXPECT_EQ(labelText(window.get(), "labCountExcept"), QString());
    EXPECT_EQ(control<QLabel>(window.get(), "labCountExcept")->parentWidget()->objectName(),
              QStringLiteral("frameExcept"));
    EXPECT_EQ(window->size(), QSize(px(12330), px(9555)));
}

TEST_F(EditorWindow, TabOrderFollowsTheDesign)
{
    expectTabOrder(window.get(),
                   {"lFileList",    "lExcept",      "bRdFilelist", "bWrFilelist", "bRdExcept",    "bWrExcept",
                    "bAddFileList", "bDelFileList", "bAddExcept",  "bDelExcept",  "bExit",        "lPlaneSq",
                    "bRdPlaneSq",   "bWrPlaneSq",   "bAddPlaneSq", "bDelPlaneSq", "bCopyPlaneSq", "bCopyFileList",
                    "bCopyExcept",  "bAuoGen",      "bMissing",    "bExtra"});
}

class EachFile : public EditorWindow, public ::testing::WithParamInterface<Kind> {};

TEST_P(EachFile, ReadListsEachEntryOnceSortedAndCounts)
{
    const Kind& kind = GetParam();
    read(kind, makeFile(kind, kind.entries));
    EXPECT_EQ(shownItems(window.get(), kind.list), sortedUnique(kind.entries));
    EXPECT_EQ(labelText(window.get(), kind.label), QString::number(sortedUnique(kind.entries).size()));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_FALSE(dialogs.asked[0].save);
    EXPECT_EQ(dialogs.asked[0].request.suggestedName, QString::fromLatin1(kind.fileName));
    EXPECT_EQ(dialogs.asked[0].request.initialDirectory, simulationDataDirectory());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(visible("fPleaseWait"));
    EXPECT_FALSE(messageShown());
}

TEST_P(EachFile, ReadShowsPleaseWaitInTheOrderThatNeverHidesBoth)
{
    const Kind& kind = GetParam();
    const QString file = makeFile(kind, kind.entries);
    read(kind, file); // creates nothing new but proves the window exists
    VisibilityLog log;
    log.watch(window.get());
    log.watch(topLevel("fPleaseWait"));
    read(kind, file);
    EXPECT_EQ(log.events, (QStringList{QStringLiteral("VEQ hidden"), QStringLiteral("fPleaseWait shown"),
                                       QStringLiteral("VEQ shown"), QStringLiteral("fPleaseWait hidden")}));
}

TEST_P(EachFile, CancelledReadOnlySaysFileNotSelected)
{
    const Kind& kind = GetParam();
    VisibilityLog log;
    log.watch(window.get());
    click(window.get(), kind.read);
    EXPECT_EQ(message(), QStringLiteral("File not Selected"));
    EXPECT_TRUE(messageShown());
    EXPECT_TRUE(log.events.isEmpty()) << log.events.join(QLatin1Char(',')).toStdString();
    EXPECT_FALSE(visible("fPleaseWait"));
    EXPECT_TRUE(labelText(window.get(), kind.label).isEmpty());
}

TEST_P(EachFile, DamagedFileIsRefusedAndChangesNothing)
{
    const Kind& kind = GetParam();
    const QString good = makeFile(kind, kind.entries, 1, "good.dat");
    read(kind, good);
    const Entries before = shownItems(window.get(), kind.list);
    const veq::DataFileHeaders headersBefore = window->headers(kind.listId);

    Bytes damaged = readBytes(makeFile(kind, kind.entries, 99, "damaged.dat"));
    damaged.pop_back();
    writeBytes(path("damaged.dat"), damaged);
    read(kind, path("damaged.dat"));
    EXPECT_TRUE(messageShown());
    EXPECT_TRUE(message().contains(path("damaged.dat"))) << message().toStdString();
    EXPECT_EQ(shownItems(window.get(), kind.list), before);
    EXPECT_EQ(window->headers(kind.listId), headersBefore);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(visible("fPleaseWait"));

    read(kind, path("absent.dat"));
    EXPECT_TRUE(message().contains(QStringLiteral("does not exist"))) << message().toStdString();
    EXPECT_EQ(shownItems(window.get(), kind.list), before);
}

TEST_P(EachFile, WriteAfterReadReproducesTheFileSortedAndKeepsHeaders)
{
    const Kind& kind = GetParam();
    const QString original = makeFile(kind, kind.entries, 42);
    read(kind, original);
    dialogs.answer(path("out.dat"));
    click(window.get(), kind.write);
    EXPECT_FALSE(messageShown()) << message().toStdString();

    veq::ConvBuf buf{};
    auto expected = veq::buildDataFile(kind.kind, headers(42), sortedUnique(kind.entries), buf);
    EXPECT_EQ(readBytes(path("out.dat")), *expected);
    EXPECT_EQ(readBytes(path("out.dat")).size(), 100 + sortedUnique(kind.entries).size() * veq::recordSize(kind.kind));
    EXPECT_TRUE(dialogs.asked.back().save);
    EXPECT_EQ(dialogs.asked.back().request.suggestedName, QString::fromLatin1(kind.fileName));
    EXPECT_TRUE(window->isVisible());
}

TEST_P(EachFile, WriteBeforeAnyReadWritesZeroHeaders)
{
    const Kind& kind = GetParam();
    window->AddListItem(kind.entries.front(), kind.listId);
    dialogs.answer(path("out.dat"));
    click(window.get(), kind.write);
    const Bytes written = readBytes(path("out.dat"));
    ASSERT_EQ(written.size(), 100 + veq::recordSize(kind.kind));
    EXPECT_TRUE(std::all_of(written.begin(), written.begin() + 20, [](auto b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(written.begin() + 22, written.begin() + 100, [](auto b) { return b == 0; }));
    EXPECT_EQ(written[20], 1);
}

TEST_P(EachFile, WriteOfAnEmptyListIsRefused)
{
    const Kind& kind = GetParam();
    dialogs.answer(path("out.dat"));
    click(window.get(), kind.write);
    EXPECT_EQ(message(), QStringLiteral("Please load %1 before doing this").arg(QString::fromLatin1(kind.fileName)));
    EXPECT_FALSE(QFileInfo::exists(path("out.dat")));
    // Only the plane-squadron writer asks for the file before it looks at its list.
    EXPECT_EQ(dialogs.asked.size(), kind.listId == 3 ? 1u : 0u);
}

TEST_P(EachFile, CancelledWriteSaysNoOutputFile)
{
    const Kind& kind = GetParam();
    window->AddListItem(kind.entries.front(), kind.listId);
    click(window.get(), kind.write);
    EXPECT_EQ(message(), QStringLiteral("File not saved: No Output file selected"));
}

TEST_P(EachFile, UnwritableEntryIsRefusedBeforeAnythingIsWritten)
{
    const Kind& kind = GetParam();
    const QString target = makeFile(kind, kind.entries);
    const Bytes before = readBytes(target);
    read(kind, target);
    const char* bad = kind.listId == 1 ? "0301071G" : kind.listId == 2 ? "0301180G-03010814" : "G500000094";
    window->AddListItem(bad, kind.listId);
    dialogs.answer(target);
    click(window.get(), kind.write);
    EXPECT_TRUE(message().startsWith(QStringLiteral("File not saved"))) << message().toStdString();
    EXPECT_TRUE(message().contains(QString::fromLatin1(bad))) << message().toStdString();
    EXPECT_EQ(readBytes(target), before);
}

TEST_P(EachFile, FailedSaveKeepsTheFolderAndSaysWhy)
{
    const Kind& kind = GetParam();
    window->AddListItem(kind.entries.front(), kind.listId);
    QDir(folder.path()).mkdir(QStringLiteral("taken"));
    dialogs.answer(path("taken"));
    click(window.get(), kind.write);
    EXPECT_TRUE(message().contains(path("taken"))) << message().toStdString();
    EXPECT_TRUE(QFileInfo(path("taken")).isDir());
}

TEST_P(EachFile, DeleteThenWriteWritesWhatRemainsAndRereadBringsItBack)
{
    const Kind& kind = GetParam();
    const QString file = makeFile(kind, kind.entries);
    read(kind, file);
    auto* list = control<QListView>(window.get(), kind.list);
    selectRows(list, {0});
    click(window.get(), kind.del);
    Entries remaining = sortedUnique(kind.entries);
    remaining.erase(remaining.begin());
    EXPECT_EQ(shownItems(list), remaining);
    EXPECT_EQ(labelText(window.get(), kind.label), QString::number(remaining.size()));

    dialogs.answer(path("kept.dat"));
    click(window.get(), kind.write);
    veq::ConvBuf buf{};
    auto written = veq::parseDataFile(readBytes(path("kept.dat")), kind.kind, buf);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(sortedUnique(written->entries), remaining);

    read(kind, file);
    EXPECT_EQ(shownItems(list), sortedUnique(kind.entries));
}

TEST_P(EachFile, DeletingEverythingThenWritingIsRefused)
{
    const Kind& kind = GetParam();
    read(kind, makeFile(kind, kind.entries));
    auto* list = control<QListView>(window.get(), kind.list);
    list->selectAll();
    click(window.get(), kind.del);
    EXPECT_TRUE(shownItems(list).empty());
    EXPECT_EQ(labelText(window.get(), kind.label), QStringLiteral("0"));
    dialogs.answer(path("never.dat"));
    click(window.get(), kind.write);
    EXPECT_EQ(message(), QStringLiteral("Please load %1 before doing this").arg(QString::fromLatin1(kind.fileName)));
    EXPECT_FALSE(QFileInfo::exists(path("never.dat")));
}

INSTANTIATE_TEST_SUITE_P(Files, EachFile, ::testing::Values(kFileList, kExcept, kPlaneSq),
                         [](const auto& info) { return std::string(info.param.list); });

TEST_F(EditorWindow, ReadOfACountOfZeroShowsZeroAndKeepsHeadersForTheNextWrite)
{
    read(kFileList, makeFile(kFileList, {}, 77));
    EXPECT_TRUE(shownItems(window.get(), "lFileList").empty());
    EXPECT_EQ(labelText(window.get(), "labCountFileList"), QStringLiteral("0"));
    window->AddListItem("03010714", 1);
    dialogs.answer(path("out.dat"));
    click(window.get(), "bWrFilelist");
    const Bytes written = readBytes(path("out.dat"));
    ASSERT_EQ(written.size(), 104u);
    const veq::DataFileHeaders kept = headers(77);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 20), Bytes(kept.header1.begin(), kept.header1.end()));
}

TEST_F(EditorWindow, DeleteAcceptsAThousandSelectedAndRefusesOneMore)
{
    Entries entries;
    for (int i = 0; i < 1500; ++i)
        entries.push_back("0300" + veq::ByteToStr(static_cast<std::uint8_t>(i / 256)) +
                          veq::ByteToStr(static_cast<std::uint8_t>(i % 256)));
    window->AddListItems(entries, 1);
    auto* list = control<QListView>(window.get(), "lFileList");

    std::vector<int> tooMany;
    for (int row = 0; row < 1001; ++row)
        tooMany.push_back(row);
    selectRows(list, tooMany);
    click(window.get(), "bDelFileList");
    EXPECT_EQ(message(), QStringLiteral("Too Many Items Selected"));
    EXPECT_EQ(shownItems(list).size(), 1500u);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 1001);
    EXPECT_EQ(labelText(window.get(), "labCountFileList"), QStringLiteral("1500"));

    // A thousand scattered rows, the first and the last among them.
    std::vector<int> scattered;
    Entries expected;
    for (int row = 0; row < 1500; ++row) {
        if (row == 0 || row == 1499 || (row % 3 != 1 && scattered.size() < 999))
            scattered.push_back(row);
        else
            expected.push_back(entries[static_cast<std::size_t>(row)]);
    }
    ASSERT_EQ(scattered.size(), 1000u);
    selectRows(list, scattered);
    click(window.get(), "bDelFileList");
    EXPECT_EQ(shownItems(list), expected);
    EXPECT_EQ(labelText(window.get(), "labCountFileList"), QString::number(expected.size()));
}

TEST_F(EditorWindow, DeleteWithNothingSelectedStillShowsTheCount)
{
    click(window.get(), "bDelExcept");
    EXPECT_EQ(labelText(window.get(), "labCountExcept"), QStringLiteral("0"));
    EXPECT_FALSE(messageShown());
}

TEST_F(EditorWindow, DeleteKeyOnAListDoesWhatItsButtonDoes)
{
    window->AddListItems({"2500000094", "2600000094"}, 3);
    auto* list = control<QListView>(window.get(), "lPlaneSq");
    selectRows(list, {1});
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(shownItems(list), (Entries{"2500000094"}));
    EXPECT_EQ(labelText(window.get(), "labCountPlaneSq"), QStringLiteral("1"));
}

TEST_F(EditorWindow, AddListItemSkipsDuplicatesAndAlwaysShowsTheCount)
{
    window->AddListItem("03010714", 1);
    EXPECT_EQ(labelText(window.get(), "labCountFileList"), QStringLiteral("1"));
    window->AddListItem("03010700", 1);
    window->AddListItem("03010714", 1);
    window->AddListItem("0301071a", 1);
    window->AddListItem("0301071A", 1);
    EXPECT_EQ(shownItems(window.get(), "lFileList"), (Entries{"03010700", "03010714", "0301071A", "0301071a"}));
    EXPECT_EQ(labelText(window.get(), "labCountFileList"), QStringLiteral("4"));

    for (int id : {0, 4, -1}) {
        window->AddListItem("03010799", id);
        window->AddListItems({"03010798"}, id);
    }
    EXPECT_EQ(shownItems(window.get(), "lFileList").size(), 4u);
    EXPECT_TRUE(shownItems(window.get(), "lExcept").empty());
    EXPECT_TRUE(labelText(window.get(), "labCountExcept").isEmpty());
}

TEST_F(EditorWindow, MessagesShareOneWindowAndOkHidesOnlyIt)
{
    click(window.get(), "bWrFilelist");
    click(window.get(), "bWrExcept");
    EXPECT_EQ(message(), QStringLiteral("Please load except.dat before doing this"));
    int messageWindows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        messageWindows += widget->objectName() == QLatin1String("FormMessage") && widget->isVisible();
    EXPECT_EQ(messageWindows, 1);
    EXPECT_EQ(window->messageWindow().windowTitle(), QStringLiteral("Message"));

    click(&window->messageWindow(), "bOK");
    EXPECT_FALSE(messageShown());
    EXPECT_TRUE(window->isVisible());
    click(window.get(), "bRdFilelist");
    EXPECT_EQ(message(), QStringLiteral("File not Selected"));
}

TEST_F(EditorWindow, MissingNeedsBothListsFileListFirst)
{
    click(window.get(), "bMissing");
    EXPECT_EQ(message(), QStringLiteral("Please load filelist.dat before doing this"));
    window->AddListItem("03010714", 1);
    click(window.get(), "bMissing");
    EXPECT_EQ(message(), QStringLiteral("Please load except.dat before doing this"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(visible("Missing"));
}

TEST_F(EditorWindow, ExitHidesEveryWindow)
{
    click(window.get(), "bWrFilelist");
    ASSERT_TRUE(messageShown());
    click(window.get(), "bExit");
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(widget->isVisible()) << widget->objectName().toStdString();
}

TEST(DataDirectory, FindsTheSimulationFolderInsideTheWinePrefixIgnoringCase)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows paths are used as they are";
#else
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("drive_c/SIERRA/RedBaron3D/Data/SimPatch")));
    qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
    EXPECT_EQ(simulationDataDirectory(),
              QDir::cleanPath(prefix.path() + QStringLiteral("/drive_c/SIERRA/RedBaron3D/Data/SimPatch")));
    EXPECT_EQ(mapWindowsPath(QStringLiteral("C:\\Sierra\\nowhere")), QDir::homePath());
    qputenv("WINEPREFIX", QByteArray(prefix.path().toLocal8Bit() + "/absent"));
    EXPECT_EQ(simulationDataDirectory(), QDir::homePath());
    qunsetenv("WINEPREFIX");
#endif
}

} // namespace

namespace {

// Every tool window: opened by its launcher, left with Escape or through its
// frame like its Cancel/Exit, the main window back and nothing added.
struct Launcher {
    const char* button;
    const char* window;
};

class ToolWindows : public EditorWindow, public ::testing::WithParamInterface<Launcher> {};

TEST_P(ToolWindows, EscapeAndTheFrameLeaveLikeCancel)
{
    window->AddListItem("03010714", 1);
    window->AddListItem("03010714 ======> 03010715", 2);
    for (int way = 0; way < 2; ++way) {
        click(window.get(), GetParam().button);
        QWidget* tool = topLevel(GetParam().window);
        ASSERT_NE(tool, nullptr);
        ASSERT_TRUE(tool->isVisible());
        EXPECT_FALSE(window->isVisible());
        if (way == 0)
            QTest::keyClick(tool, Qt::Key_Escape);
        else
            tool->close();
        EXPECT_FALSE(tool->isVisible());
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_EQ(shownItems(window.get(), "lFileList"), (Entries{"03010714"}));
}

INSTANTIATE_TEST_SUITE_P(Launchers, ToolWindows,
                         ::testing::Values(Launcher{"bAddFileList", "fFileListAdd"}, Launcher{"bCopyExcept", "fCopy"},
                                           Launcher{"bMissing", "Missing"}, Launcher{"bExtra", "fExtra"},
                                           Launcher{"bAuoGen", "fAutoGen"}),
                         [](const auto& info) { return std::string(info.param.window); });

} // namespace
