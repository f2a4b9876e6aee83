#pragma once

#include <string>
#include <utility>
#include <variant>

namespace veq {

// Why an operation refused, in words for the user.
struct Refusal {
    std::string reason;
};

// A value or the reason there is none. Core operations return this instead of
// throwing, so a window can always show the reason and keep its state.
template <typename T> class [[nodiscard]] Expected {
public:
    Expected(T value) : m_state(std::move(value)) {}
    Expected(Refusal refusal) : m_state(std::move(refusal)) {}

    [[nodiscard]] bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    [[nodiscard]] T& value() { return std::get<T>(m_state); }
    [[nodiscard]] const T& value() const { return std::get<T>(m_state); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }

    [[nodiscard]] const std::string& reason() const { return std::get<Refusal>(m_state).reason; }

private:
    std::variant<T, Refusal> m_state;
};

// An operation that only succeeds or refuses.
template <> class [[nodiscard]] Expected<void> {
public:
    Expected() = default;
    Expected(Refusal refusal) : m_refused(true), m_reason(std::move(refusal.reason)) {}

    [[nodiscard]] bool ok() const { return !m_refused; }
    explicit operator bool() const { return ok(); }
    [[nodiscard]] const std::string& reason() const { return m_reason; }

private:
    bool m_refused = false;
    std::string m_reason;
};

} // namespace veq
