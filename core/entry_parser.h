#pragma once

#include "core/expected.h"
#include "core/kinds.h"

#include <optional>
#include <string_view>

namespace veq {

// The one way text becomes an entry: typed in the Add window, pasted, given
// to veq on its command line or in a text for veq build. An entry is what it
// writes: text the writer could not store as it stands never enters a list.

// How the text came.
enum class EntryForm {
    // Typed: the kind's typed form (an exception pair as two part ids with any
    // one character between them).
    Typed,
    // A line of a pasted or built text: the typed form, or the form a list
    // shows and Copy and veq dump give (an exception pair with its " ======> ").
    Line,
};

// The entry of `text` (UTF-8), its letters in upper case, or why there is
// none: "Invalid input length" for a text of another length in characters,
// else a sentence that quotes the text as given and says what is wrong with
// it (a digit pair that is not hexadecimal, a fixed character that is not there).
[[nodiscard]] Expected<Entry> parseEntry(ListId kind, std::string_view text, EntryForm form);

// The lines of a text in order, each without its line end ("\n" or "\r\n"),
// numbered from 1 as messages name them: the one walk of every text of lines.
class TextLines {
public:
    explicit TextLines(std::string_view text) : m_rest(text) {}
    // The next line, or none once the text is read.
    [[nodiscard]] std::optional<std::string_view> next();
    [[nodiscard]] std::size_t number() const { return m_number; }

private:
    std::string_view m_rest;
    std::size_t m_number = 0;
};

// The entries of a text, one a line, in its order: blank lines skipped, each
// line trimmed and taken in the Line form. Refuses at the first line that
// gives no entry, naming it by its number and text.
[[nodiscard]] Expected<Entries> parseEntryLines(ListId kind, std::string_view text);

// The writer's last guard: whether `entry` is stored exactly as it stands,
// that is, whether it is what parseEntry gives, and why not.
[[nodiscard]] Expected<void> checkEntry(ListId kind, std::string_view entry);

} // namespace veq
