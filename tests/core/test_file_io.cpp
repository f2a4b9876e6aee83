#include "core/file_io.h"
#include "tests/kit/files.h"

#include <gtest/gtest.h>

using veq::Bytes;
using veq::SaveStep;

namespace {

namespace fs = std::filesystem;

// Fails one chosen step of a save the way a full disk or a refusing system would.
class FailingStep final : public veq::SaveHooks {
public:
    FailingStep(SaveStep step, std::errc error) : m_step(step), m_error(error) {}
    std::error_code before(SaveStep step) override
    {
        return step == m_step ? std::make_error_code(m_error) : std::error_code{};
    }

private:
    SaveStep m_step;
    std::errc m_error;
};

TEST(Save, ReplacesTheWholeFileOrCreatesIt)
{
    kit::TempFolder folder;
    const Bytes longer(500, 0xEE);
    kit::writeFile(folder / "except.dat", longer);
    ASSERT_TRUE(veq::replaceFile(folder / "except.dat", Bytes{9, 8}));
    ASSERT_TRUE(veq::replaceFile(folder / "new.dat", Bytes{7}));
    EXPECT_EQ(kit::readFile(folder / "except.dat"), (Bytes{9, 8}));
    EXPECT_EQ(kit::readFile(folder / "new.dat"), (Bytes{7}));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"except.dat", "new.dat"}));
}

TEST(Save, AFailedStepLeavesTheOldFileAndNoTemporaryAndSaysWhy)
{
    const struct {
        SaveStep step;
        std::errc error;
        const char* says;
    } faults[] = {
        {SaveStep::CreateTemporary, std::errc::permission_denied, "temporary file could not be created"},
        {SaveStep::Write, std::errc::no_space_on_device, "writing failed"},
        {SaveStep::Close, std::errc::io_error, "could not be completed"},
        {SaveStep::Replace, std::errc::permission_denied, "could not replace the old one"},
    };
    for (const auto& [step, error, says] : faults) {
        kit::TempFolder folder;
        kit::writeFile(folder / "planesq.dat", Bytes{1, 2, 3});
        FailingStep hooks(step, error);
        auto saved = veq::replaceFile(folder / "planesq.dat", Bytes(300, 0x55), &hooks);
        ASSERT_FALSE(saved);
        EXPECT_NE(saved.reason().find(says), std::string::npos) << saved.reason();
        EXPECT_NE(saved.reason().find(std::make_error_code(error).message()), std::string::npos) << saved.reason();
        EXPECT_EQ(kit::readFile(folder / "planesq.dat"), (Bytes{1, 2, 3}));
        EXPECT_EQ(folder.names(), std::vector<std::string>{"planesq.dat"});
    }
}

TEST(Save, KeepsThePermissionsOfTheFileItReplaces)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows files have no permission bits";
#endif
    kit::TempFolder folder;
    const fs::path target = folder / "filelist.dat";
    kit::writeFile(target, Bytes{1});
    const fs::perms chosen = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, chosen);
    ASSERT_TRUE(veq::replaceFile(target, Bytes{2}));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask, chosen);
}

TEST(Save, RefusesAFolderAndAMissingFolder)
{
    kit::TempFolder folder;
    fs::create_directory(folder / "sub");
    EXPECT_FALSE(veq::replaceFile(folder / "sub", Bytes{1}));
    EXPECT_FALSE(veq::replaceFile(folder / "gone" / "filelist.dat", Bytes{1}));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"sub"});
}

TEST(Read, TakesAtMostWhatIsAskedAndNamesWhatIsWrong)
{
    kit::TempFolder folder;
    kit::writeFile(folder / "data", Bytes(1000, 7));
    EXPECT_EQ(veq::readFileBytes(folder / "data", 10)->size(), 10u);
    auto missing = veq::readFileBytes(folder / "none", 10);
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.reason().find("does not exist"), std::string::npos);
    auto folderRead = veq::readFileBytes(folder.path(), 10);
    ASSERT_FALSE(folderRead);
    EXPECT_NE(folderRead.reason().find("folder"), std::string::npos);
}

TEST(Words, CountsAndArticles)
{
    EXPECT_EQ(veq::counted(1, "byte"), "1 byte");
    EXPECT_EQ(veq::counted(0, "record"), "0 records");
    EXPECT_EQ(veq::withArticle("except.dat"), "an except.dat");
    EXPECT_EQ(veq::withArticle("planesq.dat"), "a planesq.dat");
}

} // namespace
