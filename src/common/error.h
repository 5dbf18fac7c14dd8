#pragma once
// The one error value of the lower layers: what kind of failure, which file,
// and the operating system's reason. The command boundary turns it into the
// program's message (MessageWithCause); nothing below it phrases messages.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace velk {

enum class ErrorKind { Io, Timeout, Protocol, Format, Cancelled };

struct Error {
    ErrorKind kind = ErrorKind::Io;
    std::filesystem::path path;  // empty when no file is involved
    std::string reason;          // strerror text, or the check that failed
};

// An I/O error on `path` with the text of `errnoValue`.
Error SystemError(const std::filesystem::path& path, int errnoValue);
Error FormatError(const std::filesystem::path& path, std::string reason);
Error CancelledError();

// "path: reason" (or just the reason when no file is involved).
std::string CauseText(const Error& error);

// The program's own text first, the cause on the next line.
std::string MessageWithCause(std::string_view text, const Error& error);

// A value or the error that prevented it.
template <typename T>
class Expected {
public:
    Expected(T value) : state_(std::move(value)) {}
    Expected(Error error) : state_(std::move(error)) {}

    explicit operator bool() const { return std::holds_alternative<T>(state_); }
    T& operator*() { return std::get<T>(state_); }
    const T& operator*() const { return std::get<T>(state_); }
    T* operator->() { return &std::get<T>(state_); }
    const T* operator->() const { return &std::get<T>(state_); }
    const Error& error() const { return std::get<Error>(state_); }

private:
    std::variant<T, Error> state_;
};

// Success, or the error of an operation that yields nothing.
class Outcome {
public:
    Outcome() = default;
    Outcome(Error error) : error_(std::move(error)) {}

    explicit operator bool() const { return !error_; }
    const Error& error() const { return *error_; }

private:
    std::optional<Error> error_;
};

}  // namespace velk
