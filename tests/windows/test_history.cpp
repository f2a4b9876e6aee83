#include "tests/windows/main_window_fixture.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <optional>

using veq::Entries;
using veq::ListId;

namespace {

// What a list shows, and the headers that Write writes back with it (none while it is empty).
struct ListState {
    Entries entries;
    QString count;
    std::optional<veq::DataFileHeaders> headers;
    bool operator==(const ListState&) const = default;
};

class History : public MainWindow {
protected:
    QListView* view(ListId id) const { return kit::find<QListView>(window.get(), controls(id).list); }

    ListState state(ListId id)
    {
        ListState now{shown(id), kit::text(window.get(), controls(id).count), std::nullopt};
        if (!now.entries.empty()) {
            answer(folder / "state.dat");
            kit::click(window.get(), controls(id).write);
            veq::ConversionBuffer buf{};
            now.headers = veq::parseDataFile(kit::readFile(folder / "state.dat"), id, buf)->headers;
        }
        return now;
    }

    void activate()
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // The keys go where the user's would: to the widget with the keyboard.
    void press(const QKeySequence& keys)
    {
        activate();
        QTest::keySequence(QApplication::focusWidget(), keys);
        kit::settle();
    }

    // The list's menu, from a right-click or from `keys` on the list: which of its items can act.
    std::vector<bool> openMenu(ListId id, const QKeySequence& keys = {})
    {
        // A right-click's menu opens at the pointer's height (across, it may move to stay on the screen).
        const QPoint at = view(id)->mapToGlobal(QPoint(4, 60));
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(4, 60), at);
        if (keys.isEmpty())
            QApplication::sendEvent(view(id)->viewport(), &click);
        else
            QTest::keySequence(view(id), keys);
        menu = window->findChild<QMenu*>(QStringLiteral("listMenu"));
        EXPECT_TRUE(menu->isVisible() && (!keys.isEmpty() || menu->pos().y() == at.y()));
        std::vector<bool> enabled;
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                enabled.push_back(action->isEnabled());
        return enabled;
    }
    void choose(const QString& command)
    {
        for (QAction* action : menu->actions())
            if (action->text().startsWith(command))
                action->trigger();
        menu->close();
        kit::settle();
    }

    QMenu* menu = nullptr;
};

TEST_F(History, EveryStepIsUndoneAndRedoneExactly)
{
    veq::Bytes otherHeaders = kit::dataImage(ListId::FileList, kit::randomEntries(ListId::FileList, 40, 9));
    otherHeaders[0] = 0x01;
    kit::writeFile(folder / "b.dat", otherHeaders);
    kit::writeFile(folder / "dropped.dat", kit::dataImage(ListId::PlaneSq, {"0100000001"}));
    kit::writeFile(folder / "a.dat", kit::dataImage(ListId::FileList, kit::randomEntries(ListId::FileList, 50, 8)));
    const std::string here = folder.path().string();
    // A step made by the window's controls, as kit::drive reads them.
    const auto by = [&](const std::vector<std::string>& script) -> std::function<void()> {
        return [&, script] { kit::drive(dialogs, script); };
    };
    const struct {
        const char* step;
        ListId id;
        std::function<void()> act;
    } steps[] = {
        {"read, the list's first change", ListId::FileList, by({"@" + here + "/a.dat", "bRdFilelist"})},
        {"read over another file", ListId::FileList, by({"@" + here + "/b.dat", "bRdFilelist"})},
        // Every tool window hands its entries over as Add's does.
        {"Add", ListId::Except,
         by({"bAddExcept", "tAddFilelistText=03011804-03010814", "bAddFileListEntry", "bFileListEntryFinish"})},
        {"delete", ListId::FileList,
         [&] {
             kit::selectRows(view(ListId::FileList), {0, 2, 3});
             kit::click(window.get(), "bDelFileList");
         }},
        {"paste", ListId::Except,
         [&] {
             QGuiApplication::clipboard()->setText(QStringLiteral("03011804 ======> 0301081f\r\n03011805-03010815"));
             press(QKeySequence::Paste);
         }},
        {"drop of a file whatever its name", ListId::PlaneSq,
         [&] {
             QMimeData files;
             files.setUrls({QUrl::fromLocalFile(QString::fromStdString(here + "/dropped.dat"))});
             QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
             QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(view(ListId::PlaneSq)->viewport(), &enter);
             QApplication::sendEvent(view(ListId::PlaneSq)->viewport(), &drop);
             kit::settle();
             EXPECT_TRUE(enter.isAccepted() && view(ListId::PlaneSq)->viewport()->acceptDrops());
         }},
    };
    const QKeySequence redoKeys[] = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                     QKeySequence(Qt::CTRL | Qt::Key_Y)};
    std::size_t turn = 0;
    for (const auto& [step, id, act] : steps) {
        SCOPED_TRACE(step);
        activate();
        view(id)->setFocus(); // the keys act on it, also once a button has the keyboard
        kit::find(window.get(), controls(id).add)->setFocus();
        const ListState before = state(id);
        act();
        const ListState after = state(id);
        ASSERT_NE(before, after);
        for (int round = 0; round < 2; ++round) {
            press(QKeySequence::Undo);
            EXPECT_EQ(state(id), before);
            press(redoKeys[turn++ % 2]);
            EXPECT_EQ(state(id), after);
        }
    }
    EXPECT_EQ(kit::shownMessage(), QString());
}

