#include "core/bitmap_audit.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

using veq::Entries;
using veq::MissingBitmaps;

// ---- The algorithms as written: a lookup per entry, scans per item ----

// A result list that adds without duplicates by scanning from its end.
void addWithoutDuplicate(Entries& list, const std::string& text)
{
    for (std::size_t i = list.size(); i >= 1; --i) {
        if (list[i - 1] == text)
            return;
        if (text > list[i - 1])
            break;
    }
    list.insert(std::upper_bound(list.begin(), list.end(), text), text);
}

std::string right8(const std::string& text) { return text.size() > 8 ? text.substr(text.size() - 8) : text; }
std::string left8(const std::string& text) { return text.substr(0, 8); }

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// A search of the folder for one exact name.
bool lookUp(const Entries& folder, const std::string& name)
{
    return std::any_of(folder.begin(), folder.end(), [&](const std::string& f) { return sameIgnoringCase(f, name); });
}

MissingBitmaps reportLiterally(const Entries& fileList, const Entries& exceptList, const Entries& folder)
{
    MissingBitmaps r;
    for (const std::string& entry : fileList) {
        const std::string name = right8(entry) + ".bmp";
        if (!lookUp(folder, name))
            addWithoutDuplicate(r.fileListMissing, name);
    }
    for (const std::string& entry : exceptList) {
        const std::string name = right8(entry) + ".bmp";
        if (!lookUp(folder, name)) {
            addWithoutDuplicate(r.exceptMissing, name);
            addWithoutDuplicate(r.missing, name);
        }
    }
    const std::size_t count = r.fileListMissing.size();
    for (std::size_t p = 0; p < count; ++p) {
        const std::string m = r.fileListMissing[p];
        const std::string k = left8(m);
        bool covered = false;
        for (const std::string& entry : exceptList)
            if (left8(entry) == k) {
                covered = true;
                break;
            }
        if (!covered)
            addWithoutDuplicate(r.missing, m);
    }
    return r;
}

bool fitsPatternLiterally(const std::string& name)
{
    if (name.size() < 6)
        return false;
    return sameIgnoringCase(name.substr(0, 2), "03") && sameIgnoringCase(name.substr(name.size() - 4), ".bmp");
}

Entries checkLiterally(const Entries& folder, const Entries& fileList)
{
    Entries extra;
    for (const std::string& name : folder) {
        if (!fitsPatternLiterally(name))
            continue;
        std::string key = name.substr(0, 8);
        for (char& c : key)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (key.empty() || std::find(fileList.begin(), fileList.end(), key) != fileList.end())
            continue;
        extra.insert(std::upper_bound(extra.begin(), extra.end(), key), key);
    }
    return extra;
}

MissingBitmaps report(const Entries& fileList, const Entries& exceptList, const Entries& folder)
{
    return veq::missingBitmaps(fileList, exceptList, veq::foldNames(folder));
}

void expectSame(const MissingBitmaps& got, const MissingBitmaps& want)
{
    EXPECT_EQ(got.fileListMissing, want.fileListMissing);
    EXPECT_EQ(got.exceptMissing, want.exceptMissing);
    EXPECT_EQ(got.missing, want.missing);
}

// ---- Bitmap names ----

TEST(BitmapName, IsTheLastEightCharactersWithTheExtension)
{
    EXPECT_EQ(veq::bitmapName("0A1B2C3D"), "0A1B2C3D.bmp");
    EXPECT_EQ(veq::bitmapName("03011804 ======> 03010814"), "03010814.bmp");
    EXPECT_EQ(veq::bitmapName("ABC"), "ABC.bmp");
}

// ---- The missing-bitmaps report ----

struct ReportCase {
    const char* name;
    Entries fileList;
    Entries exceptList;
    Entries folder;
    MissingBitmaps want;
};

void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }

class MissingReport : public ::testing::TestWithParam<ReportCase> {};

TEST_P(MissingReport, GivesTheThreeLists)
{
    const ReportCase& c = GetParam();
    const MissingBitmaps got = report(c.fileList, c.exceptList, c.folder);
    expectSame(got, c.want);
    // The hand-made expectation and the algorithm as written agree.
    expectSame(reportLiterally(c.fileList, c.exceptList, c.folder), c.want);
}

