// veq: the data files of VEQ Editor from the command line, on the core alone.
// Results go to standard output, refusals to standard error; the exit status
// is 0 (done), 1 (refused, nothing changed), 2 (usage) or 3 (saved, but the
// entries added could not be printed).

#include "core/bitmap_audit.h"
#include "core/copy_reader.h"
#include "core/data_file.h"
#include "core/data_text.h"
#include "core/entry_list.h"
#include "core/file_io.h"
#include "core/platform.h"
#include "core/squadron.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <iterator>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using veq::Entries;
using veq::ListId;

enum Status { kDone = 0, kRefused = 1, kUsage = 2, kSavedUnreported = 3 };
constexpr std::size_t kAnyNumber = std::numeric_limits<std::size_t>::max();
// As a file to read "-" is standard input, as build's OUT standard output.
constexpr std::string_view kStandardStream = "-";

struct Command;

// A command's arguments as the parser found them.
struct Args {
    const Command* command = nullptr;
    std::vector<std::string> operands;
    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> flags;

    [[nodiscard]] bool has(std::string_view flag) const { return flags.contains(flag); }
    [[nodiscard]] const std::string* value(std::string_view option) const
    {
        const auto found = values.find(option);
        return found == values.end() ? nullptr : &found->second;
    }
};

struct Command {
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
    std::size_t minOperands;
    std::size_t maxOperands;
    std::string_view flags;    // options without a value, space-separated
    std::string_view valued;   // options followed by a value
    std::string_view required; // valued options that must be given
    int (*run)(const Args&);
};

int refuse(const std::string& reason)
{
    std::cerr << "veq: " << reason << '\n';
    return kRefused;
}

int misuse(const Command& command, const std::string& what)
{
    std::cerr << "veq: " << what << "\nusage: veq " << command.name << ' ' << command.usage << '\n';
    return kUsage;
}

void print(const Entries& entries)
{
    for (const veq::Entry& entry : entries)
        std::cout << entry << '\n';
}

void printUnder(std::string_view caption, const Entries& entries)
{
    std::cout << caption << '\n';
    for (const veq::Entry& entry : entries)
        std::cout << "  " << entry << '\n';
}

// The entries as a main list of the editor holds them: sorted, each once.
Entries listed(Entries entries)
{
    veq::EntryList list;
    list.assign(std::move(entries));
    return list.items();
}

// The kind of a data file: --kind when given, else what its name says. A
// `stream` ("standard input") is what "-" stands for where it stands for one.
veq::Expected<ListId> kindOf(const Args& args, const std::string& path, std::string_view stream = {})
{
    if (const std::string* kind = args.value("--kind")) {
        for (ListId id : veq::kAllLists)
            if (veq::toUpperAscii(*kind + ".dat") == veq::toUpperAscii(veq::dataFileName(id)))
                return id;
        return veq::Refusal{"unknown kind " + veq::quoteText(*kind) + ": give filelist, except or planesq"};
    }
    if (!stream.empty() && path == kStandardStream)
        return veq::Refusal{std::string(stream) + " has no name to say its kind: give --kind"};
    if (const auto kind = veq::kindFromFileName(veq::utf8Path(path)))
        return *kind;
    return veq::Refusal{"the name of " + path +
                        " does not say its kind (filelist.dat, except.dat, planesq.dat): give --kind"};
}

// A file the command uses as `kind`: refused when --kind, or else its name,
// says another kind, so that nothing is read or written as what it is not.
veq::Expected<void> checkKind(const Args& args, const std::string& path, ListId kind)
{
    std::optional<ListId> said = veq::kindFromFileName(veq::utf8Path(path));
    if (args.value("--kind")) {
        const auto given = kindOf(args, path);
        if (!given)
            return veq::Refusal{given.reason()};
        said = *given;
    }
    if (!said || *said == kind)
        return {};
    const std::string_view usedAs = veq::dataFileName(kind);
    const bool mayOverride = args.command->valued.find("--kind") != std::string_view::npos;
    return veq::Refusal{
        path + ": its " + (args.value("--kind") ? "--kind" : "name") + " says " + veq::dataFileName(*said) +
        ", but veq " + std::string(args.command->name) + " would use it as " + veq::withArticle(usedAs) +
        ". Nothing was changed." +
        (mayOverride ? " Give --kind " + std::string(usedAs.substr(0, usedAs.find('.'))) + " if it is one." : "")};
}

