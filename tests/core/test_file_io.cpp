#include "core/file_io.h"
#include "core/sentences.h"
#include "tests/kit/files.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <cstdlib>
#include <grp.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

using veq::Bytes;
using veq::SaveStep;

namespace {

using kit::mentions;
using kit::refusal;

namespace fs = std::filesystem;

std::string reasonOf(std::errc error) { return std::make_error_code(error).message(); }

// Notes the name and permissions of this program's temporary file in `folder`
// before each step of a save, and fails one chosen step the way a full disk or
// a refusing system would.
struct SaveProbe final : veq::SaveHooks {
    explicit SaveProbe(fs::path folder, SaveStep failing = SaveStep{-1}, std::errc error = {})
        : m_folder(std::move(folder)), m_failing(failing), m_error(error)
    {
    }
    std::error_code before(SaveStep step) override
    {
        for (const auto& entry : fs::directory_iterator(m_folder))
            if (entry.path().filename().string().starts_with(".veq-"))
                seen[step] = {entry.path().filename().string(), entry.status().permissions()};
        return step == m_failing ? std::make_error_code(m_error) : std::error_code{};
    }
    std::map<SaveStep, std::pair<std::string, fs::perms>> seen;
    fs::path m_folder;
    SaveStep m_failing;
    std::errc m_error;
};

TEST(Save, AFailedStepLeavesTheOldFileAndNoTemporaryAndSaysWhy)
{
    const std::pair<SaveStep, std::errc> faults[] = {{SaveStep::CreateTemporary, std::errc::permission_denied},
                                                     {SaveStep::Write, std::errc::no_space_on_device},
                                                     {SaveStep::Sync, std::errc::io_error},
                                                     {SaveStep::Close, std::errc::no_space_on_device},
                                                     {SaveStep::Replace, std::errc::permission_denied}};
    for (const auto& [step, error] : faults) {
        kit::TempFolder folder;
        kit::writeFile(folder / "planesq.dat", Bytes{1, 2, 3});
        SaveProbe probe(folder.path(), step, error);
        auto saved = veq::replaceFile(folder / "planesq.dat", Bytes(300, 0x55), nullptr, &probe);
        EXPECT_TRUE(mentions(refusal(saved), reasonOf(error))) << refusal(saved);
        EXPECT_EQ(kit::readFile(folder / "planesq.dat"), (Bytes{1, 2, 3}));
        EXPECT_EQ(folder.names(), std::vector<std::string>{"planesq.dat"});
    }
#ifndef _WIN32
    // A file size limit fails a real write with the system's own error, as a full disk does.
    kit::TempFolder folder;
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{100, old.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    auto saved = veq::replaceFile(folder / "planesq.dat", Bytes(300, 0x55));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(mentions(refusal(saved), reasonOf(std::errc::file_too_large))) << refusal(saved);
    EXPECT_EQ(folder.names(), std::vector<std::string>{});
#endif
}

TEST(Save, GoesThroughLinksToTheFileTheyLeadToInItsOwnFolder)
{
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need privileges on Windows";
#endif
    // link.dat leads to `to`; sub/hop.dat leads on to real.dat beside it; a loop leads nowhere.
    const std::pair<const char*, const char*> links[] = {{"sub/real.dat", "sub/real.dat"},
                                                         {"sub/hop.dat", "sub/real.dat"},
                                                         {"sub/new.dat", "sub/new.dat"},
                                                         {"loop.dat", ""}};
    for (const auto& [to, file] : links) {
        kit::TempFolder folder;
        fs::create_directory(folder / "sub");
        kit::writeFile(folder / "sub/real.dat", Bytes{1, 2, 3});
        fs::create_symlink("real.dat", folder / "sub/hop.dat");
        fs::create_symlink("link.dat", folder / "loop.dat");
        fs::create_symlink(to, folder / "link.dat");
        SaveProbe probe(folder / "sub");
        auto saved = veq::replaceFile(folder / "link.dat", Bytes{9}, nullptr, &probe);
        EXPECT_EQ(fs::read_symlink(folder / "link.dat"), to);
        EXPECT_EQ(folder.names(), (std::vector<std::string>{"link.dat", "loop.dat", "sub"}));
        EXPECT_EQ(probe.seen.count(SaveStep::Write), *file ? 1u : 0u) << to;
        if (*file)
            EXPECT_EQ(kit::readFile(folder / file), Bytes{9}) << to << ": " << refusal(saved);
        else
            EXPECT_TRUE(mentions(refusal(saved), reasonOf(std::errc::too_many_symbolic_link_levels)));
    }
}

TEST(Save, KeepsModeAndGroupAndTheTemporaryIsTheUsersAloneUntilComplete)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows files have no mode or group";
#else
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const gid_t users = 100;
    // The last: a member of the file's group who is not its owner (made by dropping root's rights).
    const std::tuple<bool, mode_t, bool> cases[] = {
        {true, 0640, false}, {true, 0604, false}, {false, 0666 & ~mask, false}, {true, 0664, true}};
    for (const auto& [exists, mode, asMember] : cases) {
        kit::TempFolder folder;
        const fs::path target = folder / "filelist.dat";
        if (exists) {
            kit::writeFile(target, Bytes{1});
            ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        }
        // The administrator may give the file another owner and group, a user a group of their own.
        const uid_t owner = ::geteuid() == 0 ? 1 : ::geteuid();
        const bool grouped = exists && ::chown(target.c_str(), owner, users) == 0;
        const bool member = asMember && ::geteuid() == 0 && ::chmod(folder.path().c_str(), 0777) == 0 &&
                            ::setgroups(1, &users) == 0 && ::setresuid(65534, 65534, 0) == 0;
        SaveProbe probe(folder.path());
        const bool saved = veq::replaceFile(target, Bytes{2}, nullptr, &probe).ok();
        EXPECT_TRUE(!member || (::setresuid(0, 0, 0) == 0 && ::setgroups(0, nullptr) == 0));
        ASSERT_TRUE(saved);
        struct stat after = {};
        ASSERT_EQ(::stat(target.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, mode);
        EXPECT_TRUE(!grouped || (after.st_gid == users && after.st_uid == (member ? 65534 : owner)))
            << after.st_uid << ':' << after.st_gid;
        EXPECT_EQ(probe.seen[SaveStep::Write].second, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(probe.seen[SaveStep::Replace].second, static_cast<fs::perms>(mode));
    }
    // A stranger to the file and its group, in a folder that gives new files a group of its own,
    // keeps neither, nor the set-group-id bit, and is told all it lost.
    kit::TempFolder folder;
    const fs::path target = folder / "filelist.dat";
    kit::writeFile(target, Bytes{1});
    if (::geteuid() == 0 && ::chown(target.c_str(), 1, users) == 0 && ::chmod(target.c_str(), 02666) == 0 &&
        ::chown(folder.path().c_str(), 0, 50) == 0 && ::chmod(folder.path().c_str(), 02777) == 0 &&
        ::setgroups(0, nullptr) == 0 && ::setresuid(65534, 65534, 0) == 0) {
        const auto saved = veq::replaceFile(target, Bytes{2});
        EXPECT_EQ(::setresuid(0, 0, 0), 0);
        EXPECT_EQ(saved ? saved->notice : refusal(saved),
                  veq::sentences::keptLess(target, "owner, group and permissions"));
    }
#endif
}

// Takes away, or gives back, the right to change a file: its write
// permissions, or on Windows its read-only attribute.
void setReadOnly(const fs::path& file, bool readOnly)
{
#ifdef _WIN32
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
#else
    fs::permissions(file, readOnly ? fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read
                                   : fs::perms::owner_read | fs::perms::owner_write);
#endif
}

void makeHardLink(const fs::path& file, const fs::path& link)
{
#ifdef _WIN32
    ASSERT_TRUE(::CreateHardLinkW(link.c_str(), file.c_str(), nullptr));
#else
    fs::create_hard_link(file, link);
#endif
}

TEST(Save, RefusesWhatItMustNotReplaceAndTellsOfHardLinks)
{
    kit::TempFolder folder;
    const fs::path target = folder / "except.dat";
    kit::writeFile(target, Bytes{1});
    setReadOnly(target, true);
    EXPECT_TRUE(mentions(refusal(veq::replaceFile(target, Bytes{2})), "read-only"));
    EXPECT_EQ(kit::readFile(target), Bytes{1});
    fs::create_directory(folder / "sub");
    EXPECT_TRUE(mentions(refusal(veq::replaceFile(folder / "sub", Bytes{1})), "folder"));
    EXPECT_TRUE(mentions(refusal(veq::replaceFile(folder / "gone" / "x.dat", Bytes{1})),
                         reasonOf(std::errc::no_such_file_or_directory)));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"except.dat", "sub"}));

