// The 8-bit character set of the sheet's codes: Windows-1252.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The Unicode character of byte code (the five undefined bytes pass through).
char32_t Cp1252ToUnicode(std::uint8_t code);

// The byte of ch, or -1 when Windows-1252 cannot hold it.
int UnicodeToCp1252(char32_t ch);

// UTF-8 text as Windows-1252 bytes; characters the set cannot hold are dropped.
std::string Utf8ToCp1252(std::string_view utf8);

// Windows-1252 bytes as UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);

// Appends the UTF-8 encoding of cp (a Unicode scalar value) to out.
void AppendUtf8(std::string& out, char32_t cp);

// Decodes UTF-8 into code points; an invalid sequence gives U+FFFD per byte.
std::u32string DecodeUtf8(std::string_view utf8);

// True when text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// The longest prefix of text of at most maxBytes bytes that does not cut a UTF-8
// sequence in half.
std::string_view CutUtf8(std::string_view text, std::size_t maxBytes);
