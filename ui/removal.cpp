#include "ui/removal.h"

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

veq::EntryChange removeSelectedEntries(EntryListView& list, int limit, QLabel* countLabel, Messenger& messenger)
{
    std::vector<std::size_t> positions = list.selectedPositions();
    veq::EntryChange removed;
    if (static_cast<int>(positions.size()) > limit) {
        messenger.tell(QStringLiteral("Too Many Items Selected"));
    } else {
        // The selection goes with its rows; clearing it first spares the view
        // from following every run of rows as it is removed.
        list.selectionModel()->clearSelection();
        removed = list.entryModel()->removeAt(std::move(positions));
    }
    showCount(countLabel, list.entryModel()->count());
    return removed;
}
