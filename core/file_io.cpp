#include "core/file_io.h"

#include "core/platform.h"
#include "core/sentences.h"

#include <random>

namespace veq {

namespace fs = std::filesystem;

std::string displayPath(const fs::path& path)
{
    fs::path native = path;
    native.make_preferred();
    const std::u8string text = native.u8string();
    return std::string(text.begin(), text.end());
}

fs::path utf8Path(std::string_view text) { return fs::path(std::u8string(text.begin(), text.end())); }

namespace {

// Temporary files are ".veq-XXXXXX.tmp": recognisably this program's, and short,
// so that any name the file system accepts for the saved file can be saved.
constexpr std::string_view kTemporaryPrefix = ".veq-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr int kTemporaryLetters = 6;

std::string whyNot(const fs::path& path, const std::error_code& ec)
{
    if (ec != std::errc::no_such_file_or_directory)
        return ec.message();
    // A name that is not valid UTF-8 reaches the windows with U+FFFD in place
    // of its bytes, and no file has that name.
    if (displayPath(path).find("\xEF\xBF\xBD") != std::string::npos)
        return "no file has this name, and a name that is not valid UTF-8 (shown with \xEF\xBF\xBD) cannot be used "
               "here: rename the file";
    return "the file does not exist";
}

std::string notRegular(fs::file_type type)
{
    switch (type) {
    case fs::file_type::directory:
        return "it is a folder, not a file";
    case fs::file_type::fifo:
        return "it is not a regular file (a named pipe)";
    case fs::file_type::block:
    case fs::file_type::character:
        return "it is not a regular file (a device)";
    case fs::file_type::socket:
        return "it is not a regular file (a socket)";
    default:
        return "it is not a regular file";
    }
}

Refusal notOpened(const fs::path& path, const std::string& why) { return Refusal{sentences::couldNotOpen(path, why)}; }

Refusal notSaved(const fs::path& target, const std::string& why) { return Refusal{sentences::couldNotSave(target, why)}; }

Refusal failure(const fs::path& target, const std::string& what, const std::error_code& ec)
{
    return notSaved(target, what + " (" + ec.message() + ")");
}

// Why an existing file must not be replaced, or nothing. A read-only file has
// no write permission at all (the read-only attribute on Windows), or none for
// this user: even the administrator, who may write anything, leaves it.
std::string whyReadOnly(const fs::path& file, const fs::file_status& status)
{
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    const std::error_code ec = platform::writeAccess(file);
    if (ec == std::errc::read_only_file_system)
        return "it is on a read-only file system";
    return (status.permissions() & anyWrite) == fs::perms::none || ec ? "it is read-only" : "";
}

// What the user is told of a save that kept less than the old file had.
std::string keptLess(const fs::path& target, const std::vector<std::string>& lost)
{
    std::string list;
    for (std::size_t k = 0; k < lost.size(); ++k)
        list += (k == 0 ? "" : k + 1 == lost.size() ? " and " : ", ") + lost[k];
    return sentences::keptLess(target, list);
}

// Creates a new file in `folder` under a short random name of this program's.
std::error_code createTemporary(platform::File& file, const fs::path& folder, fs::path& name)
{
    constexpr std::string_view letters = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::mt19937 random{std::random_device{}()};
    std::error_code ec;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string leaf(kTemporaryPrefix);
        for (int k = 0; k < kTemporaryLetters; ++k)
            leaf += letters[random() % letters.size()];
        leaf += kTemporarySuffix;
        name = folder / leaf;
        ec = file.createPrivate(name);
        if (ec != std::errc::file_exists)
            return ec;
    }
    return ec;
}

// Reads until the end or `maxBytes`; a pipe gives its bytes in pieces.
Expected<Bytes> readAll(platform::File& file, std::size_t maxBytes, const std::string& name)
{
    Bytes bytes;
    constexpr std::size_t chunk = 64 * 1024;
    std::error_code ec;
    while (bytes.size() < maxBytes) {
        const std::size_t old = bytes.size();
        bytes.resize(old + std::min(chunk, maxBytes - old));
        const std::size_t got = file.read(std::span(bytes).subspan(old), ec);
        bytes.resize(old + got);
        if (ec)
            return Refusal{sentences::couldNotRead(name, ec.message())};
        if (got == 0)
            break;
    }
    return bytes;
}

// Reads a regular file: at most `maxBytes`, or when `what` names the file's
// kind, all of it, refusing by its size one larger than `maxBytes`.
Expected<Bytes> readRegularFile(const fs::path& path, std::size_t maxBytes, std::string_view what, FileStamp* stamp)
{
    // The type is checked by name first, so a pipe or a device is never opened,
    // then again on the open file, which is what is read.
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec)
        return notOpened(path, whyNot(path, ec));
    if (!fs::is_regular_file(status))
        return notOpened(path, notRegular(status.type()));
    // A file too large to be what it should is refused by its size, unopened.
    const bool whole = !what.empty();
    const Refusal tooLarge{sentences::tooLargeToBe(path, maxBytes, what)};
    if (const std::uintmax_t size = fs::file_size(path, ec); whole && !ec && size > maxBytes)
        return tooLarge;
    platform::File file;
    if ((ec = file.openForReading(path)))
        return notOpened(path, whyNot(path, ec));
    if (const fs::file_type type = file.type(); type != fs::file_type::regular)
        return notOpened(path, notRegular(type));
    // A whole file reads one byte past its limit, in case it grew since.
    auto bytes = readAll(file, maxBytes + (whole ? 1 : 0), displayPath(path));
    if (bytes && whole && bytes->size() > maxBytes)
        return tooLarge;
    if (stamp)
        *stamp = {fs::absolute(platform::finalTarget(path, ec)).lexically_normal(), file.state(ec)};
    return bytes;
}

} // namespace

