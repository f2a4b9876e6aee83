#include "bench/bench_data.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <random>
#include <set>

veq::Entries distinctEntries(veq::RecordKind kind, int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::set<std::string> entries;
    auto partId = [&] {
        return "03" + veq::ByteToStr(static_cast<std::uint8_t>(random() % 0x2C)) +
               veq::ByteToStr(static_cast<std::uint8_t>(random())) +
               veq::ByteToStr(static_cast<std::uint8_t>(random()));
    };
    while (static_cast<int>(entries.size()) < count) {
        switch (kind) {
        case veq::RecordKind::FileList:
            entries.insert(partId());
            break;
        case veq::RecordKind::Except:
            entries.insert(veq::exceptPairText(partId(), partId()));
            break;
        case veq::RecordKind::PlaneSq:
            entries.insert(veq::planeSqText(static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random())));
            break;
        }
    }
    return veq::Entries(entries.begin(), entries.end());
}

veq::Entries inOrder(veq::Entries entries, RecordOrder order, unsigned seed)
{
    if (order == RecordOrder::Descending)
        std::reverse(entries.begin(), entries.end());
    if (order == RecordOrder::Random)
        std::shuffle(entries.begin(), entries.end(), std::mt19937(seed));
    return entries;
}

veq::Bytes dataImage(veq::RecordKind kind, const veq::Entries& records)
{
    veq::ConvBuf buf{};
    // One record at a time through the writer keeps the order exactly as given.
    veq::Bytes image;
    for (const auto& entry : records) {
        auto one = veq::buildDataFile(kind, {}, {entry}, buf);
        if (image.empty())
            image.assign(one->begin(), one->begin() + veq::kFrameSize);
        image.insert(image.end(), one->begin() + veq::kFrameSize, one->end());
    }
    if (image.empty())
        image.assign(veq::kFrameSize, 0);
    const auto count = static_cast<std::uint16_t>(records.size());
    image[20] = static_cast<std::uint8_t>(count & 0xFF);
    image[21] = static_cast<std::uint8_t>(count >> 8);
    return image;
}

veq::Bytes squadronImage(int planeEntries, unsigned seed)
{
    std::mt19937 random(seed);
    veq::Bytes image;
    int left = planeEntries;
    while (left > 0) {
        const int a = static_cast<int>(random() % 4);
        const int b = std::min(left, 1 + static_cast<int>(random() % 40));
        veq::Bytes record(64 + 16 * a + 28 * b, 0);
        record[40] = static_cast<std::uint8_t>(random());
        record[56] = static_cast<std::uint8_t>(a);
        record[60 + 16 * a] = static_cast<std::uint8_t>(b);
        for (int e = 0; e < b; ++e)
            record[64 + 16 * a + 28 * e] = static_cast<std::uint8_t>(random());
        image.insert(image.end(), record.begin(), record.end());
        left -= b;
    }
    return image;
}

void writeFile(const QString& path, const veq::Bytes& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

void makeBitmaps(const QString& folder, const veq::Entries& ids)
{
    QDir().mkpath(folder);
    for (const auto& id : ids) {
        QFile file(folder + QLatin1Char('/') + QString::fromStdString(id) + QStringLiteral(".bmp"));
        if (file.open(QIODevice::WriteOnly))
            file.close();
    }
}
