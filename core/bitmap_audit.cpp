#include "core/bitmap_audit.h"

#include <algorithm>
#include <string_view>

namespace veq {

namespace {

constexpr std::string_view kBitmapExtension = ".bmp";
constexpr std::string_view kExtraPrefix = "03";

char foldChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalFolded(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return foldChar(x) == foldChar(y); });
}

void sortUnique(Entries& items)
{
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
}

} // namespace

std::string bitmapName(std::string_view entry)
{
    const std::string_view id = entry.size() > kPartIdLength ? entry.substr(entry.size() - kPartIdLength) : entry;
    std::string name(id);
    name += kBitmapExtension;
    return name;
}

std::string foldName(std::string_view name)
{
    std::string out(name);
    for (char& c : out)
        c = foldChar(c);
    return out;
}

FoldedNames foldNames(const Entries& names)
{
    FoldedNames folded;
    folded.reserve(names.size());
    for (const Entry& name : names)
        folded.insert(foldName(name));
    return folded;
}

MissingBitmaps missingBitmaps(const Entries& fileList, const Entries& exceptList, const FoldedNames& present)
{
    MissingBitmaps result;
    const auto absent = [&present](const std::string& name) { return !present.contains(foldName(name)); };

    for (const Entry& entry : fileList)
        if (std::string name = bitmapName(entry); absent(name))
            result.fileListMissing.push_back(std::move(name));

    for (const Entry& entry : exceptList)
        if (std::string name = bitmapName(entry); absent(name))
            result.exceptMissing.push_back(std::move(name));

    sortUnique(result.fileListMissing);
    sortUnique(result.exceptMissing);
    result.missing = result.exceptMissing;

    // The ids that some exception names on the left, compared exactly.
    std::unordered_set<std::string_view> leftIds;
    leftIds.reserve(exceptList.size());
    for (const Entry& entry : exceptList)
        leftIds.insert(std::string_view(entry).substr(0, kPartIdLength));

    for (const Entry& name : result.fileListMissing)
        if (!leftIds.contains(std::string_view(name).substr(0, kPartIdLength)))
            result.missing.push_back(name);
    sortUnique(result.missing);
    return result;
}

bool isExtraCandidate(std::string_view name)
{
    return name.size() >= kExtraPrefix.size() + kBitmapExtension.size() &&
           equalFolded(name.substr(0, kExtraPrefix.size()), kExtraPrefix) &&
           equalFolded(name.substr(name.size() - kBitmapExtension.size()), kBitmapExtension);
}

Entries extraBitmaps(const Entries& names, const Entries& fileList)
{
    const std::unordered_set<std::string_view> listed(fileList.begin(), fileList.end());
    Entries keys;
    for (const Entry& name : names) {
        std::string key = toUpperAscii(std::string_view(name).substr(0, kPartIdLength));
        if (!key.empty() && !listed.contains(key))
            keys.push_back(std::move(key));
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

} // namespace veq
