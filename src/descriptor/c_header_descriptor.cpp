// The C header of 1-bit cells, and the identifiers it is named with.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "base/sheet_modes.h"
#include "descriptor/descriptors.h"

namespace {

// C99 to C23 and C++ up to C++20 keywords and alternative tokens, lower case (a name that
// starts with "_" is never used as it is).
constexpr std::string_view kKeywords[] = {
    "alignas",
    "alignof",
    "and",
    "and_eq",
    "asm",
    "auto",
    "bitand",
    "bitor",
    "bool",
    "break",
    "case",
    "catch",
    "char",
    "char8_t",
    "char16_t",
    "char32_t",
    "class",
    "co_await",
    "co_return",
    "co_yield",
    "compl",
    "concept",
    "const",
    "const_cast",
    "consteval",
    "constexpr",
    "constinit",
    "continue",
    "decltype",
    "default",
    "delete",
    "do",
    "double",
    "dynamic_cast",
    "else",
    "enum",
    "explicit",
    "export",
    "extern",
    "false",
    "float",
    "for",
    "friend",
    "goto",
    "if",
    "inline",
    "int",
    "long",
    "mutable",
    "namespace",
    "new",
    "noexcept",
    "not",
    "not_eq",
    "nullptr",
    "operator",
    "or",
    "or_eq",
    "private",
    "protected",
    "public",
    "register",
    "reinterpret_cast",
    "requires",
    "restrict",
    "return",
    "short",
    "signed",
    "sizeof",
    "static",
    "static_assert",
    "static_cast",
    "struct",
    "switch",
    "template",
    "this",
    "thread_local",
    "throw",
    "true",
    "try",
    "typedef",
    "typeid",
    "typename",
    "typeof",
    "typeof_unqual",
    "union",
    "unsigned",
    "using",
    "virtual",
    "void",
    "volatile",
    "wchar_t",
    "while",
    "xor",
    "xor_eq",
};

bool IsAsciiAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsLowerHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

bool IsKeyword(std::string_view id) {
  return std::find(std::begin(kKeywords), std::end(kKeywords), id) != std::end(kKeywords);
}

// Whether id ends in "_" and 8 lowercase hex digits, the ending of a hashed prefix.
bool EndsLikeHashed(std::string_view id) {
  if (id.size() < 9 || id[id.size() - 9] != '_') return false;
  return std::all_of(id.end() - 8, id.end(), IsLowerHex);
}

// A name that serves as its own prefix: letters and digits with single "_" between
// them, starting with a letter, no keyword, and not in the form of a hashed prefix.
bool IsPlainIdentifier(std::string_view name) {
  if (name.empty() || !IsAsciiLetter(name[0]) || name.back() == '_') return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '_' ? name[i - 1] == '_' : !IsAsciiAlnum(name[i])) return false;
  }
  return !IsKeyword(name) && !EndsLikeHashed(name);
}

// 32-bit FNV-1a of the name's bytes, as 8 lowercase hex digits.
std::string NameHash(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out(8, '0');
  for (int i = 7; i >= 0; --i, hash >>= 4) out[i] = kHex[hash & 0xF];
  return out;
}

void AppendDefine(std::string& out, const std::string& prefix, std::string_view name,
                  long long value) {
  out += "#define " + prefix + "_";
  out += name;
  out += ' ';
  out += std::to_string(value);
  out += '\n';
}

}  // namespace

std::string CIdentifier(std::string_view baseName) {
  if (IsPlainIdentifier(baseName)) return std::string(baseName);
  // The name's letters and digits, "_" for each run of anything else (a UTF-8 sequence
  // counts as one), none at either end.
  std::string id;
  bool gap = false;
  for (char c : baseName) {
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
    if (!IsAsciiAlnum(c)) {
      gap = true;
      continue;
    }
    if (gap && !id.empty()) id += '_';
    gap = false;
    id += c;
  }
  if (id.empty() || (id[0] >= '0' && id[0] <= '9')) id.insert(0, id.empty() ? "sheet" : "sheet_");
  return id + "_" + NameHash(baseName);
}

