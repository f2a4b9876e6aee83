#pragma once

class EntryListView;
class Messenger;
class QLabel;

// The one procedure behind every "Delete" and "Remove" button: refuses when
// more than `limit` items are selected, otherwise removes them all in one
// change; sets the count label (when there is one) either way but on refusal.
void removeSelectedEntries(EntryListView& list, int limit, QLabel* countLabel, Messenger& messenger);

// Shows a list's item count in its label.
void showCount(QLabel* countLabel, int count);
