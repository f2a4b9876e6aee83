#pragma once

#include "core/codec.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace veq {

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

    void addMany(Entries items);
    void assign(Entries items);

    // Called before a run of consecutive rows [first, last] goes, with the
    // rows numbered as the list reads at that moment.
    using RunCallback = std::function<void(std::size_t first, std::size_t last)>;
    // Removes the items at `positions` (any order, repeats allowed), one run of
    // consecutive positions at a time from the first run to the last. Before
    // each run `aboutToRemove` is called; after it `removed`, and in between
    // the list reads exactly as without that run. Every item moves at most
    // once, however many runs there are.
    void removeAt(std::vector<std::size_t> positions, const RunCallback& aboutToRemove = {},
                  const std::function<void()>& removed = {});

    [[nodiscard]] bool allowsDuplicates() const { return m_allowDuplicates; }
    [[nodiscard]] std::size_t size() const { return m_items.size() - m_removed; }
    [[nodiscard]] bool empty() const { return size() == 0; }
    [[nodiscard]] const Entry& at(std::size_t row) const
    {
        return row < m_compacted ? m_items[row] : m_items[row + m_removed];
    }
    // Not to be used from the callbacks of removeAt.
    [[nodiscard]] const Entries& items() const { return m_items; }

private:
    bool m_allowDuplicates;
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
