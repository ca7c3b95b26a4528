// Code points and ranges of code points as map tokens: "U+XXXX" and "U+XXXX..U+YYYY".
//
//   ParseCodePointToken  "U+" and 4 to 6 hex digits, or none
//   ParseRangeToken      one code point or a range, checked as characters
//   ParseUnicodeRanges   the comma-separated list of "unicode:RANGES"
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

// The code points first..last, both included (first == last for one code point).
struct CodePointRange {
  char32_t first = 0;
  char32_t last = 0;
};

// The value of "U+" and 4 to 6 hex digits of either case (not yet checked as a
// character), or none for any other text.
std::optional<char32_t> ParseCodePointToken(std::string_view token);

// Whether a token is written as a range: it holds "..".
bool IsRangeToken(std::string_view token);

// "U+XXXX" or "U+XXXX..U+YYYY" as the code points they stand for, checked: each end at
// most U+10FFFF, neither end nor anything between a surrogate (U+D800..U+DFFF), the
// range not reversed. None for other text; with fault set to why (quoting the token,
// without file or line) when the token is a U+ token or a range that is refused, left
// empty when it is neither.
std::optional<CodePointRange> ParseRangeToken(std::string_view token, std::string& fault);

// The number of code points in range.
inline int RangeSize(const CodePointRange& range) {
  return static_cast<int>(range.last - range.first) + 1;
}

// The cells of the text after "unicode:": comma-separated entries, each one code point
// or a range (ParseRangeToken; spaces around an entry are allowed), every code point of
// each range in order, at most maxCells in all. Fails with the message naming the text
// and the entry refused.
Result<std::vector<char32_t>> ParseUnicodeRanges(std::string_view text, int maxCells);

// A token quoted for a message: at most 40 bytes of it (never half a UTF-8 sequence),
// then "..." when cut.
std::string QuoteToken(std::string_view token);
