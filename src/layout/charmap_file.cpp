// Reads and checks a user character map file.
#include "layout/charmap_file.h"

#include <optional>

#include "fileio/read_regular_file.h"
#include "layout/unicode_ranges.h"
#include "text/windows1252.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

Status FileFault(const std::string& path, const std::string& what) {
  return Failure("Bad character map file \"" + path + "\": " + what);
}

Status LineFault(const std::string& path, int line, const std::string& what) {
  return Failure("Bad character map file \"" + path + "\", line " + std::to_string(line) + ": " +
                 what);
}

// The cells that token stands for, or the fault without file and line.
std::optional<CodePointRange> ParseToken(std::string_view token, std::string& fault) {
  if (!IsValidUtf8(token)) {
    fault = "the text is not valid UTF-8.";
    return std::nullopt;
  }
  if (std::optional<CodePointRange> range = ParseRangeToken(token, fault)) return range;
  if (!fault.empty()) return std::nullopt;
  const std::u32string decoded = DecodeUtf8(token);
  if (decoded.size() != 1) {
    fault = QuoteToken(token) + " is neither one character nor U+XXXX.";
    return std::nullopt;
  }
  return CodePointRange{.first = decoded[0], .last = decoded[0]};
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

    std::string fault;
    const std::optional<CodePointRange> range = ParseToken(token, fault);
    if (!range) return LineFault(path, line, fault);
    // Counted before the cells are made, so that a range never fills memory.
    if (static_cast<long long>(cells.size()) + RangeSize(*range) > kMaxMapCells) {
      return LineFault(path, line, "more than " + std::to_string(kMaxMapCells) + " characters.");
    }
    for (char32_t c = range->first; c <= range->last; ++c) cells.push_back(c);
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
