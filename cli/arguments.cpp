#include "cli/arguments.h"

#include "cli/commands.h"
#include "core/sentences.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace veq::cli {

namespace {

constexpr std::size_t kAnyNumber = std::numeric_limits<std::size_t>::max();

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

bool isOneOf(std::string_view list, std::string_view word)
{
    const auto options = split(list);
    return std::find(options.begin(), options.end(), word) != options.end();
}

// clang-format off
// Summaries keep to 60 columns a line, so that the help fits 80 columns.
constexpr std::array<Command, 8> kCommands{{
    {"dump", "[--kind K] [--raw] [--headers] FILE",
     "the entries as the editor lists them, sorted, each once\n"
     "(--raw: as stored; --headers: the two stored headers first,\n"
     "as hex lines)",
     1, 1, "--raw --headers", "--kind", "", dump},
    {"build", "[--kind K] [--wait S] TEXT OUT",
     "writes a text in the form of dump --headers as the editor\n"
     "would write it",
     2, 2, "", "--kind --wait", "", build},
    {"check", "[--kind K] FILE...",
     "reads each file as the editor would: \"ok\" and the count,\n"
     "or the refusal",
     1, kAnyNumber, "", "--kind", "", check},
    {"add", "[--kind K] [--wait S] FILE ENTRY...",
     "adds entries typed as in the Add window (03010714,\n"
     "03011804-03010814)",
     2, kAnyNumber, "", "--kind --wait", "", add},
    {"copy", "[--kind K] [--wait S] FILE --from OTHER --plane ID",
     "adds the entries of one aircraft from another file",
     1, 1, "", "--kind --from --plane --wait", "--from --plane", copy},
    {"missing", "--filelist F --except E DIR", "the bitmaps that the two lists name and DIR lacks",
     1, 1, "", "--filelist --except", "--filelist --except", missing},
    {"extra", "--filelist F DIR [--add] [--kind filelist] [--wait S]",
     "the part bitmaps in DIR that F does not list\n"
     "(--add: adds them to F)",
     1, 1, "--add", "--filelist --kind --wait", "--filelist", extra},
    {"autogen", "SQUADRON [--into PLANESQ [--kind planesq] [--wait S]]",
     "the plane-squadron entries of a squadron.dat\n"
     "(--into: adds them to PLANESQ)",
     1, 1, "", "--into --kind --wait", "", autogen},
}};
// clang-format on

// The examples as a user of this system types them. help2man reads "$ "
// before each command line of an example; the Windows help is read in cmd.
#ifdef _WIN32
constexpr std::string_view kExamples =
    "Examples:\n"
    "  C:\\simpatch> veq check filelist.dat except.dat planesq.dat\n"
    "  C:\\simpatch> veq dump --headers filelist.dat > filelist.txt\n"
    "  C:\\simpatch> type filelist.txt | findstr /v /b 0325 | veq build - filelist.dat\n\n"
    "So that git diff, log -p and show print a changed data file as its entries,\n"
    "run this once in the repository that keeps the files:\n\n"
    "  C:\\simpatch> for %f in (filelist.dat except.dat planesq.dat) do @echo %f diff=veq>>.gitattributes\n"
    "  C:\\simpatch> git config diff.veq.textconv \"veq dump --headers\"\n";
constexpr std::string_view kDashFile = ".\\-";
#else
constexpr std::string_view kExamples =
    "Examples:\n"
    "  $ veq check filelist.dat except.dat planesq.dat\n"
    "  $ veq dump --headers filelist.dat | sed /^0325/d | veq build - filelist.dat\n\n"
    "So that git diff, log -p and show print a changed data file as its entries,\n"
    "run this once in the repository that keeps the files:\n\n"
    "  $ printf '%s diff=veq\\n' filelist.dat except.dat planesq.dat >> .gitattributes\n"
    "  $ git config diff.veq.textconv \"veq dump --headers\"\n";
constexpr std::string_view kDashFile = "./-";
#endif

// A valued option whose value has a form of its own, checked here so that a
// wrong one is a usage error before anything is read.
Expected<void> checkValues(Args& args)
{
    if (const std::string* plane = args.value("--plane"); plane && !(plane->size() == 2 && isHexText(*plane)))
        return Refusal{sentences::notAPlaneId(*plane)};
    if (const std::string* seconds = args.value("--wait")) {
        std::size_t parsed = 0;
        const char* end = seconds->data() + seconds->size();
        const auto [stop, error] = std::from_chars(seconds->data(), end, parsed);
        if (seconds->empty() || error != std::errc{} || stop != end || parsed > kMostSecondsToWait)
            return Refusal{sentences::notSeconds(*seconds, kMostSecondsToWait)};
        args.wait = std::chrono::seconds(parsed);
    }
    return {};
}

} // namespace

