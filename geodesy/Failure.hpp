#pragma once

#include <stdexcept>
#include <string>

namespace korvane {

// What went wrong in a computation. Every failure names the step it happened in, so that a
// caller can decide what to show and a reader of a test can tell one failure from another.
enum class FailureKind { Overflow, FloatingPoint, Subscript, InvalidArgument };

class ComputationFailure : public std::runtime_error {
  public:
    ComputationFailure(FailureKind kind, std::string step, const std::string& detail);

    FailureKind Kind() const noexcept { return kind_; }
    const std::string& Step() const noexcept { return step_; }

  private:
    FailureKind kind_;
    std::string step_;
};

// A 16-bit integer left its range, or a number too large to read.
class OverflowFailure : public ComputationFailure {
  public:
    OverflowFailure(std::string step, const std::string& detail)
        : ComputationFailure(FailureKind::Overflow, std::move(step), detail) {}
};

// Division by zero, a result too large for a double, or one with no defined value.
class FloatingPointFailure : public ComputationFailure {
  public:
    FloatingPointFailure(std::string step, const std::string& detail)
        : ComputationFailure(FailureKind::FloatingPoint, std::move(step), detail) {}
};

// An index outside its table.
class SubscriptFailure : public ComputationFailure {
  public:
    SubscriptFailure(std::string step, const std::string& detail)
        : ComputationFailure(FailureKind::Subscript, std::move(step), detail) {}
};

// An argument outside the values an operation takes, such as a character code above 255.
class InvalidArgumentFailure : public ComputationFailure {
  public:
    InvalidArgumentFailure(std::string step, const std::string& detail)
        : ComputationFailure(FailureKind::InvalidArgument, std::move(step), detail) {}
};

const char* FailureKindName(FailureKind kind) noexcept;

} // namespace korvane