const Entries kFileList{"03000112", "03010714", "03010814", "0A1B2C3D"};
const Entries kExcept{"03000112 ======> 03010815", "03011804 ======> 03010814", "03011805 ======> 03010814"};

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingReport,
    ::testing::Values(
        // Everything absent: right ids once each; a file-list id named on the left
        // (03000112) is stood in for by its exception and is not needed.
        ReportCase{"EmptyFolder",
                   kFileList,
                   kExcept,
                   {},
                   {{"03000112.bmp", "03010714.bmp", "03010814.bmp", "0A1B2C3D.bmp"},
                    {"03010814.bmp", "03010815.bmp"},
                    {"03010714.bmp", "03010814.bmp", "03010815.bmp", "0A1B2C3D.bmp"}}},
        ReportCase{"EverythingPresent",
                   kFileList,
                   kExcept,
                   {"03000112.bmp", "03010714.bmp", "03010814.bmp", "0A1B2C3D.bmp", "03010815.bmp"},
                   {}},
        // Names match whatever their case on disk.
        ReportCase{"CaseOnDiskIgnored",
                   kFileList,
                   kExcept,
                   {"03000112.BMP", "03010714.Bmp", "03010814.bmp", "0a1b2c3d.BMP", "03010815.bMp"},
                   {}},
        // The left id covers the absent file-list bitmap even though its right id exists.
        ReportCase{"LeftIdCoversWhenRightIdPresent",
                   {"03000112"},
                   {"03000112 ======> 03010815"},
                   {"03010815.bmp"},
                   {{"03000112.bmp"}, {}, {}}},
        ReportCase{"LeftIdCoversWhenRightIdAbsent",
                   {"03000112"},
                   {"03000112 ======> 03010815"},
                   {},
                   {{"03000112.bmp"}, {"03010815.bmp"}, {"03010815.bmp"}}},
        // Only the left id covers: being a right id does not, and the name is listed once.
        ReportCase{"FileListIdThatIsAlsoAnAbsentRightId",
                   {"03010814"},
                   {"03011804 ======> 03010814"},
                   {},
                   {{"03010814.bmp"}, {"03010814.bmp"}, {"03010814.bmp"}}},
        ReportCase{"RepeatedRightIdsListedOnce",
                   {"03000001"},
                   {"03011804 ======> 03010814", "03011805 ======> 03010814", "03011806 ======> 03010814"},
                   {"03000001.bmp"},
                   {{}, {"03010814.bmp"}, {"03010814.bmp"}}},
        // Left ids compare exactly: a lower-case left id is another id.
        ReportCase{"LeftIdComparedExactly",
                   {"0A1B2C3D"},
                   {"0a1b2c3d ======> 03010814"},
                   {"03010814.bmp"},
                   {{"0A1B2C3D.bmp"}, {}, {"0A1B2C3D.bmp"}}},
        // Names that only resemble the bitmap do not satisfy it.
        ReportCase{"NearNamesDoNotCount",
                   {"0A1B2C3D"},
                   {"03011804 ======> 03010814"},
                   {"0A1B2C3D.bmp.bak", "0A1B2C3D", "x0A1B2C3D.bmp", "03010814.bm", ".03010814.bmp"},
                   {{"0A1B2C3D.bmp"}, {"03010814.bmp"}, {"03010814.bmp", "0A1B2C3D.bmp"}}},
        ReportCase{"EmptyLists", {}, {}, {"03010814.bmp"}, {}}),
    [](const ::testing::TestParamInfo<ReportCase>& info) { return std::string(info.param.name); });

TEST(MissingReport, ResultsAreSortedWhateverTheEntryOrder)
{
    const MissingBitmaps got = report({"0F000000", "03000000", "0A000000", "03000000"},
                                      {"01000000 ======> 0E000000", "02000000 ======> 01000000"}, {});
    EXPECT_EQ(got.fileListMissing, (Entries{"03000000.bmp", "0A000000.bmp", "0F000000.bmp"}));
    EXPECT_EQ(got.missing, (Entries{"01000000.bmp", "03000000.bmp", "0A000000.bmp", "0E000000.bmp", "0F000000.bmp"}));
}

// Small alphabets make repeated ids, shared left and right ids and case
// variants on disk common, which is where the passes interact.
std::string randomId(std::mt19937& rng)
{
    static const char digits[] = "0123ABab";
    std::string id = "0300";
    for (int i = 0; i < 4; ++i)
        id += digits[std::uniform_int_distribution<int>(0, 3)(rng) * 2 + std::uniform_int_distribution<int>(0, 1)(rng)];
    return veq::toUpperAscii(id);
}

std::string randomSpelling(std::mt19937& rng, const std::string& name)
{
    std::string out = name;
    for (char& c : out)
        if (std::uniform_int_distribution<int>(0, 1)(rng))
            c = static_cast<char>(std::islower(static_cast<unsigned char>(c)) ? std::toupper(c) : std::tolower(c));
    return out;
}

