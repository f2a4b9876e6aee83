#include "core/data_file.h"

#include "core/file_io.h"

#include <algorithm>
#include <map>

namespace veq {

std::size_t recordSize(ListId kind)
{
    constexpr std::array<std::size_t, kAllLists.size()> sizes{4, 8, 5};
    return sizes[slotOf(kind)];
}

const char* dataFileName(ListId kind)
{
    constexpr std::array<const char*, kAllLists.size()> names{"filelist.dat", "except.dat", "planesq.dat"};
    return names[slotOf(kind)];
}

std::optional<ListId> kindFromFileName(const std::filesystem::path& path)
{
    const std::string name = toUpperAscii(displayPath(path.filename()));
    for (ListId kind : kAllLists)
        if (name.ends_with(toUpperAscii(dataFileName(kind))))
            return kind;
    return std::nullopt;
}

std::size_t largestDataFile(ListId kind) { return kFrameSize + static_cast<std::size_t>(kMaxRecords) * recordSize(kind); }

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

namespace {

std::string decodeRecord(const std::uint8_t* record, ListId kind, ConversionBuffer& buf)
{
    switch (kind) {
    case ListId::FileList:
        groupToBuf(record, buf);
        return partIdText(buf);
    case ListId::Except: {
        groupToBuf(record, buf);
        const std::string left = partIdText(buf);
        groupToBuf(record + 4, buf);
        return exceptPairText(left, partIdText(buf));
    }
    case ListId::PlaneSq:
        buf[1] = record[0];
        buf[0] = record[4];
        return planeSqText(buf[1], buf[0]);
    }
    return {};
}

// `record` points into a zero-filled image: the bytes a kind leaves alone stay 0.
void encodeRecord(const Entry& entry, ListId kind, ConversionBuffer& buf, std::uint8_t* record)
{
    switch (kind) {
    case ListId::FileList:
        StrToBytes(entry, buf);
        bufToGroup(buf, record);
        break;
    case ListId::Except:
        StrToBytes(std::string_view(entry).substr(0, kPartIdLength), buf);
        bufToGroup(buf, record);
        StrToBytes(std::string_view(entry).substr(entry.size() - kPartIdLength), buf);
        bufToGroup(buf, record + 4);
        break;
    case ListId::PlaneSq:
        PlaneSqStrToBytes(entry, buf);
        record[0] = buf[1];
        record[4] = buf[0];
        break;
    }
}

} // namespace

Expected<DataFile> parseDataFile(std::span<const std::uint8_t> image, ListId kind, ConversionBuffer& buf)
{
    if (image.size() < kFrameSize)
        return Refusal{"it is " + counted(image.size(), "byte") + " long, shorter than the " +
                       std::to_string(kFrameSize) + "-byte header of a data file"};

    DataFile file;
    std::copy_n(image.begin(), kHeader1Size, file.headers.header1.begin());
    const auto recordCount = static_cast<std::int16_t>(image[20] | (image[21] << 8));
    std::copy_n(image.begin() + 22, kHeader2Size, file.headers.header2.begin());

    const std::size_t size = recordSize(kind);
    const auto count = static_cast<std::size_t>(std::max<int>(recordCount, 0));
    const std::size_t present = (image.size() - kFrameSize) / size;
    if (count > present)
        return Refusal{"its header claims " + counted(count, "record") + " but the file holds only " +
                       std::to_string(present) + " (it is cut short, or it is not " + withArticle(dataFileName(kind)) +
                       " file)"};

    file.entries.reserve(count);
    for (std::size_t k = 0; k < count; ++k)
        file.entries.push_back(decodeRecord(image.data() + kFrameSize + k * size, kind, buf));
    return file;
}

Expected<void> checkWritable(ListId kind, const Entry& entry)
{
    const std::string_view text(entry);
    bool writable = false;
    const char* form = "";
    switch (kind) {
    case ListId::FileList:
        writable = text.size() == kPartIdLength && isHexText(text);
        form = "a part identifier of eight hexadecimal digits";
        break;
    case ListId::Except:
        writable = text.size() == kExceptLength && isHexText(text.substr(0, kPartIdLength)) &&
                   isHexText(text.substr(kExceptLength - kPartIdLength));
        form = "a pair of part identifiers of eight hexadecimal digits";
        break;
    case ListId::PlaneSq:
        writable = text.size() == kPlaneSqLength && isHexText(text.substr(0, 2)) && isHexText(text.substr(8, 2));
        form = "a plane-squadron entry (ten characters, hexadecimal plane and squad pairs)";
        break;
    }
    if (writable)
        return {};
    return Refusal{"the entry " + quoteText(entry) + " is not " + form};
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
        return Refusal{"the list holds " + std::to_string(entries.size()) +
                       " entries, but a data file can hold at most " + std::to_string(kMaxRecords)};
    for (const Entry& entry : entries)
        if (auto writable = checkWritable(kind, entry); !writable)
            return Refusal{writable.reason()};

    const std::size_t size = recordSize(kind);
    Bytes image(kFrameSize + entries.size() * size, 0);
    std::copy(headers.header1.begin(), headers.header1.end(), image.begin());
    const auto count = static_cast<std::uint16_t>(entries.size());
    image[20] = static_cast<std::uint8_t>(count & 0xFF);
    image[21] = static_cast<std::uint8_t>(count >> 8);
    std::copy(headers.header2.begin(), headers.header2.end(), image.begin() + 22);

    const Entries grouped = kind == ListId::FileList ? fileListRecordOrder(entries) : Entries{};
    const Entries& order = kind == ListId::FileList ? grouped : entries;
    for (std::size_t k = 0; k < order.size(); ++k)
        encodeRecord(order[k], kind, buf, image.data() + kFrameSize + k * size);
    return image;
}

namespace {

// saveDataFile's image, or its refusal: nothing may be written.
Expected<Bytes> imageToSave(ListId kind, const DataFileHeaders& headers, const Entries& entries, ConversionBuffer& buf)
{
    auto image = buildDataFile(kind, headers, entries, buf);
    if (!image)
        return Refusal{"File not saved: " + image.reason() + ". Nothing was written."};
    return image;
}

Expected<DataFile> decode(const Expected<Bytes>& image, ListId kind, const std::string& source, ConversionBuffer& buf)
{
    if (!image)
        return Refusal{image.reason()};
    auto file = parseDataFile(*image, kind, buf);
    if (!file)
        return Refusal{"Could not read " + source + ": " + file.reason() + "."};
    return file;
}

} // namespace

Expected<SaveReport> saveDataFile(const std::filesystem::path& path, ListId kind, const DataFileHeaders& headers,
                                  const Entries& entries, ConversionBuffer& buf, KnownFiles* known)
{
    const auto image = imageToSave(kind, headers, entries, buf);
    if (!image)
        return Refusal{image.reason()};
    return replaceFile(path, *image, known);
}

Expected<void> writeDataFileToStandardOutput(ListId kind, const DataFileHeaders& headers, const Entries& entries,
                                             ConversionBuffer& buf)
{
    const auto image = imageToSave(kind, headers, entries, buf);
    if (!image)
        return Refusal{image.reason()};
    return writeStandardOutput(*image);
}

// Nothing past the largest record block a 16-bit count can claim is read.
Expected<DataFile> loadDataFile(const std::filesystem::path& path, ListId kind, ConversionBuffer& buf)
{
    FileStamp stamp;
    auto file = decode(readFileBytes(path, largestDataFile(kind), &stamp), kind, displayPath(path), buf);
    if (file)
        file->stamp = std::move(stamp);
    return file;
}

Expected<DataFile> loadDataFileFromStandardInput(ListId kind, ConversionBuffer& buf)
{
    return decode(readStandardInput(largestDataFile(kind)), kind, "standard input", buf);
}

} // namespace veq
