#pragma once

#include "core/codec.h"
#include "core/data_file.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class EntryListModel;
class EntryListView;
class FileDialogs;
class FormMessage;
class QGroupBox;
class QLabel;
class QPushButton;
class fAutoGen;
class fCopy;
class fExtra;
class fFileListAdd;
class fPleaseWait;
class Missing;
class ToolWindow;

// "VEQ Editor": the main window. It owns the three entry lists (they are the
// data the writers write), the per-file headers, and every other window.
class VEQ final : public QWidget {
    Q_OBJECT

public:
    explicit VEQ(FileDialogs& fileDialogs, QWidget* parent = nullptr);
    ~VEQ() override;

    // Adds `item` to list `ListId` (1 file list, 2 exceptions, 3 plane-squadron)
    // unless the list holds it already, and shows the list's count.
    void AddListItem(const veq::Entry& item, int ListId);
    // The same for many items at once, with one change of the list.
    void AddListItems(veq::Entries items, int ListId);

    [[nodiscard]] const veq::Entries& entries(int ListId) const;
    [[nodiscard]] const veq::DataFileHeaders& headers(int ListId) const;
    [[nodiscard]] FormMessage& messageWindow() { return *m_message; }

private:
    struct MainList {
        veq::RecordKind kind;
        EntryListModel* model = nullptr;
        EntryListView* view = nullptr;
        QLabel* countLabel = nullptr;
        veq::DataFileHeaders headers;
    };

    void Form_Load();
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

    // The Read and Write steps shared by the three files.
    void readDataFile(int ListId);
    void writeDataFile(int ListId);
    bool saveDataFile(MainList& list);
    void deleteSelected(int ListId);
    void openAddDialog(int ListId);
    void openCopyDialog(int ListId);

    MainList& mainList(int ListId);
    fFileListAdd& addWindow();
    fCopy& copyWindow();
    Missing& missingWindow();
    fExtra& extraWindow();
    fAutoGen& autoGenWindow();
    void connectTool(ToolWindow* tool);
    [[nodiscard]] QString loadFirstMessage(const MainList& list) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    FileDialogs& m_fileDialogs;
    std::unique_ptr<FormMessage> m_message;
    std::unique_ptr<fPleaseWait> m_pleaseWait;
    std::unique_ptr<fFileListAdd> m_add;
    std::unique_ptr<fCopy> m_copy;
    std::unique_ptr<Missing> m_missing;
    std::unique_ptr<fExtra> m_extra;
    std::unique_ptr<fAutoGen> m_autoGen;

    std::array<MainList, 3> m_lists;
    QString m_initialDirectory;

    // The state the readers and writers pass through, as the file formats name it.
    QString DataFileName;
    std::int16_t RecordCount = 0;
    veq::Entries EntryText;
    veq::ConvBuf ConvBuf{};
    std::array<std::string, 101> PartPrefix;
};
