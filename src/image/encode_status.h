// What an image encoder reports, and the guard that keeps its allocations from
// throwing out of the image layer.
//
// A sheet can be a gigabyte, and each encoder needs a buffer of about its size: running
// out of memory is an ordinary outcome that the user is told about in its own words, so
// it is kept apart from every other failure.
#pragma once

#include <new>
#include <stdexcept>

enum class EncodeStatus {
  kOk,
  kNoMemory,  // a buffer the encoding needs could not be had
  kFailed,    // anything else: a size the format cannot hold, a library that refused
};

// Runs encode (returning EncodeStatus), turning an allocation that fails (std::bad_alloc,
// or std::length_error for a size no container can hold) into kNoMemory.
template <typename Encode>
EncodeStatus EncodeWithoutThrowing(Encode&& encode) noexcept {
  try {
    return encode();
  } catch (const std::bad_alloc&) {
    return EncodeStatus::kNoMemory;
  } catch (const std::length_error&) {
    return EncodeStatus::kNoMemory;
  }
}
