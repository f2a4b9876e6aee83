#include "core/entry_list.h"

#include <algorithm>
#include <iterator>

namespace veq {

bool EntryList::contains(const Entry& item) const { return std::binary_search(m_items.begin(), m_items.end(), item); }

bool EntryList::add(const Entry& item)
{
    // Equal items sit together at the sorted place, so one search finds both
    // the duplicate the backward scan would meet and the insertion point.
    const auto place = std::lower_bound(m_items.begin(), m_items.end(), item);
    if (!m_allowDuplicates && place != m_items.end() && *place == item)
        return false;
    m_items.insert(place, item);
    return true;
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

    Entries merged;
    merged.reserve(m_items.size() + items.size());
    if (m_allowDuplicates)
        std::merge(std::make_move_iterator(m_items.begin()), std::make_move_iterator(m_items.end()),
                   std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()),
                   std::back_inserter(merged));
    else
        std::set_union(std::make_move_iterator(m_items.begin()), std::make_move_iterator(m_items.end()),
                       std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()),
                       std::back_inserter(merged));
    m_items = std::move(merged);
}

void EntryList::assign(Entries items)
{
    m_items.clear();
    addMany(std::move(items));
}

void EntryList::removeAt(std::vector<std::size_t> positions)
{
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    std::size_t next = 0;
    std::size_t write = 0;
    for (std::size_t read = 0; read < m_items.size(); ++read) {
        if (next < positions.size() && positions[next] == read) {
            ++next;
            continue;
        }
        if (write != read)
            m_items[write] = std::move(m_items[read]);
        ++write;
    }
    m_items.resize(write);
}

} // namespace veq
