#include "audits/directory_chooser.h"
#include "tests/windows/main_window_fixture.h"
#include "ui/entry_list_view.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <functional>
#include <optional>

using veq::Entries;
using veq::ListId;

namespace {

// What a list shows, and the headers that Write writes back with it.
struct ListState {
    Entries entries;
    QString count;
    std::optional<veq::DataFileHeaders> headers; // none while the list is empty
    bool operator==(const ListState&) const = default;
};

class History : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        for (ListId id : veq::kAllLists)
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                view(id)->model(), QAbstractItemModelTester::FailureReportingMode::Fatal));
    }

    [[nodiscard]] EntryListView* view(ListId id) const
    {
        return kit::find<EntryListView>(window.get(), controls(id).list);
    }

    ListState state(ListId id)
    {
        ListState now{shown(id), kit::text(window.get(), controls(id).count), std::nullopt};
        if (now.entries.empty())
            return now;
        answer(folder / "state.dat");
        kit::click(window.get(), controls(id).write);
        veq::ConversionBuffer buf{};
        auto file = veq::parseDataFile(kit::readFile(folder / "state.dat"), id, buf);
        EXPECT_TRUE(file) << file.reason();
        now.headers = file ? std::optional(file->headers) : std::nullopt;
        return now;
    }

    // The keys go where the user's would: to the widget with the keyboard.
    void press(const QKeySequence& keys)
    {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keySequence(QApplication::focusWidget(), keys);
        kit::settle();
    }

    // The list's context menu, opened by the Menu key or by a right-click.
    QMenu* openMenu(ListId id, QContextMenuEvent::Reason reason)
    {
        QWidget* target = reason == QContextMenuEvent::Keyboard ? view(id) : view(id)->viewport();
        QContextMenuEvent event(reason, QPoint(4, 4), target->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(target, &event);
        kit::settle();
        auto* menu = window->findChild<QMenu*>(QStringLiteral("listMenu"));
        EXPECT_TRUE(menu && menu->isVisible());
        return menu;
    }

    static QAction* item(QMenu* menu, const char* command)
    {
        for (QAction* action : menu->actions())
            if (action->text().startsWith(QLatin1String(command)))
                return action;
        ADD_FAILURE() << "no " << command;
        return new QAction(menu);
    }

    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

TEST_F(History, EveryStepIsUndoneAndRedoneExactly)
{
    kit::writeFile(folder / "03FF0001.bmp", {1});
    kit::SquadronBuilder squadrons;
    squadrons.record(0x94, 1, {0x25, 0x26});
    kit::writeFile(folder / "squadron.dat", squadrons.image());
    kit::writeFile(folder / "other.dat", kit::dataImage(ListId::PlaneSq, {"2500000095", "2600000095"}));
    veq::Bytes otherHeaders = kit::dataImage(ListId::FileList, kit::randomEntries(ListId::FileList, 40, 9));
    otherHeaders[0] = 0x01;
    kit::writeFile(folder / "b_filelist.dat", otherHeaders);
    kit::writeFile(folder / "dropped.dat", kit::dataImage(ListId::PlaneSq, {"0100000001"}));

    auto tool = [this](const char* launcher, const char* name, const std::function<void(QWidget*)>& work,
                       const char* finish) {
        kit::click(window.get(), launcher);
        QWidget* tool = kit::topLevel(name);
        work(tool);
        kit::click(tool, finish);
    };
    const struct {
        const char* step;
        ListId id;
        std::function<void()> act;
    } steps[] = {
        {"read into a list never changed", ListId::FileList,
         [this] { read(ListId::FileList, kit::randomEntries(ListId::FileList, 50, 8)); }},
        {"read over another file", ListId::FileList,
         [this] {
             answer(folder / "b_filelist.dat");
             kit::click(window.get(), "bRdFilelist");
         }},
        {"finish of Add", ListId::Except,
         [&] {
             tool(
                 "bAddExcept", "fFileListAdd",
                 [](QWidget* add) {
                     kit::find<QLineEdit>(add, "tAddFilelistText")->setText(QStringLiteral("03011804-03010814"));
                     kit::click(add, "bAddFileListEntry");
                 },
                 "bFileListEntryFinish");
         }},
        {"finish of Copy", ListId::PlaneSq,
         [&] {
             tool(
                 "bCopyPlaneSq", "fCopy",
                 [this](QWidget* copy) {
                     kit::find<QLineEdit>(copy, "tCopyPlaneId")->setText(QStringLiteral("25"));
                     answer(folder / "other.dat");
                     kit::click(copy, "bCopyAdd");
                 },
                 "bCopyFinish");
         }},
        {"finish of Extra", ListId::FileList,
         [&] {
             tool(
                 "bExtra", "fExtra",
                 [this](QWidget* extra) {
                     kit::find<DirectoryChooser>(extra, "DirExtra")
                         ->setCurrentPath(QString::fromStdString(folder.path().string()));
                     kit::click(extra, "bCheck");
                 },
                 "Command1");
         }},
        {"finish of AutoGen", ListId::PlaneSq,
         [&] {
             tool(
                 "bAuoGen", "fAutoGen",
                 [this](QWidget* autoGen) {
                     answer(folder / "squadron.dat");
                     kit::click(autoGen, "bOpenSq");
                 },
                 "bFinish");
         }},
        {"delete", ListId::FileList,
         [this] {
             kit::selectRows(view(ListId::FileList), {0, 2, 3});
             kit::click(window.get(), "bDelFileList");
         }},
        {"paste", ListId::Except,
         [this] {
             QGuiApplication::clipboard()->setText(QStringLiteral("03011804 ======> 0301081f\r\n03011805-03010815"));
             view(ListId::Except)->setFocus();
             press(QKeySequence::Paste);
         }},
        {"drop", ListId::PlaneSq,
         [this] {
             QMimeData files;
             files.setUrls({QUrl::fromLocalFile(QString::fromStdString((folder / "dropped.dat").string()))});
             QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
             QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(view(ListId::PlaneSq)->viewport(), &enter);
             QApplication::sendEvent(view(ListId::PlaneSq)->viewport(), &drop);
             kit::settle();
         }},
    };
    // Both redo keys of every desktop, in turn.
    const QKeySequence redoKeys[] = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                     QKeySequence(Qt::CTRL | Qt::Key_Y)};
    std::size_t turn = 0;
    for (const auto& [step, id, act] : steps) {
        SCOPED_TRACE(step);
        const ListState before = state(id);
        act();
        const ListState after = state(id);
        ASSERT_NE(before, after);
        view(id)->setFocus();
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

TEST_P(Clipboard, CopyThenPasteIntoAnEmptyListGivesTheSameEntries)
{
    const ListId id = GetParam();
    Entries entries = kit::randomEntries(id, 200, 5);
    // Typed, never written: an id with a character outside ASCII.
    const std::string odd = "0301180\xE6\x97\xA5";
    entries.push_back(id == ListId::Except ? odd + " ======> 03010814"
                                           : odd + std::string(veq::entryLength(id) - 8, 'A'));
    window->AddListItems(entries, id);
    const Entries held = shown(id);
    view(id)->setFocus();
    press(QKeySequence::SelectAll);
    press(QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text().count(u'\n'), static_cast<qsizetype>(held.size()) - 1);
    press(QKeySequence::Undo);
    ASSERT_TRUE(shown(id).empty());
    press(QKeySequence::Paste);
    EXPECT_EQ(shown(id), held);
    EXPECT_EQ(kit::shownMessage(), QString());

    // A line that is no entry of the list refuses the whole paste and makes no step.
    QGuiApplication::clipboard()->setText(QString::fromStdString(held.front() + "\n\n" + held.front() + "0\n"));
    kit::selectRows(view(id), {0});
    press(QKeySequence::Delete);
    press(QKeySequence::Paste);
    EXPECT_TRUE(kit::shownMessage().contains(QStringLiteral("line 3")));
    EXPECT_EQ(shown(id), Entries(held.begin() + 1, held.end()));
    press(QKeySequence::Undo);
    EXPECT_EQ(shown(id), held);
}

INSTANTIATE_TEST_SUITE_P(Kinds, Clipboard, ::testing::ValuesIn(veq::kAllLists));

TEST_F(History, TheMenuOffersWhatCanActOnItsListAndTheKeysFollowTheLastListFocused)
{
    window->AddListItems({"03010714", "03010715", "03010716"}, ListId::FileList);
    window->AddListItems({"03011804 ======> 03010814"}, ListId::Except);
    QGuiApplication::clipboard()->clear();
    auto enabled = [](QMenu* menu) {
        std::vector<std::pair<QString, bool>> items;
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                items.emplace_back(action->text(), action->isEnabled());
        return items;
    };
    kit::selectRows(view(ListId::FileList), {0, 2});
    QMenu* menu = openMenu(ListId::FileList, QContextMenuEvent::Mouse);
    using Items = std::vector<std::pair<QString, bool>>;
    EXPECT_EQ(enabled(menu), (Items{{QStringLiteral("Undo Add 3 entries"), true},
                                    {QStringLiteral("Redo"), false},
                                    {QStringLiteral("Copy"), true},
                                    {QStringLiteral("Paste"), false},
                                    {QStringLiteral("Delete"), true},
                                    {QStringLiteral("Select All"), true}}));
    item(menu, "Delete")->trigger();
    menu->close();
    kit::settle();
    EXPECT_EQ(shown(ListId::FileList), Entries{"03010715"});

    // From the keyboard too: nothing selected now, and a step to redo.
    menu = openMenu(ListId::FileList, QContextMenuEvent::Keyboard);
    item(menu, "Undo")->trigger();
    menu->close();
    kit::settle();
    menu = openMenu(ListId::FileList, QContextMenuEvent::Keyboard);
    EXPECT_EQ(enabled(menu)[1], std::pair(QStringLiteral("Redo Delete 2 entries"), true));
    EXPECT_FALSE(enabled(menu)[2].second || enabled(menu)[4].second);
    menu->close();
    kit::settle();

    // The keys act on the list last focused, also from a button.
    view(ListId::Except)->setFocus();
    kit::find(window.get(), "bRdFilelist")->setFocus();
    press(QKeySequence::Undo);
    EXPECT_TRUE(shown(ListId::Except).empty());
    EXPECT_EQ(shown(ListId::FileList).size(), 3u);
}

} // namespace
