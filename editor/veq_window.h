#pragma once

#include "core/workspace.h"
#include "dialogs/form_message.h"

#include <QKeySequence>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class FileDialogs;
class MainList;
class QMenu;
class fAutoGen;
class fCopy;
class fExtra;
class fFileListAdd;
class fPleaseWait;
class Missing;

// "VEQ Editor": the main window. It shows the three entry lists of its
// workspace (the data the writers write, with the window's one history) and
// owns every other window. Undo and redo take back and do again the last
// change made in the window, whichever list; copy, paste and select all act
// on the list that has, or last had, the keyboard. A list's context menu
// offers them with Delete.
class VEQ final : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("AccessibleRole", "Window")

public:
    explicit VEQ(FileDialogs& fileDialogs, QWidget* parent = nullptr);
    ~VEQ() override;

    // Adds each item (an entry) to the list unless the list holds it already,
    // in one change (one step of the history), and shows the list's count.
    void AddListItems(veq::Entries items, veq::ListId listId);

    // Reads each file into the list its name says, as "Read" would; a name
    // that says no list is refused with a message.
    void openFiles(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // A command of the lists' context menu, as it stands for one list.
    struct ListCommand {
        QString caption; // "Undo Delete 1,000 entries"
        QKeySequence::StandardKey key;
        bool enabled;
        std::function<void()> run;
    };

    void buildControls();
    void buildListKeys();

    void bRdFilelist_Click();
    void bWrFilelist_Click();
    void bRdExcept_Click();
    void bWrExcept_Click();
    void bRdPlaneSq_Click();
    void bWrPlaneSq_Click();
    void bDelFileList_Click();
    void bDelExcept_Click();
    void bDelPlaneSq_Click();
    void bAddFileList_Click();
    void bAddExcept_Click();
    void bAddPlaneSq_Click();
    void bCopyFileList_Click();
    void bCopyExcept_Click();
    void bCopyPlaneSq_Click();
    void bAuoGen_Click();
    void bMissing_Click();
    void bExtra_Click();
    void bExit_Click();

    // The Read, Write and Delete steps shared by the three lists.
    void readDataFile(veq::ListId listId);
    void readFileInto(veq::ListId listId, const QString& fileName);
    void filesDropped(veq::ListId listId, const QStringList& paths);
    void writeDataFile(veq::ListId listId);
    void deleteSelected(veq::ListId listId);
    void openAddDialog(veq::ListId listId);
    void openCopyDialog(veq::ListId listId);
    void tellLoadFirst(veq::ListId listId);
    [[nodiscard]] std::vector<ListCommand> listCommands(MainList& list);
    void showListMenu(veq::ListId listId, const QPoint& globalPos);
    // The editing of the lists, each change one step of the workspace's history.
    void addItems(veq::ListId listId, veq::Entries items, const char* action);
    void paste(veq::ListId listId);
    void undo();
    void redo();
    // Shows a list as its document stands after a change, with `rows` selected.
    void showChanged(veq::ListId listId, const std::vector<int>& rows = {});
    // What Write does meanwhile when another program holds the folder's turn.
    [[nodiscard]] veq::TurnWait turnWait(const std::filesystem::path& target);

    MainList& mainList(veq::ListId listId) { return *m_lists[veq::slotOf(listId)]; }
    // A tool window, made on first use and then only shown and hidden; what
    // its "Finish" hands over is added as one step named after `action`.
    template <typename Window, typename... Args>
    Window& toolWindow(std::unique_ptr<Window>& slot, const char* action, Args&... args);
    fPleaseWait& pleaseWait();

    FileDialogs& m_fileDialogs;
    MessageWindow m_messages;
    std::unique_ptr<fPleaseWait> m_pleaseWait;
    std::unique_ptr<fFileListAdd> m_add;
    std::unique_ptr<fCopy> m_copy;
    std::unique_ptr<Missing> m_missing;
    std::unique_ptr<fExtra> m_extra;
    std::unique_ptr<fAutoGen> m_autoGen;

    std::array<std::unique_ptr<MainList>, veq::kAllLists.size()> m_lists;
    // The list the editing keys act on: the one with, or last with, the keyboard.
    veq::ListId m_keyList = veq::ListId::FileList;
    QPointer<QMenu> m_listMenu;
    // The lists' data, the headers Write writes, the files known on disk and
    // the one history; declared before the lists, whose models watch it.
    veq::Workspace m_work;
};
