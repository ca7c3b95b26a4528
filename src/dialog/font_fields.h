// The font request that the dialog's font fields describe.
#pragma once

#include <optional>

#include "dialog/dialog.h"
#include "text/text_font.h"

// Without a current font list entry, nothing (and nothing else is read). Otherwise the
// entry's face, Char height (1003), Char width (1002), Bold (1004) as weight 700 (else
// 400), Italic (1005) and Underline (1006).
std::optional<FontRequest> ReadFontRequest(Dialog& dlg);
