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
    // Runs of neighbouring rows are one range each: a paste of thousands selects at once.
    QItemSelection selection;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        selection.select(model().index(rows[i]), model().index(rows[j]));
        i = j + 1;
    }
    QItemSelectionModel* selected = m_view->selectionModel();
    selected->select(selection, QItemSelectionModel::ClearAndSelect);
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
