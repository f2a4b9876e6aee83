// The Windows command line as the program takes it: split as the C runtime
// splits it, with wildcards expanded as Windows programs expand them.
#include "core/file_io.h"
#include "core/platform.h"
#include "tests/kit/files.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

TEST(CommandLine, IsSplitAsTheRuntimeSplitsArgv)
{
    // Backslashes count only before a quote; the program's name ends at its quote.
    const std::pair<const wchar_t*, Strings> lines[] = {
        {LR"(veq.exe "a b c" d e)", {"a b c", "d", "e"}},
        {LR"(veq.exe "ab\"c" "\\" d)", {"ab\"c", "\\", "d"}},
        {LR"(veq.exe a\\\b d"e f"g h)", {R"(a\\\b)", "de fg", "h"}},
        {LR"(veq.exe a\\\"b c d)", {R"(a\"b)", "c", "d"}},
        {LR"(veq.exe a\\\\"b c" d e)", {R"(a\\b c)", "d", "e"}},
        {LR"(veq.exe a"b"" c d)", {R"(ab" c d)"}},
        {LR"("C:\Program Files\veq.exe" check	C:\x\filelist.dat "")", {"check", R"(C:\x\filelist.dat)", ""}},
        {LR"(C:\tools\veq.exe)", {}},
        {L"veq.exe \"C:\\Flugzeug_\u00e4\u00f6\u00fc\\\"", {"C:\\Flugzeug_\xc3\xa4\xc3\xb6\xc3\xbc\""}},
    };
    for (const auto& [line, arguments] : lines)
        EXPECT_EQ(veq::platform::splitCommandLine(line), arguments) << veq::displayPath(line);
}

// Runs in a folder of its own as the current folder, so that patterns and the
// paths they give are relative and free of the temporary folder's spaces.
class Wildcards : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_before = fs::current_path();
        fs::current_path(m_folder.path());
        for (const char* file : {"mods/a/filelist.dat", "mods/B/filelist.dat", "mods/B/except.dat", "mods/c/x.txt",
                                 "mods/Flugzeug_\xc3\xa4\xc3\xb6\xc3\xbc/filelist.dat"})
            make(file);
        fs::create_directory("mods/a.dat");
    }
    void TearDown() override { fs::current_path(m_before); }
    static void make(const std::string& name)
    {
        const fs::path path = veq::utf8Path(name);
        fs::create_directories(path.parent_path());
        kit::writeFile(path, veq::Bytes{1});
    }

private:
    kit::TempFolder m_folder;
    fs::path m_before;
};

TEST_F(Wildcards, UnquotedOnesBecomeTheMatchingPathsAndOthersStayAsTyped)
{
    const std::string umlauts = "Flugzeug_\xc3\xa4\xc3\xb6\xc3\xbc";
    const std::pair<const char*, Strings> lines[] = {
        // Every folder level, sorted regardless of case; a level with no match drops out.
        {R"(veq.exe check mods\*\filelist.dat)",
         {"check", R"(mods\a\filelist.dat)", R"(mods\B\filelist.dat)", "mods\\" + umlauts + "\\filelist.dat"}},
        {R"(veq.exe mods/?/*.dat)", {"mods/a/filelist.dat", "mods/B/except.dat", "mods/B/filelist.dat"}},
        // A last level matches folders too, as a file search does.
        {R"(veq.exe mods\a*)", {R"(mods\a)", R"(mods\a.dat)"}},
        {R"(veq.exe mods\F*\*)", {"mods\\" + umlauts + "\\filelist.dat"}},
        // What matches nothing, and what is quoted, is handed on as typed.
        {R"(veq.exe mods\*\planesq.dat nothing*)", {R"(mods\*\planesq.dat)", "nothing*"}},
        {R"(veq.exe "mods\*\filelist.dat" mods/c/"*".txt)", {R"(mods\*\filelist.dat)", "mods/c/*.txt"}},
        {R"(veq.exe --kind=* mods\c\x.txt)", {"--kind=*", R"(mods\c\x.txt)"}},
    };
    for (const auto& [line, arguments] : lines) {
        const std::wstring wide = veq::utf8Path(line).wstring();
        EXPECT_EQ(veq::platform::splitCommandLine(wide), arguments) << line;
    }
    // A path of the system's own keeps its "\\?\" and expands after it (where
    // the temporary folder's path has no blank, which would part the argument).
    const std::string folder = veq::displayPath(fs::absolute("mods"));
    if (folder.find(' ') == std::string::npos) {
        EXPECT_EQ(veq::platform::splitCommandLine(veq::utf8Path("veq.exe \\\\?\\" + folder + "\\c\\*").wstring()),
                  Strings{"\\\\?\\" + folder + "\\c\\x.txt"});
    }
}

} // namespace
