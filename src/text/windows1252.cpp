// Windows-1252 to Unicode and back, and the UTF-8 helpers the rest of the program
// uses for face names, paths and the characters text.
#include "text/windows1252.h"

#include <array>

namespace {

// 0x80..0x9F; the five bytes Windows-1252 leaves undefined map to their C1 codes so
// that every byte survives a round trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length a lead byte announces, or 0 for a byte that cannot start a sequence.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Decodes the sequence at text[pos]. Returns its length and sets cp, or 0 when the
// bytes there are not one well-formed sequence (overlong, surrogate, too large,
// truncated).
std::size_t DecodeOne(std::string_view text, std::size_t pos, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const std::size_t length = SequenceLength(lead);
  if (length == 0 || pos + length > text.size()) return 0;
  if (length == 1) {
    cp = lead;
    return 1;
  }
  char32_t value = lead & (0xFF >> (length + 1));
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    if (!IsContinuation(byte)) return 0;
    value = (value << 6) | (byte & 0x3F);
  }
  static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF) return 0;
  if (value >= 0xD800 && value <= 0xDFFF) return 0;
  cp = value;
  return length;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t Cp1252ToUnicode(std::uint8_t code) {
  if (code >= 0x80 && code <= 0x9F) return kHighControls[code - 0x80];
  return code;
}

int UnicodeToCp1252(char32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<int>(ch);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == ch) return static_cast<int>(0x80 + i);
  }
  return -1;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char32_t cp : DecodeUtf8(utf8)) {
    const int byte = UnicodeToCp1252(cp);
    if (byte >= 0) out += static_cast<char>(byte);
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) AppendUtf8(out, Cp1252ToUnicode(static_cast<std::uint8_t>(c)));
  return out;
}

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = 0;
    const std::size_t length = DecodeOne(utf8, pos, cp);
    if (length == 0) {
      out += kReplacement;
      ++pos;
    } else {
      out += cp;
      pos += length;
    }
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t cp = 0;
    const std::size_t length = DecodeOne(text, pos, cp);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::string_view CutUtf8(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  // text[maxBytes] is the first byte dropped. When it continues a sequence whose lead
  // byte lies before the cut, that whole sequence goes too. Stray continuation bytes
  // (malformed text) are not a sequence and are cut anywhere.
  std::size_t start = maxBytes;
  while (start > 0 && maxBytes - start < 3 &&
         IsContinuation(static_cast<unsigned char>(text[start]))) {
    --start;
  }
  const auto lead = static_cast<unsigned char>(text[start]);
  if (start < maxBytes && !IsContinuation(lead) && start + SequenceLength(lead) > maxBytes) {
    return text.substr(0, start);
  }
  return text.substr(0, maxBytes);
}
