#include "audits/directory_chooser.h"
#include "tests/windows/main_window_fixture.h"

#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QToolTip>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <span>

using veq::Entries;
using veq::ListId;

namespace {

TEST_F(MainWindow, MissingNeedsBothListsReportsOnThemAsTheyStandAndKeepsItsReport)
{
    // Missing asks for the file list first, then for the exception list.
    kit::click(window.get(), "bMissing");
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("filelist.dat")));
    window->AddListItems({"03010714", "03010715", "03010716"}, ListId::FileList);
    kit::click(window.get(), "bMissing");
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("except.dat")) && !kit::topLevel("Missing"));
    window->AddListItems({"03010716 ======> 03010717", "03010718 ======> 03010714", "03010719 ======> 03010717"},
                         ListId::Except);
    kit::writeFile(folder / "03010714.BMP", {1});
    kit::fs::create_directory(folder / "03010715.bmp");
    kit::click(window.get(), "bMissing");
    QWidget* missing = kit::topLevel("Missing");
    ASSERT_TRUE(missing->isVisible() && !window->isVisible());
    // The report's three lists (as the core makes them) and their counts, blank before the first report.
    const std::pair<const char*, const char*> lists[] = {{"lFileListMissing", "labFileListMissingCount"},
                                                         {"lExceptMissing", "labExceptMissingCount"},
                                                         {"lMissing", "labMissingCount"}};
    for (const auto& [list, count] : lists)
        EXPECT_EQ(kit::text(missing, count), QString());
    const auto expectReport = [&](const std::array<Entries, 3>& report) {
        for (std::size_t k = 0; k < report.size(); ++k) {
            EXPECT_EQ(kit::items(missing, lists[k].first), report[k]);
            EXPECT_EQ(kit::text(missing, lists[k].second), QString::number(report[k].size()));
        }
    };
    kit::drive(dialogs, {"dirMissing=" + folder.path().string()});
    kit::click(missing, "bReport");
    const std::array<Entries, 3> first{
        {{"03010715.bmp", "03010716.bmp"}, {"03010717.bmp"}, {"03010715.bmp", "03010717.bmp"}}};
    expectReport(first);

    // The report and the folder stay for the next visit; a folder that cannot
    // be read says so and leaves the report as it was.
    kit::click(missing, "breportCancel");
    EXPECT_TRUE(window->isVisible() && !missing->isVisible());
    window->AddListItems({"03010720"}, ListId::FileList);
    kit::click(window.get(), "bMissing");
    expectReport(first);
    kit::drive(dialogs, {"dirMissing=" + (folder / "gone").string()});
    kit::click(missing, "bReport");
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("gone"))) << kit::shownMessage().toStdString();
    expectReport(first);
    kit::drive(dialogs, {"dirMissing=" + folder.path().string()});
    kit::click(missing, "bReport");
    expectReport({{{"03010715.bmp", "03010716.bmp", "03010720.bmp"},
                   {"03010717.bmp"},
                   {"03010715.bmp", "03010717.bmp", "03010720.bmp"}}});
}

