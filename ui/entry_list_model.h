#pragma once

#include "core/entry_list.h"

#include <QAbstractListModel>

#include <vector>

// The one list model of the program: a thin Qt face over a sorted EntryList.
// Bulk changes reset the model once, so a view never sees per-row churn.
class EntryListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    explicit EntryListModel(bool allowDuplicates, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Returns whether the item was added (a list without duplicates skips equal items).
    bool add(const veq::Entry& item);
    void addMany(veq::Entries items);
    void assign(veq::Entries items);
    void clear();
    void removeAt(std::vector<std::size_t> positions);

    [[nodiscard]] const veq::EntryList& list() const { return m_list; }
    [[nodiscard]] const veq::Entries& entries() const { return m_list.items(); }
    [[nodiscard]] int count() const { return static_cast<int>(m_list.size()); }

private:
    veq::EntryList m_list;
};
