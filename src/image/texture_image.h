// The TextureImage of the image color modes: the file named in the Path field (1027),
// loaded once per run and converted to 32 bits per pixel.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/message_sink.h"
#include "base/status.h"
#include "image/bitmap_handle.h"
#include "image/image_decode.h"

struct TextureImage {
  BitmapHandle bitmap;  // 32 bits per pixel: blue, green, red, alpha; alpha is ignored
  int width = 0;        // TW, at least 1
  int height = 0;       // TH, at least 1
};

// The longest path the Path field holds (its buffer is 256 bytes with the terminator).
inline constexpr std::size_t kMaxTexturePathBytes = 255;

// The largest texture file read: an image of the largest allowed size at 4 bytes a
// pixel, uncompressed. A longer file is refused before it is decoded.
inline constexpr std::size_t kMaxTextureFileBytes = std::size_t{256} << 20;

// The Path field is read with room to spare (kTexturePathReadBuffer bytes), so that a
// path longer than the field holds is seen whole enough to be refused rather than cut
// (a cut never removes more than one UTF-8 sequence, at most 3 bytes, from the end).
inline constexpr int kTexturePathReadBuffer = 4096;

// Loads the texture at path. The path is UTF-8 and is opened as it is; the format comes
// from its extension. On failure it shows one message on sink (title "Error", warning
// icon) and returns nothing. In the order of the checks:
//   - a path longer than kMaxTexturePathBytes: "The font image path is too long!";
//   - the image library cannot be loaded: "Could not load the image library!";
//   - the name designates no format, or one FreeImage cannot read:
//     "Unknown Image Format of the font image!";
//   - the file cannot be opened, is not a regular file, cannot be read, is damaged, or
//     its format's size cannot be checked before decoding:
//     "Could not load the font image file!";
//   - the file is longer than kMaxTextureFileBytes: "The font image file is too large!";
//   - the header declares more than ImageLimits allows: "The font image is too large!";
//   - the image cannot be converted to 32 bits: "Could not convert the font image to 32 bits!";
//   - the image has no pixels: "The font image is empty!".
// Every message but the one about the format goes on with the path and the reason.
// Nothing of the file is read until it is known to be a regular file, so a FIFO never
// blocks; no pixel is allocated until the header's size has been checked.
// FreeImage is opened on the first call (see freeimage_library.h) and initializes itself
// when it is loaded.
std::optional<TextureImage> LoadTextureImage(const std::string& path, MessageSink& sink);

// The part of LoadTextureImage after the file has been read: decodes bytes as format,
// converts to 32 bits and checks the size. Shows nothing: a failure's message is the one
// LoadTextureImage shows, naming path (the file's name, used only there).
Result<TextureImage> DecodeTexture(FREE_IMAGE_FORMAT format, std::string_view bytes,
                                   const std::string& path, const ImageLimits& limits = {});

// The texel row v counted from the texture's top (scanline TH - 1 - v), 0 <= v < TH.
inline const std::uint8_t* TextureRow(const TextureImage& texture, int v) {
  return OpenedFreeImage().GetScanLine(texture.bitmap.get(), texture.height - 1 - v);
}
