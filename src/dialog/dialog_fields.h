// Field access by control identifier, with the conversions every operation relies
// on: texts cut to a buffer length, integers read like atoi, integers written as
// "%d", and the font list's operations.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

inline constexpr int kDefaultTextBuffer = 256;

// The control's text cut to bufferLength - 1 bytes (the buffer keeps one byte for the
// terminator), never cutting a UTF-8 sequence in half.
std::string ReadText(Dialog& dlg, int id, int bufferLength = kDefaultTextBuffer);

// Reads the text with a 256-byte buffer and converts it like atoi: leading white
// space, an optional sign, decimal digits up to the first non-digit; no digits gives
// 0. Values beyond the int range saturate instead of overflowing.
int ReadInt(Dialog& dlg, int id);

// The atoi conversion alone.
int ParseLikeAtoi(std::string_view text);

void SetText(Dialog& dlg, int id, std::string_view text);
void SetInt(Dialog& dlg, int id, int value);  // as "%d"
bool IsChecked(Dialog& dlg, int id);
void SetChecked(Dialog& dlg, int id, bool checked);
void Enable(Dialog& dlg, int id, bool enabled);

// The font list.
int FontListCount(Dialog& dlg);
int FontListSelection(Dialog& dlg);  // -1 for none
std::string FontListEntry(Dialog& dlg, int index);
void FontListSelect(Dialog& dlg, int index);
// The index of the first entry, from the top of the list, whose text begins with prefix,
// ignoring case; -1 when none does.
int FontListFindPrefix(Dialog& dlg, std::string_view prefix);
// Selects the first entry, from the top of the list, whose text begins with prefix,
// ignoring case. Returns 0 on success, 1 (selection unchanged) when none matches.
int FontListSelectPrefix(Dialog& dlg, std::string_view prefix);
