#include "cli/commands.h"

#include "core/bitmap_audit.h"
#include "core/copy_reader.h"
#include "core/data_file.h"
#include "core/data_text.h"
#include "core/document.h"
#include "core/entry_list.h"
#include "core/entry_parser.h"
#include "core/file_io.h"
#include "core/platform.h"
#include "core/sentences.h"
#include "core/squadron.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace veq::cli {

namespace {

// As a file to read "-" is standard input, as build's OUT standard output.
constexpr std::string_view kStandardStream = "-";
constexpr std::string_view kStandardInput = "standard input";

int refuse(const Streams& io, std::string_view reason)
{
    io.err << "veq: " << reason << '\n';
    return kRefused;
}

void print(const Streams& io, const Entries& entries)
{
    for (const Entry& entry : entries)
        io.out << entry << '\n';
}

void printUnder(const Streams& io, std::string_view caption, const Entries& entries)
{
    io.out << caption << '\n';
    for (const Entry& entry : entries)
        io.out << "  " << entry << '\n';
}

// The entries as a main list of the editor holds them: sorted, each once.
Entries listed(Entries entries)
{
    EntryList list;
    list.assign(std::move(entries));
    return list.items();
}

// The kind of a data file: --kind when given, else what its name says. A
// `stream` ("standard input") is what "-" stands for where it stands for one.
Expected<ListId> kindOf(const Args& args, const std::string& path, std::string_view stream = {})
{
    if (const std::string* kind = args.value("--kind")) {
        for (const DataKind& known : kDataKinds)
            if (toUpperAscii(*kind + ".dat") == toUpperAscii(known.fileName))
                return known.id;
        return Refusal{sentences::unknownKind(*kind)};
    }
    if (!stream.empty() && path == kStandardStream)
        return Refusal{sentences::noNameForKind(stream)};
    if (const auto kind = kindFromFileName(utf8Path(path)))
        return *kind;
    return Refusal{sentences::nameSaysNoKind(path)};
}

// A file the command uses as `kind`: refused when --kind, or else its name,
// says another kind, so that nothing is read or written as what it is not.
Expected<void> checkKind(const Args& args, const std::string& path, ListId kind)
{
    std::optional<ListId> said = kindFromFileName(utf8Path(path));
    if (args.value("--kind")) {
        const auto given = kindOf(args, path);
        if (!given)
            return Refusal{given.reason()};
        said = *given;
    }
    if (!said || *said == kind)
        return {};
    return Refusal{sentences::kindDiffers(path, args.value("--kind") != nullptr, *said, args.command->name, kind,
                                          args.command->takes("--kind"))};
}

Expected<DataFile> load(const std::string& path, ListId kind)
{
    ConversionBuffer buf{};
    return loadDataFile(utf8Path(path), kind, buf);
}

// A data file to read that may be "-", standard input.
Expected<DataFile> loadInput(const Streams& io, const std::string& path, ListId kind)
{
    if (path != kStandardStream)
        return load(path, kind);
    const auto image = io.readInput(largestDataFile(kind));
    if (!image)
        return Refusal{image.reason()};
    ConversionBuffer buf{};
    auto file = parseDataFile(*image, kind, buf);
    if (!file)
        return Refusal{sentences::couldNotRead(kStandardInput, file.reason())};
    return file;
}

// The wait for the turn at the folder of `path`: as long as --wait says,
// telling the user once that it waits.
TurnWait turnWait(const Args& args, const Streams& io, const std::string& path)
{
    auto told = std::make_shared<bool>(false);
    return {args.wait, [told, &io, folder = turnFolder(utf8Path(path))] {
                if (!std::exchange(*told, true))
                    io.err << "veq: " << sentences::waitingForFolder(folder) << '\n';
            }};
}

// What a save says beyond success (a hard link broken, what could not be kept).
void tell(const Streams& io, const std::string& notice)
{
    if (!notice.empty())
        io.err << "veq: " << notice << '\n';
}

// Adds the entries a data file does not hold yet, the one way both programs
// change a file (addToDataFile), and prints those added.
int addTo(const Args& args, const Streams& io, const std::string& path, ListId kind, Entries items)
{
    auto addition = addToDataFile(utf8Path(path), kind, std::move(items), turnWait(args, io, path));
    if (!addition)
        return refuse(io, addition.reason());
    tell(io, addition->notice);
    // The change is made: output that cannot be written no longer makes it a refusal.
    print(io, addition->added);
    if (io.out.flush())
        return kDone;
    io.err << "veq: " << sentences::savedButNotPrinted(path) << '\n';
    return kSavedUnreported;
}

Expected<std::vector<std::string>> folderNames(const std::string& folder)
{
    return platform::listFiles(utf8Path(folder));
}

} // namespace

