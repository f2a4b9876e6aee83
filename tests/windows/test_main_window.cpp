#include "tests/windows/main_window_fixture.h"
#include "ui/data_directory.h"
#include "ui/layout.h"

#include <QLabel>

#include <algorithm>

using veq::Entries;
using veq::ListId;

namespace {

struct FileButtons {
    ListId id;
    const char* write;
    const char* remove;
    const char* count;
};
const FileButtons kFiles[] = {
    {ListId::FileList, "bWrFilelist", "bDelFileList", "labCountFileList"},
    {ListId::Except, "bWrExcept", "bDelExcept", "labCountExcept"},
    {ListId::PlaneSq, "bWrPlaneSq", "bDelPlaneSq", "labCountPlaneSq"},
};

class EachFile : public MainWindow, public ::testing::WithParamInterface<FileButtons> {};

TEST_P(EachFile, ReadListsEachRecordOnceAndWriteGivesTheFileBackSorted)
{
    const auto& [id, write, remove, count] = GetParam();
    const Entries records = kit::randomEntries(id, 300, 17, false);
    read(id, records);
    Entries expected = records;
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(shown(id), expected);
    EXPECT_EQ(kit::text(window.get(), count), QString::number(expected.size()));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].request.suggestedName, QString::fromLatin1(veq::dataFileName(id)));
    EXPECT_EQ(dialogs.asked[0].request.initialDirectory, simulationDataDirectory());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(kit::topLevel("fPleaseWait")->isVisible());

    // Delete the first and last, then write: the file holds what the list shows.
    kit::selectRows(kit::find<QListView>(window.get(), listName(id)), {0, static_cast<int>(expected.size()) - 1});
    kit::click(window.get(), remove);
    expected.erase(expected.end() - 1);
    expected.erase(expected.begin());
    EXPECT_EQ(kit::text(window.get(), count), QString::number(expected.size()));
    const kit::fs::path out = folder / "written.dat";
    dialogs.answer(QString::fromStdString(out.string()));
    kit::click(window.get(), write);
    const veq::Bytes written = kit::readFile(out);
    veq::ConversionBuffer buf{};
    auto file = veq::parseDataFile(written, id, buf);
    ASSERT_TRUE(file) << file.reason();
    Entries back = file->entries;
    std::sort(back.begin(), back.end());
    EXPECT_EQ(back, expected);
    EXPECT_EQ(kit::imageHeaders(written), kit::imageHeaders(kit::dataImage(id, records)));
    EXPECT_EQ(kit::shownMessage(), QString());
}

TEST_P(EachFile, RefusalsSaySoAndChangeNothing)
{
    const auto& [id, write, remove, count] = GetParam();
    const QString loadFirst = QStringLiteral("Please load %1 before doing this").arg(QString::fromLatin1(veq::dataFileName(id)));
    // An empty list: only the plane-squadron writer asks for the file first.
    kit::click(window.get(), write);
    EXPECT_EQ(kit::shownMessage(), loadFirst);
    EXPECT_EQ(dialogs.asked.size(), id == ListId::PlaneSq ? 1u : 0u);

    const Entries records = kit::randomEntries(id, 5, 3);
    read(id, records);
    const Entries before = shown(id);
    dialogs.answer({});
    kit::click(window.get(), readButton(id));
    EXPECT_EQ(kit::shownMessage(), QStringLiteral("File not Selected"));
    dialogs.answer({});
    kit::click(window.get(), write);
    EXPECT_EQ(kit::shownMessage(), QStringLiteral("File not saved: No Output file selected"));

    // A damaged file is refused by name; an entry that is no hexadecimal id
    // and a folder that is not there refuse the write.
    const kit::fs::path damaged = folder / "damaged.dat";
    kit::writeFile(damaged, veq::Bytes(50, 1));
    dialogs.answer(QString::fromStdString(damaged.string()));
    kit::click(window.get(), readButton(id));
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("damaged.dat"))) << kit::shownMessage().toStdString();
    EXPECT_TRUE(window->isVisible());
    dialogs.answer(QString::fromStdString((folder / "gone" / "out.dat").string()));
    kit::click(window.get(), write);
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("Could not save"))) << kit::shownMessage().toStdString();
    window->AddListItem(std::string(veq::entryLength(id), 'G'), id);
    dialogs.answer(QString::fromStdString((folder / "out.dat").string()));
    kit::click(window.get(), write);
    EXPECT_TRUE(kit::shownMessage().startsWith(QStringLiteral("File not saved: the entry \"GG"))) << kit::shownMessage().toStdString();
    EXPECT_FALSE(kit::fs::exists(folder / "out.dat"));
    Entries withTyped = before;
    withTyped.push_back(std::string(veq::entryLength(id), 'G'));
    EXPECT_EQ(shown(id), withTyped);
}

