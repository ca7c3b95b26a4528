// The result convention of the core.
//
// An operation that can fail returns a Status: success, or a failure that carries its
// reason as the message a user reads (and the errno of the system call that failed,
// where one did). An operation that yields a value or fails returns a Result<T>: the
// value, or such a failure. A predicate returns bool. Nothing else stands for failure:
// no empty string for success, no 0/1 ints, no module's own status enum.
//
// The ints kOk (0) and kFailed (1) are the dialog's and the command line's exit
// statuses; they appear only at that edge, where a Status becomes one.
//
//   Status WriteThing(...) {
//     if (!fits) return Failure("The thing does not fit.");
//     return {};
//   }
//   Result<Grid> grid = ParseGridText(text);
//   if (!grid) return grid.status();
//   Use(*grid);
#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;

struct [[nodiscard]] Status {
  bool ok = true;
  std::string message;  // why it failed, as shown to the user; empty on success
  int error = 0;        // the errno of the failed system call; 0 when none

  explicit operator bool() const { return ok; }
};

inline Status Failure(std::string message, int error = 0) {
  return Status{false, std::move(message), error};
}

// The exit status of the dialog and the command line for a status.
inline int ExitCode(const Status& status) {
  return status.ok ? kOk : kFailed;
}

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}           // NOLINT: a value is a success
  Result(Status failure) : status_(std::move(failure)) {  // NOLINT: so is a failure
    assert(!status_.ok);
  }

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }

  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

  // Success, or the failure with its reason.
  const Status& status() const { return status_; }
  const std::string& message() const { return status_.message; }

 private:
  std::optional<T> value_;
  Status status_;
};
