#include "core/entry_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <limits>
#include <numeric>

namespace veq {

namespace {

// The first eight bytes of a text, zero-padded, as a number: where the
// numbers of two texts differ, their order is the texts' order.
std::uint64_t orderPrefix(std::string_view text)
{
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < sizeof prefix; ++i)
        prefix = (prefix << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0U);
    return prefix;
}

} // namespace

void sortEntries(Entries& items)
{
    struct Keyed {
        std::uint64_t prefix;
        std::size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        keyed.push_back({orderPrefix(items[i]), i});

    // By prefix, a byte at a time from the last: each pass is a stable
    // counting sort, skipped when every prefix has the same byte there.
    std::vector<Keyed> spare(keyed.size());
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<std::size_t, 257> starts{};
        for (const Keyed& k : keyed)
            ++starts[((k.prefix >> shift) & 0xFF) + 1];
        if (std::find(starts.begin(), starts.end(), keyed.size()) != starts.end())
            continue;
        std::partial_sum(starts.begin(), starts.end(), starts.begin());
        for (const Keyed& k : keyed)
            spare[starts[(k.prefix >> shift) & 0xFF]++] = k;
        keyed.swap(spare);
    }
    // Texts whose prefixes tie are ordered by the whole text.
    for (auto run = keyed.begin(); run != keyed.end();) {
        const auto end = std::find_if(run, keyed.end(), [&run](const Keyed& k) { return k.prefix != run->prefix; });
        std::sort(run, end, [&items](const Keyed& a, const Keyed& b) { return items[a.index] < items[b.index]; });
        run = end;
    }

    Entries sorted;
    sorted.reserve(items.size());
    for (const Keyed& k : keyed)
        sorted.push_back(std::move(items[k.index]));
    items = std::move(sorted);
}

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
        sortEntries(items);
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
