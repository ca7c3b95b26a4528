// Writing the Preview area, as the window would show it, to a PNG file.
#pragma once

#include <string>

#include "headless/headless_host.h"

// Renders the canvas into an area of the host's Preview area size at the current zoom
// and pan, and saves it as PNG. Returns 0 on success, 1 on failure.
int WritePreviewArea(HeadlessHost& host, const std::string& path);
