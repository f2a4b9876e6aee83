#pragma once

#include "core/entry_list.h"

#include <QAbstractListModel>

#include <vector>

// The one list model of the program: a thin Qt face over a sorted EntryList.
// The list decides where an entry goes and whether it is a repeat; the model
// only announces what the list did: the row it inserted, the runs of rows it
// removed. Bulk changes (a file read, a "Finish", a report, an undo) are one
// layout change in which every selected or current row that still exists
// keeps its item, so the user keeps their place. Each change says what it
// changed, so that it can be taken back.
class EntryListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    explicit EntryListModel(bool allowDuplicates, QObject* parent = nullptr);

    [[nodiscard]] QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Returns whether the item was added (a list without duplicates skips equal items).
    bool add(const veq::Entry& item);
    veq::EntryChange addMany(veq::Entries items);
    veq::EntryChange assign(veq::Entries items);
    veq::EntryChange removeAt(std::vector<std::size_t> positions);
    // Takes a change back, or does it again (see EntryList::flip).
    void flip(veq::EntryChange& change);

    [[nodiscard]] const veq::Entries& entries() const { return m_list.items(); }
    [[nodiscard]] int count() const { return static_cast<int>(m_list.size()); }

private:
    template <typename Change> void changeInBulk(Change change);

    veq::EntryList m_list;
};
