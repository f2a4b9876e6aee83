#include "ui/entry_list_model.h"

#include <algorithm>

EntryListModel::EntryListModel(bool allowDuplicates, QObject* parent)
    : QAbstractListModel(parent), m_list(allowDuplicates)
{
}

int EntryListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant EntryListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count())
        return {};
    return QString::fromStdString(m_list.at(static_cast<std::size_t>(index.row())));
}

bool EntryListModel::add(const veq::Entry& item)
{
    const auto& items = m_list.items();
    const auto row = static_cast<int>(std::lower_bound(items.begin(), items.end(), item) - items.begin());
    if (!m_list.allowsDuplicates() && m_list.contains(item))
        return false;
    beginInsertRows({}, row, row);
    m_list.add(item);
    endInsertRows();
    return true;
}

void EntryListModel::addMany(veq::Entries items)
{
    if (items.empty())
        return;
    beginResetModel();
    m_list.addMany(std::move(items));
    endResetModel();
}

void EntryListModel::assign(veq::Entries items)
{
    beginResetModel();
    m_list.assign(std::move(items));
    endResetModel();
}

void EntryListModel::clear() { assign({}); }

void EntryListModel::removeAt(std::vector<std::size_t> positions)
{
    if (positions.empty())
        return;
    beginResetModel();
    m_list.removeAt(std::move(positions));
    endResetModel();
}
