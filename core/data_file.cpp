#include "core/data_file.h"

#include "core/file_io.h"

#include <algorithm>
#include <map>

namespace veq {

std::size_t recordSize(RecordKind kind)
{
    switch (kind) {
    case RecordKind::FileList:
        return 4;
    case RecordKind::Except:
        return 8;
    case RecordKind::PlaneSq:
        return 5;
    }
    return 4;
}

const char* dataFileName(RecordKind kind)
{
    switch (kind) {
    case RecordKind::FileList:
        return "filelist.dat";
    case RecordKind::Except:
        return "except.dat";
    case RecordKind::PlaneSq:
        return "planesq.dat";
    }
    return "";
}

RecordKind recordKindOf(ListId id)
{
    switch (id) {
    case ExceptListId:
        return RecordKind::Except;
    case PlaneSqListId:
        return RecordKind::PlaneSq;
    case FileListId:
        break;
    }
    return RecordKind::FileList;
}

const std::array<std::string, kPartPrefixRows>& partPrefixTable()
{
    static const std::array<std::string, kPartPrefixRows> table = [] {
        std::array<std::string, kPartPrefixRows> rows;
        for (std::size_t i = 0; i + 1 < kPartPrefixRows; ++i)
            rows[i] = "03" + ByteToStr(static_cast<std::uint8_t>(i));
        rows[kPartPrefixRows - 1] = "03FF";
        return rows;
    }();
    return table;
}

namespace {

std::string decodeRecord(const std::uint8_t* record, RecordKind kind, ConvBuf& buf)
{
    switch (kind) {
    case RecordKind::FileList:
        groupToBuf(record, buf);
        return partIdText(buf);
    case RecordKind::Except: {
        groupToBuf(record, buf);
        const std::string left = partIdText(buf);
        groupToBuf(record + 4, buf);
        return exceptPairText(left, partIdText(buf));
    }
    case RecordKind::PlaneSq:
        buf[1] = record[0];
        buf[0] = record[4];
        return planeSqText(buf[1], buf[0]);
    }
    return {};
}

void encodeRecord(const Entry& entry, RecordKind kind, ConvBuf& buf, std::uint8_t* record)
{
    switch (kind) {
    case RecordKind::FileList:
        StrToBytes(entry, buf);
        bufToGroup(buf, record);
        break;
    case RecordKind::Except:
        StrToBytes(std::string_view(entry).substr(0, kPartIdLength), buf);
        bufToGroup(buf, record);
        StrToBytes(std::string_view(entry).substr(entry.size() - kPartIdLength), buf);
        bufToGroup(buf, record + 4);
        break;
    case RecordKind::PlaneSq:
        PlaneSqStrToBytes(entry, buf);
        record[0] = buf[1];
        record[1] = record[2] = record[3] = 0;
        record[4] = buf[0];
        break;
    }
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

} // namespace

Expected<DataFile> parseDataFile(std::span<const std::uint8_t> image, RecordKind kind, ConvBuf& buf)
{
    if (image.size() < kFrameSize)
        return Refusal{"it is " + std::to_string(image.size()) + " bytes long, shorter than the " +
                       std::to_string(kFrameSize) + "-byte header of a data file"};

    DataFile file;
    std::copy_n(image.begin(), kHeader1Size, file.headers.header1.begin());
    file.recordCount = static_cast<std::int16_t>(image[20] | (image[21] << 8));
    std::copy_n(image.begin() + 22, kHeader2Size, file.headers.header2.begin());

    const std::size_t size = recordSize(kind);
    const std::size_t count = file.recordCount > 0 ? static_cast<std::size_t>(file.recordCount) : 0;
    const std::size_t present = (image.size() - kFrameSize) / size;
    if (count > present)
        return Refusal{"its header claims " + std::to_string(count) + " records but the file holds only " +
                       std::to_string(present) + " (it is cut short, or it is not a " + dataFileName(kind) + " file)"};

    file.entries.reserve(count);
    for (std::size_t k = 0; k < count; ++k)
        file.entries.push_back(decodeRecord(image.data() + kFrameSize + k * size, kind, buf));
    return file;
}

std::string unwritableReason(RecordKind kind, const Entry& entry)
{
    const std::string_view text(entry);
    switch (kind) {
    case RecordKind::FileList:
        if (text.size() == kPartIdLength && isHexText(text))
            return {};
        return "the entry " + quoted(entry) + " is not a part identifier of eight hexadecimal digits";
    case RecordKind::Except:
        if (text.size() == kExceptLength && isHexText(text.substr(0, kPartIdLength)) &&
            isHexText(text.substr(kExceptLength - kPartIdLength)))
            return {};
        return "the entry " + quoted(entry) + " is not a pair of part identifiers of eight hexadecimal digits";
    case RecordKind::PlaneSq:
        if (text.size() == kPlaneSqLength && isHexPair(text.substr(0, 2)) && isHexPair(text.substr(8, 2)))
            return {};
        return "the entry " + quoted(entry) +
               " is not a plane-squadron entry (ten characters, hexadecimal plane and squad pairs)";
    }
    return {};
}

Entries fileListRecordOrder(const Entries& entries)
{
    // Buckets keep list order; the two passes then only split each bucket.
    std::map<std::string, std::vector<const Entry*>> byPrefix;
    for (const Entry& entry : entries)
        byPrefix[entry.substr(0, 4)].push_back(&entry);

    Entries ordered;
    ordered.reserve(entries.size());
    ConvBuf buf{};
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

Expected<Bytes> buildDataFile(RecordKind kind, const DataFileHeaders& headers, const Entries& entries, ConvBuf& buf)
{
    if (entries.size() > static_cast<std::size_t>(kMaxRecords))
        return Refusal{"the list holds " + std::to_string(entries.size()) +
                       " entries, but a data file can hold at most " + std::to_string(kMaxRecords)};
    for (const Entry& entry : entries)
        if (std::string reason = unwritableReason(kind, entry); !reason.empty())
            return Refusal{reason};

    const std::size_t size = recordSize(kind);
    Bytes image(kFrameSize + entries.size() * size, 0);
    std::copy(headers.header1.begin(), headers.header1.end(), image.begin());
    const auto count = static_cast<std::uint16_t>(entries.size());
    image[20] = static_cast<std::uint8_t>(count & 0xFF);
    image[21] = static_cast<std::uint8_t>(count >> 8);
    std::copy(headers.header2.begin(), headers.header2.end(), image.begin() + 22);

    const Entries grouped = kind == RecordKind::FileList ? fileListRecordOrder(entries) : Entries{};
    const Entries& order = kind == RecordKind::FileList ? grouped : entries;
    for (std::size_t k = 0; k < order.size(); ++k)
        encodeRecord(order[k], kind, buf, image.data() + kFrameSize + k * size);
    return image;
}

Expected<DataFile> loadDataFile(const std::filesystem::path& path, RecordKind kind, ConvBuf& buf)
{
    // Nothing past the largest record block a 16-bit count can claim is read.
    const std::size_t largest = kFrameSize + static_cast<std::size_t>(kMaxRecords) * recordSize(kind);
    auto image = readFileBytes(path, largest);
    if (!image)
        return Refusal{image.reason()};
    auto file = parseDataFile(*image, kind, buf);
    if (!file)
        return Refusal{"Could not read " + displayPath(path) + ": " + file.reason() + "."};
    return file;
}

} // namespace veq