Expected<Bytes> readFileBytes(const fs::path& path, std::size_t maxBytes, FileStamp* stamp)
{
    return readRegularFile(path, maxBytes, {}, stamp);
}

Expected<Bytes> readWholeFile(const fs::path& path, std::size_t maxBytes, std::string_view what)
{
    return readRegularFile(path, maxBytes, what, nullptr);
}

Expected<Bytes> readStandardInput(std::size_t maxBytes)
{
    platform::File input;
    input.borrow(platform::File::Standard::Input);
    return readAll(input, maxBytes, "standard input");
}

Expected<void> writeStandardOutput(std::span<const std::uint8_t> bytes)
{
    platform::File output;
    output.borrow(platform::File::Standard::Output);
    if (const std::error_code ec = output.write(bytes))
        return Refusal{"Could not write to standard output: " + ec.message() + "."};
    return {};
}

fs::path turnFolder(const fs::path& file)
{
    std::error_code ec;
    const fs::path target = platform::finalTarget(file, ec);
    // "saving in ." would tell the user nothing.
    return fs::absolute(ec ? file : target, ec).lexically_normal().parent_path();
}

Expected<FolderTurn> FolderTurn::take(const fs::path& file, const TurnWait& wait)
{
    FolderTurn turn;
    std::error_code ec;
    const fs::path target = platform::finalTarget(file, ec);
    if (ec)
        return turn;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // Asked again and again for a moment each, so that the waiting can be told.
    constexpr std::chrono::milliseconds kMoment{50};
    const auto giveUp = std::chrono::steady_clock::now() + wait.limit;
    while ((ec = turn.m_lock.lock(folder, kMoment)) == std::errc::timed_out) {
        if (std::chrono::steady_clock::now() >= giveUp)
            return Refusal{sentences::folderBusy(turnFolder(file), wait.limit)};
        if (wait.waiting)
            wait.waiting();
    }
    return turn;
}

std::error_code SaveHooks::before(SaveStep) { return {}; }

Expected<SaveReport> replaceFile(const fs::path& target, std::span<const std::uint8_t> bytes, KnownFiles* known,
                                 SaveHooks* hooks)
{
    SaveHooks none;
    SaveHooks& steps = hooks ? *hooks : none;
    std::error_code ec;

    // A link stays a link: the file it leads to is replaced, in its own folder.
    const fs::path file = platform::finalTarget(target, ec);
    if (ec)
        return notSaved(target, ec.message());
    const fs::file_status status = fs::status(file, ec);
    if (ec && status.type() != fs::file_type::not_found)
        return notSaved(target, ec.message());
    const bool exists = fs::exists(status);
    if (exists && !fs::is_regular_file(status))
        return notSaved(target, notRegular(status.type()));
    if (const std::string why = exists ? whyReadOnly(file, status) : ""; !why.empty())
        return notSaved(target, why);
    const bool otherNames = exists && platform::nameCount(file, ec) > 1;

    platform::File out;
    fs::path temporary;
    std::vector<std::string> lost;
    if ((ec = steps.before(SaveStep::CreateTemporary)) || (ec = createTemporary(out, file.parent_path(), temporary)))
        return failure(target, "a temporary file could not be created in its folder", ec);
    auto dropTemporary = [&] {
        static_cast<void>(out.close());
        std::error_code ignored;
        fs::remove(temporary, ignored);
    };
    auto discard = [&](const std::string& what) {
        dropTemporary();
        return failure(target, what, ec);
    };
    if ((ec = steps.before(SaveStep::Write)) || (ec = out.write(bytes)))
        return discard("writing failed");
    if ((ec = steps.before(SaveStep::Sync)) || (ec = out.takeAccessOf(file, lost)) || (ec = out.sync()))
        return discard("the new file could not be completed");
    if ((ec = steps.before(SaveStep::Close)) || (ec = out.close()))
        return discard("the new file could not be closed");
    // Checked last, just before the rename: a change by another program, or
    // what a save would lose, is never overwritten unsaid.
    const fs::path key = fs::absolute(file).lexically_normal();
    const platform::FileState now = platform::stateOf(file, ec);
    const bool stillThere = !ec;
    const auto knownFile = known ? known->find(key) : KnownFiles::iterator{};
    const bool isKnown = known && knownFile != known->end();
    if (isKnown && stillThere) {
        KnownFile& was = knownFile->second;
        std::string why = was.state != now ? sentences::changedOnDisk() : was.caution;
        // Said once: the next save replaces the file as it is now.
        was = {now, {}};
        if (!why.empty()) {
            dropTemporary();
            return notSaved(target, why);
        }
    }
    if ((ec = steps.before(SaveStep::Replace)) || (ec = platform::replace(temporary, file)))
        return discard("the finished file could not replace the old one");
    if (known)
        (*known)[key] = {platform::stateOf(file, ec), {}};

    std::vector<std::string> notices;
    if (isKnown && !stillThere)
        notices.push_back(sentences::madeAnew(target));
    if (!lost.empty())
        notices.push_back(keptLess(target, lost));
    if (otherNames)
        notices.push_back(sentences::brokeHardLinks(target));
    SaveReport report;
    for (const std::string& notice : notices)
        report.notice += (report.notice.empty() ? "" : " ") + notice;
    return report;
}

} // namespace veq
