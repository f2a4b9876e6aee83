#include "core/file_io.h"

#include <cerrno>
#include <fstream>
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

std::string whyNotOpened(const fs::path& path, int savedErrno)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status))
        return "the file does not exist";
    if (fs::is_directory(status))
        return "it is a folder, not a file";
    if (savedErrno != 0)
        return std::generic_category().message(savedErrno);
    return "the file cannot be opened";
}

fs::path temporaryPathBeside(const fs::path& target)
{
    static std::mt19937_64 generator{std::random_device{}()};
    fs::path candidate;
    std::error_code ec;
    do {
        candidate = target;
        candidate += ".veq-" + std::to_string(generator() % 1000000000ULL) + ".tmp";
    } while (fs::exists(candidate, ec));
    return candidate;
}

Refusal failure(const fs::path& target, const std::string& what, const std::error_code& ec)
{
    return Refusal{"Could not save " + displayPath(target) + ": " + what + " (" + ec.message() +
                   "). The file on disk was not changed."};
}

} // namespace

Expected<Bytes> readFileBytes(const fs::path& path, std::size_t maxBytes)
{
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    std::error_code typeError;
    if (!in || fs::is_directory(path, typeError))
        return Refusal{"Could not open " + displayPath(path) + ": " + whyNotOpened(path, errno) + "."};

    Bytes bytes;
    constexpr std::size_t chunk = 64 * 1024;
    while (bytes.size() < maxBytes) {
        const std::size_t want = std::min(chunk, maxBytes - bytes.size());
        const std::size_t old = bytes.size();
        bytes.resize(old + want);
        in.read(reinterpret_cast<char*>(bytes.data() + old), static_cast<std::streamsize>(want));
        bytes.resize(old + static_cast<std::size_t>(in.gcount()));
        if (in.eof())
            break;
        if (!in)
            return Refusal{"Could not read " + displayPath(path) + ": a read error occurred."};
    }
    return bytes;
}

std::error_code SaveHooks::before(SaveStep) { return {}; }

Expected<void> replaceFile(const fs::path& target, std::span<const std::uint8_t> bytes, SaveHooks* hooks)
{
    SaveHooks none;
    SaveHooks& steps = hooks ? *hooks : none;
    std::error_code ec;

    if (fs::is_directory(target, ec))
        return failure(target, "it is a folder", std::make_error_code(std::errc::is_a_directory));

    const fs::path temporary = temporaryPathBeside(target);
    auto discard = [&] {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    };

    std::ofstream out;
    if ((ec = steps.before(SaveStep::CreateTemporary)))
        return failure(target, "a temporary file could not be created in its folder", ec);
    errno = 0;
    out.open(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        ec = std::error_code(errno ? errno : EACCES, std::generic_category());
        discard();
        return failure(target, "a temporary file could not be created in its folder", ec);
    }

    if ((ec = steps.before(SaveStep::Write))) {
        out.close();
        discard();
        return failure(target, "writing failed", ec);
    }
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
        out.close();
        discard();
        return failure(target, "writing failed", std::make_error_code(std::errc::io_error));
    }

    if ((ec = steps.before(SaveStep::Close))) {
        out.close();
        discard();
        return failure(target, "the temporary file could not be completed", ec);
    }
    out.close();
    if (!out) {
        discard();
        return failure(target, "the temporary file could not be completed", std::make_error_code(std::errc::io_error));
    }

    // A replaced file keeps the permissions the user gave it.
    if (const fs::file_status old = fs::status(target, ec); !ec && fs::exists(old))
        fs::permissions(temporary, old.permissions(), ec);

    if ((ec = steps.before(SaveStep::Replace))) {
        discard();
        return failure(target, "the finished file could not replace the old one", ec);
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        discard();
        return failure(target, "the finished file could not replace the old one", ec);
    }
    return {};
}

} // namespace veq
