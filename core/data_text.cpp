#include "core/data_text.h"

#include "core/entry_parser.h"
#include "core/sentences.h"

namespace veq {

namespace {

constexpr std::string_view kHeader1Key = "header1 ";
constexpr std::string_view kHeader2Key = "header2 ";

template <std::size_t N> std::string hexLine(std::string_view key, const std::array<std::uint8_t, N>& bytes)
{
    std::string line(key);
    for (std::uint8_t byte : bytes)
        line += ByteToStr(byte);
    return line + '\n';
}

template <std::size_t N> bool parseHex(std::string_view digits, std::array<std::uint8_t, N>& bytes)
{
    if (digits.size() != 2 * N || !isHexText(digits))
        return false;
    for (std::uint8_t& byte : bytes) {
        byte = parsePair(digits.substr(0, 2));
        digits.remove_prefix(2);
    }
    return true;
}

Refusal badHeader(std::size_t lineNumber, std::size_t bytes)
{
    return Refusal{sentences::badHeaderLine(lineNumber, 2 * bytes)};
}

} // namespace

std::string headerLines(const DataFileHeaders& headers)
{
    return hexLine(kHeader1Key, headers.header1) + hexLine(kHeader2Key, headers.header2);
}

Expected<DataFile> parseDataText(ListId kind, std::string_view text)
{
    DataFile file;
    TextLines lines(text);
    while (const auto next = lines.next()) {
        const std::string_view line = *next;
        if (line.starts_with(kHeader1Key)) {
            if (!parseHex(line.substr(kHeader1Key.size()), file.headers.header1))
                return badHeader(lines.number(), kHeader1Size);
        } else if (line.starts_with(kHeader2Key)) {
            if (!parseHex(line.substr(kHeader2Key.size()), file.headers.header2))
                return badHeader(lines.number(), kHeader2Size);
        } else if (!line.empty()) {
            auto entry = parseEntry(kind, line, EntryForm::Line);
            if (!entry)
                return Refusal{sentences::badLine(lines.number(), line, entry.reason())};
            file.entries.push_back(std::move(*entry));
        }
    }
    return file;
}

} // namespace veq
