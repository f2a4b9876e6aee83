// Writes the seed corpus: a few valid and damaged inputs per target, made
// with the program's own writers.
#include "core/data_file.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

void put(const fs::path& path, const veq::Bytes& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

veq::Bytes dataFile(veq::RecordKind kind, const veq::Entries& entries)
{
    veq::ConvBuf buf{};
    veq::DataFileHeaders headers;
    headers.header1[0] = 0x56;
    headers.header2[5] = 0x51;
    return *veq::buildDataFile(kind, headers, entries, buf);
}

veq::Bytes squadronRecord(std::uint8_t squad, int blocks, const std::vector<std::uint8_t>& planes)
{
    veq::Bytes record(64 + 16 * blocks + 28 * planes.size(), 0);
    record[40] = squad;
    record[56] = static_cast<std::uint8_t>(blocks);
    record[60 + 16 * blocks] = static_cast<std::uint8_t>(planes.size());
    for (std::size_t i = 0; i < planes.size(); ++i)
        record[64 + 16 * blocks + 28 * i] = planes[i];
    return record;
}

} // namespace

int main(int argc, char* argv[])
{
    const fs::path root = argc > 1 ? argv[1] : "fuzz/corpus";
    const veq::Entries ids{"03010714", "03000112", "03FF0001", "04000000"};
    const veq::Entries pairs{"03011804 ======> 03010814", "03250000 ======> 03000001"};
    const veq::Entries planes{"2500000094", "0100000002"};
    const struct {
        const char* name;
        veq::RecordKind kind;
        const veq::Entries& entries;
    } kinds[] = {{"filelist", veq::RecordKind::FileList, ids},
                 {"except", veq::RecordKind::Except, pairs},
                 {"planesq", veq::RecordKind::PlaneSq, planes}};
    for (const auto& k : kinds) {
        const veq::Bytes good = dataFile(k.kind, k.entries);
        put(root / k.name / "valid", good);
        put(root / k.name / "empty-list", dataFile(k.kind, {}));
        veq::Bytes cut = good;
        cut.pop_back();
        put(root / k.name / "cut", cut);
        // The copy target reads "list id byte, plane id byte, file".
        veq::Bytes copy{static_cast<std::uint8_t>(static_cast<int>(k.kind)), 0x25};
        copy.insert(copy.end(), good.begin(), good.end());
        put(root / "copy" / k.name, copy);
    }
    veq::Bytes squadron = squadronRecord(0x94, 2, {0x25});
    const veq::Bytes second = squadronRecord(0x95, 0, {0x01, 0x25});
    squadron.insert(squadron.end(), second.begin(), second.end());
    put(root / "squadron" / "two-records", squadron);
    put(root / "squadron" / "no-planes", squadronRecord(1, 1, {}));
    squadron.resize(squadron.size() - 3);
    put(root / "squadron" / "cut", squadron);
    return 0;
}