std::string CHeaderDescriptor(const SheetDescription& sheet, std::string_view baseName,
                              int threshold) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string id = CIdentifier(baseName);
  const std::string& macro = id;  // case kept, so that "ab" and "AB" stay apart
  const int cellW = sheet.cellPx.widthPx;
  const int cellH = sheet.cellPx.heightPx;
  const int rowBytes = (cellW + 7) / 8;
  // Every page's cells, one after another: cell i is the map's cell i.
  const int cellCount = sheet.grid.columns * sheet.grid.rows * PageCount(sheet);

  std::vector<char32_t> codePoints(static_cast<std::size_t>(cellCount), 0);
  const std::vector<int> repeatOf = RepeatOf(sheet);
  for (std::size_t i = 0; i < sheet.cells.size(); ++i) {
    const int cell = sheet.cells[i];
    if (repeatOf[i] < 0 && cell >= 0 && cell < cellCount &&
        cell < static_cast<int>(sheet.mapCells.size())) {
      codePoints[cell] = sheet.mapCells[cell];
    }
  }

  std::string out;
  out.reserve(1024 + static_cast<std::size_t>(cellCount) * (24 + cellH * (2 + rowBytes * 6)));
  out += "/* 1-bit cells of a glyphex sheet: cell i is " + macro + "_CELL_BYTES bytes from i * " +
         macro +
         "_CELL_BYTES, one row after another from the top, most significant bit leftmost. */\n";
  out += "#ifndef " + macro + "_H\n#define " + macro + "_H\n\n";
  AppendDefine(out, macro, "CELL_WIDTH", cellW);
  AppendDefine(out, macro, "CELL_HEIGHT", cellH);
  AppendDefine(out, macro, "COLUMNS", sheet.grid.columns);
  AppendDefine(out, macro, "ROWS", sheet.grid.rows);
  if (PageCount(sheet) > 1) AppendDefine(out, macro, "PAGES", PageCount(sheet));
  AppendDefine(out, macro, "CELL_COUNT", cellCount);
  AppendDefine(out, macro, "ROW_BYTES", rowBytes);
  AppendDefine(out, macro, "CELL_BYTES", static_cast<long long>(rowBytes) * cellH);

  out += "\nstatic const unsigned char " + id + "_bits[" + macro + "_CELL_COUNT * " + macro +
         "_CELL_BYTES] = {\n";
  std::string line;  // one row: a space, then " 0xHH," per byte
  for (int cell = 0; cell < cellCount; ++cell) {
    out += "  /* ";
    out += std::to_string(cell);
    out += " */\n";
    const CellPlace place = PlaceOfCell(sheet, cell);
    const PixelSurface* cov = place.coverage;
    const int x0 = place.x;
    const int y0 = place.y;
    // The part of each row that lies on the sheet; the rest reads as clear.
    const int columns = cov ? std::clamp(cov->width - x0, 0, cellW) : 0;
    for (int y = y0; y < y0 + cellH; ++y) {
      const std::uint8_t* row =
          cov && y < cov->height && columns > 0
              ? cov->pixels.data() + static_cast<std::size_t>(y) * cov->width + x0
              : nullptr;
      line.assign(1 + 6 * static_cast<std::size_t>(rowBytes), ' ');
      char* text = line.data() + 1;
      for (int b = 0; b < rowBytes; ++b, text += 6) {
        unsigned byte = 0;
        const int end = row ? std::min(8, columns - b * 8) : 0;
        for (int bit = 0; bit < end; ++bit) {
          if (MonoBit(row[b * 8 + bit], threshold)) byte |= 0x80u >> bit;
        }
        text[1] = '0';
        text[2] = 'x';
        text[3] = kHex[byte >> 4];
        text[4] = kHex[byte & 0xF];
        text[5] = ',';
      }
      out += line;
      out += '\n';
    }
  }
  out += "};\n\n";

  out +=
      "/* The code point each cell holds; 0 where it exports no character, or one that an "
      "earlier cell holds. */\n";
  out += "static const unsigned long " + id + "_code_points[" + macro + "_CELL_COUNT] = {";
  for (int cell = 0; cell < cellCount; ++cell) {
    out += cell % 8 == 0 ? "\n " : "";
    out += ' ';
    out += std::to_string(static_cast<unsigned long>(codePoints[cell]));
    out += ',';
  }
  out += "\n};\n\n#endif\n";
  return out;
}
