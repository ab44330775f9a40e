#pragma once

#include <QString>

#include <exception>

namespace quillet {

// An unexpected run-time failure: what ReportError shows as "Error: <description>" and
// "Error Number: <number>-...". I/O failures carry errno values; the rest use the small
// set of numbers below.
struct Failure : std::exception {
    Failure(int number, QString description);

    int number;
    QString description;

    const char* what() const noexcept override { return "quillet::Failure"; }

    static Failure fromErrno(int errnoValue);
};

// Our own failure numbers (kept clear of errno values below 100 by their meaning, not range:
// a handler never needs to tell the two apart, it only shows them).
namespace FailureNumber {
constexpr int InvalidArgument = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int Internal = 51;
} // namespace FailureNumber

[[noreturn]] void ThrowOverflow();

} // namespace quillet
