#include "editor/main_list.h"

#include "core/document.h"
#include "ui/accessibility.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/removal.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelection>
#include <QLabel>

MainList::MainList(veq::ListId id, EntryListView* view, QLabel* countLabel)
    : m_id(id), m_view(view), m_countLabel(countLabel)
{
}

EntryListModel& MainList::model() const { return *m_view->entryModel(); }

void MainList::showCount(const veq::Document& document)
{
    if (document.touched()) {
        ::showCount(m_countLabel, model().count());
    } else {
        m_countLabel->clear();
        renameCountLabel(m_countLabel);
    }
}

void MainList::select(const std::vector<int>& rows)
{
    if (rows.empty())
        return;
    // Runs of neighbouring rows are one range each: a paste of thousands into
    // an empty list selects at once.
    std::vector<std::pair<int, int>> runs;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        runs.emplace_back(rows[i], rows[j]);
        i = j + 1;
    }
    // Qt keeps a selection as ranges of indexes it follows through every
    // change, and compares old ranges with new ones one by one: the old ones
    // go first, and entries scattered in more runs than one Delete may take
    // are not selected at all, only shown: that many ranges would cost every
    // later change of the list dearly, and none of them could be deleted.
    QItemSelectionModel* selected = m_view->selectionModel();
    selected->clearSelection();
    if (runs.size() <= static_cast<std::size_t>(kDeleteLimit)) {
        QItemSelection selection;
        for (const auto& [first, last] : runs)
            selection.select(model().index(first), model().index(last));
        selected->select(selection, QItemSelectionModel::Select);
    }
    selected->setCurrentIndex(model().index(rows.front()), QItemSelectionModel::NoUpdate);
    m_view->scrollTo(model().index(rows.front()));
}

void MainList::copy() const
{
    QStringList lines;
    for (std::size_t row : m_view->selectedPositions())
        lines << QString::fromStdString(model().entries()[row]);
    QGuiApplication::clipboard()->setText(lines.join(u'\n'));
}
