// One source, one reader per build (VEQ_FUZZ_<kind>), so each target's corpus
// stays its own. Each checks a property of what it accepts, not only that
// nothing crashes.
#include "core/data_file.h"
#include "core/squadron.h"

#include <algorithm>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// An accepted image, written back and read again, gives the same headers and
// entries (as a multiset: the file-list writer groups by prefix).
void roundTrip(std::span<const std::uint8_t> image, veq::ListId kind)
{
    veq::ConversionBuffer buf{};
    auto file = veq::parseDataFile(image, kind, buf);
    if (!file)
        return;
    auto written = veq::buildDataFile(kind, file->headers, file->entries, buf);
    require(written && written->size() == veq::kFrameSize + file->entries.size() * veq::recordSize(kind));
    auto again = veq::parseDataFile(*written, kind, buf);
    require(again && again->headers == file->headers);
    std::sort(file->entries.begin(), file->entries.end());
    std::sort(again->entries.begin(), again->entries.end());
    require(again->entries == file->entries);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> image(data, size);
#if defined(VEQ_FUZZ_filelist)
    roundTrip(image, veq::ListId::FileList);
#elif defined(VEQ_FUZZ_except)
    roundTrip(image, veq::ListId::Except);
#elif defined(VEQ_FUZZ_planesq)
    roundTrip(image, veq::ListId::PlaneSq);
#elif defined(VEQ_FUZZ_squadron)
    if (auto items = veq::parseSquadronFile(image))
        for (const auto& item : *items)
            require(item.size() == 10 && item.substr(2, 6) == "000000" && veq::isHexText(item));
#endif
    return 0;
}