    setReadOnly(target, false);
    makeHardLink(target, folder / "other.dat");
    auto linked = veq::replaceFile(target, Bytes{3});
    ASSERT_TRUE(linked) << refusal(linked);
    EXPECT_TRUE(mentions(linked->notice, veq::displayPath(target)) && mentions(linked->notice, "hard link"));
    EXPECT_EQ(kit::readFile(target), Bytes{3});
    EXPECT_EQ(kit::readFile(folder / "other.dat"), Bytes{1});
    EXPECT_EQ(veq::replaceFile(target, Bytes{4})->notice, "");
}

#ifndef _WIN32
TEST(Save, KeepsTheAccessControlListAndExtendedAttributesAndWidensNoPermission)
{
    kit::TempFolder folder;
    const std::string target = (folder / "filelist.dat").string();
    kit::writeFile(target, Bytes{1});
    // The group reads; the mask, which the group's mode bits show, lets user 12345 write.
    if (std::system(
            ("setfacl -m u::rw,u:12345:rw,g::r,o::- " + target + " && setfattr -n user.veq -v 1 " + target).c_str()))
        GTEST_SKIP() << "no setfacl and setfattr, or a temporary folder that keeps no ACL or user attribute";
    const auto attributes = [&] {
        EXPECT_EQ(std::system(("getfattr -d -m - -e hex " + target + " >" + target + ".txt").c_str()), 0);
        return kit::readFile(target + ".txt");
    };
    const auto before = attributes();
    auto saved = veq::replaceFile(target, Bytes{2});
    EXPECT_TRUE(saved && saved->notice.empty()) << refusal(saved);
    EXPECT_EQ(attributes(), before);
}

