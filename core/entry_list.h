#pragma once

#include "core/codec.h"

#include <cstddef>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace veq {

// What one change did to a list, kept so that it can be taken back and done
// again: the entries it took out, which the list no longer holds, and which
// rows of the list as the change left it came in. Taking a change back and
// doing it again are one operation, EntryList::flip, after which the change
// holds the way back. Only what changed is kept, its texts in one block.
class EntryChange final {
public:
    [[nodiscard]] std::size_t takenOut() const { return m_outCount; }
    [[nodiscard]] std::size_t broughtIn() const { return m_inCount; }
    [[nodiscard]] bool empty() const { return takenOut() == 0 && broughtIn() == 0; }
    // What it holds, in bytes.
    [[nodiscard]] std::size_t bytes() const;
    // Whether `row` of the list as the change left it came in by it; all such rows, ascending.
    [[nodiscard]] bool cameIn(std::size_t row) const { return row < m_in.size() && m_in[row]; }
    [[nodiscard]] std::vector<std::size_t> rowsIn() const;

private:
    friend class EntryList;
    void takeOut(std::string_view text);
    [[nodiscard]] std::string_view out(std::size_t i) const;
    // Marks `row` of a list of `rows` as come in.
    void markIn(std::size_t row, std::size_t rows);
    // Gives back what was reserved beyond what it holds.
    void fit();

    std::string m_outText; // the taken-out texts one after another, ascending
    std::size_t m_outCount = 0;
    // The texts of a list mostly have one length: while they do, it is kept
    // once; from the first of another length on, each text's end is kept.
    std::size_t m_outWidth = 0;
    std::vector<std::size_t> m_outEnds;
    std::vector<bool> m_in; // empty when nothing came in
    std::size_t m_inCount = 0;
};

// Told of a list's changes as they are made, so that a view of the list can
// follow whoever makes them.
class ListWatcher {
public:
    virtual ~ListWatcher() = default;
    // Around a change of any number of rows at once (a read, a bulk addition, a flip).
    virtual void bulkChangeBegins() = 0;
    virtual void bulkChangeEnded() = 0;
    // Around one run of consecutive rows [first, last] going, numbered as the
    // list reads at that moment; in between the list reads as without them.
    virtual void rowsGoing(std::size_t first, std::size_t last) = 0;
    virtual void rowsGone() = 0;
    // Around one item coming in at `row`.
    virtual void rowComing(std::size_t row) = 0;
    virtual void rowCame() = 0;
};

// A list of entry texts kept in ascending ordinal (character-code) order.
//
// Without duplicates an item equal to one already held is skipped and any
// other goes to its sorted place; with duplicates it is a plain sorted insert.
// Bulk additions give exactly the list that adding the items one at a time
// would give, at sorting cost.
class EntryList final {
public:
    explicit EntryList(bool allowDuplicates = false) : m_allowDuplicates(allowDuplicates) {}

    // The row at which `item` would be added, or nothing when the list already
    // holds it and allows no duplicates. Equal items stand together, so one
    // search finds both the duplicate and the place.
    [[nodiscard]] std::optional<std::size_t> placeFor(const Entry& item) const;
    // Puts `item` at `row`, which placeFor gave for it.
    void insertAt(std::size_t row, Entry item);
    // Both at once: the row the item went to, or nothing when it was skipped.
    std::optional<std::size_t> add(Entry item);

    // The bulk changes say what they changed: the items added, or for assign
    // the items it let go and those it brought.
    // `held`, when given, receives the rows (ascending, in the list as the
    // change leaves it) of the items skipped because the list held them.
    EntryChange addMany(Entries items, std::vector<std::size_t>* held = nullptr);
    EntryChange assign(Entries items);
    // Takes a change back, or does again a change taken back: the list must
    // read as the change left it. Afterwards the change holds the way back.
    void flip(EntryChange& change);

    // Removes the items at `positions` (any order, repeats allowed), one run of
    // consecutive positions at a time from the first run to the last, each
    // told to the watcher. Every item moves at most once, however many runs
    // there are. Returns the items removed.
    EntryChange removeAt(std::vector<std::size_t> positions);

    // From now on every change is told to `watcher` (null: to nobody).
    void watch(ListWatcher* watcher) { m_watcher = watcher; }

    [[nodiscard]] std::size_t size() const { return m_items.size() - m_removed; }
    [[nodiscard]] bool empty() const { return size() == 0; }
    [[nodiscard]] const Entry& at(std::size_t row) const
    {
        return row < m_compacted ? m_items[row] : m_items[row + m_removed];
    }
    // Not to be used while a run of removeAt is told to the watcher.
    [[nodiscard]] const Entries& items() const { return m_items; }

private:
    // Tells the watcher of a change of many rows around `change`.
    template <typename Change> void inBulk(Change change);
    EntryChange merge(Entries items, std::vector<std::size_t>* held);
    EntryChange replaceWith(Entries items);
    void flipNow(EntryChange& change);

    bool m_allowDuplicates;
    ListWatcher* m_watcher = nullptr;
    Entries m_items;
    // While removeAt runs: the rows before m_compacted are in their final
    // places; every later row r still stands at r + m_removed.
    std::size_t m_compacted = std::numeric_limits<std::size_t>::max();
    std::size_t m_removed = 0;
};

// Sorts texts into ascending ordinal order, as std::sort does, comparing their
// first eight bytes as one number and the whole texts only where those tie:
// most comparisons then touch no text at all.
void sortEntries(Entries& items);

} // namespace veq
