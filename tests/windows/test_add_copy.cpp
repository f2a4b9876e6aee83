#include "tests/windows/main_window_fixture.h"

#include <QLineEdit>

using veq::Entries;
using veq::ListId;

namespace {

TEST_F(MainWindow, AddDialogTakesWritableEntriesOnlyAndFinishAddsEachOnce)
{
    // The parser's catalogue is the core's, and each kind's Add the command line's window test's;
    // here the window takes a typed entry, or shows what the parser says.
    const struct {
        ListId id;
        const char *typed, *added, *names, *refusal; // added null: refused, saying `refusal`
    } cases[] = {
        {ListId::Except, "03011804x03010814", "03011804 ======> 03010814", "Except", ""},
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
    EXPECT_EQ(shown(ListId::Except), Entries{"03011804 ======> 03010814"});
    EXPECT_EQ(kit::text(window.get(), "labCountExcept"), QStringLiteral("1"));
    EXPECT_TRUE(shown(ListId::PlaneSq).empty());

    kit::click(window.get(), "bAddPlaneSq");
    QWidget* dialog = kit::find(nullptr, "fFileListAdd");
    for (unsigned i = 0; i < 105; ++i) {
        kit::find<QLineEdit>(dialog, "tAddFilelistText")->setText(QString::fromStdString(kit::hex2(i) + "00000094"));
        kit::click(dialog, "bAddFileListEntry");
    }
    expectRemoveLimit(dialog, "lNewFileList", "bRemove", 100);
}

// Copy lists the records of the plane from each file read (which records is
// the core's), keeps its id across openings, and Finish hands each over once.
TEST_F(MainWindow, CopyDialogCollectsThePlaneFromEachFileReadKeepsItsIdAndFinishAddsEachOnce)
{
    window->AddListItems({"03010714"}, ListId::FileList);
    kit::click(window.get(), "bCopyExcept");
    QWidget* dialog = kit::find(nullptr, "fCopy");
    EXPECT_TRUE(dialog->isVisible() && !window->isVisible());
    EXPECT_TRUE(kit::text(dialog, "labFileId").contains(QStringLiteral("Except")));
    kit::find<QLineEdit>(dialog, "tCopyPlaneId")->setText(QStringLiteral("25"));
    kit::writeFile(folder / "damaged.dat", kit::dataImage(ListId::Except, {}, 4));
    for (const kit::fs::path& file : {folder / "damaged.dat", kit::fs::path()}) {
        answer(file);
        kit::click(dialog, "bCopyAdd");
        EXPECT_TRUE(kit::shownMessage().contains(file.empty() ? QStringLiteral("File not Selected")
                                                              : QStringLiteral("damaged.dat")));
    }
    EXPECT_TRUE(dialogs.asked[0].suggestedName.isEmpty());
    kit::click(dialog, "bCopyCancel");

    Entries records{"03260000"};
    for (unsigned i = 0; i < 120; ++i)
        records.push_back("0325" + kit::hex2(i) + "00");
    kit::writeFile(folder / "filelist.dat", kit::dataImage(ListId::FileList, records));
    kit::click(window.get(), "bCopyFileList");
    EXPECT_TRUE(kit::text(dialog, "labFileId").contains(QStringLiteral("Filelist")));
    EXPECT_EQ(kit::find<QLineEdit>(dialog, "tCopyPlaneId")->text(), QStringLiteral("25"));
    for (int read = 0; read < 2; ++read) {
        answer(folder / "filelist.dat");
        kit::click(dialog, "bCopyAdd");
    }
    EXPECT_EQ(kit::items(dialog, "lCopy").size(), 240u);
    expectRemoveLimit(dialog, "lCopy", "bCopyRemove", 100); // the first 50 ids, each read twice
    kit::click(dialog, "bCopyFinish");
    EXPECT_TRUE(window->isVisible() && !dialog->isVisible());
    EXPECT_EQ(shown(ListId::FileList).size(), 71u);
}

} // namespace
