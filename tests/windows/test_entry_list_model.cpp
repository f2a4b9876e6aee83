#include "tests/kit/files.h"
#include "tests/kit/gui.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"

#include <QAbstractItemModelTester>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

#include <gtest/gtest.h>

using veq::Entries;

namespace {

class ListModel : public ::testing::TestWithParam<bool> {};

TEST_P(ListModel, KeepsTheModelContractThroughEveryChange)
{
    EntryListModel model(GetParam());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    Entries items = kit::randomEntries(veq::ListId::FileList, 60, 5, false);
    for (const auto& item : Entries(items.begin(), items.begin() + 20)) {
        const int before = model.count();
        const bool added = model.add(item);
        ASSERT_EQ(model.count(), before + (added ? 1 : 0));
        if (added) {
            const int row = inserted.takeLast().at(1).toInt();
            EXPECT_EQ(model.index(row).data().toString().toStdString(), item);
        }
    }
    EXPECT_EQ(model.add(model.entries().front()), GetParam());
    EXPECT_FALSE(model.index(model.count()).isValid());
    veq::EntryChange change = model.addMany(Entries(items.begin() + 20, items.end()));
    model.flip(change); // taken back and done again
    model.flip(change);
    // Runs of rows, scattered, some named twice, the last ones: the tester checks each run as announced.
    const Entries before = model.entries();
    const std::size_t last = before.size() - 1;
    model.removeAt({0, 1, 2, 9, 30, 31, last - 1, last, 31, 9});
    Entries expected = before;
    for (std::size_t row : std::vector<std::size_t>{last, last - 1, 31, 30, 9, 2, 1, 0})
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(row));
    EXPECT_EQ(model.entries(), expected);
    change = model.assign(kit::randomEntries(veq::ListId::FileList, 30, 6));
    model.flip(change);
    model.removeAt({});
    model.assign({});
    EXPECT_EQ(model.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Duplicates, ListModel, ::testing::Bool());

TEST(ListView, KeepsTheUsersPlaceThroughDeletionsAndBulkChanges)
{
    auto* model = new EntryListModel(false);
    EntryListView view(QStringLiteral("list"), model, QAbstractItemView::ExtendedSelection, QFont(), nullptr);
    model->setParent(&view);
    Entries all = kit::randomEntries(veq::ListId::FileList, 32767, 8);
    std::sort(all.begin(), all.end());
    model->assign(all);

    // Deleting the current row leaves the row before it current.
    view.setCurrentIndex(model->index(20000));
    model->removeAt({20000});
    EXPECT_EQ(view.currentIndex().row(), 19999);

    // A bulk addition keeps the selected and the current items.
    kit::selectRows(&view, {100, 200});
    view.selectionModel()->setCurrentIndex(model->index(300), QItemSelectionModel::NoUpdate);
    const std::string current = all[300];
    model->addMany({"00000000", "00000001", "FFFFFFFF"});
    EXPECT_EQ(view.selectionModel()->selectedRows().size(), 2);
    EXPECT_EQ(view.selectionModel()->selectedRows().first().row(), 102);
    EXPECT_EQ(view.currentIndex().data().toString().toStdString(), current);

    // A new content without the current item puts the current row next to where it was.
    model->assign(Entries(all.begin(), all.begin() + 250));
    EXPECT_EQ(view.currentIndex().row(), 249);
    model->assign(Entries(all.begin() + 1, all.begin() + 250));
    EXPECT_EQ(view.currentIndex().row(), 248);
    view.setCurrentIndex(model->index(0));
    model->assign(Entries(all.begin() + 2, all.begin() + 250));
    EXPECT_EQ(view.currentIndex().row(), 0);

    // A list that takes no files (a tool window's) refuses a drop of one, even
    // where its viewport takes drops (as Qt's own moves within a list need).
    view.viewport()->setAcceptDrops(true);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/data/filelist.dat"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

} // namespace