veq::Expected<veq::DataFile> load(const std::string& path, ListId kind)
{
    veq::ConversionBuffer buf{};
    return veq::loadDataFile(veq::utf8Path(path), kind, buf);
}

// A data file to read that may be "-", standard input.
veq::Expected<veq::DataFile> loadInput(const std::string& path, ListId kind)
{
    veq::ConversionBuffer buf{};
    return path == kStandardStream ? veq::loadDataFileFromStandardInput(kind, buf) : load(path, kind);
}

// Saves with the editor's writer and safe save (refused when a file `known`
// changed since). What the editor's message window would say of a save that
// succeeded (a hard link broken, what could not be kept) goes to standard error.
int save(const std::string& path, ListId kind, const veq::DataFileHeaders& headers, const Entries& entries,
         veq::KnownFiles* known = nullptr)
{
    veq::ConversionBuffer buf{};
    const auto saved = veq::saveDataFile(veq::utf8Path(path), kind, headers, entries, buf, known);
    if (!saved)
        return refuse(saved.reason());
    if (!saved->notice.empty())
        std::cerr << "veq: " << saved->notice << '\n';
    return kDone;
}

// Reads a data file, adds the entries it does not hold yet and saves it with
// the editor's writer; prints the entries added. With nothing new the file
// is left as it is. Anything unwritable refuses the whole before any write.
int addToFile(const std::string& path, ListId kind, Entries items)
{
    // Held from the read to the save: a second run waits, then adds to what this one saved.
    const veq::FolderTurn turn(veq::utf8Path(path));
    auto file = load(path, kind);
    if (!file)
        return refuse(file.reason());
    veq::EntryList list;
    list.assign(std::move(file->entries));
    const Entries before = list.items();
    list.addMany(std::move(items));
    Entries added;
    std::set_difference(list.items().begin(), list.items().end(), before.begin(), before.end(),
                        std::back_inserter(added));
    if (added.empty())
        return kDone;
    veq::KnownFiles known{{file->stamp.file, file->stamp.state}};
    if (const int status = save(path, kind, file->headers, list.items(), &known); status != kDone)
        return status;
    // The change is made: output that cannot be written no longer makes it a refusal.
    print(added);
    if (std::cout.flush())
        return kDone;
    std::cerr << "veq: " << path << " was saved, but the entries added could not be written to standard output.\n";
    return kSavedUnreported;
}

// ---- The commands ----

int dump(const Args& args)
{
    const std::string& path = args.operands[0];
    const auto kind = kindOf(args, path, "standard input");
    if (!kind)
        return misuse(*args.command, kind.reason());
    auto file = loadInput(path, *kind);
    if (!file)
        return refuse(file.reason());
    if (args.has("--headers"))
        std::cout << veq::headerLines(file->headers);
    print(args.has("--raw") ? file->entries : listed(std::move(file->entries)));
    return kDone;
}

