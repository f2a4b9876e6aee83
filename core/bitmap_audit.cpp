#include "core/bitmap_audit.h"

#include "core/entry_list.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>

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

// A bitmap name of eight characters and ".bmp" is twelve bytes; its eight id
// characters fit one integer, so every name and every entry costs one lookup
// in a table of integers and no allocation.
using IdKey = std::uint64_t;

constexpr IdKey kEveryByte = 0x0101010101010101ULL;

// The bytes of an eight-character id in memory order.
IdKey rawKey(std::string_view id)
{
    IdKey key = 0;
    std::memcpy(&key, id.data(), sizeof key);
    return key;
}

// An id with its upper-case ASCII letters made lower case, as foldChar does,
// all eight bytes at once: a byte from 'A' to 'Z' gains 0x20, and any other
// byte, one above 0x7F included, stays.
IdKey foldedKey(std::string_view id)
{
    const IdKey key = rawKey(id);
    const IdKey sevenBits = key & (0x7F * kEveryByte);
    const IdKey fromA = sevenBits + (0x80 - 'A') * kEveryByte;     // bit 7 set where 'A' or above
    const IdKey pastZ = sevenBits + (0x80 - 'Z' - 1) * kEveryByte; // bit 7 set where above 'Z'
    const IdKey upper = fromA & ~pastZ & ~key & (0x80 * kEveryByte);
    return key | (upper >> 2);
}

// Ids as integers: open addressing in a power-of-two table at most half
// full, made with one allocation. 0 marks a free slot; no file name holds a
// NUL byte, so no name's key is 0, and an id of eight NULs has no bitmap.
class IdKeySet {
public:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    explicit IdKeySet(std::size_t keys)
        : m_slots(std::bit_ceil(std::max<std::size_t>(16, 2 * keys)), 0), m_shift(64 - std::countr_zero(m_slots.size()))
    {
    }

    // The slot of `key`, which is added unless held; kNone for the key 0.
    std::size_t insert(IdKey key)
    {
        if (key == 0)
            return kNone;
        std::size_t slot = home(key);
        while (m_slots[slot] != 0 && m_slots[slot] != key)
            slot = (slot + 1) & (m_slots.size() - 1);
        m_slots[slot] = key;
        return slot;
    }

    // The slot of `key`, or kNone when it is not held.
    [[nodiscard]] std::size_t find(IdKey key) const
    {
        if (key == 0)
            return kNone;
        for (std::size_t slot = home(key);; slot = (slot + 1) & (m_slots.size() - 1)) {
            if (m_slots[slot] == key)
                return slot;
            if (m_slots[slot] == 0)
                return kNone;
        }
    }

    [[nodiscard]] std::size_t slots() const { return m_slots.size(); }

private:
    // Fibonacci hashing: the top bits of the key times 2^64 divided by the golden ratio.
    [[nodiscard]] std::size_t home(IdKey key) const
    {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> m_shift);
    }

    std::vector<IdKey> m_slots;
    int m_shift;
};

bool isBitmapOfId(std::string_view name)
{
    return name.size() == kPartIdLength + kBitmapExtension.size() &&
           equalFolded(name.substr(kPartIdLength), kBitmapExtension);
}

std::string_view idOf(std::string_view entry) { return tailOf(entry, kPartIdLength); }

void sortUnique(Entries& items)
{
    sortEntries(items);
    items.erase(std::unique(items.begin(), items.end()), items.end());
}

// Which entries' bitmaps the folder holds: the distinct ids of the entries
// go into a table, then every folder name is looked up once in it.
class PresentIds {
public:
    PresentIds(const Entries& fileList, const Entries& exceptList, const std::vector<std::string>& folderNames)
        : m_ids(fileList.size() + exceptList.size()), m_present(m_ids.slots(), false)
    {
        m_slots.reserve(fileList.size() + exceptList.size());
        for (const Entries* list : {&fileList, &exceptList})
            for (const Entry& entry : *list)
                m_slots.push_back(slotOf(entry));
        for (const std::string& name : folderNames)
            if (isBitmapOfId(name))
                if (const std::size_t slot = m_ids.find(foldedKey(name)); slot != IdKeySet::kNone)
                    m_present[slot] = true;
    }

    // Whether the bitmap of entry `index` (file list first, then the
    // exceptions) is absent from the folder.
    [[nodiscard]] bool absent(std::size_t index) const
    {
        const std::size_t slot = m_slots[index];
        return slot == IdKeySet::kNone || !m_present[slot];
    }

private:
    // An id shorter than eight characters has a name of another length, which
    // no folder name of the table can equal.
    std::size_t slotOf(std::string_view entry)
    {
        const std::string_view id = idOf(entry);
        return id.size() == kPartIdLength ? m_ids.insert(foldedKey(id)) : IdKeySet::kNone;
    }

    IdKeySet m_ids;
    std::vector<bool> m_present;
    std::vector<std::size_t> m_slots;
};

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
    const PresentIds present(fileList, exceptList, folderNames);
    MissingBitmaps result;
    for (std::size_t i = 0; i < fileList.size(); ++i)
        if (present.absent(i))
            result.fileListMissing.push_back(bitmapName(fileList[i]));
    for (std::size_t i = 0; i < exceptList.size(); ++i)
        if (present.absent(fileList.size() + i))
            result.exceptMissing.push_back(bitmapName(exceptList[i]));
    // The file list is sorted and free of repeats, and so are its bitmap names;
    // many exceptions may share one right id.
    sortUnique(result.exceptMissing);

    // An exception's text starts with its left id, so the sorted exception
    // list is sorted by left id too: one walk along it beside the sorted
    // absent file-list bitmaps finds the first exception at or after each id.
    // Entries longer than eight bytes (non-ASCII ones) can put a name out of
    // order; for such a name the walk searches back.
    const auto before = [](const Entry& entry, std::string_view id) {
        return std::string_view(entry).substr(0, kPartIdLength) < id;
    };
    Entries uncovered;
    auto exception = exceptList.begin();
    std::string_view previous;
    for (const Entry& name : result.fileListMissing) {
        const std::string_view id = std::string_view(name).substr(0, kPartIdLength);
        if (id < previous)
            exception = std::lower_bound(exceptList.begin(), exception, id, before);
        while (exception != exceptList.end() && before(*exception, id))
            ++exception;
        if (exception == exceptList.end() || std::string_view(*exception).substr(0, kPartIdLength) != id)
            uncovered.push_back(name);
        previous = id;
    }
    result.missing.reserve(result.exceptMissing.size() + uncovered.size());
    std::set_union(result.exceptMissing.begin(), result.exceptMissing.end(), uncovered.begin(), uncovered.end(),
                   std::back_inserter(result.missing));
    return result;
}

Entries extraBitmaps(const std::vector<std::string>& folderNames, const Entries& fileList)
{
    // Only an entry of eight characters can equal a key.
    IdKeySet listed(fileList.size());
    for (const Entry& entry : fileList)
        if (entry.size() == kPartIdLength)
            listed.insert(rawKey(entry));

    Entries keys;
    for (const std::string& name : folderNames) {
        const std::string_view view(name);
        // Only a name that Missing would find for the id: eight digits and ".bmp".
        if (!isBitmapOfId(view) || !equalFolded(view.substr(0, kExtraPrefix.size()), kExtraPrefix) ||
            !isHexText(view.substr(0, kPartIdLength)))
            continue;
        std::string key = toUpperAscii(view.substr(0, kPartIdLength));
        if (listed.find(rawKey(key)) == IdKeySet::kNone)
            keys.push_back(std::move(key));
    }
    sortEntries(keys);
    return keys;
}

} // namespace veq
