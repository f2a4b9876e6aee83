#pragma once

#include "ui/tool_window.h"

class DirectoryChooser;
class EntryListModel;
class EntryListView;
class QLabel;

// "Missing Bitmaps": which part bitmaps, named by the main window's file list
// and exception list, a chosen folder lacks. It reads only what it was given
// when opened and changes nothing outside itself. Hidden, never destroyed, so
// the last report and the chosen folder are there again on the next opening.
class Missing final : public ToolWindow {
    Q_OBJECT

public:
    Missing();
    // The main lists as they stand when the window is opened.
    void setMainLists(const veq::Entries& fileList, const veq::Entries& exceptList);

    // Each adds `item` to its result list unless the list holds an equal text.
    void AddMissingItem(const veq::Entry& item);
    void AddFileListMissingItem(const veq::Entry& item);
    void AddExceptMissingItem(const veq::Entry& item);

private:
    void bReport_Click();
    void breportCancel_Click();
    void showCounts();

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
