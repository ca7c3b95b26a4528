// The settings file's extension block: writing the records of the values that differ
// from their defaults, and reading a block without trusting any of its bytes.
#include "settings/settings_extension.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "options/option_table.h"
#include "text/windows1252.h"

namespace {

constexpr std::string_view kMagic("\x89GLX\r\n\x1A\n", 8);
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kRecordHeaderSize = 6;  // u16 tag, u32 length

constexpr int kTagEnd = 0;

void AppendU16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void AppendU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void AppendRecord(std::string& out, int tag, std::string_view payload) {
  AppendU16(out, static_cast<unsigned>(tag));
  AppendU32(out, static_cast<std::uint32_t>(payload.size()));
  out += payload;
}

unsigned U16At(std::string_view bytes, std::size_t offset) {
  return static_cast<unsigned char>(bytes[offset]) |
         static_cast<unsigned>(static_cast<unsigned char>(bytes[offset + 1])) << 8;
}

std::uint32_t U32At(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

bool IsStorablePath(std::string_view path) {
  return path.size() <= kMaxSettingsPathBytes && path.find('\0') == std::string_view::npos &&
         IsValidUtf8(path);
}

bool PairInRange(std::string_view payload, int low, int high) {
  if (payload.size() != 4) return false;
  const int first = static_cast<int>(U16At(payload, 0));
  const int second = static_cast<int>(U16At(payload, 2));
  return first >= low && first <= high && second >= low && second <= high;
}

// Whether a record of a known tag holds a value its option can take.
bool IsValidRecord(const OptionDef& option, int tag, std::string_view payload) {
  const auto byte = [&] { return static_cast<int>(static_cast<unsigned char>(payload[0])); };
  switch (option.kind) {
    case OptionKind::kCharMap:
      if (tag == option.width) return IsStorablePath(payload);
      return payload.size() == 1 && byte() <= static_cast<int>(CharMapKind::kFont);
    case OptionKind::kFontFile:
      return IsStorablePath(payload);
    case OptionKind::kFaceList:
      return !payload.empty() && IsStorablePath(payload);
    case OptionKind::kGrid:  // 0 x 0: the grid left out
      return PairInRange(payload, option.low, option.high) || PairInRange(payload, 0, 0);
    case OptionKind::kCell:
      return PairInRange(payload, 0, option.high);  // 0: the empty field
    case OptionKind::kChoice:
      // The codes of the choices this record holds.
      if (payload.size() != 1) return false;
      for (const OptionChoice& choice : option.choices) {
        if (ChoiceTag(option, choice) == tag && choice.code == byte()) return true;
      }
      return false;
    case OptionKind::kInt:
      return payload.size() == 1 && InOptionRange(option, byte());
    case OptionKind::kFlagSet: {
      // The bits of the choices this record holds.
      if (payload.size() != 1) return false;
      int known = 0;
      for (const OptionChoice& choice : option.choices) {
        if (ChoiceTag(option, choice) == tag) known |= choice.code;
      }
      return (byte() & ~known) == 0;
    }
    default:
      return false;
  }
}

// Reads a block that begins with the magic into out; false when it is damaged.
bool ReadBlock(std::string_view block, SettingsExtension& out) {
  if (block.size() > kMaxSettingsExtensionSize) return false;
  std::size_t position = kMagic.size();
  if (block.size() < position + 2 || U16At(block, position) != kVersion) return false;
  position += 2;
  for (;;) {
    if (block.size() - position < kRecordHeaderSize) return false;
    const int tag = static_cast<int>(U16At(block, position));
    const std::uint32_t length = U32At(block, position + 2);
    position += kRecordHeaderSize;
    if (length > block.size() - position) return false;
    const std::string_view payload = block.substr(position, length);
    position += length;
    if (tag == kTagEnd) return length == 0 && position == block.size();
    const OptionDef* option = FindOptionByTag(tag);
    if (!option) continue;  // a newer writer's record
    if (out.count(tag) != 0 || !IsValidRecord(*option, tag, payload)) return false;
    out.emplace(tag, std::string(payload));
  }
}

}  // namespace

std::string EncodeSettingsExtension(const SettingsExtension& extension) {
  std::string records;
  for (const auto& [tag, payload] : extension) {  // ascending tags
    const OptionDef* option = FindOptionByTag(tag);
    if (option && IsValidRecord(*option, tag, payload)) AppendRecord(records, tag, payload);
  }
  if (records.empty()) return {};

  std::string block(kMagic);
  AppendU16(block, kVersion);
  block += records;
  AppendRecord(block, kTagEnd, {});
  return block;
}

bool DecodeSettingsExtension(std::string_view bytes, SettingsExtension& out, std::string& warning) {
  out = SettingsExtension{};
  warning.clear();
  // Only bytes that begin like the magic (or are a cut piece of it) are a block.
  const std::size_t compared = std::min(bytes.size(), kMagic.size());
  if (compared == 0 || bytes.substr(0, compared) != kMagic.substr(0, compared)) return true;

  SettingsExtension read;
  if (!ReadBlock(bytes, read)) {
    warning = kSettingsExtensionWarning;
    return false;
  }
  out = std::move(read);
  return true;
}
