// The result convention of the core.
//
// A fallible operation returns an int: kOk (0) on success, kFailed (1) on failure, the
// same values the command line uses as exit statuses. A predicate returns bool. A
// function that yields a value or fails returns std::optional<T> (or fills an
// out-parameter and returns the status). No failure value doubles as a valid result.
#pragma once

inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
