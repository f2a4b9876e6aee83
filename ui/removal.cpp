#include "ui/removal.h"

#include "core/sentences.h"

#include "ui/accessibility.h"
#include "ui/entry_list_model.h"
#include "ui/entry_list_view.h"
#include "ui/messenger.h"

#include <QLabel>

void showCount(QLabel* countLabel, int count)
{
    if (!countLabel)
        return;
    countLabel->setText(QString::number(count));
    renameCountLabel(countLabel);
}

void removeSelectedEntries(EntryListView& list, int limit, QLabel* countLabel, Messenger& messenger,
                           const Remover& remove)
{
    std::vector<std::size_t> positions = list.selectedPositions();
    if (static_cast<int>(positions.size()) > limit) {
        messenger.tell(fromCore(veq::sentences::kTooManyItemsSelected));
    } else {
        // The selection goes with its rows; clearing it first spares the view
        // from following every run of rows as it is removed.
        list.selectionModel()->clearSelection();
        if (remove)
            remove(std::move(positions));
        else
            list.entryModel()->removeAt(std::move(positions));
    }
    showCount(countLabel, list.entryModel()->count());
}
