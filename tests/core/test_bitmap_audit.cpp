#include "core/bitmap_audit.h"
#include "core/platform.h"
#include "tests/kit/files.h"

#include <algorithm>
#include <cctype>
#include <random>
#include <set>

#include <gtest/gtest.h>

using veq::Entries;

namespace {

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The report's passes as plainly as they can be walked: a lookup per entry
// that ignores case, adds without repeats, and a scan of every exception for
// each absent file-list bitmap.
veq::MissingBitmaps reportByPasses(const Entries& fileList, const Entries& exceptList, const Entries& folder)
{
    auto exists = [&](const std::string& name) {
        return std::any_of(folder.begin(), folder.end(), [&](const std::string& f) { return lower(f) == lower(name); });
    };
    std::set<std::string> fileListMissing, exceptMissing, missing;
    for (const auto& entry : fileList)
        if (!exists(entry.substr(entry.size() - 8) + ".bmp"))
            fileListMissing.insert(entry.substr(entry.size() - 8) + ".bmp");
    for (const auto& entry : exceptList)
        if (!exists(entry.substr(17) + ".bmp")) {
            exceptMissing.insert(entry.substr(17) + ".bmp");
            missing.insert(entry.substr(17) + ".bmp");
        }
    for (const auto& name : fileListMissing)
        if (std::none_of(exceptList.begin(), exceptList.end(),
                         [&](const auto& e) { return e.substr(0, 8) == name.substr(0, 8); }))
            missing.insert(name);
    return {{fileListMissing.begin(), fileListMissing.end()},
            {exceptMissing.begin(), exceptMissing.end()},
            {missing.begin(), missing.end()}};
}

TEST(MissingReport, EqualsItsPassesOnRandomListsAndFolders)
{
    for (unsigned seed = 1; seed <= 8; ++seed) {
        std::mt19937 random(seed);
        Entries fileList = kit::randomEntries(veq::ListId::FileList, 120, seed);
        // Exceptions name listed parts on either side, and some unlisted ones.
        Entries exceptList;
        for (int i = 0; i < 80; ++i) {
            const auto pick = [&] {
                return random() % 3 ? fileList[random() % fileList.size()]
                                    : kit::randomEntries(veq::ListId::FileList, 1, random()).front();
            };
            exceptList.push_back(pick() + " ======> " + pick());
        }
        std::sort(fileList.begin(), fileList.end());
        std::sort(exceptList.begin(), exceptList.end());
        exceptList.erase(std::unique(exceptList.begin(), exceptList.end()), exceptList.end());
        // The folder holds some of the bitmaps, in any case, and other files.
        Entries folder{"readme.txt", "0301.bmp", "03010714.bmp.old"};
        for (const auto& entry : fileList)
            if (random() % 2)
                folder.push_back(random() % 2 ? entry + ".bmp" : lower(entry) + ".BMP");
        const veq::MissingBitmaps report = veq::missingBitmaps(fileList, exceptList, folder);
        const veq::MissingBitmaps expected = reportByPasses(fileList, exceptList, folder);
        EXPECT_EQ(report.fileListMissing, expected.fileListMissing);
        EXPECT_EQ(report.exceptMissing, expected.exceptMissing);
        EXPECT_EQ(report.missing, expected.missing);
    }
}

// The upper-case id of every unlisted part bitmap, and only of the names that
// Missing would find once the id is added: not those that merely start with one.
TEST(ExtraCheck, OffersTheUpperCaseIdOfEveryUnlistedPartBitmapMissingWouldFind)
{
    const Entries folder{"03010714.bmp",     "030a0b0c.BMP",  "030A0B0C.bmp",       "03FFFFFF.Bmp",     "0301071.bmp",
                         "04010714.bmp",     "03GHIJKL.bmp",  "03\xE6\x97\xA5.bmp", "03010715.bmp.bak", "03010716.txt",
                         "03010717_old.bmp", "030107171.bmp", "03010717 (copy).bmp"};
    const Entries offered = veq::extraBitmaps(folder, {"03010714", "03FFFFFF"});
    EXPECT_EQ(offered, (Entries{"030A0B0C", "030A0B0C"}));
    EXPECT_TRUE(veq::missingBitmaps(offered, {}, folder).fileListMissing.empty());
    EXPECT_EQ(veq::missingBitmaps({"03010717"}, {}, folder).fileListMissing, Entries{"03010717.bmp"});
}

// Folders and a folder that cannot be listed are the Missing window's test; here, links.
TEST(FolderListing, CountsALinkAsTheFileItLeadsToAndOneThatLeadsNowhereNot)
{
    kit::TempFolder folder;
    kit::writeFile(folder / "03010714.bmp", {1});
    std::error_code noLinks;
    std::filesystem::create_symlink("03010714.bmp", folder / "03010717.bmp", noLinks);
    std::filesystem::create_symlink("gone.bmp", folder / "03010718.bmp", noLinks);
    if (noLinks)
        GTEST_SKIP() << "no symbolic links here";
    auto names = veq::platform::listFiles(folder.path());
    ASSERT_TRUE(names) << names.reason();
    std::sort(names->begin(), names->end());
    EXPECT_EQ(*names, (Entries{"03010714.bmp", "03010717.bmp"}));
    EXPECT_TRUE(kit::mentions(kit::refusal(veq::platform::listFiles(folder / "03010714.bmp")), "not a folder"));
}

} // namespace
