#pragma once

#include "core/data_file.h"
#include "core/entry_list.h"
#include "core/history.h"

#include <QString>

#include <optional>

class EntryListModel;
class EntryListView;
class Messenger;
class QLabel;

// What a Read replaces besides the entries, and what Write writes back with
// them: the headers of the file read. Undoing a Read brings back the one before.
struct FileAsRead {
    veq::DataFileHeaders headers;
};

// One of the main window's three lists with what belongs to it: its view and
// model, its count label, the file it was read from, and its history. Every
// change of the list is one step, named as the user knows it ("Read
// filelist.dat", "Delete 1,000 entries"); Undo takes the last step back
// exactly, entries, file and count, and Redo does it again.
class MainList final {
public:
    MainList(veq::ListId id, EntryListView* view, QLabel* countLabel);

    [[nodiscard]] veq::ListId id() const { return m_id; }
    [[nodiscard]] EntryListView& view() const { return *m_view; }
    [[nodiscard]] EntryListModel& model() const;
    [[nodiscard]] const FileAsRead& asRead() const { return m_asRead; }

    // The changes: a file's entries in place of the list's; items handed
    // over by `action` ("Add", "Copy", "Paste"), each once; the selected
    // entries deleted, at most the Delete limit.
    void read(veq::DataFile file, const QString& fileName);
    void add(veq::Entries items, const QString& action);
    void deleteSelected(Messenger& messenger);

    void undo();
    void redo();
    // The step that Undo or Redo would take ("Delete 1,000 entries"), empty when none.
    [[nodiscard]] QString undoName() const;
    [[nodiscard]] QString redoName() const;

    // The selected entries to the clipboard, one a line in list order, as
    // the list shows them; and the clipboard's lines into the list as one
    // addition, or none of them when one is no entry of this list.
    void copy() const;
    void paste(Messenger& messenger);

private:
    // A step holds the other side of what it changed: the entries, the file
    // and the count label's state that the list does not have now.
    struct Step {
        QString name;
        veq::EntryChange entries;
        std::optional<FileAsRead> file; // a Read's
        bool countShown = true;
        [[nodiscard]] std::size_t bytes() const;
    };

    // Shows the count and, when something changed, records the step.
    void record(const QString& name, veq::EntryChange entries, std::optional<FileAsRead> replaced = {});
    void flip(Step& step);

    veq::ListId m_id;
    EntryListView* m_view;
    QLabel* m_countLabel;
    FileAsRead m_asRead;
    veq::History<Step> m_history;
};
