// What Windows reads from the built programs themselves: their version
// information and the manifest by which it runs them.
#include "core/file_io.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct Program {
    const char* path;
    const char* description;
};

// The programs built here; the editor only where the windows are built.
std::vector<Program> programs()
{
    std::vector<Program> built{{VEQ_CLI_EXE, "command line"}};
    if (*VEQ_EDITOR_EXE)
        built.push_back({VEQ_EDITOR_EXE, "VEQ Editor"});
    return built;
}

std::string narrow(const wchar_t* text) { return veq::displayPath(fs::path(text)); }

class VersionInformation {
public:
    explicit VersionInformation(const fs::path& program)
    {
        DWORD ignored = 0;
        m_block.resize(::GetFileVersionInfoSizeW(program.c_str(), &ignored));
        if (m_block.empty() ||
            !::GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(m_block.size()), m_block.data()))
            m_block.clear();
    }
    [[nodiscard]] bool present() const { return !m_block.empty(); }
    // A text of the US English, Unicode table; empty where it has none.
    [[nodiscard]] std::string text(const wchar_t* name) const
    {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!present() || !::VerQueryValueW(m_block.data(), key.c_str(), &value, &length) || length == 0)
            return {};
        return narrow(static_cast<const wchar_t*>(value));
    }
    // The four numbers of the fixed part's file and product versions, as "a.b.c.d".
    [[nodiscard]] std::pair<std::string, std::string> numbers() const
    {
        void* value = nullptr;
        UINT length = 0;
        if (!present() || !::VerQueryValueW(m_block.data(), L"\\", &value, &length) ||
            length < sizeof(VS_FIXEDFILEINFO))
            return {};
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        auto dotted = [](DWORD high, DWORD low) {
            std::ostringstream out;
            out << HIWORD(high) << '.' << LOWORD(high) << '.' << HIWORD(low) << '.' << LOWORD(low);
            return out.str();
        };
        return {dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS),
                dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS)};
    }

private:
    std::vector<char> m_block;
};

// The manifest Windows takes when it starts the program (resource 1 of type 24).
std::string manifestOf(const fs::path& program)
{
    HMODULE module =
        ::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return {};
    std::string text;
    if (HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)))
        if (HGLOBAL loaded = ::LoadResource(module, found))
            text.assign(static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(module, found));
    ::FreeLibrary(module);
    return text;
}

TEST(WindowsResources, EachProgramTellsItsProductVersionAndCopyright)
{
    for (const Program& program : programs()) {
        const fs::path path(program.path);
        const VersionInformation information(path);
        ASSERT_TRUE(information.present()) << program.path;
        EXPECT_EQ(information.text(L"ProductName"), "VEQ Editor") << program.path;
        EXPECT_EQ(information.text(L"FileVersion"), VEQ_VERSION) << program.path;
        EXPECT_EQ(information.text(L"ProductVersion"), VEQ_VERSION) << program.path;
        EXPECT_EQ(information.numbers().first, std::string(VEQ_VERSION) + ".0") << program.path;
        EXPECT_EQ(information.numbers().second, std::string(VEQ_VERSION) + ".0") << program.path;
        EXPECT_NE(information.text(L"FileDescription").find(program.description), std::string::npos) << program.path;
        EXPECT_EQ(information.text(L"OriginalFilename"), path.filename().string());
        EXPECT_TRUE(std::regex_search(information.text(L"LegalCopyright"),
                                      std::regex("^Copyright .*[0-9]{4} The VEQ Editor developers")))
            << information.text(L"LegalCopyright");
    }
}

TEST(WindowsResources, EachProgramRunsWithUtf8AtAnyScaleOnWindows10And11)
{
    // Each setting as its element, so that a misspelt name or value counts as missing.
    const char* settings[] = {
        R"(<activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">UTF-8</activeCodePage>)",
        R"(<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2</dpiAwareness>)",
        R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)",
    };
    for (const Program& program : programs()) {
        const std::string manifest = manifestOf(program.path);
        ASSERT_FALSE(manifest.empty()) << program.path << " has no manifest";
        for (const char* setting : settings)
            EXPECT_NE(manifest.find(setting), std::string::npos) << program.path << " lacks " << setting;
    }
}

} // namespace
