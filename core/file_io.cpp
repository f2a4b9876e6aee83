#include "core/file_io.h"

#include "core/platform.h"

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

std::string counted(std::size_t count, std::string_view noun)
{
    std::string text = std::to_string(count) + " ";
    text += noun;
    if (count != 1)
        text += 's';
    return text;
}

std::string withArticle(std::string_view word)
{
    const bool vowel = !word.empty() && std::string_view("aeiouAEIOU").find(word.front()) != std::string_view::npos;
    return (vowel ? "an " : "a ") + std::string(word);
}

namespace {

// Temporary files are ".veq-XXXXXX.tmp": recognisably this program's, and short,
// so that any name the file system accepts for the saved file can be saved.
constexpr std::string_view kTemporaryPrefix = ".veq-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr int kTemporaryLetters = 6;

std::string whyNot(const std::error_code& ec)
{
    return ec == std::errc::no_such_file_or_directory ? "the file does not exist" : ec.message();
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

Refusal notOpened(const fs::path& path, const std::string& why)
{
    return Refusal{"Could not open " + displayPath(path) + ": " + why + "."};
}

Refusal notSaved(const fs::path& target, const std::string& why)
{
    return Refusal{"Could not save " + displayPath(target) + ": " + why + ". The file on disk was not changed."};
}

Refusal failure(const fs::path& target, const std::string& what, const std::error_code& ec)
{
    return notSaved(target, what + " (" + ec.message() + ")");
}

// A read-only file has no write permission at all (the read-only attribute on
// Windows), or none for this user. Even the administrator, who may write
// anything, does not replace it.
bool isReadOnly(const fs::path& file, const fs::file_status& status)
{
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & anyWrite) == fs::perms::none || !platform::mayWrite(file);
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
            return Refusal{"Could not read " + name + ": " + ec.message() + "."};
        if (got == 0)
            break;
    }
    return bytes;
}

} // namespace

Expected<Bytes> readFileBytes(const fs::path& path, std::size_t maxBytes)
{
    // The type is checked by name first, so a pipe or a device is never opened,
    // then again on the open file, which is what is read.
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec)
        return notOpened(path, whyNot(ec));
    if (!fs::is_regular_file(status))
        return notOpened(path, notRegular(status.type()));
    platform::File file;
    if ((ec = file.openForReading(path)))
        return notOpened(path, whyNot(ec));
    if (const fs::file_type type = file.type(); type != fs::file_type::regular)
        return notOpened(path, notRegular(type));
    return readAll(file, maxBytes, displayPath(path));
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

std::error_code SaveHooks::before(SaveStep) { return {}; }

Expected<SaveReport> replaceFile(const fs::path& target, std::span<const std::uint8_t> bytes, SaveHooks* hooks)
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
    if (exists && isReadOnly(file, status))
        return notSaved(target, "it is read-only");
    const bool otherNames = exists && platform::nameCount(file, ec) > 1;

    platform::File out;
    fs::path temporary;
    if ((ec = steps.before(SaveStep::CreateTemporary)) || (ec = createTemporary(out, file.parent_path(), temporary)))
        return failure(target, "a temporary file could not be created in its folder", ec);
    auto discard = [&](const std::string& what) {
        static_cast<void>(out.close());
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return failure(target, what, ec);
    };
    if ((ec = steps.before(SaveStep::Write)) || (ec = out.write(bytes)))
        return discard("writing failed");
    if ((ec = steps.before(SaveStep::Sync)) || (ec = out.takeAccessOf(file)) || (ec = out.sync()))
        return discard("the new file could not be completed");
    if ((ec = steps.before(SaveStep::Close)) || (ec = out.close()))
        return discard("the new file could not be closed");
    if ((ec = steps.before(SaveStep::Replace)) || (ec = platform::replace(temporary, file)))
        return discard("the finished file could not replace the old one");

    if (!otherNames)
        return SaveReport{};
    return SaveReport{displayPath(target) + " was saved as a new file. Its other names (hard links) " +
                      "still hold the old contents."};
}

} // namespace veq
