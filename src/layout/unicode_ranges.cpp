// Parses code points and ranges of code points.
#include "layout/unicode_ranges.h"

#include "text/windows1252.h"

namespace {

constexpr std::string_view kRangeJoin = "..";
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;

// A bad token is quoted in its message up to this many bytes.
constexpr std::size_t kMaxQuotedTokenBytes = 40;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

}  // namespace

std::string QuoteToken(std::string_view token) {
  const std::string_view shown = CutUtf8(token, kMaxQuotedTokenBytes);
  std::string quoted = "\"";
  quoted.append(shown);
  if (shown.size() < token.size()) quoted += "...";
  quoted += '"';
  return quoted;
}

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

bool IsRangeToken(std::string_view token) {
  return token.find(kRangeJoin) != std::string_view::npos;
}

std::optional<CodePointRange> ParseRangeToken(std::string_view token, std::string& fault) {
  fault.clear();
  std::optional<char32_t> first;
  std::optional<char32_t> last;
  if (const std::size_t join = token.find(kRangeJoin); join != std::string_view::npos) {
    first = ParseCodePointToken(token.substr(0, join));
    last = ParseCodePointToken(token.substr(join + kRangeJoin.size()));
    if (!first || !last) {
      fault = QuoteToken(token) + " is not a range U+XXXX..U+YYYY.";
      return std::nullopt;
    }
  } else {
    first = last = ParseCodePointToken(token);
    if (!first) return std::nullopt;  // not a U+ token: the caller decides
  }
  if (*first > kLastCodePoint || *last > kLastCodePoint) {
    fault = QuoteToken(token) + " is not a Unicode character.";
    return std::nullopt;
  }
  if (*first > *last) {
    fault = QuoteToken(token) + " runs backwards.";
    return std::nullopt;
  }
  if (*first <= kLastSurrogate && *last >= kFirstSurrogate) {
    fault = QuoteToken(token) +
            (*first == *last ? " is not a Unicode character."
                             : " holds surrogates (U+D800..U+DFFF), which are not characters.");
    return std::nullopt;
  }
  return CodePointRange{.first = *first, .last = *last};
}

Result<std::vector<char32_t>> ParseUnicodeRanges(std::string_view text, int maxCells) {
  const auto fault = [&](const std::string& what) {
    return Failure("Bad Unicode ranges " + QuoteToken(text) + ": " + what);
  };
  std::vector<CodePointRange> ranges;
  long long cells = 0;
  std::size_t pos = 0;
  while (true) {
    const std::size_t comma = text.find(',', pos);
    const std::string_view entry =
        TrimSpaces(text.substr(pos, comma == std::string_view::npos ? text.npos : comma - pos));
    if (entry.empty()) return fault("an entry is empty; write U+XXXX or U+XXXX..U+YYYY.");
    std::string why;
    const std::optional<CodePointRange> range = ParseRangeToken(entry, why);
    if (!range) {
      return fault(why.empty() ? QuoteToken(entry) + " is neither U+XXXX nor U+XXXX..U+YYYY."
                               : why);
    }
    cells += RangeSize(*range);
    if (cells > maxCells) return fault("more than " + std::to_string(maxCells) + " characters.");
    ranges.push_back(*range);
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
  }
  std::vector<char32_t> out;
  out.reserve(static_cast<std::size_t>(cells));
  for (const CodePointRange& range : ranges) {
    for (char32_t c = range.first; c <= range.last; ++c) out.push_back(c);
  }
  return out;
}
