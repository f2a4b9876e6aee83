#include "tests/kit/files.h"
#include "tools/sample_data.h"

#include <gtest/gtest.h>

namespace {

// Everything a run writes, by name, with its bytes.
std::map<std::string, veq::Bytes> contents(const std::filesystem::path& folder)
{
    std::map<std::string, veq::Bytes> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), folder).generic_string()] = kit::readFile(entry.path());
    return files;
}

TEST(SampleData, IsTheSameOnEveryRunAndReplacesOnlyItsOwnFiles)
{
    kit::TempFolder first, second;
    ASSERT_TRUE(veq::writeSampleData(first.path()));
    ASSERT_TRUE(veq::writeSampleData(second.path()));
    ASSERT_TRUE(veq::writeSampleData(second.path()));
    EXPECT_EQ(contents(first.path()), contents(second.path()));
    EXPECT_GT(contents(first.path()).size(), 7u);

    const veq::Bytes users{1, 2, 3};
    kit::writeFile(second / "except.dat", users);
    EXPECT_FALSE(veq::writeSampleData(second.path()));
    EXPECT_EQ(kit::readFile(second / "except.dat"), users);
}

} // namespace