bool Command::takes(std::string_view option) const { return isOneOf(flags, option) || isOneOf(valued, option); }

const Command* findCommand(std::string_view name)
{
    const auto found =
        std::find_if(kCommands.begin(), kCommands.end(), [&](const Command& c) { return c.name == name; });
    return found == kCommands.end() ? nullptr : &*found;
}

Expected<Args> parse(const Command& command, std::span<const std::string> arguments)
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
            return Refusal{sentences::unknownOption(word)};
        else if (i + 1 == arguments.size())
            return Refusal{sentences::needsValue(word)};
        else
            args.values[word] = arguments[++i];
    }
    for (std::string_view option : split(command.required))
        if (!args.value(option))
            return Refusal{sentences::optionMissing(option)};
    if (args.operands.size() < command.minOperands || args.operands.size() > command.maxOperands)
        return Refusal{sentences::wrongArgumentCount()};
    if (auto checked = checkValues(args); !checked)
        return Refusal{checked.reason()};
    return args;
}

// The help is laid out as help2man reads it (a command, then its summary
// indented 20 columns; "Title:" for a subsection), since the manual page is
// made from it.
void help(std::ostream& out)
{
    constexpr std::string_view indent = "\n                    ";
    out << "Usage: veq COMMAND [ARGUMENTS]\n"
           "Reads, checks and changes the data files of VEQ Editor (filelist.dat,\n"
           "except.dat, planesq.dat) as the editor does. A file's kind comes from its name\n"
           "(any case; a name that ends with it, such as other_filelist.dat, counts) or\n"
           "from --kind K, where K is filelist, except or planesq.\n\nCommands:\n";
    for (const Command& command : kCommands) {
        out << "  veq " << command.name << ' ' << command.usage;
        for (std::string_view line : split(command.summary, '\n'))
            out << indent << line;
        out << '\n';
    }
    out << "  veq --help | --version" << indent << "this text, or the version\n";
    out << "\n"
           "A FILE or TEXT given as - is standard input, an OUT given as - standard output;\n"
           "having no name to say a kind, a FILE or OUT of - needs --kind. A file named -\n"
           "is "
        << kDashFile
        << ".\n\n"
           "Changed files are saved whole or not at all. Entries already there are left\n"
           "out, and the ones added are printed. A file with other names (hard links) is\n"
           "saved as a new file under the name given; its other names keep the old\n"
           "contents. A file whose name says another kind than a command uses it as is\n"
           "refused, unless --kind says it is one. A file whose length holds more than\n"
           "its count's records (another kind's file under this kind's name, say) is\n"
           "reported by check and left alone by the commands that change files.\n\n"
           "While another program saves in the folder of a file to change, veq says so\n"
           "and waits for its turn: at most S seconds with --wait S, else 10.\n\n"
           "Exit status:\n"
           "  0  done\n"
           "  1  refused: damaged input, text that is no entry, a failed save, a folder\n"
           "     busy for too long (nothing was changed)\n"
           "  2  usage error\n"
           "  3  saved, but the entries added could not be printed\n\n"
        << kExamples;
}

void commandHelp(std::ostream& out, const Command& command)
{
    out << "usage: veq " << command.name << ' ' << command.usage << '\n' << command.summary << '\n';
}

int run(const std::vector<std::string>& arguments, const Streams& io)
{
    if (arguments.empty()) {
        io.err << "veq: " << sentences::noCommand() << '\n';
        return kUsage;
    }
    if (arguments[0] == "--help" || arguments[0] == "-h") {
        help(io.out);
        return kDone;
    }
    if (arguments[0] == "--version") {
        io.out << "veq " << VEQ_VERSION << '\n';
        return kDone;
    }
    const Command* command = findCommand(arguments[0]);
    if (!command) {
        io.err << "veq: " << sentences::unknownCommand(arguments[0]) << '\n';
        return kUsage;
    }
    const std::span<const std::string> rest(arguments.begin() + 1, arguments.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        commandHelp(io.out, *command);
        return kDone;
    }
    const auto args = parse(*command, rest);
    if (!args)
        return misuse(*command, io, args.reason());
    return command->run(*args, io);
}

} // namespace veq::cli
