#include "core/sentences.h"

#include "core/data_file.h"
#include "core/file_io.h"

namespace veq::sentences {

namespace {

std::string fileName(ListId kind) { return std::string(dataKind(kind).fileName); }

std::string caption(ListId kind) { return std::string(dataKind(kind).caption); }

// "32,767": the thousands grouped, as the windows show counts in words.
std::string grouped(std::size_t number)
{
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return digits;
}

} // namespace

std::string counted(std::size_t count, std::string_view noun)
{
    std::string text = std::to_string(count) + " ";
    text += noun;
    if (count != 1)
        text += 's';
    return text;
}

std::string entryCount(std::size_t count)
{
    return count == 1 ? std::string("1 entry") : grouped(count) + " entries";
}

std::string withArticle(std::string_view word)
{
    const bool vowel = !word.empty() && std::string_view("aeiouAEIOU").find(word.front()) != std::string_view::npos;
    return (vowel ? "an " : "a ") + std::string(word);
}

std::string quoteText(std::string_view text)
{
    // Longer than any entry, short enough for a line of a message.
    constexpr std::size_t kShownCharacters = 40;
    std::string out = "\"";
    std::size_t characters = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool starts = (byte & 0xC0) != 0x80;
        if (starts && characters++ == kShownCharacters)
            return out + "...\" (" + counted(text.size(), "byte") + ")";
        if (byte < 0x20 || byte == 0x7F)
            out += "\\x" + ByteToStr(byte);
        else
            out += c;
    }
    return out + '"';
}

std::string loadFirst(ListId kind) { return "Please load " + fileName(kind) + " before doing this"; }

std::string notAnEntry(ListId kind, std::string_view text, std::string_view why)
{
    return quoteText(text) + " is no " + caption(kind) + " entry: " + std::string(why);
}

std::string notHexPair(std::string_view pair) { return "its digit pair " + quoteText(pair) + " is not hexadecimal"; }

std::string wrongLength(std::size_t characters, std::size_t wanted)
{
    return "it has " + counted(characters, "character") + " where an entry has " + std::to_string(wanted);
}

std::string badLine(std::size_t number, std::string_view line, std::string_view why)
{
    return "line " + std::to_string(number) + ", " + quoteText(line) + ": " + std::string(why);
}

std::string badHeaderLine(std::size_t number, std::size_t digits)
{
    return "line " + std::to_string(number) + " is not a header of " + std::to_string(digits) + " hexadecimal digits";
}

std::string nothingPasted(std::string_view why) { return "Nothing was pasted: " + std::string(why) + "."; }

std::string pasteTooLarge(std::size_t held, std::size_t adding, std::size_t room)
{
    return "Nothing was pasted: the list holds " + entryCount(held) + " and the clipboard brings " +
           grouped(adding) + " more, but a data file holds at most " + grouped(kMaxRecords) + " (" +
           (room == 0 ? std::string("no more fit") : grouped(room) + (room == 1 ? " more fits" : " more fit")) + ").";
}

std::string tooManyEntries(std::size_t count)
{
    return "the list holds " + std::to_string(count) + " entries, but a data file can hold at most " +
           std::to_string(kMaxRecords);
}

std::string shorterThanFrame(std::size_t bytes)
{
    return "it is " + counted(bytes, "byte") + " long, shorter than the " + std::to_string(kFrameSize) +
           "-byte header of a data file";
}

std::string recordsCutShort(ListId kind, std::size_t claimed, std::size_t present)
{
    return "its header claims " + counted(claimed, "record") + " but the file holds only " + std::to_string(present) +
           " (it is cut short, or it is not " + withArticle(fileName(kind)) + " file)";
}

std::string bytesAfterRecords(std::size_t records, std::uint64_t bytes, std::optional<ListId> looksLike)
{
    std::string text = "its count says " + counted(records, "record") + ", but " +
                       counted(static_cast<std::size_t>(bytes), "byte") + (bytes == 1 ? " lies" : " lie") +
                       " after " + (records == 1 ? "it" : "them");
    if (looksLike)
        text += " (its length fits " + withArticle(fileName(*looksLike)) + " of " + counted(records, "record") + ")";
    return text;
}

