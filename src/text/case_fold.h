// Comparing names ignoring case, as the font list sorts and searches them.
#pragma once

#include <string_view>

// Folds ASCII and Latin-1 letters to lower case; other characters stay as they are.
char32_t FoldCase(char32_t ch);

// Compares two UTF-8 texts character by character with folded case; ties fall back to
// the plain bytes so that the order is total. Negative, zero or positive.
int CompareIgnoringCase(std::string_view a, std::string_view b);

// True when text begins with prefix, ignoring case.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// True when a and b are the same text ignoring case.
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return StartsWithIgnoringCase(a, b) && StartsWithIgnoringCase(b, a);
}
