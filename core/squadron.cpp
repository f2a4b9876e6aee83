#include "core/squadron.h"

#include "core/file_io.h"
#include "core/sentences.h"

#include <string>

namespace veq {

namespace {

std::int16_t int16At(std::span<const std::uint8_t> image, std::size_t offset)
{
    const auto low = static_cast<unsigned>(image[offset]);
    const auto high = static_cast<unsigned>(image[offset + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

Refusal cutShort(std::size_t number, std::size_t start, const std::string& part, std::size_t partStart,
                 std::size_t partEnd, std::size_t fileSize)
{
    return Refusal{sentences::squadronCutShort(number, start, part, partStart, partEnd, fileSize)};
}

} // namespace

Expected<Entries> parseSquadronFile(std::span<const std::uint8_t> image)
{
    Entries items;
    const std::size_t size = image.size();
    std::size_t start = 0;
    for (std::size_t number = 1; start < size; ++number) {
        // Every bound is checked against what is left before a field is read,
        // so a damaged record never yields an item nor reads past the image.
        const std::size_t left = size - start;
        if (left < kSquadFixedSize)
            return cutShort(number, start, "fixed part", start, start + kSquadFixedSize, size);

        const std::uint8_t squad = image[start + kSquadOffset];
        const int blocks = int16At(image, start + kBlockCountOffset);
        if (blocks < 0 || blocks > kMaxSquadBlocks)
            return Refusal{sentences::squadronBlockCount(number, start, blocks, start + kBlockCountOffset,
                                                         kMaxSquadBlocks)};

        const std::size_t countB = kSquadFixedSize + static_cast<std::size_t>(blocks) * kSquadBlockSize;
        if (left < countB)
            return cutShort(number, start, "16-byte blocks", start + kSquadFixedSize, start + countB, size);
        const std::size_t planesAt = countB + kPlaneCountSize;
        if (left < planesAt)
            return cutShort(number, start, "plane count field", start + countB, start + planesAt, size);

        const int planes = int16At(image, start + countB);
        if (planes < 0)
            return Refusal{sentences::squadronNegativePlanes(number, start, planes, start + countB)};

        const std::size_t length = planesAt + static_cast<std::size_t>(planes) * kPlaneEntrySize;
        if (left < length) {
            const std::size_t entry = (left - planesAt) / kPlaneEntrySize;
            const std::size_t entryAt = start + planesAt + entry * kPlaneEntrySize;
            return cutShort(number, start, "plane entry " + std::to_string(entry + 1) + " of " + std::to_string(planes),
                            entryAt, entryAt + kPlaneEntrySize, size);
        }

        for (std::size_t entry = 0; entry < static_cast<std::size_t>(planes); ++entry)
            items.push_back(planeSqText(image[start + planesAt + entry * kPlaneEntrySize], squad));
        start += length;
    }
    return items;
}

Expected<Entries> loadSquadronFile(const std::filesystem::path& path)
{
    auto image = readWholeFile(path, kMaxSquadronFileBytes, "a squadron file");
    if (!image)
        return Refusal{image.reason()};
    auto items = parseSquadronFile(*image);
    if (!items)
        return Refusal{sentences::squadronDamaged(path, items.reason())};
    return items;
}

} // namespace veq
