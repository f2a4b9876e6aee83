#pragma once

#include "ui/tool_window.h"

class EntryListModel;
class EntryListView;
class FileDialogs;
class Messenger;
class QLabel;
class QLineEdit;
class QPushButton;

// "Copy From File": collects the entries of one aircraft, by its typed plane
// id, from other data files of one kind, and hands them to the main list of
// that kind on "Finish". Reading the same file twice lists its entries twice;
// the main list drops the repeats. The window is only ever hidden: the typed
// id survives every opening, the list lasts until the next `Who`.
class fCopy final : public ToolWindow {
    Q_OBJECT

public:
    explicit fCopy(Messenger& messenger, FileDialogs& fileDialogs);

    // Empties the list and works on main list `lid` from now on.
    void Who(veq::ListId lid);

private:
    void bCopyAdd_Click();
    void bCopyRemove_Click();
    void bCopyFinish_Click();
    void bCopyCancel_Click();
    // Names the controls after main list `id` for screen readers.
    void nameControls(veq::ListId id);

    Messenger& m_messenger;
    FileDialogs& m_fileDialogs;
    veq::ListId CopyListId = veq::ListId::FileList;

    QLabel* labFileId = nullptr;
    QLabel* labExample = nullptr;
    QLineEdit* tCopyPlaneId = nullptr;
    QPushButton* bCopyAdd = nullptr;
    QPushButton* bCopyRemove = nullptr;
    EntryListModel* m_model = nullptr;
    EntryListView* lCopy = nullptr;
    QPushButton* bCopyFinish = nullptr;
    QPushButton* bCopyCancel = nullptr;
};
