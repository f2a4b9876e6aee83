#include "bench/bench_data.h"

#include "tests/kit/files.h"

#include <algorithm>
#include <random>

veq::Entries sortedEntries(veq::ListId id, std::size_t count, unsigned seed)
{
    veq::Entries entries = kit::randomEntries(id, count, seed);
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::pair<veq::Entries, veq::Entries> disjointEntries(veq::ListId id, std::size_t count, unsigned seed)
{
    const veq::Entries both = sortedEntries(id, 2 * count, seed);
    std::pair<veq::Entries, veq::Entries> halves;
    for (std::size_t i = 0; i < both.size(); ++i)
        (i % 2 ? halves.second : halves.first).push_back(both[i]);
    return halves;
}

veq::Entries inOrder(veq::Entries sorted, RecordOrder order, unsigned seed)
{
    if (order == RecordOrder::Descending)
        std::reverse(sorted.begin(), sorted.end());
    if (order == RecordOrder::Random)
        std::shuffle(sorted.begin(), sorted.end(), std::mt19937(seed));
    return sorted;
}

veq::Bytes squadronImage(int planeEntries, unsigned seed)
{
    kit::SquadronBuilder builder(seed);
    std::mt19937 random(seed);
    for (int left = planeEntries; left > 0;) {
        std::vector<std::uint8_t> planes(std::min<std::size_t>(static_cast<std::size_t>(left), 1 + random() % 40));
        for (auto& plane : planes)
            plane = static_cast<std::uint8_t>(random());
        builder.record(static_cast<std::uint8_t>(random()), static_cast<std::int16_t>(random() % 4), planes);
        left -= static_cast<int>(planes.size());
    }
    return builder.image();
}

QString qPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

void makeBitmaps(const std::filesystem::path& folder, const veq::Entries& ids)
{
    std::filesystem::create_directories(folder);
    for (const auto& id : ids)
        kit::writeFile(folder / (id + ".bmp"), {});
}
