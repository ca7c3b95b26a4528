// The settings file's extension block: writing the records of the values that differ
// from their defaults, and reading a block without trusting any of its bytes.
#include "settings/settings_extension.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "text/windows1252.h"

namespace {

constexpr std::string_view kMagic("\x89GLX\r\n\x1A\n", 8);
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kRecordHeaderSize = 6;  // u16 tag, u32 length

enum Tag : std::uint16_t {
  kTagEnd = 0,
  kTagCharMap = 1,
  kTagCharMapPath = 2,
  kTagGrid = 3,
  kTagCellSize = 4,
  kTagOutput = 5,
  kTagMonoThreshold = 6,
  kTagDescriptors = 7,
  kTagFontFilePath = 8,
  kTagCount  // one past the highest known tag
};

constexpr unsigned kDescriptorFntBit = 1;
constexpr unsigned kDescriptorJsonBit = 2;
constexpr unsigned kDescriptorCBit = 4;

constexpr int kMaxGrid = 256;
constexpr int kMaxCell = 64;

void AppendU16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void AppendU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void AppendRecord(std::string& out, Tag tag, std::string_view payload) {
  AppendU16(out, tag);
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

bool InRange(int value, int low, int high) {
  return value >= low && value <= high;
}

bool IsStorablePath(std::string_view path) {
  return path.size() <= kMaxSettingsPathBytes && path.find('\0') == std::string_view::npos &&
         IsValidUtf8(path);
}

std::string PairPayload(int first, int second) {
  std::string payload;
  AppendU16(payload, static_cast<unsigned>(first));
  AppendU16(payload, static_cast<unsigned>(second));
  return payload;
}

// Sets the value of one known record from its payload; false when the payload has the
// wrong length or a value out of range.
bool ReadRecord(Tag tag, std::string_view payload, SettingsExtension& out) {
  const auto byteValue = [&](int high, int& value) {
    if (payload.size() != 1) return false;
    value = static_cast<unsigned char>(payload[0]);
    return value <= high;
  };
  const auto pairValue = [&](int low, int high, int& first, int& second) {
    if (payload.size() != 4) return false;
    first = static_cast<int>(U16At(payload, 0));
    second = static_cast<int>(U16At(payload, 2));
    return InRange(first, low, high) && InRange(second, low, high);
  };
  int value = 0;
  switch (tag) {
    case kTagCharMap:
      if (!byteValue(static_cast<int>(SettingsExtension::CharMap::kUserFile), value)) return false;
      out.charMap = static_cast<SettingsExtension::CharMap>(value);
      return true;
    case kTagCharMapPath:
      if (!IsStorablePath(payload)) return false;
      out.charMapPath = std::string(payload);
      return true;
    case kTagGrid:
      return pairValue(1, kMaxGrid, out.gridColumns, out.gridRows);
    case kTagCellSize:
      return pairValue(0, kMaxCell, out.cellWidth, out.cellHeight);
    case kTagOutput:
      if (!byteValue(static_cast<int>(SettingsExtension::Output::kMono), value)) return false;
      out.output = static_cast<SettingsExtension::Output>(value);
      return true;
    case kTagMonoThreshold:
      if (!byteValue(255, value) || value == 0) return false;
      out.monoThreshold = value;
      return true;
    case kTagDescriptors:
      if (!byteValue(kDescriptorFntBit | kDescriptorJsonBit | kDescriptorCBit, value)) {
        return false;
      }
      out.descriptorFnt = (value & kDescriptorFntBit) != 0;
      out.descriptorJson = (value & kDescriptorJsonBit) != 0;
      out.descriptorC = (value & kDescriptorCBit) != 0;
      return true;
    case kTagFontFilePath:
      if (!IsStorablePath(payload)) return false;
      out.fontFilePath = std::string(payload);
      return true;
    default:
      return true;  // kTagEnd and unknown tags are handled by the caller
  }
}

// Reads a block that begins with the magic into out; false when it is damaged.
bool ReadBlock(std::string_view block, SettingsExtension& out) {
  if (block.size() > kMaxSettingsExtensionSize) return false;
  std::size_t position = kMagic.size();
  if (block.size() < position + 2 || U16At(block, position) != kVersion) return false;
  position += 2;
  bool seen[kTagCount] = {};
  for (;;) {
    if (block.size() - position < kRecordHeaderSize) return false;
    const unsigned tag = U16At(block, position);
    const std::uint32_t length = U32At(block, position + 2);
    position += kRecordHeaderSize;
    if (length > block.size() - position) return false;
    const std::string_view payload = block.substr(position, length);
    position += length;
    if (tag == kTagEnd) return length == 0 && position == block.size();
    if (tag >= kTagCount) continue;  // a newer writer's record
    if (seen[tag]) return false;
    seen[tag] = true;
    if (!ReadRecord(static_cast<Tag>(tag), payload, out)) return false;
  }
}

}  // namespace

std::string EncodeSettingsExtension(const SettingsExtension& extension) {
  const SettingsExtension defaults;
  std::string records;
  if (extension.charMap != defaults.charMap &&
      InRange(static_cast<int>(extension.charMap), 0,
              static_cast<int>(SettingsExtension::CharMap::kUserFile))) {
    AppendRecord(records, kTagCharMap, std::string(1, static_cast<char>(extension.charMap)));
  }
  if (!extension.charMapPath.empty() && IsStorablePath(extension.charMapPath)) {
    AppendRecord(records, kTagCharMapPath, extension.charMapPath);
  }
  if ((extension.gridColumns != defaults.gridColumns || extension.gridRows != defaults.gridRows) &&
      InRange(extension.gridColumns, 1, kMaxGrid) && InRange(extension.gridRows, 1, kMaxGrid)) {
    AppendRecord(records, kTagGrid, PairPayload(extension.gridColumns, extension.gridRows));
  }
  if ((extension.cellWidth != 0 || extension.cellHeight != 0) &&
      InRange(extension.cellWidth, 0, kMaxCell) && InRange(extension.cellHeight, 0, kMaxCell)) {
    AppendRecord(records, kTagCellSize, PairPayload(extension.cellWidth, extension.cellHeight));
  }
  if (extension.output != defaults.output &&
      InRange(static_cast<int>(extension.output), 0,
              static_cast<int>(SettingsExtension::Output::kMono))) {
    AppendRecord(records, kTagOutput, std::string(1, static_cast<char>(extension.output)));
  }
  if (extension.monoThreshold != defaults.monoThreshold &&
      InRange(extension.monoThreshold, 1, 255)) {
    AppendRecord(records, kTagMonoThreshold,
                 std::string(1, static_cast<char>(extension.monoThreshold)));
  }
  const unsigned descriptors = (extension.descriptorFnt ? kDescriptorFntBit : 0) |
                               (extension.descriptorJson ? kDescriptorJsonBit : 0) |
                               (extension.descriptorC ? kDescriptorCBit : 0);
  if (descriptors != 0) {
    AppendRecord(records, kTagDescriptors, std::string(1, static_cast<char>(descriptors)));
  }
  if (!extension.fontFilePath.empty() && IsStorablePath(extension.fontFilePath)) {
    AppendRecord(records, kTagFontFilePath, extension.fontFilePath);
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
