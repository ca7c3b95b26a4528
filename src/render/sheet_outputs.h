// A rendered sheet as each output kind: the colored sheet with straight alpha, the
// coverage as gray, the 1-bit sheet and the distance field. Each is made from the sheet's coverage,
// which trimming has already cleared where it painted over, so every kind lights the same pixels as
// the colored sheet.
#pragma once

#include <FreeImage.h>

#include <string>
#include <string_view>

#include "image/bitmap32.h"
#include "image/encode_status.h"
#include "image/gray_image.h"
#include "render/sheet_pipeline.h"

// The colored sheet with each pixel's alpha set to its coverage: a lit pixel keeps its
// color and gets alpha 1..255, an unlit one alpha 0 and the color of the nearest lit
// pixel of its cell (city-block distance; the sheet's top color in a cell with none), so
// that filtering between pixels never pulls in the background. Empty when the sizes
// disagree or memory runs out.
Bitmap32Handle AlphaSheet(const Sheet& sheet);

// The coverage, 0 where unlit.
GrayImage GraySheet(const Sheet& sheet);

// 255 where MonoBit(coverage, threshold) holds, else 0.
GrayImage MonoSheet(const Sheet& sheet, int threshold);

// The distance field (Sheet::distance), empty when it is not the sheet's size.
GrayImage DistanceSheet(const Sheet& sheet);

// The bytes of the sheet's file, as its output kind in the format fif, in out; a failure
// that IsNoMemory names when any of the sheet-sized buffers on the way cannot be had.
Status EncodeSheetKind(const Sheet& sheet, FREE_IMAGE_FORMAT fif, std::string& out);

// How EncodeSheetKind writes kind in format fif, for people: "32-bit color", "32-bit
// with alpha", "8-bit gray", "1-bit" (TGA has no 1-bit form: "8-bit black and white"),
// "8-bit distance field".
std::string_view WrittenDepth(OutputKind kind, FREE_IMAGE_FORMAT fif);
