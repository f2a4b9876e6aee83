#include "core/file_io.h"

#include <filesystem>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using veq::Bytes;
using veq::SaveStep;

class TempFolder {
public:
    TempFolder()
    {
        std::random_device seed;
        m_path = fs::temp_directory_path() / ("veq-test-" + std::to_string(seed()) + std::to_string(seed()));
        fs::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    [[nodiscard]] const fs::path& path() const { return m_path; }
    [[nodiscard]] std::size_t fileCount() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_path), fs::directory_iterator{}));
    }

private:
    fs::path m_path;
};

void put(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes get(const fs::path& path)
{
    auto bytes = veq::readFileBytes(path, 1 << 20);
    EXPECT_TRUE(bytes.ok());
    return bytes.ok() ? *bytes : Bytes{};
}

TEST(ReplaceFile, CreatesANewFile)
{
    TempFolder folder;
    const fs::path target = folder.path() / "filelist.dat";
    EXPECT_FALSE(veq::replaceFile(target, Bytes{1, 2, 3}).has_value());
    EXPECT_EQ(get(target), (Bytes{1, 2, 3}));
    EXPECT_EQ(folder.fileCount(), 1u);
}

TEST(ReplaceFile, NothingOfALongerOldFileSurvives)
{
    TempFolder folder;
    const fs::path target = folder.path() / "except.dat";
    put(target, Bytes(500, 0xEE));
    EXPECT_FALSE(veq::replaceFile(target, Bytes{9, 8}).has_value());
    EXPECT_EQ(get(target), (Bytes{9, 8}));
    EXPECT_EQ(folder.fileCount(), 1u);
}

// Fails one chosen step of a save the way a full disk or a refusing system would.
class FailingStep final : public veq::SaveHooks {
public:
    explicit FailingStep(SaveStep step, std::errc error) : m_step(step), m_error(error) {}
    std::error_code before(SaveStep step) override
    {
        return step == m_step ? std::make_error_code(m_error) : std::error_code{};
    }

private:
    SaveStep m_step;
    std::errc m_error;
};

struct Fault {
    const char* name;
    SaveStep step;
    std::errc error;
};

class SaveFault : public ::testing::TestWithParam<Fault> {};

TEST_P(SaveFault, LeavesTheOldFileAndNoTemporaryAndSaysWhy)
{
    TempFolder folder;
    const fs::path target = folder.path() / "planesq.dat";
    const Bytes old{1, 2, 3, 4, 5, 6, 7};
    put(target, old);

    FailingStep hooks(GetParam().step, GetParam().error);
    const auto failure = veq::replaceFile(target, Bytes(1000, 0x55), &hooks);
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find(veq::displayPath(target)), std::string::npos) << *failure;
    EXPECT_NE(failure->find(std::make_error_code(GetParam().error).message()), std::string::npos) << *failure;
    EXPECT_EQ(get(target), old);
    EXPECT_EQ(folder.fileCount(), 1u) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SaveFault,
    ::testing::Values(Fault{"folder_not_writable", SaveStep::CreateTemporary, std::errc::permission_denied},
                      Fault{"disk_full", SaveStep::Write, std::errc::no_space_on_device},
                      Fault{"write_error", SaveStep::Close, std::errc::io_error},
                      Fault{"rename_refused", SaveStep::Replace, std::errc::operation_not_permitted}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplaceFile, RefusesAFolderAsTarget)
{
    TempFolder folder;
    const fs::path target = folder.path() / "filelist.dat";
    fs::create_directory(target);
    const auto failure = veq::replaceFile(target, Bytes{1});
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("folder"), std::string::npos) << *failure;
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(folder.fileCount(), 1u);
}

TEST(ReplaceFile, RefusesAMissingFolder)
{
    TempFolder folder;
    const fs::path target = folder.path() / "no such folder" / "filelist.dat";
    const auto failure = veq::replaceFile(target, Bytes{1});
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(fs::exists(target));
}

TEST(ReadFileBytes, CapsTheReadAndNamesWhatIsWrong)
{
    TempFolder folder;
    const fs::path file = folder.path() / "big.dat";
    put(file, Bytes(200000, 7));
    auto capped = veq::readFileBytes(file, 150000);
    ASSERT_TRUE(capped.ok());
    EXPECT_EQ(capped->size(), 150000u);
    EXPECT_EQ(veq::readFileBytes(file, 1 << 20)->size(), 200000u);

    auto missing = veq::readFileBytes(folder.path() / "absent.dat", 10);
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.reason().find("absent.dat"), std::string::npos);
    EXPECT_NE(missing.reason().find("does not exist"), std::string::npos);

    auto folderRead = veq::readFileBytes(folder.path(), 10);
    ASSERT_FALSE(folderRead.ok());
    EXPECT_NE(folderRead.reason().find("folder"), std::string::npos);
}

} // namespace
