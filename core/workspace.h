#pragma once

#include "core/document.h"
#include "core/history.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veq {

// The main window's work: its three documents, one history of their changes
// (Undo takes back the last change made in the window, whichever list), the
// files as last read or saved here, and the conversion buffer of the readers
// and writers. Every change is one step, named as the window names it
// ("Read filelist.dat into FileList", "Add 1 entry to Except").
class Workspace final {
public:
    // The history keeps within this many bytes by forgetting its oldest steps.
    static constexpr std::size_t kHistoryBudget = std::size_t{64} * 1024 * 1024;

    Workspace();

    [[nodiscard]] const Document& document(ListId id) const { return m_documents[slotOf(id)]; }
    // Tells `watcher` of every change of list `id`, however it comes.
    void watch(ListId id, ListWatcher* watcher) { m_documents[slotOf(id)].watch(watcher); }

    // Reads a file into list `id` (see Document::read); the sentence the
    // window says of it (bytes after its records), or empty.
    [[nodiscard]] Expected<std::string> read(ListId id, const std::filesystem::path& path);
    // Adds the items (entries already) handed over by `action` ("Add",
    // "Copy"); the rows of the items handed over, new or held already, ascending.
    std::vector<std::size_t> add(ListId id, Entries items, std::string_view action);
    // The entries of a pasted text, one a line, added as one step; refused
    // whole when a line is no entry or the list would pass 32,767 entries.
    // Returns the rows of the entries pasted, new or held already, ascending.
    [[nodiscard]] Expected<std::vector<std::size_t>> paste(ListId id, std::string_view text);
    void remove(ListId id, std::vector<std::size_t> positions);

    // Saves list `id` over `path` (see Document::save). A save refused for what
    // it would lose unsaid tells the user that a second Write replaces it.
    [[nodiscard]] Expected<SaveReport> write(ListId id, const std::filesystem::path& path, const TurnWait& wait = {});

    // What an undo or redo changed: the list, and its rows that came back in.
    struct Flipped {
        ListId list;
        std::vector<std::size_t> rowsIn;
    };
    std::optional<Flipped> undo();
    std::optional<Flipped> redo();
    // The step that Undo or Redo would take, empty when none.
    [[nodiscard]] std::string undoName() const;
    [[nodiscard]] std::string redoName() const;
    [[nodiscard]] std::size_t historyBytes() const { return m_history.bytes(); }

private:
    struct Step {
        ListId list;
        std::string name;
        DocumentChange change;
        [[nodiscard]] std::size_t bytes() const { return sizeof *this + name.capacity() + change.bytes(); }
    };

    Document& changing(ListId id) { return m_documents[slotOf(id)]; }
    void record(ListId id, std::string name, DocumentChange change);
    std::optional<Flipped> flip(Step& step);

    std::array<Document, kAllLists.size()> m_documents;
    History<Step> m_history;
    // What the disk holds is no step of a list, so Undo leaves it: the stamp
    // of a file as read before, brought back, would take a later Write of
    // this window's own for another program's change.
    KnownFiles m_known;
    ConversionBuffer ConvBuf{};
};

} // namespace veq