int build(const Args& args)
{
    const std::string& textPath = args.operands[0];
    const std::string& outPath = args.operands[1];
    const auto kind = kindOf(args, outPath, "standard output");
    if (!kind)
        return misuse(*args.command, kind.reason());
    // Far above the text of the largest data file; a longer text is no such text.
    constexpr std::size_t kMaxTextBytes = std::size_t{16} * 1024 * 1024;
    const bool piped = textPath == kStandardStream;
    const std::string textName = piped ? "standard input" : veq::displayPath(veq::utf8Path(textPath));
    const auto bytes = piped ? veq::readStandardInput(kMaxTextBytes)
                             : veq::readWholeFile(veq::utf8Path(textPath), kMaxTextBytes, "the text of a data file");
    if (!bytes)
        return refuse(bytes.reason());
    if (bytes->size() == kMaxTextBytes)
        return refuse("Could not read " + textName + ": it is longer than the text of any data file.");
    auto text = veq::parseDataText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!text)
        return refuse("Could not read " + textName + ": " + text.reason() + ".");
    const Entries entries = listed(std::move(text->entries));
    if (outPath != kStandardStream) {
        const veq::FolderTurn turn(veq::utf8Path(outPath));
        return save(outPath, *kind, text->headers, entries);
    }
    veq::ConversionBuffer buf{};
    const auto written = veq::writeDataFileToStandardOutput(*kind, text->headers, entries, buf);
    return written ? kDone : refuse(written.reason());
}

int check(const Args& args)
{
    std::vector<ListId> kinds;
    for (const std::string& path : args.operands) {
        const auto kind = kindOf(args, path, "standard input");
        if (!kind)
            return misuse(*args.command, kind.reason());
        kinds.push_back(*kind);
    }
    int status = kDone;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        auto file = loadInput(args.operands[i], kinds[i]);
        if (!file) {
            status = refuse(file.reason());
            continue;
        }
        const std::size_t count = listed(std::move(file->entries)).size();
        std::cout << args.operands[i] << ": ok, " << count << (count == 1 ? " entry\n" : " entries\n");
    }
    return status;
}

int add(const Args& args)
{
    const std::string& path = args.operands[0];
    const auto kind = kindOf(args, path);
    if (!kind)
        return misuse(*args.command, kind.reason());
    Entries typed;
    for (auto text = args.operands.begin() + 1; text != args.operands.end(); ++text) {
        auto entry = veq::typedEntry(*kind, *text);
        if (!entry)
            return refuse(entry.reason() + " (" + veq::quoteText(*text) + "). Nothing was written.");
        typed.push_back(std::move(*entry));
    }
    return addToFile(path, *kind, std::move(typed));
}

int copy(const Args& args)
{
    const std::string& path = args.operands[0];
    const auto kind = kindOf(args, path);
    if (!kind)
        return misuse(*args.command, kind.reason());
    if (auto fits = checkKind(args, *args.value("--from"), *kind); !fits)
        return refuse(fits.reason());
    auto entries = veq::loadCopyEntries(veq::utf8Path(*args.value("--from")), *kind, *args.value("--plane"));
    if (!entries)
        return refuse(entries.reason());
    return addToFile(path, *kind, std::move(*entries));
}

veq::Expected<std::vector<std::string>> folderNames(const std::string& folder)
{
    return veq::platform::listFiles(veq::utf8Path(folder));
}

int missing(const Args& args)
{
    for (const auto& [option, kind] : {std::pair{"--filelist", ListId::FileList}, {"--except", ListId::Except}})
        if (auto fits = checkKind(args, *args.value(option), kind); !fits)
            return refuse(fits.reason());
    auto fileList = load(*args.value("--filelist"), ListId::FileList);
    if (!fileList)
        return refuse(fileList.reason());
    auto exceptList = load(*args.value("--except"), ListId::Except);
    if (!exceptList)
        return refuse(exceptList.reason());
    const auto names = folderNames(args.operands[0]);
    if (!names)
        return refuse(names.reason());
    const veq::MissingBitmaps report =
        veq::missingBitmaps(listed(std::move(fileList->entries)), listed(std::move(exceptList->entries)), *names);
    printUnder("Missing FileList", report.fileListMissing);
    printUnder("Missing Except", report.exceptMissing);
    printUnder("Missing", report.missing);
    return kDone;
}

