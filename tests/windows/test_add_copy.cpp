#include "tests/windows/main_window_fixture.h"

#include <QLineEdit>

using veq::Entries;
using veq::ListId;

namespace {

TEST_F(MainWindow, AddDialogTakesWritableEntriesOnlyAndFinishAddsEachOnce)
{
    // The parser's catalogue is the core's; here the window shows what it says.
    const struct {
        ListId id;
        const char *typed, *added, *names, *refusal; // added null: refused, saying `refusal`
    } cases[] = {
        {ListId::FileList, "0301071a", "0301071A", "Filelist", ""},
        {ListId::Except, "03011804x03010814", "03011804 ======> 03010814", "Except", ""},
        {ListId::PlaneSq, "2a0000009b", "2A0000009B", "PlaneSQ", ""},
        {ListId::PlaneSq, "25ffffff94", nullptr, "2500000094", "\"25FFFFFF94\""},
    };
    for (const auto& [id, typed, added, names, refusal] : cases) {
        kit::click(window.get(), controls(id).add);
        QWidget* dialog = kit::find(nullptr, "fFileListAdd");
        ASSERT_TRUE(dialog->isVisible() && !window->isVisible());
        EXPECT_TRUE(kit::items(dialog, "lNewFileList").empty());
        EXPECT_TRUE(
            (kit::text(dialog, "labFileId") + kit::text(dialog, "labExample")).contains(QString::fromLatin1(names)));
        auto* box = kit::find<QLineEdit>(dialog, "tAddFilelistText");
        box->setText(QString::fromUtf8(typed));
        kit::click(dialog, "bAddFileListEntry");
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(box->text(), QString::fromUtf8(typed).toUpper());
        EXPECT_EQ(kit::items(dialog, "lNewFileList"), (added ? Entries{added, added} : Entries{}));
        EXPECT_EQ(kit::shownMessage().isEmpty(), added != nullptr);
        EXPECT_TRUE(kit::shownMessage().contains(QString::fromUtf8(refusal))) << kit::shownMessage().toStdString();
        if (!added)
            kit::click(kit::find(nullptr, "FormMessage"), "bOK");
        kit::click(dialog, added ? "bFileListEntryFinish" : "bFileListEntryCancel");
        EXPECT_TRUE(window->isVisible() && !dialog->isVisible());
    }
    EXPECT_EQ(shown(ListId::FileList), Entries{"0301071A"});
    EXPECT_EQ(shown(ListId::Except), Entries{"03011804 ======> 03010814"});
    EXPECT_EQ(shown(ListId::PlaneSq), Entries{"2A0000009B"});
    EXPECT_EQ(kit::text(window.get(), "labCountFileList"), QStringLiteral("1"));

    kit::click(window.get(), "bAddPlaneSq");
    QWidget* dialog = kit::find(nullptr, "fFileListAdd");
    for (unsigned i = 0; i < 105; ++i) {
        kit::find<QLineEdit>(dialog, "tAddFilelistText")->setText(QString::fromStdString(kit::hex2(i) + "00000094"));
        kit::click(dialog, "bAddFileListEntry");
    }
    expectRemoveLimit(dialog, "lNewFileList", "bRemove", 100);
}

class CopyDialog : public MainWindow, public ::testing::WithParamInterface<ListId> {};

TEST_P(CopyDialog, CollectsThePlaneFromEachFileReadAndFinishAddsEachOnce)
{
    const ListId id = GetParam();
    window->AddListItems(kit::randomEntries(id, 10, 1), id);
    const Entries before = shown(id);
    kit::click(window.get(), controls(id).copy);
    QWidget* dialog = kit::find(nullptr, "fCopy");
    EXPECT_TRUE(dialog->isVisible() && !window->isVisible());
    kit::find<QLineEdit>(dialog, "tCopyPlaneId")->setText(QStringLiteral("25"));

    // Records of planes 25 and 26: the core's reader picks the plane's out.
    Entries records = kit::randomEntries(id, 2, 2);
    const std::size_t at = id == ListId::PlaneSq ? 0 : 2;
    records[0].replace(at, 2, "25");
    records[1].replace(at, 2, "26");
    kit::writeFile(folder / "other.dat", kit::dataImage(id, records));
    for (const auto* file : {"other.dat", "other.dat", ""}) {
        answer(*file ? folder / file : kit::fs::path());
        kit::click(dialog, "bCopyAdd");
    }
    EXPECT_EQ(kit::shownMessage(), QStringLiteral("File not Selected"));
    EXPECT_EQ(kit::items(dialog, "lCopy"), (Entries{records[0], records[0]}));
    EXPECT_TRUE(dialogs.asked[0].suggestedName.isEmpty());

    kit::click(dialog, "bCopyFinish");
    Entries expected = before;
    expected.push_back(records[0]);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown(id), expected);
    EXPECT_TRUE(window->isVisible() && !dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Kinds, CopyDialog, ::testing::ValuesIn(veq::kAllLists));

TEST_F(MainWindow, CopyDialogReportsADamagedFileAndKeepsItsIdAcrossOpenings)
{
    kit::click(window.get(), "bCopyExcept");
    QWidget* dialog = kit::find(nullptr, "fCopy");
    EXPECT_TRUE(kit::text(dialog, "labFileId").contains(QStringLiteral("Except")));
    kit::find<QLineEdit>(dialog, "tCopyPlaneId")->setText(QStringLiteral("01"));
    kit::writeFile(folder / "damaged.dat", kit::dataImage(ListId::Except, {}, 4));
    answer(folder / "damaged.dat");
    kit::click(dialog, "bCopyAdd");
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("damaged.dat"))) << kit::shownMessage().toStdString();

    Entries records;
    for (unsigned i = 0; i < 120; ++i)
        records.push_back("0301" + kit::hex2(i) + "00");
    kit::writeFile(folder / "filelist.dat", kit::dataImage(ListId::FileList, records));
    kit::click(dialog, "bCopyCancel");
    kit::click(window.get(), "bCopyFileList");
    EXPECT_TRUE(kit::text(dialog, "labFileId").contains(QStringLiteral("Filelist")));
    EXPECT_EQ(kit::find<QLineEdit>(dialog, "tCopyPlaneId")->text(), QStringLiteral("01"));
    answer(folder / "filelist.dat");
    kit::click(dialog, "bCopyAdd");
    expectRemoveLimit(dialog, "lCopy", "bCopyRemove", 100);
}

} // namespace
