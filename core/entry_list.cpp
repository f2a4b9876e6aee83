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
    if (m_watcher)
        m_watcher->rowComing(row);
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(row), std::move(item));
    if (m_watcher)
        m_watcher->rowCame();
}

template <typename Change> void EntryList::inBulk(Change change)
{
    if (m_watcher)
        m_watcher->bulkChangeBegins();
    change();
    if (m_watcher)
        m_watcher->bulkChangeEnded();
}

std::optional<std::size_t> EntryList::add(Entry item)
{
    const auto row = placeFor(item);
    if (row)
        insertAt(*row, std::move(item));
    return row;
}

namespace {

// Items to add in ascending order, each once where the list allows no duplicates.
void prepare(Entries& items, bool allowDuplicates)
{
    // Files written by the program and the audits' results arrive sorted already.
    if (!std::is_sorted(items.begin(), items.end()))
        sortEntries(items);
    if (!allowDuplicates)
        items.erase(std::unique(items.begin(), items.end()), items.end());
}

} // namespace

std::size_t EntryChange::bytes() const
{
    return sizeof *this + m_outText.capacity() + m_outEnds.capacity() * sizeof(std::size_t) + m_in.capacity() / 8;
}

std::vector<std::size_t> EntryChange::rowsIn() const
{
    std::vector<std::size_t> rows;
    rows.reserve(m_inCount);
    for (std::size_t row = 0; row < m_in.size(); ++row)
        if (m_in[row])
            rows.push_back(row);
    return rows;
}

void EntryChange::takeOut(std::string_view text)
{
    if (m_outCount == 0)
        m_outWidth = text.size();
    else if (m_outEnds.empty() && text.size() != m_outWidth)
        for (std::size_t i = 1; i <= m_outCount; ++i)
            m_outEnds.push_back(i * m_outWidth);
    m_outText.append(text);
    ++m_outCount;
    if (!m_outEnds.empty())
        m_outEnds.push_back(m_outText.size());
}

std::string_view EntryChange::out(std::size_t i) const
{
    if (m_outEnds.empty())
        return std::string_view(m_outText).substr(i * m_outWidth, m_outWidth);
    const std::size_t start = i == 0 ? 0 : m_outEnds[i - 1];
    return std::string_view(m_outText).substr(start, m_outEnds[i] - start);
}

void EntryChange::fit()
{
    m_outText.shrink_to_fit();
    m_outEnds.shrink_to_fit();
    m_in.shrink_to_fit();
}

void EntryChange::markIn(std::size_t row, std::size_t rows)
{
    if (m_in.empty())
        m_in.assign(rows, false);
    m_in[row] = true;
    ++m_inCount;
}

EntryChange EntryList::addMany(Entries items, std::vector<std::size_t>* held)
{
    EntryChange change;
    if (!items.empty())
        inBulk([&] { change = merge(std::move(items), held); });
    return change;
}

EntryChange EntryList::merge(Entries items, std::vector<std::size_t>* heldRows)
{
    prepare(items, m_allowDuplicates);
    EntryChange change;
    const std::size_t total = m_items.size() + items.size();
    Entries merged;
    merged.reserve(total);
    std::size_t held = 0;
    for (Entry& item : items) {
        while (held < m_items.size() && m_items[held] < item)
            merged.push_back(std::move(m_items[held++]));
        // Equal items: those already held come first, as adding one by one leaves them.
        if (held < m_items.size() && m_items[held] == item) {
            if (!m_allowDuplicates) {
                // The equal item held goes to the next row; repeats among the items were dropped before.
                if (heldRows)
                    heldRows->push_back(merged.size());
                continue;
            }
            while (held < m_items.size() && m_items[held] == item)
                merged.push_back(std::move(m_items[held++]));
        }
        change.markIn(merged.size(), total);
        merged.push_back(std::move(item));
    }
    std::move(m_items.begin() + static_cast<std::ptrdiff_t>(held), m_items.end(), std::back_inserter(merged));
    // Items it held already were skipped: the marks cover the list as it is.
    if (change.m_inCount > 0)
        change.m_in.resize(merged.size());
    change.fit();
    m_items = std::move(merged);
    return change;
}

EntryChange EntryList::assign(Entries items)
{
    EntryChange change;
    inBulk([&] { change = replaceWith(std::move(items)); });
    return change;
}

EntryChange EntryList::replaceWith(Entries items)
{
    prepare(items, m_allowDuplicates);
    // What went and what came, paired off in one walk of both ascending lists.
    EntryChange change;
    std::size_t old = 0;
    std::size_t next = 0;
    while (old < m_items.size() || next < items.size()) {
        if (next == items.size() || (old < m_items.size() && m_items[old] < items[next]))
            change.takeOut(m_items[old++]);
        else if (old == m_items.size() || items[next] < m_items[old])
            change.markIn(next++, items.size());
        else
            ++old, ++next;
    }
    change.fit();
    m_items = std::move(items);
    return change;
}

void EntryList::flip(EntryChange& change)
{
    if (!change.empty())
        inBulk([&] { flipNow(change); });
}

void EntryList::flipNow(EntryChange& change)
{
    const std::size_t total = m_items.size() - change.m_inCount + change.takenOut();
    EntryChange back;
    Entries next;
    next.reserve(total);
    // The texts of the rows that go are written into the strings of those
    // that come back, sparing an allocation for each.
    Entries spare;
    std::size_t out = 0;
    auto bringBackUpTo = [&](const Entry* bound) {
        for (; out < change.takenOut() && (!bound || change.out(out) < *bound); ++out) {
            back.markIn(next.size(), total);
            if (spare.empty()) {
                next.emplace_back(change.out(out));
            } else {
                next.push_back(std::move(spare.back()));
                spare.pop_back();
                next.back().assign(change.out(out));
            }
        }
    };
    for (std::size_t row = 0; row < m_items.size(); ++row) {
        if (change.cameIn(row)) {
            back.takeOut(m_items[row]);
            spare.push_back(std::move(m_items[row]));
        } else {
            bringBackUpTo(&m_items[row]);
            next.push_back(std::move(m_items[row]));
        }
    }
    bringBackUpTo(nullptr);
    back.fit();
    m_items = std::move(next);
    change = std::move(back);
}

EntryChange EntryList::removeAt(std::vector<std::size_t> positions)
{
    EntryChange change;
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
        for (std::size_t k = unread; k < unread + runLength; ++k)
            change.takeOut(m_items[k]);
        if (m_watcher)
            m_watcher->rowsGoing(m_compacted, m_compacted + runLength - 1);
        unread += runLength;
        m_removed += runLength;
        if (m_watcher)
            m_watcher->rowsGone();
        i = j + 1;
    }
    compactUpTo(m_items.size());
    m_items.resize(m_compacted);
    m_compacted = std::numeric_limits<std::size_t>::max();
    m_removed = 0;
    change.fit();
    return change;
}

} // namespace veq
