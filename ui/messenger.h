#pragma once

#include <QString>

// Where a window reports a refusal. The program has one message window; tests
// may listen instead.
class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void tell(const QString& text) = 0;
};
