#pragma once

#include <QString>
#include <optional>
#include <utility>

// What a command gives back: a value, or a failure text for the user.
template <class T> class Outcome {
  public:
    static Outcome Success(T value) {
        Outcome outcome;
        outcome.m_value = std::move(value);
        return outcome;
    }
    static Outcome Failure(QString text) {
        Outcome outcome;
        outcome.m_failure = std::move(text);
        return outcome;
    }

    bool ok() const { return m_value.has_value(); }
    const T& value() const { return *m_value; }
    const QString& failure() const { return m_failure; }

  private:
    Outcome() = default;
    std::optional<T> m_value;
    QString m_failure;
};

// For commands whose success carries nothing.
struct Done {};
