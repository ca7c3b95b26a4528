// Reads and checks a user character map file.
#include "layout/charmap_file.h"

#include <optional>

#include "fileio/read_regular_file.h"
#include "text/windows1252.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A bad token is quoted in its message up to this many bytes.
constexpr std::size_t kMaxQuotedTokenBytes = 40;

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The value of "U+" and 4 to 6 hex digits (not yet checked as a character), or none.
std::optional<char32_t> ParseCodePointToken(std::string_view token) {
  if (token.size() < 6 || token.size() > 8 || token.substr(0, 2) != "U+") return std::nullopt;
  char32_t value = 0;
  for (char c : token.substr(2)) {
    const int digit = HexValue(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<char32_t>(digit);
  }
  return value;
}

std::string Quote(std::string_view token) {
  const std::string_view shown = CutUtf8(token, kMaxQuotedTokenBytes);
  std::string quoted = "\"";
  quoted.append(shown);
  if (shown.size() < token.size()) quoted += "...";
  quoted += '"';
  return quoted;
}

Status FileFault(const std::string& path, const std::string& what) {
  return Failure("Bad character map file \"" + path + "\": " + what);
}

Status LineFault(const std::string& path, int line, const std::string& what) {
  return Failure("Bad character map file \"" + path + "\", line " + std::to_string(line) + ": " +
                 what);
}

// The cell that token stands for, or the fault without file and line.
std::optional<char32_t> ParseToken(std::string_view token, std::string& fault) {
  if (!IsValidUtf8(token)) {
    fault = "the text is not valid UTF-8.";
    return std::nullopt;
  }
  if (const std::optional<char32_t> value = ParseCodePointToken(token)) {
    if (*value > 0x10FFFF || (*value >= 0xD800 && *value <= 0xDFFF)) {
      fault = Quote(token) + " is not a Unicode character.";
      return std::nullopt;
    }
    return *value;
  }
  const std::u32string decoded = DecodeUtf8(token);
  if (decoded.size() != 1) {
    fault = Quote(token) + " is neither one character nor U+XXXX.";
    return std::nullopt;
  }
  return decoded[0];
}

}  // namespace

Result<CharMap> ParseCharMapText(std::string_view text, const std::string& path) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  std::vector<char32_t> cells;
  int line = 1;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (IsSeparator(text[pos])) {
      if (text[pos] == '\n') ++line;
      ++pos;
      continue;
    }
    std::size_t end = pos;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    const std::string_view token = text.substr(pos, end - pos);
    pos = end;

    if (cells.size() == kMaxMapCells) {
      return LineFault(path, line, "more than " + std::to_string(kMaxMapCells) + " characters.");
    }
    std::string fault;
    const std::optional<char32_t> cell = ParseToken(token, fault);
    if (!cell) return LineFault(path, line, fault);
    cells.push_back(*cell);
  }
  if (cells.empty()) return FileFault(path, "it holds no characters.");
  return CharMap{.kind = CharMapKind::kFile, .name = path, .cells = std::move(cells)};
}

Result<CharMap> LoadCharMapFile(const std::string& path) {
  const Result<FileRead> file = ReadRegularFile(path.c_str(), kMaxCharMapFileBytes);
  if (!file) {
    return Failure("Could not read the character map file \"" + path + "\". " + file.message(),
                   file.status().error);
  }
  if (file->beyondLimit) {
    return FileFault(path,
                     "it is longer than " + std::to_string(kMaxCharMapFileBytes >> 10) + " KiB.");
  }
  return ParseCharMapText(file->bytes, path);
}
