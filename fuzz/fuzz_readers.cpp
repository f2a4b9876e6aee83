// One source, one reader per build (VEQ_FUZZ_<target>, and VEQ_FUZZ_KIND 1 to 3
// for a data file, 0 else), so each target's corpus stays its own. Each
// checks a property of what it accepts, not only that nothing crashes.
#include "core/copy_reader.h"
#include "core/data_file.h"
#include "core/data_text.h"
#include "core/entry_parser.h"
#include "core/squadron.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The largest input worth trying, from the kind table: a whole data file of
// the largest kind, a text of one, the longest entry in four-byte characters.
// Some leave the first byte to pick the kind, a copy two more for the plane id.
std::size_t largestInput()
{
#if VEQ_FUZZ_KIND > 0
    return veq::largestDataFile(veq::ListId{VEQ_FUZZ_KIND});
#elif defined(VEQ_FUZZ_squadron)
    // Far beyond a real squadron file's records, none of which is longer than a few kilobytes.
    return std::size_t{1} << 20;
#else
    [[maybe_unused]] std::size_t largestFile = 0, longestEntry = 0;
    for (const veq::DataKind& kind : veq::kDataKinds) {
        largestFile = std::max(largestFile, veq::largestDataFile(kind.id));
        longestEntry = std::max({longestEntry, kind.entryLength(), kind.typedLength()});
    }
#if defined(VEQ_FUZZ_text)
    // "header1 " and "header2 " with their digits, and each entry on a line ended by "\r\n".
    return 1 + 2 * (8 + 2) + 2 * (veq::kHeader1Size + veq::kHeader2Size) +
           static_cast<std::size_t>(veq::kMaxRecords) * (longestEntry + 2);
#elif defined(VEQ_FUZZ_typed)
    return 1 + 4 * (longestEntry + 1);
#else
    return 3 + largestFile;
#endif
#endif
}

// Entries written and read again come back as they were, with their headers
// (as a multiset: the file-list writer groups by prefix). What a reader or the
// parser gives can always be written, unless there are more than a file holds.
[[maybe_unused]] void writesBack(veq::ListId kind, const veq::DataFileHeaders& headers, veq::Entries entries)
{
    veq::ConversionBuffer buf{};
    auto written = veq::buildDataFile(kind, headers, entries, buf);
    require(written || entries.size() > static_cast<std::size_t>(veq::kMaxRecords));
    if (!written)
        return;
    auto again = veq::parseDataFile(*written, kind, buf);
    require(again && again->headers == headers && again->bytesAfterRecords == 0);
    std::sort(entries.begin(), entries.end());
    std::sort(again->entries.begin(), again->entries.end());
    require(again->entries == entries);
}

} // namespace

// Gives libFuzzer its longest input, unless the command line does.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    constexpr std::string_view kFlag = "-max_len=";
    for (int i = 1; i < *argc; ++i)
        if (std::string_view((*argv)[i]).starts_with(kFlag))
            return 0;
    static std::string flag = std::string(kFlag) + std::to_string(largestInput());
    static std::vector<char*> arguments(*argv, *argv + *argc);
    arguments.push_back(flag.data());
    arguments.push_back(nullptr);
    *argc += 1;
    *argv = arguments.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> image(data, size);
#if VEQ_FUZZ_KIND > 0
    veq::ConversionBuffer buf{};
    if (auto file = veq::parseDataFile(image, veq::ListId{VEQ_FUZZ_KIND}, buf))
        writesBack(veq::ListId{VEQ_FUZZ_KIND}, file->headers, file->entries);
#elif defined(VEQ_FUZZ_squadron)
    if (auto items = veq::parseSquadronFile(image))
        for (const auto& item : *items)
            require(veq::checkEntry(veq::ListId::PlaneSq, item).ok());
#else
    // The first byte picks the kind of file (and for a typed entry, its form).
    if (image.empty())
        return 0;
    const veq::ListId kind = veq::kAllLists[image[0] % veq::kAllLists.size()];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
#if defined(VEQ_FUZZ_text)
    if (auto file = veq::parseDataText(kind, text))
        writesBack(kind, file->headers, file->entries);
#elif defined(VEQ_FUZZ_typed)
    const auto form = image[0] / veq::kAllLists.size() % 2 ? veq::EntryForm::Line : veq::EntryForm::Typed;
    if (auto entry = veq::parseEntry(kind, text, form))
        writesBack(kind, {}, {*entry});
#else
    // Then two bytes of plane id: each entry copied is a record's of that plane.
    if (auto entries = veq::copyEntries(image.subspan(std::min<std::size_t>(size, 3)), kind, text.substr(0, 2)))
        for (const auto& entry : *entries)
            require(veq::planeIdOf(kind, entry) == text.substr(0, 2) && veq::checkEntry(kind, entry));
#endif
#endif
    return 0;
}
