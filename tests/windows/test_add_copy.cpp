#include "tests/windows/main_window_fixture.h"

#include <QLineEdit>

using veq::Entries;
using veq::ListId;

namespace {

TEST_F(MainWindow, AddDialogChecksOnlyTheLengthOfWhatIsTypedAndFinishAddsEachOnce)
{
    const struct {
        const char* launcher;
        const char* typed;
        const char* added; // null: refused for its length
    } cases[] = {
        {"bAddFileList", "0301071a", "0301071A"},
        {"bAddFileList", "030107141", nullptr},
        {"bAddFileList", "0301071\xE6\x97\xA5", "0301071\xE6\x97\xA5"},
        {"bAddExcept", "03011804-03010814", "03011804 ======> 03010814"},
        {"bAddExcept", "03011804x03010814", "03011804 ======> 03010814"},
        {"bAddExcept", "03011804 ======> 03010814", nullptr},
        {"bAddPlaneSq", "zz000000zz", "ZZ000000ZZ"},
        {"bAddPlaneSq", "25000094", nullptr},
    };
    for (const auto& [launcher, typed, added] : cases) {
        kit::click(window.get(), launcher);
        QWidget* dialog = kit::topLevel("fFileListAdd");
        ASSERT_TRUE(dialog->isVisible() && !window->isVisible());
        EXPECT_TRUE(kit::items(dialog, "lNewFileList").empty());
        auto* box = kit::find<QLineEdit>(dialog, "tAddFilelistText");
        box->setText(QString::fromUtf8(typed));
        kit::click(dialog, "bAddFileListEntry");
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(box->text(), QString::fromUtf8(typed).toUpper());
        if (added) {
            EXPECT_EQ(kit::items(dialog, "lNewFileList"), (std::vector<std::string>{added, added}));
        } else {
            EXPECT_EQ(kit::shownMessage(), QStringLiteral("Invalid input length"));
            EXPECT_TRUE(kit::items(dialog, "lNewFileList").empty());
        }
        kit::click(dialog, "bFileListEntryFinish");
        EXPECT_TRUE(window->isVisible() && !dialog->isVisible());
    }
    EXPECT_EQ(shown(ListId::FileList), (Entries{"0301071A", "0301071\xE6\x97\xA5"}));
    EXPECT_EQ(shown(ListId::Except), Entries{"03011804 ======> 03010814"});
    EXPECT_EQ(shown(ListId::PlaneSq), Entries{"ZZ000000ZZ"});
    EXPECT_EQ(kit::text(window.get(), "labCountFileList"), QStringLiteral("2"));
}

TEST_F(MainWindow, AddDialogNamesItsListAndRemovesAHundredAtMost)
{
    QStringList captions;
    for (const char* launcher : {"bAddFileList", "bAddExcept", "bAddPlaneSq"}) {
        kit::click(window.get(), launcher);
        captions << kit::text(kit::topLevel("fFileListAdd"), "labFileId")
                 << kit::text(kit::topLevel("fFileListAdd"), "labExample");
        kit::click(kit::topLevel("fFileListAdd"), "bFileListEntryCancel");
    }
    EXPECT_TRUE(captions[0].contains(QStringLiteral("Filelist")) && captions[2].contains(QStringLiteral("Except")) &&
                captions[4].contains(QStringLiteral("PlaneSQ")))
        << captions.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(captions[1].endsWith(QStringLiteral("03010714")) &&
                captions[3].endsWith(QStringLiteral("03011804-03010814")) &&
                captions[5].endsWith(QStringLiteral("2500000094")));

    kit::click(window.get(), "bAddPlaneSq");
    QWidget* dialog = kit::topLevel("fFileListAdd");
    auto* box = kit::find<QLineEdit>(dialog, "tAddFilelistText");
    for (int i = 0; i < 105; ++i) {
        box->setText(QString::fromStdString(kit::planeSqText(static_cast<std::uint8_t>(i), 0x94)));
        QTest::keyClick(box, Qt::Key_Return);
    }
    expectRemoveLimit(dialog, "lNewFileList", "bRemove", 100);
    kit::click(dialog, "bFileListEntryCancel");
    EXPECT_TRUE(shown(ListId::PlaneSq).empty());
}

class CopyDialog : public MainWindow, public ::testing::WithParamInterface<std::pair<ListId, const char*>> {};

TEST_P(CopyDialog, CollectsThePlaneFromEachFileReadAndFinishAddsEachOnce)
{
    const auto& [id, launcher] = GetParam();
    window->AddListItems(kit::randomEntries(id, 10, 1), id);
    const Entries before = shown(id);
    kit::click(window.get(), launcher);
    QWidget* dialog = kit::topLevel("fCopy");
    EXPECT_TRUE(dialog->isVisible() && !window->isVisible());
    kit::find<QLineEdit>(dialog, "tCopyPlaneId")->setText(QStringLiteral("25"));

    // Random records and one of plane 25 and one of 26 in the plane's place of each kind.
    Entries records = kit::randomEntries(id, 30, 2);
    const std::size_t at = id == ListId::PlaneSq ? 0 : 2;
    for (const char* plane : {"25", "26"})
        records.push_back(std::string(records.front()).replace(at, 2, plane));
    Entries ofPlane;
    for (const auto& record : records)
        if (record.substr(at, 2) == "25")
            ofPlane.push_back(record);
    std::sort(ofPlane.begin(), ofPlane.end());
    kit::writeFile(folder / "other.dat", kit::dataImage(id, records));
    kit::writeFile(folder / "damaged.dat", veq::Bytes(120, 1));
    for (const auto* file : {"other.dat", "other.dat", "damaged.dat", ""})
        dialogs.answer(*file ? QString::fromStdString((folder / file).string()) : QString());
    for (int i = 0; i < 4; ++i)
        kit::click(dialog, "bCopyAdd");
    EXPECT_EQ(kit::shownMessage(), QStringLiteral("File not Selected"));
    Entries twice;
    for (const auto& entry : ofPlane)
        twice.insert(twice.end(), {entry, entry});
    EXPECT_EQ(kit::items(dialog, "lCopy"), twice);
    EXPECT_TRUE(dialogs.asked[0].request.suggestedName.isEmpty());

    kit::click(dialog, "bCopyFinish");
    Entries expected = before;
    expected.insert(expected.end(), ofPlane.begin(), ofPlane.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown(id), expected);
    EXPECT_TRUE(window->isVisible() && !dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Kinds, CopyDialog,
                         ::testing::Values(std::pair{ListId::FileList, "bCopyFileList"},
                                           std::pair{ListId::Except, "bCopyExcept"},
                                           std::pair{ListId::PlaneSq, "bCopyPlaneSq"}));

TEST_F(MainWindow, CopyDialogReportsADamagedFileAndKeepsItsIdAcrossOpenings)
{
    kit::click(window.get(), "bCopyExcept");
    QWidget* dialog = kit::topLevel("fCopy");
    EXPECT_TRUE(kit::text(dialog, "labFileId").contains(QStringLiteral("Except")));
    kit::find<QLineEdit>(dialog, "tCopyPlaneId")->setText(QStringLiteral("01"));
    kit::writeFile(folder / "damaged.dat", kit::dataImage(ListId::Except, {}, 4));
    dialogs.answer(QString::fromStdString((folder / "damaged.dat").string()));
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
    dialogs.answer(QString::fromStdString((folder / "filelist.dat").string()));
    kit::click(dialog, "bCopyAdd");
    expectRemoveLimit(dialog, "lCopy", "bCopyRemove", 100);
}

} // namespace
