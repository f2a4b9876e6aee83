#include "core/data_file.h"

#include "core/entry_parser.h"
#include "core/file_io.h"
#include "core/sentences.h"

#include <algorithm>
#include <map>

namespace veq {

std::optional<ListId> kindFromFileName(const std::filesystem::path& path)
{
    const std::string name = toUpperAscii(displayPath(path.filename()));
    for (ListId kind : kAllLists)
        if (name.ends_with(toUpperAscii(dataKind(kind).fileName)))
            return kind;
    return std::nullopt;
}

std::size_t largestDataFile(ListId kind)
{
    return kFrameSize + static_cast<std::size_t>(kMaxRecords) * dataKind(kind).recordSize;
}

std::string DataFile::afterRecords() const
{
    return bytesAfterRecords == 0 ? std::string()
                                  : sentences::bytesAfterRecords(entries.size(), bytesAfterRecords, looksLike);
}

const std::array<std::string, kPartPrefixRows>& partPrefixTable()
{
    static const std::array<std::string, kPartPrefixRows> table = [] {
        std::array<std::string, kPartPrefixRows> rows;
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i] = "03" + ByteToStr(static_cast<std::uint8_t>(i));
        rows.back() = "03FF";
        return rows;
    }();
    return table;
}

Expected<DataFile> parseDataFile(std::span<const std::uint8_t> image, ListId kind, ConversionBuffer& buf,
                                 std::optional<std::uint64_t> length)
{
    if (image.size() < kFrameSize)
        return Refusal{sentences::shorterThanFrame(image.size())};

    DataFile file;
    std::copy_n(image.begin(), kHeader1Size, file.headers.header1.begin());
    const auto recordCount = static_cast<std::int16_t>(image[20] | (image[21] << 8));
    std::copy_n(image.begin() + 22, kHeader2Size, file.headers.header2.begin());

    const DataKind& facts = dataKind(kind);
    const auto count = static_cast<std::size_t>(std::max<int>(recordCount, 0));
    const std::size_t present = (image.size() - kFrameSize) / facts.recordSize;
    if (count > present)
        return Refusal{sentences::recordsCutShort(kind, count, present)};

    const std::uint64_t records = std::max<std::uint64_t>(length.value_or(image.size()), image.size()) - kFrameSize;
    file.bytesAfterRecords = records - count * facts.recordSize;
    for (const DataKind& other : kDataKinds)
        if (file.bytesAfterRecords > 0 && count > 0 && other.id != kind && records == count * other.recordSize)
            file.looksLike = other.id;

    file.entries.reserve(count);
    for (std::size_t k = 0; k < count; ++k)
        file.entries.push_back(facts.decode(image.data() + kFrameSize + k * facts.recordSize, buf));
    return file;
}

Entries fileListRecordOrder(const Entries& entries)
{
    // Buckets keep list order; the two passes then only split each bucket.
    std::map<std::string, std::vector<const Entry*>> byPrefix;
    for (const Entry& entry : entries)
        byPrefix[entry.substr(0, 4)].push_back(&entry);

    Entries ordered;
    ordered.reserve(entries.size());
    ConversionBuffer buf{};
    auto emitBucket = [&](const std::vector<const Entry*>& bucket) {
        for (int pass = 0; pass < 2; ++pass) {
            for (const Entry* entry : bucket) {
                StrToBytes(*entry, buf);
                const bool highThird = buf[2] >= 0x10;
                if (highThird == (pass == 0))
                    ordered.push_back(*entry);
            }
        }
    };
    for (const std::string& prefix : partPrefixTable()) {
        if (auto bucket = byPrefix.find(prefix); bucket != byPrefix.end()) {
            emitBucket(bucket->second);
            byPrefix.erase(bucket);
        }
    }
    // Prefixes outside the table follow, so that no entry is lost.
    for (const auto& [prefix, bucket] : byPrefix)
        emitBucket(bucket);
    return ordered;
}

Expected<Bytes> buildDataFile(ListId kind, const DataFileHeaders& headers, const Entries& entries, ConversionBuffer& buf)
{
    if (entries.size() > static_cast<std::size_t>(kMaxRecords))
        return Refusal{sentences::tooManyEntries(entries.size())};
    for (const Entry& entry : entries)
        if (auto stored = checkEntry(kind, entry); !stored)
            return Refusal{stored.reason()};

    const DataKind& facts = dataKind(kind);
    Bytes image(kFrameSize + entries.size() * facts.recordSize, 0);
    std::copy(headers.header1.begin(), headers.header1.end(), image.begin());
    const auto count = static_cast<std::uint16_t>(entries.size());
    image[20] = static_cast<std::uint8_t>(count & 0xFF);
    image[21] = static_cast<std::uint8_t>(count >> 8);
    std::copy(headers.header2.begin(), headers.header2.end(), image.begin() + 22);

    const Entries grouped = kind == ListId::FileList ? fileListRecordOrder(entries) : Entries{};
    const Entries& order = kind == ListId::FileList ? grouped : entries;
    for (std::size_t k = 0; k < order.size(); ++k)
        facts.encode(order[k], buf, image.data() + kFrameSize + k * facts.recordSize);
    return image;
}

namespace {

Expected<DataFile> decode(const Expected<Bytes>& image, ListId kind, const std::string& source, ConversionBuffer& buf,
                          std::optional<std::uint64_t> length = std::nullopt)
{
    if (!image)
        return Refusal{image.reason()};
    auto file = parseDataFile(*image, kind, buf, length);
    if (!file)
        return Refusal{sentences::couldNotRead(source, file.reason())};
    return file;
}

} // namespace

// Nothing past the largest record block a 16-bit count can claim is read; the
// length on disk tells what lies beyond.
Expected<DataFile> loadDataFile(const std::filesystem::path& path, ListId kind, ConversionBuffer& buf)
{
    FileStamp stamp;
    const auto image = readFileBytes(path, largestDataFile(kind), &stamp);
    auto file = decode(image, kind, displayPath(path), buf, image ? std::optional(stamp.state.size) : std::nullopt);
    if (file)
        file->stamp = std::move(stamp);
    return file;
}

} // namespace veq
