// The headless dialog behind every command.
#include "cli/cli_session.h"

#include <cstdio>

#include "app/dialog_proc.h"
#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"

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
  for (const RecordedMessage& m : host.messages()) {
    std::fprintf(stderr, "%s: %s\n", m.title.c_str(), m.text.c_str());
  }
  const std::string log = host.Text(kIdLog);
  if (log != logBefore) std::printf("%s\n", LogForTerminal(log).c_str());
  std::fflush(stdout);
  return failed ? 1 : 0;
}

std::string EscapeForLine(const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        // Other control characters would end the line early or act on a terminal.
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out;
}
