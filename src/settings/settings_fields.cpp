// Field encodings and the field operations of the settings file.
#include "settings/settings_fields.h"

#include "base/status.h"

#include <climits>

#include "dialog/dialog_fields.h"
#include "text/windows1252.h"

std::string EncodeTextField(std::string_view utf8, int width, StoredCharset charset) {
  const std::size_t room = static_cast<std::size_t>(width - 1);
  std::string field;
  if (charset == StoredCharset::kWindows1252) {
    // One byte per character, so any cut leaves whole characters.
    field = Utf8ToCp1252(utf8);
    if (field.size() > room) field.resize(room);
  } else {
    field = std::string(CutUtf8(utf8, room));
  }
  field.resize(static_cast<std::size_t>(width), '\0');
  return field;
}

std::string DecodeTextField(std::string_view field, StoredCharset charset) {
  const std::size_t zero = field.find('\0');
  if (zero != std::string_view::npos) field = field.substr(0, zero);
  if (charset == StoredCharset::kUtf8 && IsValidUtf8(field)) return std::string(field);
  return Cp1252ToUtf8(field);
}

std::string_view TakeBytes(SettingsReader& in, std::size_t count) {
  const std::size_t left = in.bytes.size() - in.position;
  if (count > left) {
    in.reachedEnd = true;
    count = left;
  }
  const std::string_view taken = in.bytes.substr(in.position, count);
  in.position += count;
  return taken;
}

void WriteTextField(SettingsWriter& out, Dialog& dlg, int id, int width, StoredCharset charset) {
  // The characters text is cut after its conversion, so it is read whole here.
  const int buffer = charset == StoredCharset::kWindows1252 ? INT_MAX : width;
  out.bytes += EncodeTextField(ReadText(dlg, id, buffer), width, charset);
}

void WriteIntField(SettingsWriter& out, Dialog& dlg, int id) {
  const auto value = static_cast<std::uint32_t>(ReadInt(dlg, id));
  for (int shift = 0; shift < 32; shift += 8) {
    out.bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
}

void WriteFlagByte(SettingsWriter& out, Dialog& dlg, int id) {
  out.bytes.push_back(IsChecked(dlg, id) ? 1 : 0);
}

void WriteCodeByte(SettingsWriter& out, std::uint8_t code) {
  out.bytes.push_back(static_cast<char>(code));
}

bool ReadStoredText(SettingsReader& in, int width, StoredCharset charset, std::string& text) {
  const std::string_view field = TakeBytes(in, static_cast<std::size_t>(width));
  if (field.empty()) return false;
  text = DecodeTextField(field, charset);
  return true;
}

void ReadTextField(SettingsReader& in, Dialog& dlg, int id, int width, StoredCharset charset) {
  std::string text;
  if (ReadStoredText(in, width, charset, text)) SetText(dlg, id, text);
}

void ReadIntField(SettingsReader& in, Dialog& dlg, int id) {
  const std::string_view field = TakeBytes(in, 4);
  if (field.size() != 4) return;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(field[i]);
  SetInt(dlg, id, static_cast<std::int32_t>(value));
}

void ReadFlagByte(SettingsReader& in, Dialog& dlg, int id) {
  std::uint8_t flag = 0;
  if (ReadCodeByte(in, flag)) SetChecked(dlg, id, flag != 0);
}

bool ReadCodeByte(SettingsReader& in, std::uint8_t& code) {
  const std::string_view field = TakeBytes(in, 1);
  if (field.empty()) return false;
  code = static_cast<std::uint8_t>(field[0]);
  return true;
}
