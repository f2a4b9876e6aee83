#pragma once

#include "core/kinds.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Every sentence the two programs show their users, built here: the editor's
// message window and veq's standard error say the same things in the same
// words, and a text quoted in any of them is quoted one way.
namespace veq::sentences {

// ---- Pieces ----

// "1 byte", "2 bytes": a count with its noun in the right number.
[[nodiscard]] std::string counted(std::size_t count, std::string_view noun);
// "1 entry", "1,000 entries".
[[nodiscard]] std::string entryCount(std::size_t count);
// "a filelist.dat", "an except.dat".
[[nodiscard]] std::string withArticle(std::string_view word);
// A text from a file or the user as every message quotes it: in quotes,
// control bytes as "\xHH", and one longer than 40 characters cut short with
// its length in bytes.
[[nodiscard]] std::string quoteText(std::string_view text);

// ---- The windows' fixed messages ----

inline constexpr std::string_view kFileNotSelected = "File not Selected";
inline constexpr std::string_view kNoOutputFile = "File not saved: No Output file selected";
inline constexpr std::string_view kTooManyItemsSelected = "Too Many Items Selected";
inline constexpr std::string_view kInvalidInputLength = "Invalid input length";
// "Please load filelist.dat before doing this".
[[nodiscard]] std::string loadFirst(ListId kind);

// ---- Entries ----

// "\"ZZZZZZZZ\" is no FileList entry: its digit pair \"ZZ\" is not hexadecimal".
[[nodiscard]] std::string notAnEntry(ListId kind, std::string_view text, std::string_view why);
[[nodiscard]] std::string notHexPair(std::string_view pair);
[[nodiscard]] std::string wrongLength(std::size_t characters, std::size_t wanted);
// A line of a text that gives no entry: "line 3, \"...\": why".
[[nodiscard]] std::string badLine(std::size_t number, std::string_view line, std::string_view why);
[[nodiscard]] std::string badHeaderLine(std::size_t number, std::size_t digits);
[[nodiscard]] std::string nothingPasted(std::string_view why);
[[nodiscard]] std::string pasteTooLarge(std::size_t held, std::size_t adding, std::size_t room);
[[nodiscard]] std::string tooManyEntries(std::size_t count);

// ---- Data files ----

[[nodiscard]] std::string shorterThanFrame(std::size_t bytes);
[[nodiscard]] std::string recordsCutShort(ListId kind, std::size_t claimed, std::size_t present);
// What lies after a file's counted records, and the kind whose records the
// length fits, if one does: "its count says 24 records, but 96 bytes lie
// after them (its length fits an except.dat of 24 records)".
[[nodiscard]] std::string bytesAfterRecords(std::size_t records, std::uint64_t bytes, std::optional<ListId> looksLike);
// The editor's Read of such a file, which it reads as its count says.
[[nodiscard]] std::string readDespiteBytesAfter(const std::filesystem::path& path, std::string_view afterRecords);
// What a save over such a file would not keep, said once before the first.
[[nodiscard]] std::string saveWouldDropBytes(std::string_view afterRecords);
// veq's changing commands leave such a file alone.
[[nodiscard]] std::string notChangedBytesAfter(const std::filesystem::path& path, std::string_view afterRecords);
[[nodiscard]] std::string notSaved(std::string_view why);

// ---- Squadron files ----

[[nodiscard]] std::string squadronCutShort(std::size_t record, std::size_t start, std::string_view part,
                                           std::size_t partStart, std::size_t partEnd, std::size_t fileSize);
[[nodiscard]] std::string squadronBlockCount(std::size_t record, std::size_t start, int blocks, std::size_t at,
                                             int most);
[[nodiscard]] std::string squadronNegativePlanes(std::size_t record, std::size_t start, int planes, std::size_t at);
[[nodiscard]] std::string squadronDamaged(const std::filesystem::path& path, std::string_view why);

// ---- Files ----

[[nodiscard]] std::string couldNotRead(std::string_view what, std::string_view why);
[[nodiscard]] std::string couldNotOpen(const std::filesystem::path& path, std::string_view why);
[[nodiscard]] std::string couldNotSave(const std::filesystem::path& path, std::string_view why);
[[nodiscard]] std::string couldNotList(const std::filesystem::path& folder, std::string_view why);
[[nodiscard]] std::string tooLargeToBe(const std::filesystem::path& path, std::size_t maxBytes, std::string_view what);
[[nodiscard]] std::string changedOnDisk();
// A file given to the editor whose name says no list.
[[nodiscard]] std::string nameSaysNoList(const std::filesystem::path& path);
// Another program held the folder's turn for all the time a change waits.
[[nodiscard]] std::string folderBusy(const std::filesystem::path& folder, std::chrono::milliseconds waited);
[[nodiscard]] std::string waitingForFolder(const std::filesystem::path& folder);
[[nodiscard]] std::string keptLess(const std::filesystem::path& path, std::string_view lost);
[[nodiscard]] std::string brokeHardLinks(const std::filesystem::path& path);
[[nodiscard]] std::string madeAnew(const std::filesystem::path& path);
// The editor's answer to a save refused for a change it can now make knowingly.
inline constexpr std::string_view kWriteAgain = " Press Write again to replace it with this list.";

// ---- veq, the command line ----

[[nodiscard]] std::string noCommand();
[[nodiscard]] std::string unknownCommand(std::string_view word);
[[nodiscard]] std::string unknownOption(std::string_view word);
[[nodiscard]] std::string needsValue(std::string_view option);
[[nodiscard]] std::string optionMissing(std::string_view option);
[[nodiscard]] std::string wrongArgumentCount();
// --plane's value when it is no digit pair.
[[nodiscard]] std::string notAPlaneId(std::string_view text);
// --wait's value when it is no whole number of seconds up to `most`.
[[nodiscard]] std::string notSeconds(std::string_view text, std::size_t most);
[[nodiscard]] std::string unknownKind(std::string_view text);
// "-" where a command needs a name to know the kind: "standard input has no name ...".
[[nodiscard]] std::string noNameForKind(std::string_view stream);
[[nodiscard]] std::string nameSaysNoKind(std::string_view path);
// A file whose name, or --kind, says another kind than the command would use it as.
[[nodiscard]] std::string kindDiffers(std::string_view path, bool byKindOption, ListId said, std::string_view command,
                                      ListId usedAs, bool mayOverride);
// veq add's refusal of a typed text: the parser's reason, which names the
// text unless it is the length alone.
[[nodiscard]] std::string typedNotAdded(std::string_view text, std::string_view why);
// veq check of a file with bytes after its records, which it reports rather than passes.
[[nodiscard]] std::string checkedBytesAfter(std::string_view name, std::string_view afterRecords);
[[nodiscard]] std::string textTooLong(std::string_view name);
[[nodiscard]] std::string savedButNotPrinted(std::string_view path);
[[nodiscard]] std::string resultNotWritten();

// ---- The window's history ----

// "Read filelist.dat into FileList", "Add 1 entry to Except", "Delete 1,000 entries from PlaneSQ".
[[nodiscard]] std::string readStep(const std::filesystem::path& path, ListId kind);
[[nodiscard]] std::string addStep(std::string_view action, std::size_t count, ListId kind);
[[nodiscard]] std::string deleteStep(std::size_t count, ListId kind);

} // namespace veq::sentences
