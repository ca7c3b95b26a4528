// The OverflowReport: the LogBox text listing the characters still flagged after a
// run.
#pragma once

#include <string>

#include "color/overflow_flags.h"
#include "layout/charmap.h"

// Three headed lists of the flagged codes 1..255, ascending, each code as its raw
// Windows-1252 byte, lines ended by "\r\n"; an empty list reads "[none]". The last list
// has no line break after it:
//   "Too wide characters:\r\n" <codes> "\r\n"
//   "Too high characters:\r\n" <codes> "\r\n"
//   "Too wide and high characters:\r\n" <codes>
std::string BuildOverflowReport(const OverflowFlags& flags);

// For a character map other than Windows-1252, whose glyphs are cut rather than moved:
// each flagged cell, ascending, as its character in UTF-8, in the lists of the
// sides its ink was cut on (a cell may be in several):
//   "Too wide characters:\r\n" <cells> "\r\n"
//   "Too high characters:\r\n" <cells> "\r\n"
//   "Too low characters:\r\n" <cells>
std::string BuildOverflowReport(const OverflowFlags& flags, const CharMap& map);