class Clipboard : public History, public ::testing::WithParamInterface<ListId> {};

TEST_P(Clipboard, CopyThenPasteGivesTheSameEntriesAndTheMenuActsOnItsList)
{
    const ListId id = GetParam();
    window->AddListItems(kit::randomEntries(id, 200, 5), id);
    const Entries held = shown(id);
    QGuiApplication::clipboard()->setText(QStringLiteral(" \n "));
    // Undo, Redo, Copy, Paste, Delete, Select All: which can act (what was added is selected).
    EXPECT_EQ(openMenu(id), (std::vector<bool>{true, false, true, false, true, true}));
    menu->close();
    view(id)->clearSelection();
    EXPECT_EQ(openMenu(id), (std::vector<bool>{true, false, false, false, false, true}));
    choose(QStringLiteral("Select All"));
    EXPECT_EQ(openMenu(id, QKeySequence(Qt::Key_Menu)), (std::vector<bool>{true, false, true, false, true, true}));
    choose(QStringLiteral("Copy"));
    press(QKeySequence::Undo);
    ASSERT_TRUE(shown(id).empty());
    openMenu(id, QKeySequence(Qt::SHIFT | Qt::Key_F10));
    EXPECT_EQ(menu->actions()[1]->text(),
              QStringLiteral("Redo Add 200 entries to %1").arg(QString::fromLatin1(veq::dataKind(id).caption)));
    choose(QStringLiteral("Paste"));
    EXPECT_EQ(shown(id), held);
    QTest::keyClick(view(id), Qt::Key_Down, Qt::ShiftModifier); // another shifted key opens no menu
    EXPECT_FALSE(menu->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Kinds, Clipboard, ::testing::ValuesIn(veq::kAllLists));

// The rows a list has selected.
std::vector<int> selectedRows(const QListView* list)
{
    std::vector<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

TEST_F(History, UndoTakesBackTheWindowsLastChangeWhicheverListAndSelectsWhatItChanged)
{
    read(ListId::Except, {"03011804 ======> 03010814"});
    // The keyboard stays on FileList while the change is made in Except.
    view(ListId::FileList)->setFocus();
    window->AddListItems({"03011804 ======> 03019999", "03011804 ======> 03010814"}, ListId::Except);
    // What was handed over is selected, the entry held already too.
    EXPECT_EQ(selectedRows(view(ListId::Except)), (std::vector<int>{0, 1}));
    view(ListId::FileList)->setFocus();
    press(QKeySequence::Undo);
    EXPECT_EQ(shown(ListId::Except), Entries{"03011804 ======> 03010814"});
    openMenu(ListId::FileList); // any list's menu takes the window's last change back
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Redo Add 1 entry to Except"));
    choose(QStringLiteral("Redo"));
    // Done again, the entry that came back is selected and current.
    EXPECT_EQ(selectedRows(view(ListId::Except)), std::vector<int>{1});
    EXPECT_EQ(view(ListId::Except)->currentIndex().row(), 1);

    // Undone back to before its first change, a list's count is blank again.
    press(QKeySequence::Undo);
    press(QKeySequence::Undo);
    EXPECT_EQ(kit::text(window.get(), "labCountExcept"), QString());

    // An entry added at the end of a long list is scrolled into view.
    window->AddListItems(kit::randomEntries(ListId::PlaneSq, 2000, 3), ListId::PlaneSq);
    view(ListId::PlaneSq)->scrollToTop();
    window->AddListItems({"FF000000FF"}, ListId::PlaneSq);
    QListView* planes = view(ListId::PlaneSq);
    EXPECT_EQ(planes->currentIndex().data().toString(), QStringLiteral("FF000000FF"));
    EXPECT_TRUE(planes->viewport()->rect().intersects(planes->visualRect(planes->currentIndex())));
}

} // namespace
