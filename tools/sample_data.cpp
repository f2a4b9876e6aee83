#include "tools/sample_data.h"

#include "core/kinds.h"
#include "core/data_file.h"
#include "core/file_io.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace veq {
namespace {

namespace fs = std::filesystem;

// The planes of the main files, and the parts every one of them has: the
// third digit pairs straddle 10 so the writer's two passes both have work.
constexpr std::uint8_t kFirstPlane = 0x01;
constexpr std::uint8_t kLastPlane = 0x0C;
constexpr std::array<std::pair<std::uint8_t, std::uint8_t>, 8> kParts{{
    {0x07, 0x14},
    {0x07, 0x15},
    {0x08, 0x14},
    {0x0A, 0x01},
    {0x10, 0x01},
    {0x12, 0x0A},
    {0x18, 0x04},
    {0x20, 0x03},
}};

std::string partId(std::uint8_t p1, std::uint8_t p2, std::uint8_t p3, std::uint8_t p4)
{
    return ByteToStr(p1) + ByteToStr(p2) + ByteToStr(p3) + ByteToStr(p4);
}

std::string part(std::uint8_t plane, std::uint8_t p3, std::uint8_t p4) { return partId(0x03, plane, p3, p4); }

Entries fileListEntries()
{
    Entries entries;
    for (int plane = kFirstPlane; plane <= kLastPlane; ++plane)
        for (const auto& [p3, p4] : kParts)
            entries.push_back(part(static_cast<std::uint8_t>(plane), p3, p4));
    entries.push_back(partId(0x03, 0xFF, 0x00, 0x01));
    entries.push_back(partId(0x03, 0xFF, 0x00, 0x02));
    // A record twice: the list shows it once.
    entries.push_back(part(0x01, 0x07, 0x14));
    return entries;
}

// Each plane's gear stands in for its wheel, and its spare wing for the
// upper wing, whose bitmap is not in the file list.
Entries exceptEntries()
{
    Entries entries;
    for (int p = kFirstPlane; p <= kLastPlane; ++p) {
        const auto plane = static_cast<std::uint8_t>(p);
        entries.push_back(exceptPairText(part(plane, 0x18, 0x04), part(plane, 0x08, 0x14)));
        entries.push_back(exceptPairText(part(plane, 0x20, 0x03), part(plane, 0x30, 0x03)));
    }
    return entries;
}

Entries planeSqEntries()
{
    Entries entries;
    for (int p = kFirstPlane; p <= kLastPlane; ++p)
        entries.push_back(planeSqText(static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(0x10 + p)));
    entries.push_back(planeSqText(0x01, 0x94));
    return entries;
}

// Planes 25 and 26 are what the copy dialog is for; plane 27 and the
// near misses show what it leaves behind.
Entries otherFileListEntries()
{
    return {part(0x25, 0x07, 0x14), part(0x25, 0x07, 0x15), part(0x25, 0x10, 0x01), part(0x25, 0x18, 0x04),
            part(0x26, 0x07, 0x14), part(0x26, 0x12, 0x0A), part(0x26, 0x18, 0x04), part(0x26, 0x20, 0x03),
            part(0x27, 0x07, 0x14), part(0x27, 0x18, 0x04)};
}

Entries otherExceptEntries()
{
    return {exceptPairText(part(0x25, 0x18, 0x04), part(0x25, 0x08, 0x14)),
            exceptPairText(part(0x25, 0x20, 0x03), part(0x25, 0x30, 0x03)),
            exceptPairText(part(0x26, 0x18, 0x04), part(0x26, 0x08, 0x14)),
            // Only the left id counts: this one is not plane 25's.
            exceptPairText(part(0x27, 0x18, 0x04), part(0x25, 0x08, 0x14))};
}

Entries otherPlaneSqEntries()
{
    return {planeSqText(0x25, 0x94), planeSqText(0x25, 0x95), planeSqText(0x26, 0x94), planeSqText(0x26, 0x96),
            planeSqText(0x27, 0x94),
            // Ends in 25 but is plane 10's.
            planeSqText(0x10, 0x25)};
}

DataFileHeaders sampleHeaders(std::string_view name)
{
    DataFileHeaders headers;
    const std::string first = std::string(kSampleMark) + " " + std::string(name);
    std::copy_n(first.begin(), std::min(first.size(), kHeader1Size), headers.header1.begin());
    constexpr std::string_view second = "Synthetic data made by veq-make-samples";
    std::copy(second.begin(), second.end(), headers.header2.begin());
    // Some bytes past the text, so a writer that loses header 2's tail shows.
    for (std::size_t i = second.size() + 1; i < kHeader2Size; ++i)
        headers.header2[i] = static_cast<std::uint8_t>(i * 7);
    return headers;
}

struct SquadronRecord {
    std::uint8_t squad;
    int blocks;
    std::vector<std::uint8_t> planes;
};

// Records of every shape the reader meets: no blocks, several, no planes,
// a plane twice, a plane and squad that planesq.dat holds already.
Bytes squadronImage()
{
    const std::vector<SquadronRecord> records{
        {0x94, 2, {0x25, 0x26}},       {0x95, 0, {0x25}}, {0x96, 1, {}},
        {0x97, 3, {0x01, 0x02, 0x25}}, {0x11, 0, {0x01}}, {0x98, 1, {0x27, 0x27}},
    };
    Bytes image;
    for (std::size_t r = 0; r < records.size(); ++r) {
        const SquadronRecord& record = records[r];
        const std::size_t start = image.size();
        const std::size_t length = 64 + 16 * static_cast<std::size_t>(record.blocks) + 28 * record.planes.size();
        image.resize(start + length);
        std::uint8_t* bytes = image.data() + start;
        // Every skipped byte holds something, so a reader that looks in the wrong place is caught.
        for (std::size_t i = 0; i < length; ++i)
            bytes[i] = static_cast<std::uint8_t>((i * 37 + r * 11 + 5) & 0xFF);
        char name[40] = {};
        std::snprintf(name, sizeof name, "%s squadron %02X", kSampleMark, record.squad);
        std::memcpy(bytes, name, sizeof name);
        bytes[40] = record.squad;
        bytes[56] = static_cast<std::uint8_t>(record.blocks);
        bytes[57] = 0;
        bytes[58] = 0;
        bytes[59] = 0;
        std::uint8_t* planes = bytes + 60 + 16 * record.blocks;
        planes[0] = static_cast<std::uint8_t>(record.planes.size());
        planes[1] = 0;
        planes[2] = 0;
        planes[3] = 0;
        for (std::size_t k = 0; k < record.planes.size(); ++k)
            planes[4 + 28 * k] = record.planes[k];
    }
    return image;
}

// Which bitmaps the folder holds. Missing: the wheels of planes 03, 06, 09
// and 0C (each covered by an exception), the struts of planes 01, 05 and 09
// (covered by none), the spare wings of the even planes (an exception's
// target). Extra: ids the file list does not name, one with an upper-case
// extension and one with lower-case digits; and a name outside "03*.bmp".
std::vector<std::string> bitmapNames()
{
    std::vector<std::string> names;
    for (int p = kFirstPlane; p <= kLastPlane; ++p) {
        const auto plane = static_cast<std::uint8_t>(p);
        for (const auto& [p3, p4] : kParts) {
            if (p3 == 0x18 && p % 3 == 0)
                continue;
            if (p3 == 0x10 && p % 4 == 1)
                continue;
            // The file system decides case; the audits do not mind it.
            const bool upper = p == kFirstPlane && p3 == 0x07 && p4 == 0x14;
            names.push_back(part(plane, p3, p4) + (upper ? ".BMP" : ".bmp"));
        }
        if (p % 2 == 1)
            names.push_back(part(plane, 0x30, 0x03) + ".bmp");
    }
    names.push_back(partId(0x03, 0xFF, 0x00, 0x01) + ".bmp");
    names.push_back(partId(0x03, 0xFF, 0x00, 0x02) + ".bmp");
    names.push_back("030D0714.bmp");
    names.push_back("030D1804.bmp");
    names.push_back("0320A001.bmp");
    names.push_back("03210202.BMP");
    names.push_back("032b0501.bmp");
    names.push_back("04000001.bmp");
    return names;
}

// A made-up drawing of a part, so that Extra's preview has something to show:
// 64 x 48 pixels, 24 bits, a wing, a strut or a wheel by the id's third digit
// pair (as the samples use them), in a colour of its plane (the second).
Bytes bitmapImage(const std::string& name)
{
    constexpr int kWidth = 64;
    constexpr int kHeight = 48;
    constexpr int kRow = kWidth * 3; // a multiple of 4, as every row must be
    constexpr std::uint32_t kPixels = 54;
    const auto digits = [&](std::size_t at) {
        return static_cast<std::uint8_t>(std::stoi(name.substr(at, 2), nullptr, 16));
    };
    const std::uint8_t plane = digits(2);
    const std::uint8_t kind = digits(4);

    Bytes image(kPixels + kRow * kHeight, 0);
    const auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            image[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    image[0] = 'B';
    image[1] = 'M';
    put32(2, static_cast<std::uint32_t>(image.size()));
    put32(10, kPixels);
    put32(14, 40); // the header that follows
    put32(18, kWidth);
    put32(22, kHeight); // rows from the bottom up
    image[26] = 1;      // one plane
    image[28] = 24;     // bits a pixel, no palette, not compressed
    put32(34, kRow * kHeight);

    const std::array<std::uint8_t, 3> sky{235, 225, 210}; // blue, green, red
    const std::array<std::uint8_t, 3> paint{static_cast<std::uint8_t>(40 + plane * 17 % 150), 90,
                                            static_cast<std::uint8_t>(200 - plane * 13 % 150)};
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int dx = x - kWidth / 2, dy = y - kHeight / 2;
            bool painted = false;
            if (kind == 0x07 || kind == 0x08 || kind == 0x30) // a wing
                painted = y >= 18 && y < 30 && x >= 4 + (y - 18) / 3 && x < 60 - (y - 18) / 3;
            else if (kind == 0x0A || kind == 0x10 || kind == 0x12) // a strut
                painted = x >= 29 && x < 35 && y >= 4 && y < 44;
            else // a wheel
                painted = dx * dx + dy * dy <= 18 * 18 && dx * dx + dy * dy >= 10 * 10;
            const auto& colour = painted ? paint : sky;
            std::copy(colour.begin(), colour.end(), image.begin() + kPixels + (kHeight - 1 - y) * kRow + x * 3);
        }
    return image;
}

struct PlannedFile {
    fs::path path;
    Bytes bytes;
};

// A file we may replace: absent, or one of ours.
std::string foreignFileReason(const fs::path& path)
{
    std::error_code ec;
    if (!fs::exists(path, ec))
        return {};
    constexpr std::size_t markLength = sizeof kSampleMark - 1;
    auto head = readFileBytes(path, markLength);
    if (!head)
        return head.reason();
    if (head->size() == markLength && std::equal(head->begin(), head->end(), kSampleMark))
        return {};
    return displayPath(path) + " is there already and was not made by this generator; "
                               "choose an empty folder";
}

} // namespace

