// Encoding a 32-bit sheet with straight alpha as a BMP that says it has alpha.
//
// The image library writes 32-bit BMPs with a BITMAPINFOHEADER, where the fourth byte of
// each pixel is reserved: most readers (Pillow among them) then take the file for RGB.
// A BITMAPV5HEADER with BI_BITFIELDS names a mask for each channel, alpha included.
#pragma once

#include <string>

#include "image/bitmap32.h"
#include "image/encode_status.h"

// The bitmap as a BMP with a BITMAPV5HEADER: 32 bits a pixel, BI_BITFIELDS with the masks
// 0x00FF0000 (red), 0x0000FF00 (green), 0x000000FF (blue) and 0xFF000000 (alpha), sRGB,
// 72 dpi as the image library writes, rows bottom up. Fails for want of memory
// (IsNoMemory), or for a bitmap whose file would pass 4 GiB.
Status EncodeAlphaBmp(const Bitmap32* bitmap, std::string& out);
