#include "core/copy_reader.h"
#include "core/data_file.h"
#include "tests/kit/files.h"

#include <gtest/gtest.h>

using veq::Entries;
using veq::ListId;

namespace {

class CopyReader : public ::testing::TestWithParam<ListId> {};

// The aircraft of an entry as the copy dialog shows it: the second digit pair
// of a part id (the left id of an exception), the first of a plane-squadron entry.
std::string planeOf(ListId kind, const std::string& entry) { return entry.substr(kind == ListId::PlaneSq ? 0 : 2, 2); }

TEST_P(CopyReader, CollectsTheEntriesOfOnePlaneInFileOrderWithTheMainReadersTexts)
{
    const ListId kind = GetParam();
    Entries records = kit::randomEntries(kind, 400, 21, false);
    kit::TempFolder folder;
    kit::writeFile(folder / "other.dat", kit::dataImage(kind, records));
    for (const std::string plane : {"03", "00", "2B", "FF", "25"}) {
        Entries expected;
        for (const auto& record : records)
            if (planeOf(kind, record) == plane)
                expected.push_back(record);
        auto copied = veq::loadCopyEntries(folder / "other.dat", kind, plane);
        ASSERT_TRUE(copied) << copied.reason();
        EXPECT_EQ(*copied, expected) << plane;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CopyReader, ::testing::ValuesIn(veq::kAllLists));

TEST(CopyReader, TheTypedIdMatchesExactly)
{
    const Entries records{"032A0714", "032a0714", "2A010714", "03012A2A"};
    const std::pair<const char*, Entries> cases[] = {
        {"2A", {"032A0714"}}, {"2a", {"032a0714"}}, {"", {}}, {" 2A", {}}, {"2A ", {}}, {"2", {}}};
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(veq::entriesOfPlane(ListId::FileList, records, typed), expected) << '"' << typed << '"';
    EXPECT_EQ(veq::entriesOfPlane(ListId::Except, {"03012A00 ======> 032A0000", "032A0000 ======> 03010000"}, "2A"),
              Entries{"032A0000 ======> 03010000"});
}

} // namespace
