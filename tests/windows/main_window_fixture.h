#pragma once

#include "core/data_file.h"
#include "editor/veq_window.h"
#include "tests/kit/files.h"
#include "tests/kit/gui.h"

#include <QTest>

#include <memory>

#include <gtest/gtest.h>

// The program's main window, shown, with scripted file dialogs and a folder
// for its files. Tool windows are reached through its own buttons.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<VEQ>(dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // The controls of one main list, by their design names.
    struct Controls {
        const char *read, *write, *remove, *add, *copy, *list, *count;
    };
    static const Controls& controls(veq::ListId id)
    {
        static const Controls all[] = {
            {"bRdFilelist", "bWrFilelist", "bDelFileList", "bAddFileList", "bCopyFileList", "lFileList",
             "labCountFileList"},
            {"bRdExcept", "bWrExcept", "bDelExcept", "bAddExcept", "bCopyExcept", "lExcept", "labCountExcept"},
            {"bRdPlaneSq", "bWrPlaneSq", "bDelPlaneSq", "bAddPlaneSq", "bCopyPlaneSq", "lPlaneSq", "labCountPlaneSq"}};
        return all[veq::slotOf(id)];
    }

    // Answers the next file dialog with `path`.
    void answer(const kit::fs::path& path) { dialogs.answer(QString::fromStdString(path.string())); }
    // Reads `records` through the list's "Read" button.
    void read(veq::ListId id, const veq::Entries& records)
    {
        const kit::fs::path path = folder / std::string(veq::dataKind(id).fileName);
        kit::writeFile(path, kit::dataImage(id, records));
        answer(path);
        kit::click(window.get(), controls(id).read);
    }
    [[nodiscard]] veq::Entries shown(veq::ListId id) const { return kit::items(window.get(), controls(id).list); }

    kit::TempFolder folder;
    kit::ScriptedFileDialogs dialogs;
    std::unique_ptr<VEQ> window;
};

// A list's "Remove" takes `limit` selected entries and refuses one more with
// a message, keeping the list. The list holds more than `limit` entries.
inline void expectRemoveLimit(QWidget* window, const char* listName, const char* removeButton, int limit)
{
    auto* list = kit::find<QListView>(window, listName);
    const auto before = kit::items(list);
    ASSERT_GT(before.size(), static_cast<std::size_t>(limit));
    std::vector<int> rows(static_cast<std::size_t>(limit) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<int>(i);
    kit::selectRows(list, rows);
    kit::click(window, removeButton);
    EXPECT_EQ(kit::shownMessage(), QStringLiteral("Too Many Items Selected"));
    EXPECT_EQ(kit::items(list), before);
    rows.pop_back();
    kit::selectRows(list, rows);
    kit::click(window, removeButton);
    EXPECT_EQ(kit::items(list), std::vector<std::string>(before.begin() + limit, before.end()));
}