// A FAT file system through FUSE (fusefat), as a memory card or a disk shared
// with Windows gives: chmod and chown fail there.
TEST(Save, GoesOnWhereTheFileSystemKeepsNoModeOrOwner)
{
    kit::TempFolder folder;
    const std::string fat = (folder / "fat").string(), image = (folder / "fat.img").string();
    fs::create_directory(fat);
    if (std::system(("{ mkfs.fat -C " + image + " 1024 && fusefat -o rw+ " + image + " " + fat + "; } >/dev/null 2>&1")
                        .c_str()))
        GTEST_SKIP() << "no FAT file system through FUSE here (mkfs.fat, fusefat, /dev/fuse)";
    for (const std::uint8_t exists : {0, 1}) {
        auto saved = veq::replaceFile(folder / "fat/planesq.dat", Bytes{exists});
        EXPECT_TRUE(saved && saved->notice.empty()) << refusal(saved); // every file there has the mount's mode
        EXPECT_EQ(kit::readFile(folder / "fat/planesq.dat"), Bytes{exists});
    }
    EXPECT_EQ(std::system(("fusermount -u " + fat).c_str()), 0);
}

TEST(Save, NamesAReadOnlyFileSystem)
{
    kit::TempFolder folder;
    kit::writeFile(folder / "except.dat", Bytes{1});
    const char* here = folder.path().c_str();
    if (::mount(here, here, nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "no right to mount a folder here";
    const bool readOnly = ::mount(nullptr, here, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    const std::string why = refusal(veq::replaceFile(folder / "except.dat", Bytes{2}));
    ::umount2(here, MNT_DETACH);
    EXPECT_TRUE(readOnly && mentions(why, "read-only file system")) << why;
}
#endif

TEST(Save, AnyNameTheFileSystemTakesWithAShortTemporaryOfItsOwn)
{
    kit::TempFolder folder;
    const fs::path longest = folder / std::string(250, 'n');
    kit::writeFile(longest, Bytes(500, 1));
    if (!fs::exists(longest))
        GTEST_SKIP() << "this file system takes no 250-character names";
    SaveProbe probe(folder.path());
    ASSERT_TRUE(veq::replaceFile(longest, Bytes{2}, nullptr, &probe));
    EXPECT_EQ(kit::readFile(longest), Bytes{2});
    const std::string temporary = probe.seen[SaveStep::Write].first;
    EXPECT_TRUE(temporary.size() == 15 && temporary.starts_with(".veq-") && temporary.ends_with(".tmp")) << temporary;
}

TEST(Read, TakesAtMostWhatIsAskedOfARegularFileAndNamesWhatIsWrong)
{
    kit::TempFolder folder;
    kit::writeFile(folder / "data", Bytes(1000, 7));
    EXPECT_EQ(veq::readFileBytes(folder / "data", 10)->size(), 10u);
    EXPECT_EQ(veq::readFileBytes(folder / "data", 5000)->size(), 1000u);
    EXPECT_TRUE(mentions(refusal(veq::readFileBytes(folder / "none", 10)), "does not exist"));
    EXPECT_TRUE(mentions(refusal(veq::readFileBytes(folder.path(), 10)), "folder"));
#ifndef _WIN32
    // A whole file too large is refused by its size, unopened: even by a user who may not read it.
    fs::resize_file(folder / "data", 2 << 20);
    fs::permissions(folder / "data", fs::perms::none);
    const bool dropped = ::geteuid() == 0 && ::seteuid(65534) == 0; // the administrator reads anything
    EXPECT_TRUE(
        mentions(refusal(veq::readWholeFile(folder / "data", 1 << 20, "a squadron file")), "larger than 1 MiB"));
    EXPECT_TRUE(!dropped || ::seteuid(0) == 0);
    // A name that is not UTF-8 reaches the windows with U+FFFD for its bytes.
    kit::writeFile(folder / "caf\xE9.dat", Bytes{1});
    EXPECT_TRUE(mentions(refusal(veq::readFileBytes(folder / "caf\xEF\xBF\xBD.dat", 10)), "not valid UTF-8"));
    // A read that fails (memory at address 0) ends with the system's reason, not in a retry.
    EXPECT_TRUE(mentions(refusal(veq::readFileBytes("/proc/self/mem", 10)), reasonOf(std::errc::io_error)));
    fs::create_symlink("loop", folder / "loop");
    EXPECT_TRUE(
        mentions(refusal(veq::readFileBytes(folder / "loop", 10)), reasonOf(std::errc::too_many_symbolic_link_levels)));
    // Only regular files are read or replaced; a reader that waits on the pipe
    // ends the test program instead of hanging the suite.
    const fs::path pipe = folder / "filelist.dat";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ::alarm(20);
    for (const auto& [path, kind] : {std::pair{pipe, "named pipe"}, {fs::path("/dev/zero"), "device"}})
        EXPECT_TRUE(mentions(refusal(veq::readFileBytes(path, 10)), std::string("not a regular file (a ") + kind));
    ::alarm(0);
    EXPECT_TRUE(mentions(refusal(veq::replaceFile(pipe, Bytes{1})), "named pipe"));
#endif
}

} // namespace
