// Where the core reports what went wrong: a message with a title and an icon. The
// window shows it in a message box, the command line prints it, tests record it.
// A long run also reports its progress here, and learns whether to go on.
#pragma once

#include <string_view>

enum class MessageIcon { kWarning, kQuestion, kInformation };

struct MessageSink {
  virtual ~MessageSink() = default;
  virtual void Show(std::string_view text, std::string_view title, MessageIcon icon) = 0;

  // A run's progress: done of total steps, from 0 to total (RunProgress reports both
  // ends on every path). Answers false once the user has asked to stop: the run then
  // ends without a word. A sink with no one to ask goes on.
  virtual bool ReportProgress(int /*done*/, int /*total*/) { return true; }
};
