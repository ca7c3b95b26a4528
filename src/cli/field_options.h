// The options that set the dialog's fields before a command runs, applied in the
// order they were given on the command line.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>
#include "base/status.h"

#include "headless/headless_host.h"

struct FieldOptions {
  std::vector<CLI::Option*> options;  // every field option of one command
};

// Adds the field options to command.
FieldOptions AddFieldOptions(CLI::App& command);

// Applies the field options that command parsed, in command-line order, to the
// dialog, and stops at the first that cannot be applied: a failure with a message is a
// usage error (to report before exiting with status 2); one without a message is an
// option's operation that failed after showing its own (status 1).
Status ApplyFieldOptions(const CLI::App& command, const FieldOptions& fields, Dialog& dlg,
                         HeadlessHost& host);