int misuse(const Command& command, const Streams& io, std::string_view what)
{
    io.err << "veq: " << what << "\nusage: veq " << command.name << ' ' << command.usage << '\n';
    return kUsage;
}

int dump(const Args& args, const Streams& io)
{
    const std::string& path = args.operands[0];
    const auto kind = kindOf(args, path, kStandardInput);
    if (!kind)
        return misuse(*args.command, io, kind.reason());
    auto file = loadInput(io, path, *kind);
    if (!file)
        return refuse(io, file.reason());
    if (args.has("--headers"))
        io.out << headerLines(file->headers);
    print(io, args.has("--raw") ? file->entries : listed(std::move(file->entries)));
    return kDone;
}

int build(const Args& args, const Streams& io)
{
    const std::string& textPath = args.operands[0];
    const std::string& outPath = args.operands[1];
    const auto kind = kindOf(args, outPath, "standard output");
    if (!kind)
        return misuse(*args.command, io, kind.reason());
    // Far above the text of the largest data file; a longer text is no such text.
    constexpr std::size_t kMaxTextBytes = std::size_t{16} * 1024 * 1024;
    const bool piped = textPath == kStandardStream;
    const std::string textName = piped ? std::string(kStandardInput) : displayPath(utf8Path(textPath));
    const auto bytes = piped ? io.readInput(kMaxTextBytes)
                             : readWholeFile(utf8Path(textPath), kMaxTextBytes, "the text of a data file");
    if (!bytes)
        return refuse(io, bytes.reason());
    if (bytes->size() == kMaxTextBytes)
        return refuse(io, sentences::textTooLong(textName));
    auto text = parseDataText(*kind, std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!text)
        return refuse(io, sentences::couldNotRead(textName, text.reason()));
    Document document(*kind);
    document.replace(text->headers, std::move(text->entries));
    ConversionBuffer buf{};
    if (outPath == kStandardStream) {
        const auto image = document.image(buf);
        if (!image)
            return refuse(io, image.reason());
        const auto written = io.writeOutput(*image);
        return written ? kDone : refuse(io, written.reason());
    }
    // The file is replaced whatever it held: build knows no earlier state of it.
    KnownFiles known;
    const auto saved = document.save(utf8Path(outPath), known, buf, turnWait(args, io, outPath));
    if (!saved)
        return refuse(io, saved.reason());
    tell(io, saved->notice);
    return kDone;
}

int check(const Args& args, const Streams& io)
{
    std::vector<ListId> kinds;
    for (const std::string& path : args.operands) {
        const auto kind = kindOf(args, path, kStandardInput);
        if (!kind)
            return misuse(*args.command, io, kind.reason());
        kinds.push_back(*kind);
    }
    int status = kDone;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const std::string& path = args.operands[i];
        auto file = loadInput(io, path, kinds[i]);
        if (!file) {
            status = refuse(io, file.reason());
            continue;
        }
        // Read as its count says, but not what its count says it is.
        if (const std::string after = file->afterRecords(); !after.empty()) {
            status = refuse(io, sentences::checkedBytesAfter(path, after));
            continue;
        }
        const std::size_t count = listed(std::move(file->entries)).size();
        io.out << path << ": ok, " << count << (count == 1 ? " entry\n" : " entries\n");
    }
    return status;
}

