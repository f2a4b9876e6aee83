#pragma once

#include "core/data_file.h"
#include "core/entry_list.h"
#include "core/file_io.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace veq {

// What one change did to a document, kept so that it can be taken back and
// done again: the entries, the headers a read replaced, and whether the list
// had been changed before it (its count was shown).
struct DocumentChange {
    EntryChange entries;
    std::optional<DataFileHeaders> headers;
    bool touched = true;

    // A read is a change even when the file holds what the list held: the
    // headers stored are the new file's.
    [[nodiscard]] bool empty() const { return entries.empty() && !headers; }
    [[nodiscard]] std::size_t bytes() const { return sizeof *this - sizeof entries + entries.bytes(); }
};

// A read's change, and what lies after the file's records, which the list
// does not keep (both empty when nothing does): in a clause, and in the
// sentence the editor's Read says.
struct ReadResult {
    DocumentChange change;
    std::string afterRecords;
    std::string notice;
};

// One data file as both programs edit it: the entries as a main list holds
// them (sorted, each once), the headers a save writes with them, and whether
// the list was ever changed (its count is shown from then on). It reads a
// file, takes changes and saves the one way both programs save.
class Document final {
public:
    explicit Document(ListId kind) : m_kind(kind) {}

    [[nodiscard]] ListId kind() const { return m_kind; }
    [[nodiscard]] const EntryList& list() const { return m_list; }
    [[nodiscard]] const DataFileHeaders& headers() const { return m_headers; }
    [[nodiscard]] bool touched() const { return m_touched; }
    // Tells `watcher` of every change of the list from now on.
    void watch(ListWatcher* watcher) { m_list.watch(watcher); }

    // Reads `path` in place of the entries and headers once the whole file is
    // checked: a refused read changes nothing. From then on `known` knows the
    // file, with a caution when bytes lie after its records.
    [[nodiscard]] Expected<ReadResult> read(const std::filesystem::path& path, KnownFiles& known,
                                            ConversionBuffer& buf);
    // The contents of a file (veq build's text) in place of the document's.
    DocumentChange replace(DataFileHeaders headers, Entries entries);
    // Adds each item the list does not hold yet, in one change. The items are
    // entries already (parseEntry, the readers, the audits). `held`, when
    // given, receives the rows of the items the list held already.
    DocumentChange add(Entries items, std::vector<std::size_t>* held = nullptr);
    DocumentChange removeAt(std::vector<std::size_t> positions);
    // Takes a change back, or does it again; afterwards it holds the way back.
    void flip(DocumentChange& change);

    // The file's bytes, or why none can be written.
    [[nodiscard]] Expected<Bytes> image(ConversionBuffer& buf) const;

    // The save of both programs: the folder's turn (unless `turn` is one the
    // caller holds already), the image, and the safe save with the rules of
    // the files `known` (a change on disk since, bytes it would drop).
    [[nodiscard]] Expected<SaveReport> save(const std::filesystem::path& path, KnownFiles& known, ConversionBuffer& buf,
                                            const TurnWait& wait = {}, const FolderTurn* turn = nullptr) const;

private:
    ListId m_kind;
    EntryList m_list;
    DataFileHeaders m_headers;
    bool m_touched = false;
};

// What veq's changing commands did: the entries added, in list order, and a
// note of the save for the user (a hard link broken, what could not be kept).
struct FileAddition {
    Entries added;
    std::string notice;
};

// The read-change-save of veq's changing commands (add, copy, extra --add,
// autogen --into): the folder's turn from the read to the save, so that two
// runs at once both add their entries; a file with bytes after its records is
// left alone; the entries not there yet added; and a save only when there are
// such entries, so that a second run leaves the file byte for byte.
[[nodiscard]] Expected<FileAddition> addToDataFile(const std::filesystem::path& path, ListId kind, Entries items,
                                                   const TurnWait& wait = {});

} // namespace veq
