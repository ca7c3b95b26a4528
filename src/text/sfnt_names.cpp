// Reads the family name and the weight and slant of an sfnt font from its bytes.
#include "text/sfnt_names.h"

#include "base/status.h"

#include <unistd.h>

#include <array>

#include "text/size_rules.h"
#include "text/windows1252.h"

namespace {

constexpr std::uint32_t Tag(char a, char b, char c, char d) {
  return (static_cast<std::uint32_t>(a) << 24) | (static_cast<std::uint32_t>(b) << 16) |
         (static_cast<std::uint32_t>(c) << 8) | static_cast<std::uint32_t>(d);
}

// Name tables beyond this size are not real fonts' and are not read.
constexpr std::size_t kMaxNameTable = 1 << 20;

constexpr std::array<char16_t, 128> kMacRomanHigh = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1,  // 80..87
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8,  // 88..8F
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,  // 90..97
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC,  // 98..9F
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF,  // A0..A7
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,  // A8..AF
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211,  // B0..B7
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8,  // B8..BF
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,  // C0..C7
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153,  // C8..CF
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA,  // D0..D7
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,  // D8..DF
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,  // E0..E7
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4,  // E8..EF
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,  // F0..F7
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,  // F8..FF
};

std::uint16_t Be16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}
std::uint32_t Be32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// UTF-16BE as UTF-8; unpaired surrogates are dropped.
std::string Utf16BeToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t units = bytes.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    char32_t unit = Be16(p + 2 * i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
      const char32_t low = Be16(p + 2 * (i + 1));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) continue;
    AppendUtf8(out, unit);
  }
  return out;
}

bool IsWindowsUnicode(const SfntNameRecord& r) {
  return r.platform == 3 && (r.encoding == 0 || r.encoding == 1 || r.encoding == 10);
}

// Lower is better; -1 for a record that is never used.
int RankRecord(const SfntNameRecord& r) {
  if (IsWindowsUnicode(r)) {
    if (r.language == 0x0409) return 0;
    if ((r.language & 0x3FF) == 0x09) return 1;
    return 2;
  }
  if (r.platform == 1 && r.encoding == 0) return r.language == 0 ? 3 : 5;
  if (r.platform == 0) return 4;
  return -1;
}

// Reads exactly size bytes at offset; false on a short read.
bool ReadAt(int fd, std::uint64_t offset, void* buffer, std::size_t size) {
  auto* out = static_cast<unsigned char*>(buffer);
  while (size > 0) {
    const ssize_t got = pread(fd, out, size, static_cast<off_t>(offset));
    if (got <= 0) return false;
    out += got;
    offset += static_cast<std::uint64_t>(got);
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

struct TableSpan {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
};

}  // namespace

std::string MacRomanToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, byte < 0x80 ? char32_t{byte} : char32_t{kMacRomanHigh[byte - 0x80]});
  }
  return out;
}

std::string PickFamilyName(const std::vector<SfntNameRecord>& records) {
  std::string best;
  int bestRank = -1;
  for (const SfntNameRecord& record : records) {
    const int rank = RankRecord(record);
    if (rank < 0 || (bestRank >= 0 && rank >= bestRank)) continue;
    std::string name =
        record.platform == 1 ? MacRomanToUtf8(record.bytes) : Utf16BeToUtf8(record.bytes);
    if (name.empty()) continue;
    best = std::move(name);
    bestRank = rank;
  }
  return best;
}

namespace {

const char kNotSfnt[] = "The file is not an sfnt font that this reader understands.";

}  // namespace

bool IsSfntSignature(std::uint32_t tag) {
  return tag == 0x00010000 || tag == Tag('O', 'T', 'T', 'O') || tag == Tag('t', 'r', 'u', 'e') ||
         tag == Tag('t', 'y', 'p', '1') || tag == Tag('t', 't', 'c', 'f');
}

Result<SfntFaceInfo> ReadSfntFaceInfo(int fd, long faceIndex) {
  // The table directory, found through the collection header for a collection.
  unsigned char header[12];
  if (!ReadAt(fd, 0, header, sizeof header)) return Failure(kNotSfnt);
  std::uint32_t directory = 0;
  const long collectionIndex = faceIndex & 0xFFFF;
  if (Be32(header) == Tag('t', 't', 'c', 'f')) {
    if (collectionIndex >= static_cast<long>(Be32(header + 8))) return Failure(kNotSfnt);
    unsigned char offset[4];
    if (!ReadAt(fd, 12 + 4 * static_cast<std::uint64_t>(collectionIndex), offset, 4)) {
      return Failure(kNotSfnt);
    }
    directory = Be32(offset);
    if (!ReadAt(fd, directory, header, sizeof header)) return Failure(kNotSfnt);
  } else if (collectionIndex != 0) {
    return Failure(kNotSfnt);
  }
  if (!IsSfntSignature(Be32(header)) || Be32(header) == Tag('t', 't', 'c', 'f'))
    return Failure(kNotSfnt);

  const std::size_t tableCount = Be16(header + 4);
  std::vector<unsigned char> records(tableCount * 16);
  if (!ReadAt(fd, directory + 12ULL, records.data(), records.size())) return Failure(kNotSfnt);
  TableSpan name, os2, head;
  for (std::size_t i = 0; i < tableCount; ++i) {
    const unsigned char* r = records.data() + 16 * i;
    const TableSpan span{Be32(r + 8), Be32(r + 12)};
    switch (Be32(r)) {
      case Tag('n', 'a', 'm', 'e'):
        name = span;
        break;
      case Tag('O', 'S', '/', '2'):
        os2 = span;
        break;
      case Tag('h', 'e', 'a', 'd'):
        head = span;
        break;
      default:
        break;
    }
  }

  // Name ID 1 from the name table.
  if (name.length < 6 || name.length > kMaxNameTable) return Failure(kNotSfnt);
  std::vector<unsigned char> table(name.length);
  if (!ReadAt(fd, name.offset, table.data(), table.size())) return Failure(kNotSfnt);
  const std::size_t count = Be16(table.data() + 2);
  const std::size_t stringsAt = Be16(table.data() + 4);
  std::vector<SfntNameRecord> family;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = 6 + 12 * i;
    if (at + 12 > table.size()) break;
    const unsigned char* r = table.data() + at;
    if (Be16(r + 6) != 1) continue;
    const std::size_t length = Be16(r + 8);
    const std::size_t start = stringsAt + Be16(r + 10);
    if (start + length > table.size()) continue;
    family.push_back(
        {Be16(r), Be16(r + 2), Be16(r + 4),
         std::string_view(reinterpret_cast<const char*>(table.data()) + start, length)});
  }
  SfntFaceInfo info;
  info.family = PickFamilyName(family);
  if (info.family.empty()) return Failure("The font has no family name.");

  // Weight and slant: OS/2 usWeightClass and fsSelection, else head macStyle.
  info.weight = 400;
  info.italic = false;
  unsigned char os2Head[64];
  unsigned char headBytes[54];
  if (os2.length >= sizeof os2Head && ReadAt(fd, os2.offset, os2Head, sizeof os2Head)) {
    info.weight = NormalizeWeightClass(Be16(os2Head + 4));
    info.italic = (Be16(os2Head + 62) & 1) != 0;
  } else if (head.length >= sizeof headBytes &&
             ReadAt(fd, head.offset, headBytes, sizeof headBytes)) {
    const std::uint16_t macStyle = Be16(headBytes + 44);
    info.weight = (macStyle & 1) ? 700 : 400;
    info.italic = (macStyle & 2) != 0;
  }
  return info;
}
