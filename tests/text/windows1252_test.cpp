// Windows-1252 mapping and the UTF-8 helpers.
#include "text/windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(TextWindows1252Test, MapsTheHighControlRangeAndPassesUndefinedBytes) {
  // The five bytes Windows-1252 leaves undefined stand for their C1 codes.
  for (std::uint8_t code : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(Cp1252ToUnicode(code), char32_t{code});
    EXPECT_EQ(UnicodeToCp1252(code), code);
  }
  // Spot values from the code page table.
  const struct {
    std::uint8_t code;
    char32_t ch;
  } rows[] = {{0x41, U'A'},   {0x80, 0x20AC}, {0x8A, 0x0160}, {0x92, 0x2019}, {0x99, 0x2122},
              {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE4, 0x00E4}, {0xFF, 0x00FF}, {0x00, 0x0000}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.code);
    EXPECT_EQ(Cp1252ToUnicode(row.code), row.ch);
  }
  // C1 codes that the table replaced, and characters beyond the set.
  for (char32_t ch :
       {char32_t{0x80}, char32_t{0x9F}, char32_t{0x0100}, char32_t{0x4E2D}, char32_t{0x1F600}}) {
    EXPECT_EQ(UnicodeToCp1252(ch), -1) << std::hex << static_cast<unsigned>(ch);
  }
}

TEST(TextWindows1252Test, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(static_cast<std::uint8_t>(code))), code);
    all += static_cast<char>(code);
  }
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

TEST(TextWindows1252Test, DropsWhatTheSetCannotHold) {
  // "ä€中x😀" keeps ä, € and x.
  EXPECT_EQ(Utf8ToCp1252("\xC3\xA4\xE2\x82\xAC\xE4\xB8\xAD"
                         "x\xF0\x9F\x98\x80"),
            "\xE4\x80x");
  // Malformed bytes are no characters either.
  EXPECT_EQ(Utf8ToCp1252("a\xFF"
                         "b\xC3"),
            "ab");
  EXPECT_EQ(Cp1252ToUtf8("\xE4\x80"), "\xC3\xA4\xE2\x82\xAC");
}

TEST(TextUtf8Test, DecodesAndRejectsMalformedSequences) {
  EXPECT_EQ(DecodeUtf8("A\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80"),
            (std::u32string{U'A', 0xE4, 0x20AC, 0x1F600}));
  // One U+FFFD per byte of a sequence that is not well formed.
  const struct {
    const char* text;
    std::size_t replaced;
  } bad[] = {
      {"\xC0\xAF", 2},          // overlong "/"
      {"\xE0\x80\xAF", 3},      // overlong, three bytes
      {"\xED\xA0\x80", 3},      // surrogate U+D800
      {"\xF4\x90\x80\x80", 4},  // beyond U+10FFFF
      {"\xE2\x82", 2},          // truncated
      {"\x80", 1},              // stray continuation
      {"\xFF", 1},
  };
  for (const auto& row : bad) {
    SCOPED_TRACE(row.text);
    EXPECT_FALSE(IsValidUtf8(row.text));
    EXPECT_EQ(DecodeUtf8(row.text), std::u32string(row.replaced, 0xFFFD));
  }
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBF\xF4\x8F\xBF\xBF"));

  std::string encoded;
  for (char32_t cp : {char32_t{0x7F}, char32_t{0x80}, char32_t{0x7FF}, char32_t{0x800},
                      char32_t{0xFFFF}, char32_t{0x10000}, char32_t{0x10FFFF}}) {
    AppendUtf8(encoded, cp);
  }
  EXPECT_EQ(DecodeUtf8(encoded),
            (std::u32string{0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF}));
}

TEST(TextUtf8Test, CutNeverSplitsASequence) {
  // 1, 2, 3 and 4 byte sequences in a row: every cut must land on a boundary and be
  // the longest such prefix.
  const std::string text = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80z";
  const std::size_t boundaries[] = {0, 1, 3, 6, 10, 11};
  for (std::size_t max = 0; max <= text.size() + 2; ++max) {
    SCOPED_TRACE(max);
    const std::string_view cut = CutUtf8(text, max);
    std::size_t expected = 0;
    for (std::size_t b : boundaries) {
      if (b <= max) expected = b;
    }
    if (max >= text.size()) expected = text.size();
    EXPECT_EQ(cut.size(), expected);
    EXPECT_TRUE(IsValidUtf8(cut));
    EXPECT_EQ(cut, std::string_view(text).substr(0, cut.size()));
  }
  // Stray continuation bytes are not a sequence: the cut stays where asked.
  EXPECT_EQ(CutUtf8("\x80\x80\x80\x80\x80", 3).size(), 3u);
}

}  // namespace
