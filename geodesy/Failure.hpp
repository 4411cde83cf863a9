#pragma once

#include <stdexcept>
#include <string>

namespace korvane {

// What went wrong in a computation. The kind of failure is the exception's type, and every
// failure names the step it happened in, so that a caller can decide what to show and a reader of
// a test can tell one failure from another. The message reads "<kind> in <step>: <detail>".
class ComputationFailure : public std::runtime_error {
  public:
    const std::string& Step() const noexcept { return step_; }

  protected:
    ComputationFailure(const char* kind, std::string step, const std::string& detail);

  private:
    std::string step_;
};

// A 16-bit integer left its range, or a number too large to read.
class OverflowFailure final : public ComputationFailure {
  public:
    OverflowFailure(std::string step, const std::string& detail)
        : ComputationFailure("overflow", std::move(step), detail) {}
};

// Division by zero, a result too large for a double, or one with no defined value.
class FloatingPointFailure final : public ComputationFailure {
  public:
    FloatingPointFailure(std::string step, const std::string& detail)
        : ComputationFailure("floating-point failure", std::move(step), detail) {}
};

// An index outside its table.
class SubscriptFailure final : public ComputationFailure {
  public:
    SubscriptFailure(std::string step, const std::string& detail)
        : ComputationFailure("subscript out of range", std::move(step), detail) {}
};

// An argument outside the values an operation takes, such as a character code above 255.
class InvalidArgumentFailure final : public ComputationFailure {
  public:
    InvalidArgumentFailure(std::string step, const std::string& detail)
        : ComputationFailure("invalid argument", std::move(step), detail) {}
};

} // namespace korvane
