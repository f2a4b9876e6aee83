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

    // Empties the list and works on main list `lname` from now on (1 file
    // list, 2 exceptions, 3 plane-squadron); any other id keeps the labels.
    void Who(int lname);

private:
    void bAddFileListEntry_Click();
    void bRemove_Click();
    void bFileListEntryFinish_Click();
    void bFileListEntryCancel_Click();

    Messenger& m_messenger;
    // No list until `Who` names one: every entry is then refused as too long or short.
    int CurrentList = 0;

    QLabel* labFileId = nullptr;
    QLabel* labExample = nullptr;
    QLineEdit* tAddFilelistText = nullptr;
    QPushButton* bAddFileListEntry = nullptr;
    EntryListModel* m_model = nullptr;
    EntryListView* lNewFileList = nullptr;
};
