// One source, one reader per build (VEQ_FUZZ_<target>, and VEQ_FUZZ_KIND 1 to 3
// for a data file, 0 else), so each target's corpus stays its own. Each
// checks a property of what it accepts, not only that nothing crashes.
#include "core/copy_reader.h"
#include "core/data_file.h"
#include "core/data_text.h"
#include "core/squadron.h"

#include <algorithm>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Entries written and read again come back, with their headers (as a
// multiset: the file-list writer groups by prefix; what a record does not
// keep reads back as the writer puts it: an exception pair's separator, a
// plane-squadron entry's zeros). What a data file held can always be written.
[[maybe_unused]] void writesBack(veq::ListId kind, const veq::DataFileHeaders& headers, veq::Entries entries,
                                 bool fromFile)
{
    veq::ConversionBuffer buf{};
    auto written = veq::buildDataFile(kind, headers, entries, buf);
    require(written || !fromFile);
    if (!written)
        return;
    auto again = veq::parseDataFile(*written, kind, buf);
    require(again && again->headers == headers);
    for (auto& entry : entries) {
        if (kind == veq::ListId::Except)
            entry.replace(veq::kPartIdLength, veq::kExceptSeparator.size(), veq::kExceptSeparator);
        if (kind == veq::ListId::PlaneSq)
            entry.replace(2, 6, "000000");
    }
    std::sort(entries.begin(), entries.end());
    std::sort(again->entries.begin(), again->entries.end());
    require(again->entries == entries);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> image(data, size);
#if VEQ_FUZZ_KIND > 0
    veq::ConversionBuffer buf{};
    if (auto file = veq::parseDataFile(image, veq::ListId{VEQ_FUZZ_KIND}, buf))
        writesBack(veq::ListId{VEQ_FUZZ_KIND}, file->headers, file->entries, true);
#elif defined(VEQ_FUZZ_squadron)
    if (auto items = veq::parseSquadronFile(image))
        for (const auto& item : *items)
            require(item.size() == 10 && item.substr(2, 6) == "000000" && veq::isHexText(item));
#else
    // The first byte picks the kind of file.
    if (image.empty())
        return 0;
    const veq::ListId kind = veq::kAllLists[image[0] % veq::kAllLists.size()];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
#if defined(VEQ_FUZZ_text)
    if (auto file = veq::parseDataText(text))
        writesBack(kind, file->headers, file->entries, false);
#elif defined(VEQ_FUZZ_typed)
    if (auto entry = veq::typedEntry(kind, text))
        writesBack(kind, {}, {*entry}, false);
#else
    // Then two bytes of plane id: each entry copied is a record's of that plane.
    if (auto entries = veq::copyEntries(image.subspan(std::min<std::size_t>(size, 3)), kind, text.substr(0, 2)))
        for (const auto& entry : *entries)
            require(veq::planeIdOf(kind, entry) == text.substr(0, 2) && veq::checkWritable(kind, entry));
#endif
#endif
    return 0;
}
