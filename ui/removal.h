#pragma once

#include "core/entry_list.h"

class EntryListView;
class Messenger;
class QLabel;

// How many selected entries one "Delete" of the main window, or one "Remove"
// of a tool window, may take.
inline constexpr int kDeleteLimit = 1000;
inline constexpr int kRemoveLimit = 100;

// The one procedure behind every "Delete" and "Remove" button: refuses when
// more than `limit` items are selected, otherwise removes them all. The count
// label (when there is one) shows the list's count afterwards, refused or not.
// Returns what was removed.
veq::EntryChange removeSelectedEntries(EntryListView& list, int limit, QLabel* countLabel, Messenger& messenger);

// Shows a list's item count in its label.
void showCount(QLabel* countLabel, int count);
