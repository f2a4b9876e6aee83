// One source, one reader per build (VEQ_FUZZ_<kind>), so each target's corpus
// stays its own. Each checks a property of what it accepts, not only that
// nothing crashes.
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

// What `veq build` writes from a text, dumped and built again, is the same file.
void textRoundTrip(std::string_view text, veq::ListId kind)
{
    auto parsed = veq::parseDataText(text);
    veq::ConversionBuffer buf{};
    auto image = parsed ? veq::buildDataFile(kind, parsed->headers, parsed->entries, buf) : veq::Refusal{};
    if (!image)
        return;
    auto file = veq::parseDataFile(*image, kind, buf);
    require(file.ok());
    std::string dumped = veq::headerLines(file->headers);
    for (const auto& entry : file->entries)
        dumped += entry + '\n';
    auto again = veq::parseDataText(dumped);
    auto rebuilt = again ? veq::buildDataFile(kind, again->headers, again->entries, buf) : veq::Refusal{};
    require(rebuilt && *rebuilt == *image);
}

// A typed entry that can be written reads back as typed (a plane-squadron
// entry's middle as zeros).
void typedRoundTrip(std::string_view typed, veq::ListId kind)
{
    auto entry = veq::typedEntry(kind, typed);
    veq::ConversionBuffer buf{};
    auto image = entry ? veq::buildDataFile(kind, {}, {*entry}, buf) : veq::Refusal{};
    if (!image)
        return;
    auto file = veq::parseDataFile(*image, kind, buf);
    const std::string expected =
        kind == veq::ListId::PlaneSq ? entry->substr(0, 2) + "000000" + entry->substr(8) : *entry;
    require(file && file->entries == veq::Entries{expected});
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
#elif defined(VEQ_FUZZ_text) || defined(VEQ_FUZZ_copy) || defined(VEQ_FUZZ_typed)
    // The first byte picks the kind of file.
    if (image.empty())
        return 0;
    const veq::ListId kind = veq::kAllLists[image[0] % veq::kAllLists.size()];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
#if defined(VEQ_FUZZ_text)
    textRoundTrip(text, kind);
#elif defined(VEQ_FUZZ_typed)
    typedRoundTrip(text, kind);
#else
    // Then two bytes of plane id; each entry copied is of that plane, as a record gives it.
    if (auto entries = veq::copyEntries(image.subspan(std::min<std::size_t>(size, 3)), kind, text.substr(0, 2)))
        for (const auto& entry : *entries)
            require(veq::planeIdOf(kind, entry) == text.substr(0, 2) && veq::checkWritable(kind, entry));
#endif
#elif defined(VEQ_FUZZ_squadron)
    if (auto items = veq::parseSquadronFile(image))
        for (const auto& item : *items)
            require(item.size() == 10 && item.substr(2, 6) == "000000" && veq::isHexText(item));
#endif
    return 0;
}
