// The C header of 1-bit cells, and the identifiers it is named with.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "base/sheet_modes.h"
#include "descriptor/descriptors.h"

namespace {

// C99 to C23 and C++ up to C++20 keywords and alternative tokens, lower case (a name that
// starts with "_" is prefixed anyway).
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

std::string Upper(std::string_view id) {
  std::string out(id);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
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
  std::string id;
  for (std::size_t i = 0; i < baseName.size(); ++i) {
    const char c = baseName[i];
    // A UTF-8 sequence counts once: its continuation bytes add nothing.
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
    const char next = IsAsciiAlnum(c) ? c : '_';
    if (next == '_' && !id.empty() && id.back() == '_') continue;
    id += next;
  }
  const bool keyword =
      std::find(std::begin(kKeywords), std::end(kKeywords), id) != std::end(kKeywords);
  if (id.empty() || (id[0] >= '0' && id[0] <= '9') || keyword) return "sheet_" + id;
  if (id[0] == '_') return "sheet" + id;
  return id;
}

std::string CHeaderDescriptor(const SheetDescription& sheet, std::string_view baseName,
                              int threshold) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string id = CIdentifier(baseName);
  const std::string macro = Upper(id);
  const int cellW = sheet.cellPx.widthPx;
  const int cellH = sheet.cellPx.heightPx;
  const int rowBytes = (cellW + 7) / 8;
  const int cellCount = sheet.grid.columns * sheet.grid.rows;

  std::vector<char32_t> codePoints(static_cast<std::size_t>(cellCount), 0);
  for (int cell : sheet.cells) {
    if (cell >= 0 && cell < cellCount && cell < static_cast<int>(sheet.mapCells.size())) {
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
  AppendDefine(out, macro, "CELL_COUNT", cellCount);
  AppendDefine(out, macro, "ROW_BYTES", rowBytes);
  AppendDefine(out, macro, "CELL_BYTES", static_cast<long long>(rowBytes) * cellH);

  out += "\nstatic const unsigned char " + id + "_bits[" + macro + "_CELL_COUNT * " + macro +
         "_CELL_BYTES] = {\n";
  const PixelSurface* cov = sheet.coverage;
  std::string line;  // one row: a space, then " 0xHH," per byte
  for (int cell = 0; cell < cellCount; ++cell) {
    out += "  /* ";
    out += std::to_string(cell);
    out += " */\n";
    const int x0 = CellColumn(cell, sheet.grid) * cellW;
    const int y0 = CellRow(cell, sheet.grid) * cellH;
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

  out += "/* The code point each cell holds; 0 where it exports no character. */\n";
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
