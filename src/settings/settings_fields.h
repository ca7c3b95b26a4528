// The settings file's field encodings and the field operations that move one control
// to or from a settings byte stream. The writer appends to a byte buffer; the reader
// takes bytes from the file's contents held in memory and never reads beyond them.
//
// Encodings: a text is its bytes, a zero byte and zero padding up to the field's
// width (at most width - 1 bytes of text); a flag is one byte, 1 or 0, read as set
// when nonzero; an integer is 32 bits, two's complement, least significant byte first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/status.h"
#include "dialog/dialog.h"
#include "options/option_table.h"

// How a text is stored (StoredCharset): the characters text (1014) holds character codes
// and is kept in Windows-1252; face names and paths are kept in UTF-8, and when loaded,
// a stored name that is not valid UTF-8 is taken as Windows-1252 (files written elsewhere).

struct SettingsWriter {
  std::string bytes;  // everything written so far
};

struct SettingsReader {
  std::string_view bytes;  // the whole file
  std::size_t position = 0;
  bool reachedEnd = false;  // a read asked for bytes beyond the end of the file
};

// The UTF-8 text as a stored text field: exactly width bytes (width >= 1), the text
// cut to width - 1 bytes without splitting a character, then zeros.
std::string EncodeTextField(std::string_view utf8, int width, StoredCharset charset);
// The UTF-8 text of a stored field's bytes: up to the first zero byte, or all of them
// when there is none.
std::string DecodeTextField(std::string_view field, StoredCharset charset);

// Up to count bytes from the reader's position; fewer (and reachedEnd set) when the
// file ends first.
std::string_view TakeBytes(SettingsReader& in, std::size_t count);

// Writes the control's text as a text field of width bytes.
void WriteTextField(SettingsWriter& out, Dialog& dlg, int id, int width, StoredCharset charset);
// Writes the control's text read as an integer (like atoi) as 4 bytes.
void WriteIntField(SettingsWriter& out, Dialog& dlg, int id);
// Writes 1 when the check box is checked, else 0.
void WriteFlagByte(SettingsWriter& out, Dialog& dlg, int id);
// Writes one byte as it is.
void WriteCodeByte(SettingsWriter& out, std::uint8_t code);

// Reads a text field of width bytes into text (UTF-8). Returns false, and leaves text
// alone, when no byte of the field is in the file.
bool ReadStoredText(SettingsReader& in, int width, StoredCharset charset, std::string& text);
// Reads a text field of width bytes into the control; leaves it as it was when no byte
// of the field is in the file.
void ReadTextField(SettingsReader& in, Dialog& dlg, int id, int width, StoredCharset charset);
// Reads 4 bytes and sets the control's text to their value in decimal; leaves it as
// it was unless all four are in the file.
void ReadIntField(SettingsReader& in, Dialog& dlg, int id);
// Reads 1 byte and checks the box when it is nonzero, unchecks it when it is zero;
// leaves it as it was when the file has ended.
void ReadFlagByte(SettingsReader& in, Dialog& dlg, int id);
// Reads one byte; returns false when the file has ended.
bool ReadCodeByte(SettingsReader& in, std::uint8_t& code);
