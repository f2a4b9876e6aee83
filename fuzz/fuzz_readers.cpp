// One source, one reader per build (VEQ_FUZZ_<kind>), so each target's
// corpus stays its own.
#include "core/copy_reader.h"
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

// An accepted image, written back and read again, gives the same entries and headers.
void dataFileRoundTrip(std::span<const std::uint8_t> image, veq::RecordKind kind)
{
    veq::ConvBuf buf{};
    auto file = veq::parseDataFile(image, kind, buf);
    if (!file)
        return;
    const veq::Entries& entries = file->entries;
    // The file-list writer groups by prefix, so compare as multisets there.
    auto written = veq::buildDataFile(kind, file->headers, entries, buf);
    require(written.ok());
    require(written->size() == veq::kFrameSize + entries.size() * veq::recordSize(kind));
    auto again = veq::parseDataFile(*written, kind, buf);
    require(again.ok());
    require(again->headers == file->headers);
    veq::Entries before = entries;
    veq::Entries after = again->entries;
    if (kind == veq::RecordKind::FileList) {
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
    }
    require(before == after);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> image(data, size);
#if defined(VEQ_FUZZ_filelist)
    dataFileRoundTrip(image, veq::RecordKind::FileList);
#elif defined(VEQ_FUZZ_except)
    dataFileRoundTrip(image, veq::RecordKind::Except);
#elif defined(VEQ_FUZZ_planesq)
    dataFileRoundTrip(image, veq::RecordKind::PlaneSq);
#elif defined(VEQ_FUZZ_copy)
    // The first byte picks the list and the second the plane id; the rest is the file.
    if (size < 2)
        return 0;
    const auto id = static_cast<veq::ListId>(1 + data[0] % 3);
    const std::string planeId = veq::ByteToStr(data[1]);
    const auto file = image.subspan(2);
    auto copied = veq::copyEntries(file, id, planeId);
    veq::ConvBuf buf{};
    auto parsed = veq::parseDataFile(file, veq::recordKindOf(id), buf);
    require(copied.ok() == parsed.ok());
    if (copied) {
        require(*copied == veq::entriesOfPlane(id, parsed->entries, planeId));
        for (const auto& entry : *copied)
            require(veq::planeIdOf(id, entry) == planeId);
    }
#elif defined(VEQ_FUZZ_squadron)
    auto items = veq::parseSquadronFile(image);
    if (items)
        for (const auto& item : *items)
            require(item.size() == 10 && item.substr(2, 6) == "000000" && veq::isHexText(item));
#endif
    return 0;
}