int extra(const Args& args)
{
    const std::string& fileListPath = *args.value("--filelist");
    if (auto fits = checkKind(args, fileListPath, ListId::FileList); !fits)
        return refuse(fits.reason());
    auto fileList = load(fileListPath, ListId::FileList);
    if (!fileList)
        return refuse(fileList.reason());
    const auto names = folderNames(args.operands[0]);
    if (!names)
        return refuse(names.reason());
    Entries extras = veq::extraBitmaps(*names, listed(std::move(fileList->entries)));
    if (args.has("--add"))
        return addToFile(fileListPath, ListId::FileList, std::move(extras));
    printUnder("Extra", extras);
    return kDone;
}

int autogen(const Args& args)
{
    const std::string* into = args.value("--into");
    if (auto fits = into ? checkKind(args, *into, ListId::PlaneSq) : veq::Expected<void>{}; !fits)
        return refuse(fits.reason());
    auto items = veq::loadSquadronFile(veq::utf8Path(args.operands[0]));
    if (!items)
        return refuse(items.reason());
    if (into)
        return addToFile(*into, ListId::PlaneSq, std::move(*items));
    // As the AutoGen window lists them: sorted, a plane found twice shown twice.
    std::sort(items->begin(), items->end());
    print(*items);
    return kDone;
}

// The parts of a text between separators: the words of an option list, the lines of a summary.
std::vector<std::string_view> split(std::string_view text, char separator = ' ')
{
    std::vector<std::string_view> found;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        found.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return found;
}

// clang-format off
// Summaries keep to 60 columns a line, so that the help fits 80 columns.
constexpr std::array<Command, 8> kCommands{{
    {"dump", "[--kind K] [--raw] [--headers] FILE",
     "the entries as the editor lists them, sorted, each once\n"
     "(--raw: as stored; --headers: the two stored headers first,\n"
     "as hex lines)",
     1, 1, "--raw --headers", "--kind", "", dump},
    {"build", "[--kind K] TEXT OUT",
     "writes a text in the form of dump --headers as the editor\n"
     "would write it",
     2, 2, "", "--kind", "", build},
    {"check", "[--kind K] FILE...",
     "reads each file as the editor would: \"ok\" and the count,\n"
     "or the refusal",
     1, kAnyNumber, "", "--kind", "", check},
    {"add", "[--kind K] FILE ENTRY...",
     "adds entries typed as in the Add window (03010714,\n"
     "03011804-03010814)",
     2, kAnyNumber, "", "--kind", "", add},
    {"copy", "[--kind K] FILE --from OTHER --plane ID", "adds the entries of one aircraft from another file",
     1, 1, "", "--kind --from --plane", "--from --plane", copy},
    {"missing", "--filelist F --except E DIR", "the bitmaps that the two lists name and DIR lacks",
     1, 1, "", "--filelist --except", "--filelist --except", missing},
    {"extra", "--filelist F DIR [--add] [--kind filelist]",
     "the part bitmaps in DIR that F does not list\n"
     "(--add: adds them to F)",
     1, 1, "--add", "--filelist --kind", "--filelist", extra},
    {"autogen", "SQUADRON [--into PLANESQ [--kind planesq]]",
     "the plane-squadron entries of a squadron.dat\n"
     "(--into: adds them to PLANESQ)",
     1, 1, "", "--into --kind", "", autogen},
}};
// clang-format on

