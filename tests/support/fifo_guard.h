// Calling code that must not block on a FIFO, so that a regression fails the test
// instead of hanging it: when the call has not returned after a few seconds, the test
// fails and opens and closes a writer on the FIFO until the blocked open or read
// returns.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>

template <typename Call>
auto CallGuardedAgainstFifo(const std::string& fifo, Call call) -> decltype(call()) {
  auto result = std::async(std::launch::async, call);
  if (result.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    ADD_FAILURE() << "blocked on the FIFO " << fifo;
    while (result.wait_for(std::chrono::milliseconds(50)) == std::future_status::timeout) {
      const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) ::close(writer);
    }
  }
  return result.get();
}
