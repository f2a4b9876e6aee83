#pragma once

#include "ui/tool_window.h"

class DirectoryChooser;
class EntryListModel;
class Messenger;
class QLabel;

// "Missing Bitmaps": which part bitmaps, named by the main window's file list
// and exception list, a chosen folder lacks. It reads only what it was given
// when opened and changes nothing outside itself. Hidden, never destroyed, so
// the last report and the chosen folder are there again on the next opening.
class Missing final : public ToolWindow {
    Q_OBJECT

public:
    explicit Missing(Messenger& messenger);
    // The main lists as they stand when the window is opened.
    void setMainLists(const veq::Entries& fileList, const veq::Entries& exceptList);

private:
    void bReport_Click();
    void breportCancel_Click();
    void showCounts();

    Messenger& m_messenger;
    veq::Entries m_fileList;
    veq::Entries m_exceptList;

    DirectoryChooser* dirMissing = nullptr;
    EntryListModel* m_fileListMissing = nullptr;
    EntryListModel* m_exceptMissing = nullptr;
    EntryListModel* m_missing = nullptr;
    QLabel* labFileListMissingCount = nullptr;
    QLabel* labExceptMissingCount = nullptr;
    QLabel* labMissingCount = nullptr;
};
