#pragma once

#include "ui/tool_window.h"

class EntryListModel;
class EntryListView;
class FileDialogs;
class Messenger;

// "AutoGen": lists a plane-squadron entry for every plane entry of a squadron
// file; "Finish" hands the list to the main window's plane-squadron list.
// The window is only ever hidden, so the list outlives "Cancel" and "Finish".
class fAutoGen final : public ToolWindow {
    Q_OBJECT

public:
    explicit fAutoGen(Messenger& messenger, FileDialogs& fileDialogs);

private:
    void bOpenSq_Click();
    void Command2_Click();
    void Command3_Click();
    void bFinish_Click();

    Messenger& m_messenger;
    FileDialogs& m_fileDialogs;
    EntryListModel* m_model = nullptr;
    EntryListView* SqList = nullptr;
};
