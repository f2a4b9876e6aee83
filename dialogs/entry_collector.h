#pragma once

#include "core/kinds.h"
#include "ui/tool_window.h"

class EntryListModel;
class EntryListView;
class Messenger;
class QLabel;
class QLineEdit;
class QPushButton;

// What the Add and Copy windows share: entries collected for one main list,
// in a sorted list where equal entries may stand side by side (the main list
// drops the repeats), with Remove, Finish and Cancel; a text box whose button
// collects more; and two labels that name the list served and the input. The
// window is only ever hidden, so the list and the typed text outlive Finish
// and Cancel until the next `Who` empties the list.
class EntryCollector : public ToolWindow {
    Q_OBJECT

public:
    // Empties the list and serves main list `id` from now on.
    void Who(veq::ListId id);

    // A control's name, caption and place in twips.
    struct Control {
        const char* name;
        const char* caption;
        int left, top, width, height;
    };
    struct Layout {
        const char* name;
        const char* caption;
        int width, height; // of the client area
        Control fileId, example, text, collect, remove, list, finish, cancel;
        int lineTop = -1; // a line above Finish and Cancel, where the window has one
    };

protected:
    EntryCollector(const Layout& layout, Messenger& messenger);

    [[nodiscard]] veq::ListId listId() const { return m_listId; }

    // What the text box's button does.
    virtual void collect() = 0;
    // Names the controls after the main list served, for screen readers.
    virtual void nameControls(veq::ListId id) = 0;
    // The example line for main list `id`; empty: the line stays as it is.
    [[nodiscard]] virtual QString example(veq::ListId) const { return {}; }

    // The shared buttons' work.
    void removeSelected();
    void finishCollecting();
    void cancel() { leave(); }

    Messenger& m_messenger;
    QLabel* labFileId = nullptr;
    QLabel* labExample = nullptr;
    QLineEdit* m_text = nullptr;
    QPushButton* m_collect = nullptr;
    QPushButton* m_remove = nullptr;
    EntryListModel* m_collected = nullptr;
    EntryListView* m_list = nullptr;
    QPushButton* m_finish = nullptr;
    QPushButton* m_cancel = nullptr;

private:
    veq::ListId m_listId = veq::ListId::FileList;
};
