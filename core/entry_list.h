#pragma once

#include "core/codec.h"

#include <cstddef>
#include <vector>

namespace veq {

// A list of entry texts kept in ascending ordinal (character-code) order.
//
// Without duplicates it follows the main lists' rule: an item equal to one
// already held is skipped, any other goes to its sorted place. With duplicates
// it is a plain sorted insert. Bulk additions give exactly the list that
// adding the items one at a time would give, at sorting cost.
class EntryList final {
public:
    explicit EntryList(bool allowDuplicates = false) : m_allowDuplicates(allowDuplicates) {}

    // Returns whether the item was added.
    bool add(const Entry& item);
    void addMany(Entries items);
    void assign(Entries items);
    void clear() { m_items.clear(); }
    // Positions must be valid; their order and repetitions do not matter.
    void removeAt(std::vector<std::size_t> positions);

    [[nodiscard]] bool allowsDuplicates() const { return m_allowDuplicates; }
    [[nodiscard]] bool contains(const Entry& item) const;
    [[nodiscard]] std::size_t size() const { return m_items.size(); }
    [[nodiscard]] bool empty() const { return m_items.empty(); }
    [[nodiscard]] const Entry& at(std::size_t position) const { return m_items[position]; }
    [[nodiscard]] const Entries& items() const { return m_items; }

private:
    bool m_allowDuplicates;
    Entries m_items;
};

} // namespace veq