// Extra offers the folder's part bitmaps that the file list lacks (which names
// count is the core's), shows the bitmap of the id under the pointer, read then,
// and Finish adds them.
TEST_F(MainWindow, ExtraOffersUnlistedPartBitmapsShowsThemUnderThePointerAndFinishAddsThem)
{
    window->AddListItems({"03010715"}, ListId::FileList);
    kit::writeFile(folder / "03010715.bmp", {1});
    // Each file as drawn and as shown: 0 x 0 when it cannot be read, which the tooltip says.
    const std::tuple<const char*, QSize, QSize> bitmaps[] = {
        {"03010714.bmp", {300, 150}, {128, 64}},
        {"030a0b0c.BMP", {40, 30}, {40, 30}},
        {"03010716.bmp", {}, {0, 0}},
        {"03010717.bmp", {64, 64}, {64, 64}}}; // damaged at the check, drawn before the pointer came
    const auto draw = [&](const char* file, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        EXPECT_TRUE(image.save(QString::fromStdString((folder / file).string()), "BMP"));
    };
    for (const auto& [file, size, picture] : bitmaps)
        kit::writeFile(folder / file, {'B', 'M', 1, 2, 3});
    for (const auto& [file, size, picture] : std::span(bitmaps).first(2))
        draw(file, size);
    draw("030A0B0C.bmp", {40, 30}); // where names differ in case, another file of the same id
    kit::click(window.get(), "bExtra");
    QWidget* extra = kit::topLevel("fExtra");
    ASSERT_TRUE(extra->isVisible() && !window->isVisible());
    kit::drive(dialogs, {"DirExtra=" + folder.path().string()});
    kit::click(extra, "bCheck");
    draw("03010717.bmp", {64, 64});

    auto* list = kit::find<QListView>(extra, "lExtra");
    const Entries offered = kit::items(list);
    // Each file is offered, also two of one id.
    Entries expected{"03010714", "03010716", "03010717", "030A0B0C"};
    const auto ofTheId = [](const std::string& name) { return name.starts_with("030a") || name.starts_with("030A"); };
    if (std::ranges::count_if(folder.names(), ofTheId) == 2)
        expected.push_back("030A0B0C");
    EXPECT_EQ(offered, expected);
    EXPECT_EQ(kit::text(extra, "labExtra"), QString::number(expected.size()));
    for (const auto& [file, size, picture] : bitmaps) {
        const std::string id = QString::fromLatin1(file).left(8).toUpper().toStdString();
        const QPoint at =
            list->visualRect(list->model()->index(int(std::ranges::find(offered, id) - offered.begin()), 0)).center();
        QHelpEvent hover(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &hover);
        const QString tip = QToolTip::text();
        const QString png = QRegularExpression(QStringLiteral("base64,([^\"]+)")).match(tip).captured(1);
        EXPECT_EQ(QImage::fromData(QByteArray::fromBase64(png.toLatin1()), "PNG").size(), picture) << file;
        EXPECT_TRUE(tip.contains(QString::fromLatin1(file)) && tip.contains(u"cannot be shown") == picture.isEmpty())
            << tip.toStdString();
    }
    kit::click(extra, "Command1");
    EXPECT_EQ(shown(ListId::FileList).size(), 5u);
    EXPECT_TRUE(window->isVisible() && !extra->isVisible());

    // The next opening compares with the file list as it stands then.
    for (unsigned i = 0; i < 1001; ++i)
        kit::writeFile(folder / ("0302" + kit::hex2(i >> 8) + kit::hex2(i) + ".bmp"), {1});
    kit::click(window.get(), "bExtra");
    kit::click(extra, "bCheck");
    EXPECT_EQ(kit::text(extra, "labExtra"), QStringLiteral("1001"));
    expectRemoveLimit(extra, "lExtra", "bRemove", 1000);
    EXPECT_EQ(kit::text(extra, "labExtra"), QStringLiteral("1"));
    kit::click(extra, "bCancel");
    EXPECT_EQ(shown(ListId::FileList).size(), 5u);
}

TEST(Chooser, OpensWhatIsOpenedNotWhatIsHighlightedAndComparesNamesAsTheFileSystemDoes)
{
    kit::TempFolder folder;
    kit::fs::create_directories(folder / "a" / "b");
    kit::fs::create_directory(folder / "Bitmaps");
    kit::fs::create_directories(folder / ".wine" / "drive_c");
    const bool caseCounts = !kit::fs::exists(folder / "bitmaps") && kit::fs::create_directory(folder / "bitmaps");
    const auto path = [&](const char* relative) {
        return QDir::cleanPath(QString::fromStdString((folder / relative).string()));
    };
    QWidget host;
    auto* chooser = new DirectoryChooser(QStringLiteral("dirTest"), &host);
    chooser->resize(150, 500);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    EXPECT_EQ(chooser->currentPath(), QDir::cleanPath(QDir::currentPath()));

    chooser->setCurrentPath(path("a"));
    QTreeWidget* tree = chooser->tree();
    // The opened folder is shown unfolded, under unfolded parents.
    for (QTreeWidgetItem* item = tree->currentItem(); item; item = item->parent())
        EXPECT_TRUE(item->isExpanded()) << item->text(0).toStdString();
    ASSERT_EQ(tree->currentItem()->childCount(), 1);
    tree->setCurrentItem(tree->currentItem()->child(0));
    EXPECT_EQ(chooser->currentPath(), path("a"));
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(chooser->currentPath(), path("a/b"));
    // The path box only shows the opened folder: typing into it changes nothing.
    auto* shown = kit::find<QLineEdit>(chooser, "dirTestPath");
    QTest::keyClicks(shown, QStringLiteral("/x"));
    EXPECT_EQ(shown->text(), QDir::toNativeSeparators(path("a/b")));
    // A folder too deep for the tree's width scrolls it sideways, its name whole.
    EXPECT_GT(tree->horizontalScrollBar()->maximum(), 0);

#ifndef Q_OS_WIN
    // A dot-folder, where Wine keeps the simulation, opens like any other.
    chooser->setCurrentPath(path(".wine/drive_c"));
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("drive_c"));
#endif
    // Where names differ only in case, each is its own folder.
    for (const char* name : {"bitmaps", "Bitmaps"}) {
        if (!caseCounts)
            break;
        chooser->setCurrentPath(path(name));
        EXPECT_EQ(chooser->currentPath(), path(name));
        EXPECT_EQ(tree->currentItem()->text(0), QString::fromLatin1(name));
    }
}

} // namespace
