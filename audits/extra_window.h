#pragma once

#include "ui/tool_window.h"

#include <string>
#include <vector>

class DirectoryChooser;
class EntryListModel;
class EntryListView;
class Messenger;
class QLabel;

// "Extra": the part bitmaps in a chosen folder that the file list does not
// name yet. The user may drop some; "Finish" hands the rest to the file list.
class fExtra final : public ToolWindow {
    Q_OBJECT

public:
    explicit fExtra(Messenger& messenger);
    // The file list as it stands when the window is opened.
    void setFileList(const veq::Entries& fileList);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bCheck_Click();
    void bRemove_Click();
    void Command1_Click();
    void bCancel_Click();

    Messenger& m_messenger;
    veq::Entries m_fileList;
    // The folder of the last check.
    QString m_checkedFolder;
    // The names of the folder's files at the last check: an id's bitmap keeps its own spelling.
    std::vector<std::string> m_folderNames;

    DirectoryChooser* DirExtra = nullptr;
    EntryListModel* m_model = nullptr;
    EntryListView* lExtra = nullptr;
    QLabel* labExtra = nullptr;
};
