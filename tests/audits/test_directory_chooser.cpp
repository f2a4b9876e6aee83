#include "audits/directory_chooser.h"
#include "tests/support/gui_support.h"

#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>

void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

namespace {

class Chooser : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("a/b")));
        host.resize(400, 500);
        chooser = new DirectoryChooser(QStringLiteral("dirTest"), &host);
        chooser->resize(400, 500);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    QString sub(const char* relative) const { return QDir::cleanPath(folder.filePath(QString::fromLatin1(relative))); }
    QModelIndex indexOf(const QString& path) const { return chooser->indexOf(path); }
    QString shownPath() const { return control<QLineEdit>(chooser, "dirTestPath")->text(); }

    QTemporaryDir folder;
    QWidget host;
    DirectoryChooser* chooser = nullptr;
};

TEST_F(Chooser, StartsAtTheCurrentDirectoryAndShowsIt)
{
    EXPECT_EQ(chooser->objectName(), QStringLiteral("dirTest"));
    EXPECT_EQ(chooser->currentPath(), QDir::cleanPath(QDir::currentPath()));
    EXPECT_EQ(shownPath(), QDir::toNativeSeparators(chooser->currentPath()));
}

TEST_F(Chooser, HighlightingAFolderDoesNotOpenItEnterDoes)
{
    chooser->setCurrentPath(sub("a"));
    const QModelIndex b = indexOf(sub("a/b"));
    ASSERT_TRUE(b.isValid());
    chooser->tree()->setCurrentIndex(b);
    EXPECT_EQ(chooser->currentPath(), sub("a"));

    QSignalSpy changed(chooser, &DirectoryChooser::currentPathChanged);
    chooser->tree()->setFocus();
    QTest::keyClick(chooser->tree(), Qt::Key_Return);
    EXPECT_EQ(chooser->currentPath(), sub("a/b"));
    EXPECT_EQ(shownPath(), QDir::toNativeSeparators(sub("a/b")));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), sub("a/b"));
}

TEST_F(Chooser, DoubleClickOpensAndUnfoldsTheFolder)
{
    chooser->setCurrentPath(folder.path());
    const QModelIndex a = indexOf(sub("a"));
    QTreeView* tree = chooser->tree();
    ASSERT_FALSE(tree->isExpanded(a));
    tree->scrollTo(a);
    const QRect rect = tree->visualRect(a);
    ASSERT_TRUE(rect.isValid());
    // A widget double-click arrives as press, release, double-click, release.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(chooser->currentPath(), QDir::cleanPath(folder.path()));
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(chooser->currentPath(), sub("a"));
    EXPECT_TRUE(tree->isExpanded(a));
    // A single click only highlights.
    tree->scrollTo(indexOf(folder.path()));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(indexOf(folder.path())).center());
    EXPECT_EQ(tree->currentIndex(), indexOf(folder.path()));
    EXPECT_EQ(chooser->currentPath(), sub("a"));
}

TEST_F(Chooser, SetPathShowsTheFolderOpenInTheTree)
{
    chooser->setCurrentPath(folder.path() + QStringLiteral("/a/./b/"));
    EXPECT_EQ(chooser->currentPath(), sub("a/b"));
    EXPECT_EQ(chooser->tree()->currentIndex(), indexOf(sub("a/b")));
    EXPECT_TRUE(chooser->tree()->isExpanded(indexOf(sub("a"))));

    chooser->setCurrentPath(QDir::rootPath());
    EXPECT_EQ(chooser->currentPath(), QDir::rootPath());
    EXPECT_EQ(shownPath(), QDir::toNativeSeparators(QDir::rootPath()));
}

TEST_F(Chooser, ListsFoldersOnly)
{
    writeBytes(folder.filePath(QStringLiteral("a/file.bmp")), {1});
    chooser->setCurrentPath(sub("a"));
    auto* model = chooser->tree()->model();
    const QModelIndex a = indexOf(sub("a"));
    ASSERT_EQ(model->rowCount(a), 1);
    EXPECT_EQ(model->index(0, 0, a).data().toString(), QStringLiteral("b"));
}

} // namespace
