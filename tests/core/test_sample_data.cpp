#include "core/bitmap_audit.h"
#include "core/data_file.h"
#include "core/file_io.h"
#include "core/squadron.h"
#include "tools/sample_data.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using veq::Bytes;
using veq::Entries;
using veq::RecordKind;

class TempFolder {
public:
    TempFolder()
    {
        std::random_device seed;
        m_path = fs::temp_directory_path() / ("veq-samples-" + std::to_string(seed()) + std::to_string(seed()));
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    [[nodiscard]] const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

Bytes contents(const fs::path& path)
{
    auto bytes = veq::readFileBytes(path, std::size_t{1} << 20);
    EXPECT_TRUE(bytes.ok()) << bytes.reason();
    return bytes.ok() ? *bytes : Bytes{};
}

veq::DataFile load(const fs::path& path, RecordKind kind)
{
    veq::ConvBuf buf{};
    auto file = veq::loadDataFile(path, kind, buf);
    EXPECT_TRUE(file.ok()) << file.reason();
    return file.ok() ? *file : veq::DataFile{};
}

Entries distinctSorted(Entries entries)
{
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    return entries;
}

// The characters that the copy dialog compares with the typed plane id.
std::string planeOf(const std::string& entry, RecordKind kind)
{
    return kind == RecordKind::PlaneSq ? entry.substr(0, 2) : entry.substr(2, 2);
}

std::set<std::string> planesOf(const Entries& entries, RecordKind kind)
{
    std::set<std::string> planes;
    for (const std::string& entry : entries)
        planes.insert(planeOf(entry, kind));
    return planes;
}

Entries folderNames(const fs::path& folder)
{
    Entries names;
    for (const auto& item : fs::directory_iterator(folder))
        names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class SampleFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto written = veq::writeSampleData(m_folder.path() / "new" / "samples");
        ASSERT_TRUE(written.ok()) << written.reason();
        m_written = *written;
    }
    [[nodiscard]] fs::path path(const char* name) const { return m_folder.path() / "new" / "samples" / name; }

    TempFolder m_folder;
    std::vector<fs::path> m_written;
};

struct DataFileCase {
    const char* name;
    RecordKind kind;
};

class SampleDataFile : public SampleFolder, public ::testing::WithParamInterface<DataFileCase> {};

TEST_P(SampleDataFile, ReadsBackAsTheEditorWouldHaveWrittenIt)
{
    const auto [name, kind] = GetParam();
    ASSERT_NE(std::find(m_written.begin(), m_written.end(), path(name)), m_written.end()) << name;
    const veq::DataFile file = load(path(name), kind);
    ASSERT_GT(file.recordCount, 0) << name;
    EXPECT_EQ(static_cast<std::size_t>(file.recordCount), file.entries.size());

    const std::string mark(veq::kSampleMark);
    EXPECT_TRUE(std::equal(mark.begin(), mark.end(), file.headers.header1.begin())) << name;
    for (const auto& entry : file.entries)
        EXPECT_EQ(veq::unwritableReason(kind, entry), "") << name << ": " << entry;

    // Written back with its own headers, the file comes out byte for byte.
    veq::ConvBuf buf{};
    auto image = veq::buildDataFile(kind, file.headers, file.entries, buf);
    ASSERT_TRUE(image.ok()) << image.reason();
    EXPECT_EQ(*image, contents(path(name))) << name;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SampleDataFile,
                         ::testing::Values(DataFileCase{"filelist.dat", RecordKind::FileList},
                                           DataFileCase{"except.dat", RecordKind::Except},
                                           DataFileCase{"planesq.dat", RecordKind::PlaneSq},
                                           DataFileCase{"other_filelist.dat", RecordKind::FileList},
                                           DataFileCase{"other_except.dat", RecordKind::Except},
                                           DataFileCase{"other_planesq.dat", RecordKind::PlaneSq}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

class CopySource : public SampleFolder, public ::testing::WithParamInterface<DataFileCase> {};

// Copying plane 25 or 26 from the other file brings entries the main file lacks,
// and the other file also holds entries that the copy leaves behind.
TEST_P(CopySource, HoldsPlanes25And26ThatTheMainFileLacks)
{
    const auto [name, kind] = GetParam();
    const std::string other = std::string("other_") + name;
    const std::set<std::string> otherPlanes = planesOf(load(path(other.c_str()), kind).entries, kind);
    const std::set<std::string> mainPlanes = planesOf(load(path(name), kind).entries, kind);
    for (const char* plane : {"25", "26"}) {
        EXPECT_TRUE(otherPlanes.count(plane)) << other << " has no entry of plane " << plane;
        EXPECT_FALSE(mainPlanes.count(plane)) << name << " has plane " << plane << " already";
    }
    EXPECT_GT(otherPlanes.size(), 2u) << other << " holds nothing for the copy to leave behind";
}

INSTANTIATE_TEST_SUITE_P(EveryKind, CopySource,
                         ::testing::Values(DataFileCase{"filelist.dat", RecordKind::FileList},
                                           DataFileCase{"except.dat", RecordKind::Except},
                                           DataFileCase{"planesq.dat", RecordKind::PlaneSq}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             return name.substr(0, name.find('.'));
                         });

TEST_F(SampleFolder, FileListHoldsARecordTwice)
{
    const Entries entries = load(path("filelist.dat"), RecordKind::FileList).entries;
    EXPECT_LT(distinctSorted(entries).size(), entries.size());
}

TEST_F(SampleFolder, SquadronFileGivesNewAndKnownPlaneSquadronEntries)
{
    auto items = veq::loadSquadronFile(path("squadron.dat"));
    ASSERT_TRUE(items.ok()) << items.reason();
    const Entries known = distinctSorted(load(path("planesq.dat"), RecordKind::PlaneSq).entries);
    const Entries generated = distinctSorted(*items);
    EXPECT_LT(generated.size(), items->size()) << "no item twice, so AutoGen's duplicates go unseen";

    Entries common;
    std::set_intersection(generated.begin(), generated.end(), known.begin(), known.end(), std::back_inserter(common));
    EXPECT_FALSE(common.empty()) << "no generated entry that planesq.dat holds already";
    EXPECT_LT(common.size(), generated.size()) << "nothing new for AutoGen to add";
}

// Every list of the two bitmap windows has something to show.
TEST_F(SampleFolder, BitmapsFolderHasMissingAndExtraBitmaps)
{
    const Entries fileList = distinctSorted(load(path("filelist.dat"), RecordKind::FileList).entries);
    const Entries exceptList = distinctSorted(load(path("except.dat"), RecordKind::Except).entries);
    const Entries names = folderNames(path("bitmaps"));

    const veq::MissingBitmaps missing = veq::missingBitmaps(fileList, exceptList, veq::foldNames(names));
    EXPECT_FALSE(missing.fileListMissing.empty());
    EXPECT_FALSE(missing.exceptMissing.empty());
    EXPECT_FALSE(missing.missing.empty());
    EXPECT_LT(missing.missing.size(), missing.fileListMissing.size() + missing.exceptMissing.size())
        << "no missing bitmap is covered by an exception";
    EXPECT_LT(missing.fileListMissing.size(), fileList.size() / 4) << "most listed bitmaps should be there";

    Entries candidates;
    std::copy_if(names.begin(), names.end(), std::back_inserter(candidates),
                 [](const std::string& name) { return veq::isExtraCandidate(name); });
    EXPECT_LT(candidates.size(), names.size()) << "no file outside \"03*.bmp\"";
    EXPECT_FALSE(veq::extraBitmaps(candidates, fileList).empty());
    EXPECT_TRUE(std::any_of(names.begin(), names.end(), [](const std::string& name) { return name.ends_with(".BMP"); }))
        << "no upper-case extension";
}

TEST(SampleData, IsTheSameOnEveryRun)
{
    TempFolder first;
    TempFolder second;
    auto a = veq::writeSampleData(first.path());
    auto b = veq::writeSampleData(second.path());
    ASSERT_TRUE(a.ok()) << a.reason();
    ASSERT_TRUE(b.ok()) << b.reason();
    ASSERT_EQ(a->size(), b->size());
    for (std::size_t i = 0; i < a->size(); ++i) {
        EXPECT_EQ(fs::relative((*a)[i], first.path()), fs::relative((*b)[i], second.path()));
        EXPECT_EQ(contents((*a)[i]), contents((*b)[i])) << (*a)[i];
    }
}

TEST(SampleData, ReplacesItsOwnFilesOnASecondRun)
{
    TempFolder folder;
    ASSERT_TRUE(veq::writeSampleData(folder.path()).ok());
    const Bytes before = contents(folder.path() / "except.dat");
    auto again = veq::writeSampleData(folder.path());
    ASSERT_TRUE(again.ok()) << again.reason();
    EXPECT_EQ(contents(folder.path() / "except.dat"), before);
}

// A user's own data file is never overwritten, and nothing else is written either.
class ForeignFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ForeignFile, IsRefusedBeforeAnythingIsWritten)
{
    TempFolder folder;
    fs::create_directories(folder.path());
    const Bytes theirs{'R', 'e', 'a', 'l', ' ', 'd', 'a', 't', 'a', 0, 1, 2};
    {
        std::ofstream out(folder.path() / GetParam(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(theirs.data()), static_cast<std::streamsize>(theirs.size()));
    }
    auto written = veq::writeSampleData(folder.path());
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.reason().find(GetParam()), std::string::npos) << written.reason();
    EXPECT_EQ(contents(folder.path() / GetParam()), theirs);
    EXPECT_EQ(folderNames(folder.path()), Entries{GetParam()});
}

INSTANTIATE_TEST_SUITE_P(EveryDataFile, ForeignFile,
                         ::testing::Values("filelist.dat", "except.dat", "planesq.dat", "squadron.dat",
                                           "other_planesq.dat"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

} // namespace
