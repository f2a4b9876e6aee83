#include "core/copy_reader.h"

#include "core/data_file.h"

#include <algorithm>
#include <iterator>

namespace veq {

std::string_view planeIdOf(ListId id, std::string_view entry)
{
    // Every record kind keeps the aircraft in one digit pair of the entry text.
    return entry.substr(dataKind(id).planeIdAt, 2);
}

Entries entriesOfPlane(ListId id, const Entries& entries, std::string_view planeId)
{
    Entries matching;
    // A plane id is one digit pair: no other typed text can match.
    if (planeId.size() != 2)
        return matching;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(matching),
                 [&](const Entry& entry) { return planeIdOf(id, entry) == planeId; });
    return matching;
}

Expected<Entries> copyEntries(std::span<const std::uint8_t> image, ListId id, std::string_view planeId)
{
    // A buffer of our own: copying never touches the main window's conversion state.
    ConversionBuffer buf{};
    auto file = parseDataFile(image, id, buf);
    if (!file)
        return Refusal{file.reason()};
    return entriesOfPlane(id, file->entries, planeId);
}

Expected<Entries> loadCopyEntries(const std::filesystem::path& path, ListId id, std::string_view planeId)
{
    ConversionBuffer buf{};
    auto file = loadDataFile(path, id, buf);
    if (!file)
        return Refusal{file.reason()};
    return entriesOfPlane(id, file->entries, planeId);
}

} // namespace veq
