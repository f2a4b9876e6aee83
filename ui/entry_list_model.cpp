#include "ui/entry_list_model.h"

#include <algorithm>
#include <cstdint>

EntryListModel::EntryListModel(bool allowDuplicates, QObject* parent)
    : QAbstractListModel(parent), m_list(allowDuplicates)
{
}

QModelIndex EntryListModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || row >= count() || column != 0 || parent.isValid())
        return {};
    // Qt hashes an index as (row << 4) + column + internal id and picks the
    // bucket by the low bits, so selected rows a power of two apart would
    // crowd into a few buckets of the table of persistent indexes, and a
    // deletion of 1000 selected rows would crawl. An internal id made of the
    // row's high bits spreads them.
    const auto spread = static_cast<quintptr>((static_cast<std::uint64_t>(row) * 0x9E3779B97F4A7C15ULL) >> 32);
    return createIndex(row, column, spread);
}

int EntryListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant EntryListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    return QString::fromStdString(m_list.at(static_cast<std::size_t>(index.row())));
}

bool EntryListModel::add(const veq::Entry& item)
{
    const auto row = m_list.placeFor(item);
    if (!row)
        return false;
    const int at = static_cast<int>(*row);
    beginInsertRows({}, at, at);
    m_list.insertAt(*row, item);
    endInsertRows();
    return true;
}

veq::EntryChange EntryListModel::removeAt(std::vector<std::size_t> positions)
{
    return m_list.removeAt(
        std::move(positions),
        [this](std::size_t first, std::size_t last) {
            beginRemoveRows({}, static_cast<int>(first), static_cast<int>(last));
        },
        [this] { endRemoveRows(); });
}

template <typename Change> void EntryListModel::changeInBulk(Change change)
{
    Q_EMIT layoutAboutToBeChanged();
    // Each held row is remembered by its text and, among equal texts, by its
    // place in their run; afterwards it is the same occurrence of that text.
    const QModelIndexList held = persistentIndexList();
    struct Place {
        veq::Entry text;
        std::size_t occurrence;
    };
    std::vector<Place> places;
    places.reserve(static_cast<std::size_t>(held.size()));
    const veq::Entries& before = m_list.items();
    for (const QModelIndex& index : held) {
        const auto row = static_cast<std::size_t>(index.row());
        const auto first = std::lower_bound(before.begin(), before.end(), before[row]);
        places.push_back({before[row], row - static_cast<std::size_t>(first - before.begin())});
    }

    change();

    const veq::Entries& after = m_list.items();
    QModelIndexList moved;
    moved.reserve(held.size());
    for (const Place& place : places) {
        const auto [first, last] = std::equal_range(after.begin(), after.end(), place.text);
        const bool kept = place.occurrence < static_cast<std::size_t>(last - first);
        moved.append(
            kept ? index(static_cast<int>(first - after.begin() + static_cast<std::ptrdiff_t>(place.occurrence)))
                 : QModelIndex());
    }
    changePersistentIndexList(held, moved);
    Q_EMIT layoutChanged();
}

veq::EntryChange EntryListModel::addMany(veq::Entries items)
{
    veq::EntryChange change;
    if (!items.empty())
        changeInBulk([&] { change = m_list.addMany(std::move(items)); });
    return change;
}

veq::EntryChange EntryListModel::assign(veq::Entries items)
{
    veq::EntryChange change;
    changeInBulk([&] { change = m_list.assign(std::move(items)); });
    return change;
}

void EntryListModel::flip(veq::EntryChange& change)
{
    if (!change.empty())
        changeInBulk([&] { m_list.flip(change); });
}
