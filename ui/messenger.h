#pragma once

#include <QString>

#include <string_view>

// A text of the core (UTF-8: a sentence, an entry, a path) as Qt shows it.
[[nodiscard]] inline QString fromCore(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Where a window reports a refusal. The program has one message window; tests
// may listen instead.
class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void tell(const QString& text) = 0;
};
