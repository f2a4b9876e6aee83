#include "core/copy_reader.h"

#include <gtest/gtest.h>

using veq::Entries;
using veq::ListId;

namespace {

TEST(CopyReader, TheTypedIdMatchesExactly)
{
    const Entries records{"032A0714", "032a0714", "2A010714", "03012A2A"};
    const std::pair<const char*, Entries> cases[] = {
        {"2A", {"032A0714"}}, {"2a", {"032a0714"}}, {"", {}}, {" 2A", {}}, {"2A ", {}}, {"2", {}}};
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(veq::entriesOfPlane(ListId::FileList, records, typed), expected) << '"' << typed << '"';
    EXPECT_EQ(veq::entriesOfPlane(ListId::Except, {"03012A00 ======> 032A0000", "032A0000 ======> 03010000"}, "2A"),
              Entries{"032A0000 ======> 03010000"});
    EXPECT_EQ(veq::entriesOfPlane(ListId::PlaneSq, {"2500000094", "9400000025"}, "25"), Entries{"2500000094"});
}

} // namespace