Expected<std::vector<fs::path>> writeSampleData(const fs::path& folder)
{
    struct DataSpec {
        const char* name;
        ListId kind;
        Entries entries;
    };
    const std::vector<DataSpec> dataFiles{
        {"filelist.dat", ListId::FileList, fileListEntries()},
        {"except.dat", ListId::Except, exceptEntries()},
        {"planesq.dat", ListId::PlaneSq, planeSqEntries()},
        {"other_filelist.dat", ListId::FileList, otherFileListEntries()},
        {"other_except.dat", ListId::Except, otherExceptEntries()},
        {"other_planesq.dat", ListId::PlaneSq, otherPlaneSqEntries()},
    };

    std::vector<PlannedFile> planned;
    ConversionBuffer buf{};
    for (const DataSpec& sample : dataFiles) {
        auto image = buildDataFile(sample.kind, sampleHeaders(sample.name), sample.entries, buf);
        if (!image)
            return Refusal{std::string("Could not build ") + sample.name + ": " + image.reason()};
        planned.push_back({folder / sample.name, std::move(*image)});
    }
    planned.push_back({folder / "squadron.dat", squadronImage()});

    for (const PlannedFile& file : planned)
        if (std::string reason = foreignFileReason(file.path); !reason.empty())
            return Refusal{reason};

    const fs::path bitmaps = folder / "bitmaps";
    std::error_code ec;
    fs::create_directories(bitmaps, ec);
    if (ec)
        return Refusal{"Could not create " + displayPath(bitmaps) + ": " + ec.message()};

    std::vector<fs::path> written;
    for (const PlannedFile& file : planned) {
        if (auto saved = replaceFile(file.path, file.bytes); !saved)
            return Refusal{saved.reason()};
        written.push_back(file.path);
    }
    for (const std::string& name : bitmapNames()) {
        const fs::path path = bitmaps / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        const Bytes image = bitmapImage(name);
        if (!out || !out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size())))
            return Refusal{"Could not create " + displayPath(path)};
        written.push_back(path);
    }
    return written;
}

} // namespace veq
