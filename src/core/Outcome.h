#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace kelvaro {

// What an operation that can fail came to: success, or a failure with a text that says what
// happened and why ("cannot write /ini/pacman.ini: No space left on device"). A failure that is
// dropped unread is a fault, so the compiler warns of every call that ignores one.
class [[nodiscard]] Outcome {
public:
    // Success.
    Outcome() = default;
    static Outcome Failure(std::string reason) { return Outcome(std::move(reason)); }
    // A failure the system reported: what was tried, then the system's reason.
    static Outcome Failure(std::string_view what, std::error_code error);

    [[nodiscard]] bool Succeeded() const { return !failed_; }
    explicit operator bool() const { return !failed_; }
    // Empty on success.
    [[nodiscard]] const std::string& Reason() const { return reason_; }

private:
    explicit Outcome(std::string reason) : failed_(true), reason_(std::move(reason)) {}
    bool failed_ = false;
    std::string reason_;
};

// A value, or the failure that left none; ignoring one is warned of as for Outcome.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    // failure must not be a success.
    Result(Outcome failure) : failure_(std::move(failure)) {}

    explicit operator bool() const { return value_.has_value(); }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    // Empty on success.
    [[nodiscard]] const std::string& Reason() const { return failure_.Reason(); }

private:
    std::optional<T> value_;
    Outcome failure_;
};

// "cannot read PATH: the system's reason", "cannot write PATH: ...".
Outcome ReadFailure(const std::string& path, std::error_code error);
Outcome WriteFailure(const std::string& path, std::error_code error);

} // namespace kelvaro
