#include "tests/kit/files.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>

namespace kit {

TempFolder::TempFolder()
{
    std::random_device seed;
    m_path = fs::temp_directory_path() / ("veq-test-" + std::to_string(seed()) + std::to_string(seed()));
    fs::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::vector<std::string> TempFolder::names() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void writeFile(const fs::path& path, const veq::Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

veq::Bytes readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return veq::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

namespace {

std::string planeSqText(std::uint8_t plane, std::uint8_t squad) { return hex2(plane) + "000000" + hex2(squad); }

std::uint8_t hexByte(const std::string& text, std::size_t at)
{
    return static_cast<std::uint8_t>(std::stoul(text.substr(at, 2), nullptr, 16));
}

} // namespace

std::string hex2(unsigned value)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

veq::Bytes dataImage(veq::ListId kind, const veq::Entries& records, std::optional<int> count)
{
    veq::Bytes image(100);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(0xA0 + i);
    const auto stored = static_cast<std::uint16_t>(count.value_or(static_cast<int>(records.size())));
    image[20] = static_cast<std::uint8_t>(stored & 0xFF);
    image[21] = static_cast<std::uint8_t>(stored >> 8);
    for (const std::string& record : records) {
        if (kind == veq::ListId::PlaneSq)
            image.insert(image.end(), {hexByte(record, 0), 0x11, 0x22, 0x33, hexByte(record, 8)});
        else // the part id, or both of an exception 17 characters apart, least significant byte first
            for (std::size_t at = 0; at < record.size(); at += 17)
                for (std::size_t pair = 4; pair-- > 0;)
                    image.push_back(hexByte(record, at + 2 * pair));
    }
    return image;
}

veq::Entries randomEntries(veq::ListId kind, std::size_t count, unsigned seed, bool distinct)
{
    std::mt19937 random(seed);
    auto byte = [&] { return static_cast<unsigned>(random() & 0xFF); };
    auto partId = [&] {
        // Second pairs 00, 2B and FF are the prefix table's edges; 2C and 80 lie outside it.
        static const unsigned seconds[] = {0x00, 0x01, 0x2B, 0xFF, 0x2C, 0x80};
        const unsigned second = random() % 3 == 0 ? seconds[random() % 6] : random() % 0x2C;
        // Third pairs around 10 split the writer's two passes.
        const unsigned third = random() % 2 ? 0x0E + random() % 4 : byte();
        return "03" + hex2(second) + hex2(third) + hex2(byte());
    };
    std::set<std::string> seen;
    veq::Entries entries;
    while (entries.size() < count) {
        const std::string entry = kind == veq::ListId::FileList ? partId()
                                  : kind == veq::ListId::Except ? partId() + " ======> " + partId()
                                                                : planeSqText(static_cast<std::uint8_t>(byte()),
                                                                              static_cast<std::uint8_t>(byte()));
        if (!distinct || seen.insert(entry).second)
            entries.push_back(entry);
    }
    return entries;
}

std::size_t SquadronBuilder::record(std::uint8_t squad, std::int16_t countA, const std::vector<std::uint8_t>& planes,
                                    std::optional<int> countB)
{
    const std::size_t start = m_image.size();
    const std::size_t blocks = countA > 0 ? static_cast<std::size_t>(countA) : 0;
    const std::size_t length = 64 + 16 * blocks + 28 * planes.size();
    for (std::size_t i = 0; i < length; ++i)
        m_image.push_back(static_cast<std::uint8_t>(m_random()));
    auto put16 = [&](std::size_t at, int value) {
        m_image[at] = static_cast<std::uint8_t>(value & 0xFF);
        m_image[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    };
    m_image[start + 40] = squad;
    put16(start + 56, countA);
    put16(start + 60 + 16 * blocks, countB.value_or(static_cast<int>(planes.size())));
    for (std::size_t k = 0; k < planes.size(); ++k) {
        m_image[start + 64 + 16 * blocks + 28 * k] = planes[k];
        m_expected.push_back(planeSqText(planes[k], squad));
    }
    return start;
}

} // namespace kit
