#pragma once

#include "core/codec.h"
#include "core/data_file.h"
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

// "VEQ Editor": the main window. It owns the three entry lists (they are the
// data the writers write) with their files and histories, and every other
// window. The editing keys (undo, redo, copy, paste, select all) act on the
// list that has, or last had, the keyboard; a list's context menu offers
// them with Delete.
class VEQ final : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("AccessibleRole", "Window")

public:
    explicit VEQ(FileDialogs& fileDialogs, QWidget* parent = nullptr);
    ~VEQ() override;

    // Adds each item to the list unless the list holds it already, in one
    // change of the list (one step of its history), and shows the list's count.
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

    std::array<std::unique_ptr<MainList>, 3> m_lists;
    // The list the editing keys act on: the one with, or last with, the keyboard.
    veq::ListId m_keyList = veq::ListId::FileList;
    QPointer<QMenu> m_listMenu;
    veq::ConversionBuffer ConvBuf{};
    // The files as last read or written here, whichever list: a Write over one
    // that another program changed since says so first. It tells of the disk,
    // not of a list, so Undo leaves it (a Read's stamp brought back from before
    // a Write of this window's own would take that Write for a change).
    veq::KnownFiles m_knownFiles;
};
