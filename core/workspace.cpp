#include "core/workspace.h"

#include "core/entry_parser.h"
#include "core/sentences.h"

#include <algorithm>
#include <iterator>

namespace veq {

Workspace::Workspace()
    : m_documents{Document(ListId::FileList), Document(ListId::Except), Document(ListId::PlaneSq)},
      m_history(kHistoryBudget)
{
}

void Workspace::record(ListId id, std::string name, DocumentChange change)
{
    if (!change.empty())
        m_history.push({id, std::move(name), std::move(change)});
}

Expected<std::string> Workspace::read(ListId id, const std::filesystem::path& path)
{
    auto read = changing(id).read(path, m_known, ConvBuf);
    if (!read)
        return Refusal{read.reason()};
    record(id, sentences::readStep(path, id), std::move(read->change));
    return std::move(read->notice);
}

std::vector<std::size_t> Workspace::add(ListId id, Entries items, std::string_view action)
{
    // The items the list holds already are selected afterwards all the same.
    std::vector<std::size_t> held;
    DocumentChange change = changing(id).add(std::move(items), &held);
    const std::vector<std::size_t> in = change.entries.rowsIn();
    std::vector<std::size_t> rows;
    rows.reserve(in.size() + held.size());
    std::merge(in.begin(), in.end(), held.begin(), held.end(), std::back_inserter(rows));
    const std::size_t added = change.entries.broughtIn();
    record(id, sentences::addStep(action, added, id), std::move(change));
    return rows;
}

Expected<std::vector<std::size_t>> Workspace::paste(ListId id, std::string_view text)
{
    auto entries = parseEntryLines(id, text);
    if (!entries)
        return Refusal{sentences::nothingPasted(entries.reason())};
    sortEntries(*entries);
    entries->erase(std::unique(entries->begin(), entries->end()), entries->end());
    // Only what the list does not hold yet needs room: one walk beside the list finds it.
    const EntryList& list = changing(id).list();
    std::size_t fresh = 0;
    auto held = list.items().begin();
    for (const Entry& entry : *entries) {
        held = std::lower_bound(held, list.items().end(), entry);
        fresh += held == list.items().end() || *held != entry ? 1 : 0;
    }
    const auto limit = static_cast<std::size_t>(kMaxRecords);
    if (list.size() + fresh > limit)
        return Refusal{sentences::pasteTooLarge(list.size(), fresh, limit - std::min(limit, list.size()))};
    return add(id, std::move(*entries), "Paste");
}

void Workspace::remove(ListId id, std::vector<std::size_t> positions)
{
    DocumentChange change = changing(id).removeAt(std::move(positions));
    const std::size_t removed = change.entries.takenOut();
    record(id, sentences::deleteStep(removed, id), std::move(change));
}

Expected<SaveReport> Workspace::write(ListId id, const std::filesystem::path& path, const TurnWait& wait)
{
    const KnownFiles before = m_known;
    auto saved = changing(id).save(path, m_known, ConvBuf, wait);
    // Refused for something the window now knows of the file: the message
    // window has only OK, so the next Write is the user's answer.
    if (!saved && m_known != before)
        return Refusal{saved.reason() + std::string(sentences::kWriteAgain)};
    return saved;
}

std::optional<Workspace::Flipped> Workspace::flip(Step& step)
{
    Document& changed = changing(step.list);
    changed.flip(step.change);
    return Flipped{step.list, step.change.entries.rowsIn()};
}

std::optional<Workspace::Flipped> Workspace::undo()
{
    std::optional<Flipped> flipped;
    m_history.undo([&](Step& step) { flipped = flip(step); });
    return flipped;
}

std::optional<Workspace::Flipped> Workspace::redo()
{
    std::optional<Flipped> flipped;
    m_history.redo([&](Step& step) { flipped = flip(step); });
    return flipped;
}

std::string Workspace::undoName() const
{
    const Step* step = m_history.toUndo();
    return step ? step->name : std::string();
}

std::string Workspace::redoName() const
{
    const Step* step = m_history.toRedo();
    return step ? step->name : std::string();
}

} // namespace veq
