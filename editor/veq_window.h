#pragma once

#include "core/codec.h"
#include "core/data_file.h"
#include "dialogs/form_message.h"

#include <QWidget>

#include <array>
#include <memory>

class EntryListModel;
class EntryListView;
class FileDialogs;
class QLabel;
class ToolWindow;
class fAutoGen;
class fCopy;
class fExtra;
class fFileListAdd;
class fPleaseWait;
class Missing;

// "VEQ Editor": the main window. It owns the three entry lists (they are the
// data the writers write), the per-file headers, and every other window.
class VEQ final : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("AccessibleRole", "Window")

public:
    explicit VEQ(FileDialogs& fileDialogs, QWidget* parent = nullptr);
    ~VEQ() override;

    // Adds each item to the list unless the list holds it already, in one
    // change of the list, and shows the list's count.
    void AddListItems(veq::Entries items, veq::ListId listId);

    // Reads each file into the list its name says, as "Read" would; a name
    // that says no list is refused with a message.
    void openFiles(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct MainList {
        veq::ListId id = veq::ListId::FileList;
        EntryListModel* model = nullptr;
        EntryListView* view = nullptr;
        QLabel* countLabel = nullptr;
        // What a Read remembers of the file: its headers, and the file as read
        // (or last written), so that a change by another program is noticed.
        veq::DataFileHeaders headers;
        veq::FileStamp stamp;
    };

    void buildControls();

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

    MainList& mainList(veq::ListId listId) { return m_lists[veq::slotOf(listId)]; }
    // A tool window, made on first use and then only shown and hidden.
    template <typename Window, typename... Args> Window& toolWindow(std::unique_ptr<Window>& slot, Args&... args);
    fPleaseWait& pleaseWait();

    FileDialogs& m_fileDialogs;
    MessageWindow m_messages;
    std::unique_ptr<fPleaseWait> m_pleaseWait;
    std::unique_ptr<fFileListAdd> m_add;
    std::unique_ptr<fCopy> m_copy;
    std::unique_ptr<Missing> m_missing;
    std::unique_ptr<fExtra> m_extra;
    std::unique_ptr<fAutoGen> m_autoGen;

    std::array<MainList, 3> m_lists;
    veq::ConversionBuffer ConvBuf{};
};