std::string readDespiteBytesAfter(const std::filesystem::path& path, std::string_view afterRecords)
{
    return displayPath(path) + " was read as its count says, but " + std::string(afterRecords) +
           ". A Write over it would not keep them.";
}

std::string saveWouldDropBytes(std::string_view afterRecords)
{
    return std::string(afterRecords) + ", which this list would not keep";
}

std::string notChangedBytesAfter(const std::filesystem::path& path, std::string_view afterRecords)
{
    return "Could not change " + displayPath(path) + ": " + std::string(afterRecords) +
           ", which a save would not keep. Nothing was changed.";
}

std::string notSaved(std::string_view why) { return "File not saved: " + std::string(why) + ". Nothing was written."; }

namespace {

// Where a squadron record lies, in the words every refusal of one starts with.
std::string recordAt(std::size_t number, std::size_t start)
{
    return "Squadron record " + std::to_string(number) + " (from byte offset " + std::to_string(start) + ")";
}

} // namespace

std::string squadronCutShort(std::size_t record, std::size_t start, std::string_view part, std::size_t partStart,
                             std::size_t partEnd, std::size_t fileSize)
{
    return recordAt(record, start) + " is cut short in its " + std::string(part) + " (byte offsets " +
           std::to_string(partStart) + "-" + std::to_string(partEnd - 1) + "): the file ends after " +
           counted(fileSize, "byte");
}

std::string squadronBlockCount(std::size_t record, std::size_t start, int blocks, std::size_t at, int most)
{
    return recordAt(record, start) + " has a count of 16-byte blocks of " + std::to_string(blocks) +
           " at byte offset " + std::to_string(at) + "; a squadron file holds 0 to " + std::to_string(most);
}

std::string squadronNegativePlanes(std::size_t record, std::size_t start, int planes, std::size_t at)
{
    return recordAt(record, start) + " has a negative plane count (" + std::to_string(planes) + ") at byte offset " +
           std::to_string(at);
}

std::string squadronDamaged(const std::filesystem::path& path, std::string_view why)
{
    return "Could not read " + displayPath(path) + ": the file is damaged. " + std::string(why) +
           ". Nothing from it was used.";
}

std::string couldNotRead(std::string_view what, std::string_view why)
{
    return "Could not read " + std::string(what) + ": " + std::string(why) + ".";
}

std::string couldNotOpen(const std::filesystem::path& path, std::string_view why)
{
    return "Could not open " + displayPath(path) + ": " + std::string(why) + ".";
}

std::string couldNotSave(const std::filesystem::path& path, std::string_view why)
{
    return "Could not save " + displayPath(path) + ": " + std::string(why) + ". The file on disk was not changed.";
}

std::string couldNotList(const std::filesystem::path& folder, std::string_view why)
{
    return "Could not list " + displayPath(folder) + ": " + std::string(why) + ".";
}

std::string tooLargeToBe(const std::filesystem::path& path, std::size_t maxBytes, std::string_view what)
{
    return "Could not read " + displayPath(path) + ": it is larger than " + std::to_string(maxBytes / (1024 * 1024)) +
           " MiB, too large to be " + std::string(what) + ".";
}

std::string changedOnDisk() { return "it changed on disk since it was read here (another program saved it meanwhile)"; }

std::string nameSaysNoList(const std::filesystem::path& path)
{
    return "Could not read " + displayPath(path) + ": its name says no list (filelist.dat, except.dat or planesq.dat).";
}

std::string folderBusy(const std::filesystem::path& folder, std::chrono::milliseconds waited)
{
    return "Another program is saving in " + displayPath(folder) + " and did not finish within " +
           counted(static_cast<std::size_t>(std::chrono::duration_cast<std::chrono::seconds>(waited).count()),
                   "second") +
           ". Nothing was changed.";
}

