#pragma once

#include <string>
#include <utility>
#include <variant>

namespace q804 {

// A failure that a caller can show or log. The message is plain English for logs and the
// command-line tool; user-facing texts come from the language files.
struct Error {
    std::string message;
};

// The result of an operation that yields a value or fails with a reason.
template <typename T>
class [[nodiscard]] Result {
  public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<T>(state_); }
    const T& value() const& { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    const Error& error() const { return std::get<Error>(state_); }

  private:
    std::variant<T, Error> state_;
};

// The result of an operation that yields nothing but success or a reason.
class [[nodiscard]] Status {
  public:
    Status() = default;
    Status(Error error) : failed_(true), error_(std::move(error)) {}
    static Status Ok() { return {}; }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return error_; }

  private:
    bool failed_ = false;
    Error error_;
};

}  // namespace q804