// The help is laid out as help2man reads it (a command, then its summary
// indented 20 columns; "Title:" for a subsection; "$ " before each command
// line of an example), since the manual page is made from it.
void help()
{
    constexpr std::string_view indent = "\n                    ";
    std::cout << "Usage: veq COMMAND [ARGUMENTS]\n"
                 "Reads, checks and changes the data files of VEQ Editor (filelist.dat,\n"
                 "except.dat, planesq.dat) as the editor does. A file's kind comes from its name\n"
                 "(any case; a name that ends with it, such as other_filelist.dat, counts) or\n"
                 "from --kind K, where K is filelist, except or planesq.\n\nCommands:\n";
    for (const Command& command : kCommands) {
        std::cout << "  veq " << command.name << ' ' << command.usage;
        for (std::string_view line : split(command.summary, '\n'))
            std::cout << indent << line;
        std::cout << '\n';
    }
    std::cout << "  veq --help | --version" << indent << "this text, or the version\n";
    std::cout << "\n"
                 "A FILE or TEXT given as - is standard input, an OUT given as - standard output;\n"
                 "having no name to say a kind, a FILE or OUT of - needs --kind. A file named -\n"
                 "is ./-.\n\n"
                 "Changed files are saved whole or not at all. Entries already there are left\n"
                 "out, and the ones added are printed. A file with other names (hard links) is\n"
                 "saved as a new file under the name given; its other names keep the old\n"
                 "contents. A file whose name says another kind than a command uses it as is\n"
                 "refused, unless --kind says it is one.\n\n"
                 "Exit status:\n"
                 "  0  done\n"
                 "  1  refused: damaged input, an unwritable entry, a failed save (nothing was\n"
                 "     changed)\n"
                 "  2  usage error\n"
                 "  3  saved, but the entries added could not be printed\n\n"
                 "Examples:\n"
                 "  $ veq check filelist.dat except.dat planesq.dat\n"
                 "  $ veq dump --headers filelist.dat | sed /^0325/d | veq build - filelist.dat\n\n"
                 "So that git diff, log -p and show print a changed data file as its entries,\n"
                 "run this once in the repository that keeps the files:\n\n"
                 "  $ printf '%s diff=veq\\n' filelist.dat except.dat planesq.dat >> .gitattributes\n"
                 "  $ git config diff.veq.textconv \"veq dump --headers\"\n";
}

bool isOneOf(std::string_view list, std::string_view word)
{
    const auto options = split(list);
    return std::find(options.begin(), options.end(), word) != options.end();
}

veq::Expected<Args> parse(const Command& command, std::span<const std::string> arguments)
{
    Args args;
    args.command = &command;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (!word.starts_with("--"))
            args.operands.push_back(word);
        else if (isOneOf(command.flags, word))
            args.flags.insert(word);
        else if (!isOneOf(command.valued, word))
            return veq::Refusal{"unknown option " + word};
        else if (i + 1 == arguments.size())
            return veq::Refusal{word + " needs a value"};
        else
            args.values[word] = arguments[++i];
    }
    for (std::string_view option : split(command.required))
        if (!args.value(option))
            return veq::Refusal{std::string(option) + " is missing"};
    if (args.operands.size() < command.minOperands || args.operands.size() > command.maxOperands)
        return veq::Refusal{"wrong number of arguments"};
    return args;
}

int run(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        std::cerr << "veq: no command given (veq --help lists them)\n";
        return kUsage;
    }
    if (arguments[0] == "--help" || arguments[0] == "-h") {
        help();
        return kDone;
    }
    if (arguments[0] == "--version") {
        std::cout << "veq " << VEQ_VERSION << '\n';
        return kDone;
    }
    const auto command =
        std::find_if(kCommands.begin(), kCommands.end(), [&](const Command& c) { return c.name == arguments[0]; });
    if (command == kCommands.end()) {
        std::cerr << "veq: unknown command " << veq::quoteText(arguments[0]) << " (veq --help lists them)\n";
        return kUsage;
    }
    const std::span<const std::string> rest(arguments.begin() + 1, arguments.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        std::cout << "usage: veq " << command->name << ' ' << command->usage << '\n' << command->summary << '\n';
        return kDone;
    }
    const auto args = parse(*command, rest);
    return args ? command->run(*args) : misuse(*command, args.reason());
}

} // namespace

int main(int argc, char* argv[])
{
    std::ios::sync_with_stdio(false);
    const veq::platform::ConsoleText console;
    const int status = run(veq::platform::commandLineArguments(argc, argv));
    // A result that did not reach its reader (a full disk, a closed pipe) is no result.
    if (std::cout.flush() || status == kSavedUnreported)
        return status;
    std::cerr << "veq: the result could not be written to standard output.\n";
    return kRefused;
}
