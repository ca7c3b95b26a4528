// The headless dialog behind every command.
#include "cli/cli_session.h"

#include <cstdio>

#include "app/dialog_proc.h"
#include "dialog/dialog_fields.h"
#include "options/control_ids.h"
#include "text/control_escape.h"

CliSession::CliSession(bool previewAreaSeen) {
  host.previewAreaSeen = previewAreaSeen;
  StartDialog(dlg);
  logBefore = host.Text(kIdLog);
}

namespace {

// The log's "\r\n" line ends as a terminal expects them.
std::string LogForTerminal(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    plain += text[i];
  }
  return plain;
}

}  // namespace

int CliSession::Finish(bool failed) {
  // Texts from files and fonts are shown with their control characters escaped, so
  // that none acts on the terminal or cuts its line short.
  for (const RecordedMessage& m : host.messages()) {
    const std::string line = EscapeControls(m.title) + ": " + EscapeControls(m.text) + "\n";
    std::fputs(line.c_str(), stderr);
  }
  const std::string log = host.Text(kIdLog);
  if (log != logBefore) std::fputs((EscapeControls(LogForTerminal(log)) + "\n").c_str(), stdout);
  std::fflush(stdout);
  return failed ? 1 : 0;
}
