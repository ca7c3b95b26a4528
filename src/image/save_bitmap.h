// Writing an image file without ever leaving a broken one behind.
#pragma once

#include <FreeImage.h>

#include <string>

#include "image/bitmap32.h"
#include "image/encode_status.h"
#include "image/gray_image.h"

// Encodes bitmap in format fif in memory and writes it to path with WriteFileReplacing,
// so that every byte is checked and a failed save leaves an existing file at path
// intact. A failure says why: the encoding's reason, or the save's (WriteFileReplacing).
//
// A Bitmap32 is written as an RGBA PNG by our own writer, and in the other formats by
// the image library (opened then). A FreeImage bitmap is written by the image library
// in every format.
Status SaveBitmapReplacing(Bitmap32* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path);
Status SaveBitmapReplacing(FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path);

// The bytes of the file SaveBitmapReplacing would write, in out. Fails for want of
// memory (IsNoMemory), or with the reason the format or the image library refused.
Status EncodeBitmap(Bitmap32* bitmap, FREE_IMAGE_FORMAT fif, std::string& out);

// As EncodeBitmap, for a bitmap whose alpha is meant to be seen: a BMP gets a
// BITMAPV5HEADER with an alpha mask (EncodeAlphaBmp).
Status EncodeAlphaBitmap(Bitmap32* bitmap, FREE_IMAGE_FORMAT fif, std::string& out);

// The bytes of a gray image's file, in out: PNG as gray of depth bits a pixel by our
// own writer; TGA, which has no 1-bit form, always as 8-bit grayscale by our own
// encoder (a 1-bit image then holds 0 and 255); the other formats by the image
// library, from an 8-bit bitmap with a gray palette or a 1-bit bitmap with a black and
// a white entry. Fails as EncodeBitmap does.
Status EncodeGrayImage(const GrayImage& image, GrayDepth depth, FREE_IMAGE_FORMAT fif,
                       std::string& out);
