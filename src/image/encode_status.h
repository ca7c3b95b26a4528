// What an image encoder reports, and the guard that keeps its allocations from
// throwing out of the image layer.
//
// A sheet can be a gigabyte, and each encoder needs a buffer of about its size: running
// out of memory is an ordinary outcome that the user is told about in its own words, so
// it is told apart from every other failure by its error, ENOMEM.
#pragma once

#include <cerrno>
#include <new>
#include <stdexcept>

#include "base/status.h"

// A buffer the encoding needs could not be had. The message is short enough to sit in
// the string itself, so that making it allocates nothing when memory has run out.
inline Status NoMemoryFailure() {
  return Failure("Out of memory.", ENOMEM);
}

// Why a bitmap that is missing, empty, or smaller than its size says is not encoded.
inline constexpr char kNoPixelsMessage[] = "The image has no pixels to encode.";

// Whether status is NoMemoryFailure's.
inline bool IsNoMemory(const Status& status) {
  return !status.ok && status.error == ENOMEM;
}

// Runs encode (returning Status), turning an allocation that fails (std::bad_alloc, or
// std::length_error for a size no container can hold) into NoMemoryFailure().
template <typename Encode>
Status EncodeWithoutThrowing(Encode&& encode) noexcept {
  try {
    return encode();
  } catch (const std::bad_alloc&) {
    return NoMemoryFailure();
  } catch (const std::length_error&) {
    return NoMemoryFailure();
  }
}
