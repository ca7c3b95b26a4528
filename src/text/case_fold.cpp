// Case-insensitive comparison of UTF-8 names.
#include "text/case_fold.h"

#include <algorithm>

#include "text/windows1252.h"

char32_t FoldCase(char32_t ch) {
  if (ch >= U'A' && ch <= U'Z') return ch + 32;
  // Latin-1 capitals À..Þ except the multiplication sign.
  if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) return ch + 32;
  return ch;
}

namespace {

int CompareFolded(const std::u32string& a, const std::u32string& b, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    const char32_t x = FoldCase(a[i]);
    const char32_t y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

}  // namespace

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  const std::u32string x = DecodeUtf8(a);
  const std::u32string y = DecodeUtf8(b);
  if (int c = CompareFolded(x, y, std::min(x.size(), y.size()))) return c;
  if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
  return a.compare(b);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  const std::u32string t = DecodeUtf8(text);
  const std::u32string p = DecodeUtf8(prefix);
  return p.size() <= t.size() && CompareFolded(t, p, p.size()) == 0;
}
