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

    // Reads `records` through the list's "Read" button.
    void read(veq::ListId id, const veq::Entries& records)
    {
        const kit::fs::path path = folder / veq::dataFileName(id);
        kit::writeFile(path, kit::dataImage(id, records));
        dialogs.answer(QString::fromStdString(path.string()));
        kit::click(window.get(), readButton(id));
    }

    static const char* readButton(veq::ListId id)
    {
        return id == veq::ListId::FileList ? "bRdFilelist" : id == veq::ListId::Except ? "bRdExcept" : "bRdPlaneSq";
    }
    static const char* listName(veq::ListId id)
    {
        return id == veq::ListId::FileList ? "lFileList" : id == veq::ListId::Except ? "lExcept" : "lPlaneSq";
    }
    [[nodiscard]] veq::Entries shown(veq::ListId id) const
    {
        const auto texts = kit::items(window.get(), listName(id));
        return {texts.begin(), texts.end()};
    }

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
