#pragma once

#include "ui/tool_window.h"

class EntryListModel;
class EntryListView;
class FileDialogs;
class Messenger;
class QLabel;
class QLineEdit;

// "Copy From File": collects the entries of one aircraft, by its typed plane
// id, from other data files of one kind, and hands them to the main list of
// that kind on "Finish". Reading the same file twice lists its entries twice;
// the main list drops the repeats. The window is only ever hidden: the typed
// id survives every opening, the list lasts until the next `Who`.
class fCopy final : public ToolWindow {
    Q_OBJECT

public:
    explicit fCopy(Messenger& messenger, FileDialogs& fileDialogs);

    // Empties the list and works on main list `lid` from now on (1 file list,
    // 2 exceptions, 3 plane-squadron); any other id keeps the caption.
    void Who(int lid);

private:
    void bCopyAdd_Click();
    void LoadFileList();
    void LoadExcept();
    void LoadPlaneSq();
    void bCopyRemove_Click();
    void bCopyFinish_Click();
    void bCopyCancel_Click();

    // Asks for a file and adds the entries of the typed plane id that it
    // holds as records of list `listId`'s kind.
    void loadEntries(int listId);

    Messenger& m_messenger;
    FileDialogs& m_fileDialogs;
    // No list until `Who` names one; "Add ----->" then does nothing.
    int CopyListId = 0;

    QLabel* labFileId = nullptr;
    QLineEdit* tCopyPlaneId = nullptr;
    EntryListModel* m_model = nullptr;
    EntryListView* lCopy = nullptr;
};
