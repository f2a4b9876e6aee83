#include "ui/entry_list_model.h"

#include <algorithm>
#include <cstdint>

EntryListModel::EntryListModel(bool allowDuplicates, QObject* parent)
    : QAbstractListModel(parent), m_own(allowDuplicates), m_list(&m_own)
{
    m_own.watch(this);
}

EntryListModel::EntryListModel(const veq::EntryList& list, QObject* parent) : QAbstractListModel(parent), m_list(&list)
{
}

EntryListModel::~EntryListModel() { m_own.watch(nullptr); }

veq::EntryList& EntryListModel::own()
{
    // The changes below are for a list of the model's own; another's changes where it is kept.
    Q_ASSERT(m_list == &m_own);
    return m_own;
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
    return QString::fromStdString(m_list->at(static_cast<std::size_t>(index.row())));
}

bool EntryListModel::add(const veq::Entry& item) { return own().add(item).has_value(); }

veq::EntryChange EntryListModel::addMany(veq::Entries items) { return own().addMany(std::move(items)); }

veq::EntryChange EntryListModel::assign(veq::Entries items) { return own().assign(std::move(items)); }

veq::EntryChange EntryListModel::removeAt(std::vector<std::size_t> positions)
{
    return own().removeAt(std::move(positions));
}

void EntryListModel::flip(veq::EntryChange& change) { own().flip(change); }

void EntryListModel::rowComing(std::size_t row)
{
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
}

void EntryListModel::rowCame() { endInsertRows(); }

void EntryListModel::rowsGoing(std::size_t first, std::size_t last)
{
    beginRemoveRows({}, static_cast<int>(first), static_cast<int>(last));
}

void EntryListModel::rowsGone() { endRemoveRows(); }

void EntryListModel::bulkChangeBegins()
{
    Q_EMIT layoutAboutToBeChanged();
    m_held = persistentIndexList();
    m_places.clear();
    m_places.reserve(static_cast<std::size_t>(m_held.size()));
    const veq::Entries& before = entries();
    for (const QModelIndex& index : m_held) {
        const auto row = static_cast<std::size_t>(index.row());
        const auto first = std::lower_bound(before.begin(), before.end(), before[row]);
        m_places.push_back({before[row], row - static_cast<std::size_t>(first - before.begin())});
    }
}

void EntryListModel::bulkChangeEnded()
{
    // Afterwards each held row is the same occurrence of the same text, or gone.
    const veq::Entries& after = entries();
    QModelIndexList moved;
    moved.reserve(m_held.size());
    for (const Place& place : m_places) {
        const auto [first, last] = std::equal_range(after.begin(), after.end(), place.text);
        const bool kept = place.occurrence < static_cast<std::size_t>(last - first);
        moved.append(
            kept ? index(static_cast<int>(first - after.begin() + static_cast<std::ptrdiff_t>(place.occurrence)))
                 : QModelIndex());
    }
    changePersistentIndexList(m_held, moved);
    m_held.clear();
    m_places.clear();
    Q_EMIT layoutChanged();
}