std::string waitingForFolder(const std::filesystem::path& folder)
{
    return "Another program is saving in " + displayPath(folder) + ". Waiting for it to finish...";
}

std::string keptLess(const std::filesystem::path& path, std::string_view lost)
{
    return displayPath(path) + " was saved, but without its old " + std::string(lost) +
           " (the file system or your rights could not keep them).";
}

std::string brokeHardLinks(const std::filesystem::path& path)
{
    return displayPath(path) + " was saved as a new file. Its other names (hard links) still hold the old contents.";
}

std::string madeAnew(const std::filesystem::path& path)
{
    return displayPath(path) + " was deleted or renamed since it was read here; it was saved anew.";
}

std::string noCommand() { return "no command given (veq --help lists them)"; }

std::string unknownCommand(std::string_view word)
{
    return "unknown command " + quoteText(word) + " (veq --help lists them)";
}

std::string unknownOption(std::string_view word) { return "unknown option " + quoteText(word); }

std::string needsValue(std::string_view option) { return std::string(option) + " needs a value"; }

std::string optionMissing(std::string_view option) { return std::string(option) + " is missing"; }

std::string wrongArgumentCount() { return "wrong number of arguments"; }

std::string notAPlaneId(std::string_view text)
{
    return "--plane " + quoteText(text) + ": a plane id is two hexadecimal digits, such as 25";
}

std::string notSeconds(std::string_view text, std::size_t most)
{
    return "--wait " + quoteText(text) + ": give a whole number of seconds from 0 to " + std::to_string(most);
}

std::string unknownKind(std::string_view text)
{
    return "unknown kind " + quoteText(text) + ": give filelist, except or planesq";
}

std::string noNameForKind(std::string_view stream)
{
    return std::string(stream) + " has no name to say its kind: give --kind";
}

std::string nameSaysNoKind(std::string_view path)
{
    std::string names;
    for (const DataKind& kind : kDataKinds)
        names += (names.empty() ? "" : ", ") + std::string(kind.fileName);
    return "the name of " + std::string(path) + " does not say its kind (" + names + "): give --kind";
}

std::string kindDiffers(std::string_view path, bool byKindOption, ListId said, std::string_view command, ListId usedAs,
                        bool mayOverride)
{
    const std::string used = fileName(usedAs);
    std::string text = std::string(path) + ": its " + (byKindOption ? "--kind" : "name") + " says " + fileName(said) +
                       ", but veq " + std::string(command) + " would use it as " + withArticle(used) +
                       ". Nothing was changed.";
    if (mayOverride)
        text += " Give --kind " + used.substr(0, used.find('.')) + " if it is one.";
    return text;
}

std::string typedNotAdded(std::string_view text, std::string_view why)
{
    // The length alone says nothing of the text, so the text is quoted after it.
    const std::string reason =
        why == kInvalidInputLength ? std::string(why) + " (" + quoteText(text) + ")" : std::string(why);
    return reason + ". Nothing was written.";
}

std::string checkedBytesAfter(std::string_view name, std::string_view afterRecords)
{
    return std::string(name) + ": " + std::string(afterRecords) + ".";
}

std::string textTooLong(std::string_view name)
{
    return "Could not read " + std::string(name) + ": it is longer than the text of any data file.";
}

std::string savedButNotPrinted(std::string_view path)
{
    return std::string(path) + " was saved, but the entries added could not be written to standard output.";
}

std::string resultNotWritten() { return "the result could not be written to standard output."; }

std::string readStep(const std::filesystem::path& path, ListId kind)
{
    return "Read " + displayPath(path.filename()) + " into " + caption(kind);
}

std::string addStep(std::string_view action, std::size_t count, ListId kind)
{
    return std::string(action) + " " + entryCount(count) + " to " + caption(kind);
}

std::string deleteStep(std::size_t count, ListId kind) { return "Delete " + entryCount(count) + " from " + caption(kind); }

} // namespace veq::sentences
