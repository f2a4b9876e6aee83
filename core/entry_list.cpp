#include "core/entry_list.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace veq {

std::optional<std::size_t> EntryList::placeFor(const Entry& item) const
{
    const auto place = std::lower_bound(m_items.begin(), m_items.end(), item);
    if (!m_allowDuplicates && place != m_items.end() && *place == item)
        return std::nullopt;
    return static_cast<std::size_t>(place - m_items.begin());
}

void EntryList::insertAt(std::size_t row, Entry item)
{
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(row), std::move(item));
}

std::optional<std::size_t> EntryList::add(Entry item)
{
    const auto row = placeFor(item);
    if (row)
        insertAt(*row, std::move(item));
    return row;
}

void EntryList::addMany(Entries items)
{
    // Files written by the program and the audits' results arrive sorted already.
    if (!std::is_sorted(items.begin(), items.end()))
        std::sort(items.begin(), items.end());
    if (!m_allowDuplicates)
        items.erase(std::unique(items.begin(), items.end()), items.end());
    if (m_items.empty()) {
        m_items = std::move(items);
        return;
    }

    // Equal items: those already held come first, as adding one by one leaves them.
    Entries merged;
    merged.reserve(m_items.size() + items.size());
    const auto mine = std::make_move_iterator(m_items.begin());
    const auto mineEnd = std::make_move_iterator(m_items.end());
    const auto theirs = std::make_move_iterator(items.begin());
    const auto theirsEnd = std::make_move_iterator(items.end());
    if (m_allowDuplicates)
        std::merge(mine, mineEnd, theirs, theirsEnd, std::back_inserter(merged));
    else
        std::set_union(mine, mineEnd, theirs, theirsEnd, std::back_inserter(merged));
    m_items = std::move(merged);
}

void EntryList::assign(Entries items)
{
    m_items.clear();
    addMany(std::move(items));
}

void EntryList::removeAt(std::vector<std::size_t> positions, const RunCallback& aboutToRemove,
                         const std::function<void()>& removed)
{
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());

    m_compacted = 0;
    std::size_t unread = 0; // the first row of m_items not yet moved to its final place
    auto compactUpTo = [&](std::size_t end) {
        for (; unread < end; ++unread, ++m_compacted)
            if (m_compacted != unread)
                m_items[m_compacted] = std::move(m_items[unread]);
    };
    for (std::size_t i = 0; i < positions.size();) {
        std::size_t j = i;
        while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1)
            ++j;
        compactUpTo(positions[i]);
        const std::size_t runLength = j - i + 1;
        if (aboutToRemove)
            aboutToRemove(m_compacted, m_compacted + runLength - 1);
        unread += runLength;
        m_removed += runLength;
        if (removed)
            removed();
        i = j + 1;
    }
    compactUpTo(m_items.size());
    m_items.resize(m_compacted);
    m_compacted = std::numeric_limits<std::size_t>::max();
    m_removed = 0;
}

} // namespace veq