INSTANTIATE_TEST_SUITE_P(Files, EachFile, ::testing::ValuesIn(kFiles));

TEST_F(MainWindow, WriteOverAFileWithOtherNamesSaysTheyKeepTheOldContents)
{
    read(ListId::Except, kit::randomEntries(ListId::Except, 3, 5));
    const kit::fs::path file = folder / veq::dataFileName(ListId::Except);
    kit::fs::create_hard_link(file, folder / "other.dat");
    dialogs.answer(QString::fromStdString(file.string()));
    kit::click(window.get(), "bWrExcept");
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("hard link"))) << kit::shownMessage().toStdString();
}

TEST_F(MainWindow, DeleteTakesAThousandSelectedEntriesAtMostAndTheDeleteKeyToo)
{
    window->AddListItems(kit::randomEntries(ListId::FileList, 1500, 4), ListId::FileList);
    auto* list = kit::find<QListView>(window.get(), "lFileList");
    std::vector<int> rows(1001);
    for (int i = 0; i < 1001; ++i)
        rows[static_cast<std::size_t>(i)] = i + (i / 3);
    kit::selectRows(list, rows);
    kit::click(window.get(), "bDelFileList");
    EXPECT_EQ(kit::shownMessage(), QStringLiteral("Too Many Items Selected"));
    EXPECT_EQ(list->model()->rowCount(), 1500);
    rows.pop_back();
    const Entries before = shown(ListId::FileList);
    kit::selectRows(list, rows);
    kit::click(window.get(), "bDelFileList");
    Entries expected;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (std::find(rows.begin(), rows.end(), static_cast<int>(i)) == rows.end())
            expected.push_back(before[i]);
    EXPECT_EQ(shown(ListId::FileList), expected);
    EXPECT_EQ(kit::text(window.get(), "labCountFileList"), QStringLiteral("500"));

    kit::selectRows(list, {0, 1});
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(shown(ListId::FileList), Entries(expected.begin() + 2, expected.end()));
}

TEST_F(MainWindow, MissingNeedsTheFileListThenTheExceptionList)
{
    kit::click(window.get(), "bMissing");
    EXPECT_EQ(kit::shownMessage(), QStringLiteral("Please load filelist.dat before doing this"));
    window->AddListItem("03010714", ListId::FileList);
    kit::click(window.get(), "bMissing");
    EXPECT_EQ(kit::shownMessage(), QStringLiteral("Please load except.dat before doing this"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(kit::topLevel("Missing"), nullptr);
}

TEST_F(MainWindow, AddListItemCountsWhetherOrNotItAdds)
{
    window->AddListItem("03010714", ListId::PlaneSq);
    window->AddListItem("03010714", ListId::PlaneSq);
    window->AddListItem("0301071a", ListId::PlaneSq);
    EXPECT_EQ(shown(ListId::PlaneSq), (Entries{"03010714", "0301071a"}));
    EXPECT_EQ(kit::text(window.get(), "labCountPlaneSq"), QStringLiteral("2"));
    EXPECT_EQ(kit::text(window.get(), "labCountFileList"), QString());
}

TEST_F(MainWindow, ExitClosesEveryWindow)
{
    kit::click(window.get(), "bAuoGen");
    kit::click(window.get(), "bExit");
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString();
}

TEST_F(MainWindow, EveryWindowHasItsClientSize)
{
    // Each window made as the program makes it: the tools by their launchers,
    // "Working" by a read, "Message" by a refusal.
    window->AddListItem("03010714", ListId::FileList);
    window->AddListItem("03010714 ======> 03010715", ListId::Except);
    for (const char* launcher : {"bAddFileList", "bCopyFileList", "bAuoGen", "bMissing", "bExtra"}) {
        kit::click(window.get(), launcher);
        window->show();
    }
    read(ListId::FileList, {});
    kit::click(window.get(), "bWrFilelist");
    const struct {
        const char* name;
        int width, height;
    } sizes[] = {{"VEQ", 12330, 9555},         {"FormMessage", 5145, 4245}, {"fPleaseWait", 4125, 1725},
                 {"fFileListAdd", 9405, 7065}, {"fCopy", 8415, 6735},       {"Missing", 9465, 6555},
                 {"fExtra", 7215, 8655},       {"fAutoGen", 6330, 5625}};
    for (const auto& [name, width, height] : sizes) {
        const QWidget* top = kit::topLevel(name);
        ASSERT_NE(top, nullptr) << name;
        EXPECT_EQ(top->size(), QSize(twips(width), twips(height))) << name;
    }
}

} // namespace
