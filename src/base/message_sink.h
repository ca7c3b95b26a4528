// Where the core reports what went wrong: a message with a title and an icon. The
// window shows it in a message box, the command line prints it, tests record it.
#pragma once

#include <string_view>

enum class MessageIcon { kWarning, kQuestion, kInformation };

struct MessageSink {
  virtual ~MessageSink() = default;
  virtual void Show(std::string_view text, std::string_view title, MessageIcon icon) = 0;
};
