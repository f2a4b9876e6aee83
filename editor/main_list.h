#pragma once

#include "core/kinds.h"

#include <vector>

class EntryListModel;
class EntryListView;
class QLabel;
namespace veq {
class Document;
}

// One of the main window's three lists as the window shows it: a view and
// model that follow a document of the window's workspace, and its count
// label. The list's data and history are the workspace's; this only shows.
class MainList final {
public:
    MainList(veq::ListId id, EntryListView* view, QLabel* countLabel);

    [[nodiscard]] veq::ListId id() const { return m_id; }
    [[nodiscard]] EntryListView& view() const { return *m_view; }
    [[nodiscard]] EntryListModel& model() const;

    // The count as the document stands: blank until its list is first changed.
    void showCount(const veq::Document& document);
    // Selects exactly these rows (ascending) and brings the first into view;
    // none leaves the selection and the current row as they are. Rows in more
    // separate runs than one Delete may take are not selected, only shown.
    void select(const std::vector<int>& rows);
    // The selected entries to the clipboard, one a line in list order, as the list shows them.
    void copy() const;

private:
    veq::ListId m_id;
    EntryListView* m_view;
    QLabel* m_countLabel;
};
