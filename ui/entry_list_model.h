#pragma once

#include "core/entry_list.h"

#include <QAbstractListModel>

#include <vector>

// The one list model of the program: a thin Qt face over a sorted EntryList,
// the tool windows' own or a main list of the core's workspace. The list
// decides where an entry goes and whether it is a repeat; the model only
// announces what the list did, whoever changed it: the row it inserted, the
// runs of rows it removed. Bulk changes (a file read, a "Finish", a report,
// an undo) are one layout change in which every selected or current row that
// still exists keeps its item, so the user keeps their place.
class EntryListModel final : public QAbstractListModel, public veq::ListWatcher {
    Q_OBJECT

public:
    // A list of the model's own.
    explicit EntryListModel(bool allowDuplicates, QObject* parent = nullptr);
    // A list owned and changed elsewhere, which lives longer than the model:
    // the model follows it once the owner lets it watch the list.
    EntryListModel(const veq::EntryList& list, QObject* parent);
    ~EntryListModel() override;

    [[nodiscard]] QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The changes of a list of the model's own. Returns whether the item was
    // added (a list without duplicates skips equal items).
    bool add(const veq::Entry& item);
    veq::EntryChange addMany(veq::Entries items);
    veq::EntryChange assign(veq::Entries items);
    veq::EntryChange removeAt(std::vector<std::size_t> positions);
    // Takes a change back, or does it again (see EntryList::flip).
    void flip(veq::EntryChange& change);

    [[nodiscard]] const veq::Entries& entries() const { return m_list->items(); }
    [[nodiscard]] int count() const { return static_cast<int>(m_list->size()); }

    // What the list tells of its changes, announced to the views.
    void bulkChangeBegins() override;
    void bulkChangeEnded() override;
    void rowsGoing(std::size_t first, std::size_t last) override;
    void rowsGone() override;
    void rowComing(std::size_t row) override;
    void rowCame() override;

private:
    veq::EntryList& own();

    veq::EntryList m_own;
    const veq::EntryList* m_list;
    // Each held row as the bulk change under way found it: by its text and,
    // among equal texts, by its place in their run.
    struct Place {
        veq::Entry text;
        std::size_t occurrence;
    };
    QModelIndexList m_held;
    std::vector<Place> m_places;
};
