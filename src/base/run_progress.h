// The progress of one run on its sink: 0 when it starts, each step as it is done, and
// total when it ends on whatever path, so that a window's progress dialog always closes.
#pragma once

#include "base/message_sink.h"

class RunProgress {
 public:
  RunProgress(MessageSink& sink, int total) : sink_(sink), total_(total) {
    (void)sink_.ReportProgress(0, total_);
  }
  ~RunProgress() { (void)sink_.ReportProgress(total_, total_); }
  RunProgress(const RunProgress&) = delete;
  RunProgress& operator=(const RunProgress&) = delete;

  // One more step done; false when the user asked to stop.
  [[nodiscard]] bool Step() { return done_ >= total_ || sink_.ReportProgress(++done_, total_); }

 private:
  MessageSink& sink_;
  int total_ = 0;
  int done_ = 0;
};
