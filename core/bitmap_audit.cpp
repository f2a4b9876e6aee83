#include "core/bitmap_audit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <unordered_set>

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

// A bitmap name of eight characters and ".bmp" is twelve bytes; its eight
// folded id characters fit one integer, so the folder becomes a set of
// integers and every entry costs one lookup without allocating.
using IdKey = std::uint64_t;

bool isBitmapOfId(std::string_view name)
{
    return name.size() == kPartIdLength + kBitmapExtension.size() &&
           equalFolded(name.substr(kPartIdLength), kBitmapExtension);
}

IdKey foldedKey(std::string_view id)
{
    char folded[kPartIdLength]{};
    for (std::size_t i = 0; i < id.size() && i < kPartIdLength; ++i)
        folded[i] = foldChar(id[i]);
    IdKey key = 0;
    std::memcpy(&key, folded, sizeof key);
    return key;
}

std::string_view idOf(std::string_view entry)
{
    return entry.size() > kPartIdLength ? entry.substr(entry.size() - kPartIdLength) : entry;
}

void sortUnique(Entries& items)
{
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
}

} // namespace

std::string bitmapName(std::string_view entry)
{
    std::string name(idOf(entry));
    name += kBitmapExtension;
    return name;
}

MissingBitmaps missingBitmaps(const Entries& fileList, const Entries& exceptList,
                              const std::vector<std::string>& folderNames)
{
    std::unordered_set<IdKey> present;
    present.reserve(folderNames.size());
    for (const std::string& name : folderNames)
        if (isBitmapOfId(name))
            present.insert(foldedKey(name));
    // An id shorter than eight characters has a name of another length, which
    // no folder name of the set can equal.
    const auto absent = [&present](std::string_view entry) {
        const std::string_view id = idOf(entry);
        return id.size() != kPartIdLength || !present.contains(foldedKey(id));
    };

    MissingBitmaps result;
    for (const Entry& entry : fileList)
        if (absent(entry))
            result.fileListMissing.push_back(bitmapName(entry));
    for (const Entry& entry : exceptList)
        if (absent(entry))
            result.exceptMissing.push_back(bitmapName(entry));
    // The file list is sorted and free of repeats, and so are its bitmap names;
    // many exceptions may share one right id.
    sortUnique(result.exceptMissing);

    // An exception's text starts with its left id, so in the sorted exception
    // list the exceptions of one left id stand together.
    const auto covered = [&exceptList](std::string_view id) {
        const auto first = std::lower_bound(exceptList.begin(), exceptList.end(), id,
                                            [](const Entry& entry, std::string_view key) { return entry < key; });
        return first != exceptList.end() && std::string_view(*first).substr(0, kPartIdLength) == id;
    };
    Entries uncovered;
    for (const Entry& name : result.fileListMissing)
        if (!covered(std::string_view(name).substr(0, kPartIdLength)))
            uncovered.push_back(name);
    std::set_union(result.exceptMissing.begin(), result.exceptMissing.end(), uncovered.begin(), uncovered.end(),
                   std::back_inserter(result.missing));
    return result;
}

Entries extraBitmaps(const std::vector<std::string>& folderNames, const Entries& fileList)
{
    Entries keys;
    for (const std::string& name : folderNames) {
        const std::string_view view(name);
        if (view.size() < kExtraPrefix.size() + kBitmapExtension.size() ||
            !equalFolded(view.substr(0, kExtraPrefix.size()), kExtraPrefix) ||
            !equalFolded(view.substr(view.size() - kBitmapExtension.size()), kBitmapExtension))
            continue;
        std::string key = toUpperAscii(view.substr(0, kPartIdLength));
        if (key.size() == kPartIdLength && isHexText(key) && !std::binary_search(fileList.begin(), fileList.end(), key))
            keys.push_back(std::move(key));
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

} // namespace veq
