// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace quillon {

// What went wrong, in the few kinds a caller may treat differently.
enum class ErrorKind {
    NotFound,   // a file or directory that is not there
    Unreadable, // there, but the system refused to read it
    Unwritable, // could not be written, created or replaced
    BadContent, // read, but its content cannot be used
    Device,     // the counter or another device failed
    Station,    // the station's own configuration is missing or unusable
};

// A failure as the operator reads it: the message names the file or the
// device, the item and the reason.
struct Error {
    ErrorKind kind = ErrorKind::BadContent;
    QString message;
    // The error number the station's operators know from its file errors
    // (53 file not found, 76 path not found, ...), where there is one.
    int number = 0;
};

// A value, or the error that kept it from being made. The core fails this
// one way; each screen and the command line present the error themselves.
template <class T> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<0>(state_); }
    T& value() { return std::get<0>(state_); }
    const T& operator*() const { return value(); }
    const T* operator->() const { return &value(); }
    const Error& error() const { return std::get<1>(state_); }

private:
    std::variant<T, Error> state_;
};

// A result that carries no value: done, or the error.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return *error_; }

private:
    std::optional<Error> error_;
};

} // namespace quillon
