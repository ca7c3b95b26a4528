// One run of the dialog on the headless host, as a command of glyphex-cli sees it:
// the dialog is set up, the field options are applied, the command runs, and what
// the dialog showed is printed.
#pragma once

#include <string>

#include "headless/headless_host.h"

struct CliSession {
  HeadlessHost host;
  Dialog dlg{host};
  std::string logBefore;  // the log's text before the command ran

  // Sets the dialog up as the window does at start-up. A command that never writes the
  // Preview area passes false, and the font sample is not drawn for it.
  explicit CliSession(bool previewAreaSeen = true);

  // Prints every message box on stderr as "Title: text" and, when the command changed
  // it, the log's text on stdout, both with control characters but line breaks escaped
  // (EscapeControls). Returns the exit status: 1 when failed, else 0.
  int Finish(bool failed);
};
