#include "audits/directory_chooser.h"
#include "audits/missing_window.h"
#include "tests/audits/audit_support.h"
#include "ui/layout.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

namespace {

using veq::Entries;

// Three file-list ids: one covered by an exception's left id, one that is
// also an exception's right id, one on its own. Two exceptions share a right id.
const Entries kFileList{"03000112", "03010814", "0A1B2C3D"};
const Entries kExcept{"03000112 ======> 03010815", "03011804 ======> 03010814", "03011805 ======> 03010814"};

class MissingWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<Missing>();
        window->setMainLists(kFileList, kExcept);
        chooser()->setCurrentPath(folder.path());
        window->show();
    }

    DirectoryChooser* chooser() const { return control<DirectoryChooser>(window.get(), "dirMissing"); }
    Entries items(const char* list) const { return shownItems(window.get(), list); }
    QString count(const char* label) const { return labelText(window.get(), label); }
    void report() { click(window.get(), "bReport"); }

    void expectReport(const Entries& fileListMissing, const Entries& exceptMissing, const Entries& missing)
    {
        EXPECT_EQ(items("lFileListMissing"), fileListMissing);
        EXPECT_EQ(items("lExceptMissing"), exceptMissing);
        EXPECT_EQ(items("lMissing"), missing);
        EXPECT_EQ(count("labFileListMissingCount"), QString::number(fileListMissing.size()));
        EXPECT_EQ(count("labExceptMissingCount"), QString::number(exceptMissing.size()));
        EXPECT_EQ(count("labMissingCount"), QString::number(missing.size()));
    }

    BitmapFolder folder;
    std::unique_ptr<Missing> window;
};

TEST_F(MissingWindow, ControlsHaveTheirCaptionsAndListsStartBlank)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("Missing"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Missing Bitmaps"));
    EXPECT_EQ(labelText(window.get(), "labPath"), QStringLiteral("Choose Directory"));
    EXPECT_EQ(control<QPushButton>(window.get(), "bReport")->text(), QStringLiteral("Report ===>"));
    EXPECT_EQ(control<QPushButton>(window.get(), "breportCancel")->text(), QStringLiteral("Exit"));

    const struct {
        const char* frame;
        const char* caption;
        const char* list;
        const char* count;
    } results[] = {{"FrMissing", "Missing FileList", "lFileListMissing", "labFileListMissingCount"},
                   {"Frame1", "Missing Except", "lExceptMissing", "labExceptMissingCount"},
                   {"Frame2", "Missing", "lMissing", "labMissingCount"}};
    for (const auto& r : results) {
        auto* frame = control<QGroupBox>(window.get(), r.frame);
        auto* list = control<QListView>(window.get(), r.list);
        ASSERT_TRUE(frame && list);
        EXPECT_EQ(frame->title(), QString::fromLatin1(r.caption));
        EXPECT_EQ(list->parentWidget(), frame) << r.list;
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection) << r.list;
        EXPECT_TRUE(items(r.list).empty());
        EXPECT_TRUE(count(r.count).isEmpty()) << r.count;
    }
}

TEST_F(MissingWindow, LayoutChooserLeftFramesSideBySideExitBottomRight)
{
    const auto geometry = [this](const char* name) { return control<QWidget>(window.get(), name)->geometry(); };
    const QRect labPath = geometry("labPath");
    const QRect dir = geometry("dirMissing");
    const QRect report = geometry("bReport");
    EXPECT_LE(labPath.bottom(), dir.top());
    EXPECT_LE(dir.bottom(), report.top());
    EXPECT_EQ(labPath.left(), dir.left());
    EXPECT_EQ(report.left(), dir.left());

    int left = dir.right();
    int countsBottom = 0;
    for (const auto& [frame, label] :
         {std::pair{"FrMissing", "labFileListMissingCount"}, std::pair{"Frame1", "labExceptMissingCount"},
          std::pair{"Frame2", "labMissingCount"}}) {
        const QRect f = geometry(frame);
        const QRect c = geometry(label);
        EXPECT_GT(f.left(), left) << frame;
        EXPECT_EQ(f.top(), labPath.top()) << frame;
        EXPECT_GE(c.top(), f.bottom()) << label;
        EXPECT_GE(c.left(), f.left()) << label;
        EXPECT_LE(c.right(), f.right()) << label;
        left = f.right();
        countsBottom = std::max(countsBottom, c.bottom());
    }
    const QRect line = geometry("Line1");
    const QRect exit = geometry("breportCancel");
    EXPECT_EQ(control<QFrame>(window.get(), "Line1")->frameShape(), QFrame::HLine);
    EXPECT_GT(line.top(), countsBottom);
    EXPECT_LT(line.bottom(), exit.top());
    EXPECT_EQ(line.width(), window->width());
    EXPECT_GE(exit.left(), geometry("Frame2").left());
    EXPECT_LE(window->width() - exit.right(), twips(240));
    EXPECT_LE(window->height() - exit.bottom(), twips(240));
    EXPECT_LE(left, window->width());
}