int add(const Args& args, const Streams& io)
{
    const std::string& path = args.operands[0];
    const auto kind = kindOf(args, path);
    if (!kind)
        return misuse(*args.command, io, kind.reason());
    Entries typed;
    for (auto text = args.operands.begin() + 1; text != args.operands.end(); ++text) {
        auto entry = parseEntry(*kind, *text, EntryForm::Typed);
        if (!entry)
            return refuse(io, sentences::typedNotAdded(*text, entry.reason()));
        typed.push_back(std::move(*entry));
    }
    return addTo(args, io, path, *kind, std::move(typed));
}

int copy(const Args& args, const Streams& io)
{
    const std::string& path = args.operands[0];
    const auto kind = kindOf(args, path);
    if (!kind)
        return misuse(*args.command, io, kind.reason());
    const std::string& from = *args.value("--from");
    if (auto fits = checkKind(args, from, *kind); !fits)
        return refuse(io, fits.reason());
    // Entries hold their digits in capitals; a script's "2a" means the aircraft 2A.
    auto entries = loadCopyEntries(utf8Path(from), *kind, toUpperAscii(*args.value("--plane")));
    if (!entries)
        return refuse(io, entries.reason());
    return addTo(args, io, path, *kind, std::move(*entries));
}

int missing(const Args& args, const Streams& io)
{
    for (const auto& [option, kind] : {std::pair{"--filelist", ListId::FileList}, {"--except", ListId::Except}})
        if (auto fits = checkKind(args, *args.value(option), kind); !fits)
            return refuse(io, fits.reason());
    auto fileList = load(*args.value("--filelist"), ListId::FileList);
    if (!fileList)
        return refuse(io, fileList.reason());
    auto exceptList = load(*args.value("--except"), ListId::Except);
    if (!exceptList)
        return refuse(io, exceptList.reason());
    const auto names = folderNames(args.operands[0]);
    if (!names)
        return refuse(io, names.reason());
    const MissingBitmaps report =
        missingBitmaps(listed(std::move(fileList->entries)), listed(std::move(exceptList->entries)), *names);
    printUnder(io, "Missing FileList", report.fileListMissing);
    printUnder(io, "Missing Except", report.exceptMissing);
    printUnder(io, "Missing", report.missing);
    return kDone;
}

int extra(const Args& args, const Streams& io)
{
    const std::string& fileListPath = *args.value("--filelist");
    if (auto fits = checkKind(args, fileListPath, ListId::FileList); !fits)
        return refuse(io, fits.reason());
    auto fileList = load(fileListPath, ListId::FileList);
    if (!fileList)
        return refuse(io, fileList.reason());
    const auto names = folderNames(args.operands[0]);
    if (!names)
        return refuse(io, names.reason());
    Entries extras = extraBitmaps(*names, listed(std::move(fileList->entries)));
    if (args.has("--add"))
        return addTo(args, io, fileListPath, ListId::FileList, std::move(extras));
    printUnder(io, "Extra", extras);
    return kDone;
}

int autogen(const Args& args, const Streams& io)
{
    const std::string* into = args.value("--into");
    if (auto fits = into ? checkKind(args, *into, ListId::PlaneSq) : Expected<void>{}; !fits)
        return refuse(io, fits.reason());
    auto items = loadSquadronFile(utf8Path(args.operands[0]));
    if (!items)
        return refuse(io, items.reason());
    if (into)
        return addTo(args, io, *into, ListId::PlaneSq, std::move(*items));
    // As the AutoGen window lists them: sorted, a plane found twice shown twice.
    std::sort(items->begin(), items->end());
    print(io, *items);
    return kDone;
}

} // namespace veq::cli