TEST(MissingReport, EqualsTheAlgorithmAsWrittenOnRandomData)
{
    std::mt19937 rng(20240611);
    for (int round = 0; round < 300; ++round) {
        const auto size = [&](int most) { return std::uniform_int_distribution<int>(0, most)(rng); };
        Entries fileList;
        Entries exceptList;
        Entries folder;
        for (int i = size(40); i > 0; --i)
            fileList.push_back(randomId(rng));
        for (int i = size(40); i > 0; --i) {
            std::string left = randomId(rng);
            if (size(9) == 0)
                left = veq::foldName(left); // now and then a left id that matches nothing exactly
            exceptList.push_back(veq::exceptPairText(left, randomId(rng)));
        }
        for (int i = size(60); i > 0; --i)
            folder.push_back(randomSpelling(rng, randomId(rng) + (size(5) == 0 ? ".bmpx" : ".bmp")));
        if (round % 2 == 0) {
            std::sort(fileList.begin(), fileList.end());
            fileList.erase(std::unique(fileList.begin(), fileList.end()), fileList.end());
            std::sort(exceptList.begin(), exceptList.end());
        }
        SCOPED_TRACE(round);
        expectSame(report(fileList, exceptList, folder), reportLiterally(fileList, exceptList, folder));
    }
}

// ---- The extra-bitmaps check ----

TEST(ExtraCandidate, FitsThePatternWithoutRegardToCase)
{
    for (const char* name : {"03010714.bmp", "03010714.BMP", "030a0b0c.Bmp", "031.bmp", "03.bmp", "03010714x.bmp"})
        EXPECT_TRUE(veq::isExtraCandidate(name)) << name;
    for (const char* name : {"3010714.bmp", "04010714.bmp", "03010714.bmpx", "03010714.bm", "03010714bmp",
                             "x03010714.bmp", ".03010714.bmp", "03.bm", "03bmp", "", "03010714.bmp.bak"})
        EXPECT_FALSE(veq::isExtraCandidate(name)) << name;
}

struct ExtraCase {
    const char* name;
    Entries folder;
    Entries fileList;
    Entries want;
};

void PrintTo(const ExtraCase& c, std::ostream* os) { *os << c.name; }

class ExtraCheck : public ::testing::TestWithParam<ExtraCase> {};

TEST_P(ExtraCheck, ListsUnnamedKeys)
{
    const ExtraCase& c = GetParam();
    Entries candidates;
    std::copy_if(c.folder.begin(), c.folder.end(), std::back_inserter(candidates),
                 [](const std::string& n) { return veq::isExtraCandidate(n); });
    EXPECT_EQ(veq::extraBitmaps(candidates, c.fileList), c.want);
    EXPECT_EQ(checkLiterally(c.folder, c.fileList), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtraCheck,
    ::testing::Values(ExtraCase{"OnlyBitmapAlreadyNamed", {"03010714.bmp"}, {"03010714"}, {}},
                      ExtraCase{"KeysAreUpperCase", {"030a0b0c.bmp"}, {}, {"030A0B0C"}},
                      ExtraCase{"LowerCaseNameOfAListedId", {"030a0b0c.bmp"}, {"030A0B0C"}, {}},
                      // Two spellings of one name are two files where case counts, and two keys.
                      ExtraCase{
                          "TwoSpellingsGiveTwoKeys", {"03010714.bmp", "03010714.BMP"}, {}, {"03010714", "03010714"}},
                      ExtraCase{"FirstAndLastOfTheFileListTakePart",
                                {"03000001.bmp", "03000002.bmp", "03000003.bmp"},
                                {"03000001", "03000002x", "03000003"},
                                {"03000002"}},
                      ExtraCase{"ShortNamesKeepPartOfTheExtension",
                                {"031.bmp", "03123.bmp", "03.BMP"},
                                {"03123.BM"},
                                {"03.BMP", "031.BMP"}},
                      ExtraCase{"ShortNameLeftOutWhenTheFileListHoldsIt", {"031.bmp"}, {"031.BMP"}, {}},
                      ExtraCase{"OtherNamesIgnored", {"04010714.bmp", "03010714.txt", "readme"}, {}, {}},
                      ExtraCase{"SortedWhateverTheListingOrder",
                                {"030F0000.bmp", "03000000.bmp", "030A0000.bmp"},
                                {},
                                {"03000000", "030A0000", "030F0000"}}),
    [](const ::testing::TestParamInfo<ExtraCase>& info) { return std::string(info.param.name); });

TEST(ExtraCheck, EqualsTheAlgorithmAsWrittenOnRandomData)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        const auto size = [&](int most) { return std::uniform_int_distribution<int>(0, most)(rng); };
        Entries folder;
        Entries fileList;
        for (int i = size(60); i > 0; --i) {
            std::string name = randomId(rng).substr(0, static_cast<std::size_t>(2 + size(6)));
            name += size(4) == 0 ? ".txt" : ".bmp";
            folder.push_back(randomSpelling(rng, name));
        }
        for (int i = size(30); i > 0; --i)
            fileList.push_back(randomId(rng));
        Entries candidates;
        std::copy_if(folder.begin(), folder.end(), std::back_inserter(candidates),
                     [](const std::string& n) { return veq::isExtraCandidate(n); });
        SCOPED_TRACE(round);
        EXPECT_EQ(veq::extraBitmaps(candidates, fileList), checkLiterally(folder, fileList));
    }
}

} // namespace