TEST_F(MissingWindow, EmptyFolderListsEveryBitmapOnceByItsName)
{
    report();
    expectReport({"03000112.bmp", "03010814.bmp", "0A1B2C3D.bmp"}, {"03010814.bmp", "03010815.bmp"},
                 {"03010814.bmp", "03010815.bmp", "0A1B2C3D.bmp"});
}

TEST_F(MissingWindow, NamesMatchWithoutRegardToCase)
{
    folder.add("03000112.BMP");
    folder.add("0a1b2c3d.bmp");
    folder.add("03010815.Bmp");
    report();
    expectReport({"03010814.bmp"}, {"03010814.bmp"}, {"03010814.bmp"});
}

TEST_F(MissingWindow, ReadOnlyFilesCountHiddenFilesAndFoldersDoNot)
{
    folder.addReadOnly("03010814.bmp");
    folder.add(".0A1B2C3D.bmp");
    folder.addFolder("03010815.bmp");
    report();
    expectReport({"03000112.bmp", "0A1B2C3D.bmp"}, {"03010815.bmp"}, {"03010815.bmp", "0A1B2C3D.bmp"});
}

TEST_F(MissingWindow, RepeatedReportsReplaceTheirLists)
{
    report();
    const Entries first = items("lMissing");
    report();
    expectReport({"03000112.bmp", "03010814.bmp", "0A1B2C3D.bmp"}, {"03010814.bmp", "03010815.bmp"}, first);

    folder.add("03010814.bmp");
    folder.add("03010815.bmp");
    folder.add("0A1B2C3D.bmp");
    folder.add("03000112.bmp");
    report();
    expectReport({}, {}, {});
}

TEST_F(MissingWindow, SearchesTheFolderOpenedInTheChooser)
{
    folder.addFolder("sub");
    folder.add("sub/03010814.bmp");
    report();
    EXPECT_EQ(items("lExceptMissing"), (Entries{"03010814.bmp", "03010815.bmp"}));
    chooser()->setCurrentPath(folder.filePath(QStringLiteral("sub")));
    report();
    EXPECT_EQ(items("lExceptMissing"), (Entries{"03010815.bmp"}));
}

TEST_F(MissingWindow, FolderThatIsGoneListsEverything)
{
    folder.add("03010814.bmp");
    folder.addFolder("gone");
    chooser()->setCurrentPath(folder.filePath(QStringLiteral("gone")));
    ASSERT_TRUE(QDir(folder.filePath(QStringLiteral("gone"))).removeRecursively());
    report();
    EXPECT_EQ(count("labFileListMissingCount"), QStringLiteral("3"));
    EXPECT_EQ(count("labExceptMissingCount"), QStringLiteral("2"));
}

TEST_F(MissingWindow, ReportAtARootFolder)
{
    chooser()->setCurrentPath(QDir::rootPath());
    ASSERT_EQ(chooser()->currentPath(), QDir::rootPath());
    report();
    // No test writes bitmaps there, so every bitmap is missing.
    expectReport({"03000112.bmp", "03010814.bmp", "0A1B2C3D.bmp"}, {"03010814.bmp", "03010815.bmp"},
                 {"03010814.bmp", "03010815.bmp", "0A1B2C3D.bmp"});
}

TEST_F(MissingWindow, ExitKeepsReportAndFolderForTheNextOpening)
{
    folder.addFolder("sub");
    chooser()->setCurrentPath(folder.filePath(QStringLiteral("sub")));
    report();
    QSignalSpy closed(window.get(), &ToolWindow::closed);
    QSignalSpy finished(window.get(), &ToolWindow::finished);
    click(window.get(), "breportCancel");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(finished.count(), 0);

    window->setMainLists(kFileList, kExcept);
    window->show();
    EXPECT_EQ(chooser()->currentPath(), folder.filePath(QStringLiteral("sub")));
    expectReport({"03000112.bmp", "03010814.bmp", "0A1B2C3D.bmp"}, {"03010814.bmp", "03010815.bmp"},
                 {"03010814.bmp", "03010815.bmp", "0A1B2C3D.bmp"});
}

TEST_F(MissingWindow, AddItemOperationsSkipEqualTextsAndKeepOrder)
{
    const struct {
        void (Missing::*add)(const veq::Entry&);
        const char* list;
    } lists[] = {{&Missing::AddMissingItem, "lMissing"},
                 {&Missing::AddFileListMissingItem, "lFileListMissing"},
                 {&Missing::AddExceptMissingItem, "lExceptMissing"}};
    for (const auto& l : lists) {
        for (const char* item : {"03010815.bmp", "03010814.bmp", "03010815.bmp", "0A1B2C3D.bmp", "03010814.bmp"})
            (window.get()->*l.add)(item);
        EXPECT_EQ(items(l.list), (Entries{"03010814.bmp", "03010815.bmp", "0A1B2C3D.bmp"})) << l.list;
    }
}

} // namespace
