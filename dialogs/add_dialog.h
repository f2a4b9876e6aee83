#pragma once

#include "ui/tool_window.h"

class EntryListModel;
class EntryListView;
class Messenger;
class QLabel;
class QLineEdit;
class QPushButton;

// "Add Aircraft Parts": collects typed entries for one main list and hands
// them all over on "Finish". Equal entries may stand side by side here; the
// main list drops the repeats. The window is only ever hidden, so the list
// and the typed text outlive "Finish" and "Cancel" until the next `Who`.
class fFileListAdd final : public ToolWindow {
    Q_OBJECT

public:
    explicit fFileListAdd(Messenger& messenger);

    // Empties the list and works on main list `lname` from now on.
    void Who(veq::ListId lname);

private:
    void bAddFileListEntry_Click();
    void bRemove_Click();
    void bFileListEntryFinish_Click();
    void bFileListEntryCancel_Click();
    // Names the controls after main list `id` for screen readers.
    void nameControls(veq::ListId id);

    Messenger& m_messenger;
    veq::ListId CurrentList = veq::ListId::FileList;

    QLabel* labFileId = nullptr;
    QLabel* labExample = nullptr;
    QLineEdit* tAddFilelistText = nullptr;
    QPushButton* bAddFileListEntry = nullptr;
    EntryListModel* m_model = nullptr;
    EntryListView* lNewFileList = nullptr;
    QPushButton* bRemove = nullptr;
    QPushButton* bFileListEntryFinish = nullptr;
    QPushButton* bFileListEntryCancel = nullptr;
};
