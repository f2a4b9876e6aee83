#pragma once

#include <functional>
#include <vector>

class EntryListView;
class Messenger;
class QLabel;

// How many selected entries one "Delete" of the main window, or one "Remove"
// of a tool window, may take.
inline constexpr int kDeleteLimit = 1000;
inline constexpr int kRemoveLimit = 100;

// Takes the entries at the given rows out of a list: a tool window's list
// itself, a main list through the window's workspace (one step of its history).
using Remover = std::function<void(std::vector<std::size_t> positions)>;

// The one procedure behind every "Delete" and "Remove" button: refuses when
// more than `limit` items are selected, otherwise removes them all (through
// `remove`, or from the view's own list). The count label (when there is one)
// shows the list's count afterwards, refused or not.
void removeSelectedEntries(EntryListView& list, int limit, QLabel* countLabel, Messenger& messenger,
                           const Remover& remove = {});

// Shows a list's item count in its label.
void showCount(QLabel* countLabel, int count);
