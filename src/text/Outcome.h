// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <utility>

// Why something did not give its value: a text for the user, or a request of
// the user's own (Cancel), which is no fault and wants no message.
struct Failure {
    QString text;
    bool cancelled = false;

    static Failure Cancelled(QString text = {}) { return {std::move(text), true}; }
};

// For operations whose success carries nothing.
struct Done {};

// What an operation gives back: its value, or a Failure.
template <class T> class [[nodiscard]] Outcome {
  public:
    Outcome(T value) : m_value(std::move(value)) {}
    Outcome(Failure failure) : m_failure(std::move(failure)) {}

    bool ok() const { return m_value.has_value(); }
    bool cancelled() const { return m_failure.cancelled; }
    const T& value() const& { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const QString& failure() const { return m_failure.text; }
    // The failure, to hand on; only when !ok().
    const Failure& why() const { return m_failure; }

  private:
    std::optional<T> m_value;
    Failure m_failure;
};
