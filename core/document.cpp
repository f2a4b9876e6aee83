#include "core/document.h"

#include "core/sentences.h"

#include <utility>

namespace veq {

Expected<ReadResult> Document::read(const std::filesystem::path& path, KnownFiles& known, ConversionBuffer& buf)
{
    auto file = loadDataFile(path, m_kind, buf);
    if (!file)
        return Refusal{file.reason()};
    const std::string afterRecords = file->afterRecords();
    // What the disk holds is no step of the list: Undo leaves it as it is.
    const std::string caution = afterRecords.empty() ? std::string() : sentences::saveWouldDropBytes(afterRecords);
    known.insert_or_assign(file->stamp.file, KnownFile{file->stamp.state, caution});
    ReadResult result{replace(file->headers, std::move(file->entries)), afterRecords, {}};
    if (!afterRecords.empty())
        result.notice = sentences::readDespiteBytesAfter(path, afterRecords);
    return result;
}

DocumentChange Document::replace(DataFileHeaders headers, Entries entries)
{
    DocumentChange change{m_list.assign(std::move(entries)), std::exchange(m_headers, headers), m_touched};
    m_touched = true;
    return change;
}

DocumentChange Document::add(Entries items, std::vector<std::size_t>* held)
{
    // Handing over nothing is no change: a count never shown stays blank.
    DocumentChange change{{}, std::nullopt, m_touched};
    if (items.empty())
        return change;
    change.entries = m_list.addMany(std::move(items), held);
    m_touched = true;
    return change;
}

DocumentChange Document::removeAt(std::vector<std::size_t> positions)
{
    DocumentChange change{m_list.removeAt(std::move(positions)), std::nullopt, m_touched};
    m_touched = true;
    return change;
}

void Document::flip(DocumentChange& change)
{
    m_list.flip(change.entries);
    if (change.headers)
        std::swap(*change.headers, m_headers);
    std::swap(change.touched, m_touched);
}

Expected<Bytes> Document::image(ConversionBuffer& buf) const
{
    auto image = buildDataFile(m_kind, m_headers, m_list.items(), buf);
    if (!image)
        return Refusal{sentences::notSaved(image.reason())};
    return image;
}

Expected<SaveReport> Document::save(const std::filesystem::path& path, KnownFiles& known, ConversionBuffer& buf,
                                    const TurnWait& wait, const FolderTurn* turn) const
{
    // What cannot be written is refused before the wait for the folder.
    const auto bytes = image(buf);
    if (!bytes)
        return Refusal{bytes.reason()};
    std::optional<Expected<FolderTurn>> ownTurn;
    if (!turn) {
        ownTurn.emplace(FolderTurn::take(path, wait));
        if (!*ownTurn)
            return Refusal{ownTurn->reason()};
    }
    return replaceFile(path, *bytes, &known);
}

Expected<FileAddition> addToDataFile(const std::filesystem::path& path, ListId kind, Entries items,
                                     const TurnWait& wait)
{
    // Held from the read to the save: a second run waits, then adds to what this one saved.
    auto turn = FolderTurn::take(path, wait);
    if (!turn)
        return Refusal{turn.reason()};
    KnownFiles known;
    ConversionBuffer buf{};
    Document document(kind);
    auto read = document.read(path, known, buf);
    if (!read)
        return Refusal{read.reason()};
    if (!read->afterRecords.empty())
        return Refusal{sentences::notChangedBytesAfter(path, read->afterRecords)};
    FileAddition addition;
    const DocumentChange change = document.add(std::move(items));
    for (std::size_t row : change.entries.rowsIn())
        addition.added.push_back(document.list().at(row));
    if (addition.added.empty())
        return addition;
    auto saved = document.save(path, known, buf, wait, &*turn);
    if (!saved)
        return Refusal{saved.reason()};
    addition.notice = saved->notice;
    return addition;
}

} // namespace veq
