// Loads the TextureImage named in the Path field and reports why when it cannot.
#include "image/texture_image.h"

#include <string>

#include "base/status.h"
#include "fileio/read_regular_file.h"
#include "image/freeimage_library.h"
#include "image/image_decode.h"
#include "image/stb_decode.h"

namespace {

std::nullopt_t Fail(MessageSink& sink, const std::string& text) {
  sink.Show(text, "Error", MessageIcon::kWarning);
  return std::nullopt;
}

std::string Size(std::uint64_t width, std::uint64_t height) {
  return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// The message for a texture that its bytes could not make.
std::string DecodeFailure(const TextureDecode& decoded, FREE_IMAGE_FORMAT format,
                          std::string_view bytes, const std::string& path) {
  const std::string formatName = OpenedFreeImage().GetFormatFromFIF(format);
  const ImageLimits limits;
  switch (decoded.fault) {
    case TextureFault::kTooLarge:
      return "The font image is too large!\n" + path + "\nIt is " +
             Size(decoded.width, decoded.height) + "; at most " + std::to_string(limits.maxSide) +
             " pixels a side and " + std::to_string(limits.maxPixels) +
             " pixels in all are loaded.";
    case TextureFault::kSizeNotCheckable:
      return "Could not load the font image file!\n" + path + "\nThe size of " + formatName +
             " images cannot be checked before they are decoded, so they are not loaded.";
    case TextureFault::kNotConvertible:
      return "Could not convert the font image to 32 bits!\n" + path +
             "\nIts pixel type has no 32-bit conversion.";
    case TextureFault::kEmpty:
      return "The font image is empty!\n" + path + "\nIt is " +
             Size(decoded.width, decoded.height) + ".";
    case TextureFault::kUndecodable:
    case TextureFault::kNone:
      break;
  }
  const char* decoders = !StbDecodes(format, bytes) ? "FreeImage"
                         : FreeImageDecodes(format) ? "FreeImage or stb_image"
                                                    : "stb_image";
  return "Could not load the font image file!\n" + path + "\nIt is damaged, or not a " +
         formatName + " image that " + decoders + " can read.";
}

}  // namespace

TextureDecode DecodeTexture(FREE_IMAGE_FORMAT format, std::string_view bytes,
                            const ImageLimits& limits) {
  TextureDecode result;
  DecodedImage decoded = DecodeImage(format, bytes, limits);
  switch (decoded.status) {
    case DecodeStatus::kDecoded:
      break;
    case DecodeStatus::kTooLarge:
      result.fault = TextureFault::kTooLarge;
      result.width = decoded.width;
      result.height = decoded.height;
      return result;
    case DecodeStatus::kSizeNotCheckable:
      result.fault = TextureFault::kSizeNotCheckable;
      return result;
    case DecodeStatus::kRefused:
      result.fault = TextureFault::kUndecodable;
      return result;
  }

  // The decoded image is let go as soon as its 32-bit copy exists.
  BitmapHandle converted(OpenedFreeImage().ConvertTo32Bits(decoded.bitmap.get()));
  decoded.bitmap.reset();
  if (!converted) {
    result.fault = TextureFault::kNotConvertible;
    return result;
  }

  const unsigned width = OpenedFreeImage().GetWidth(converted.get());
  const unsigned height = OpenedFreeImage().GetHeight(converted.get());
  // The fillers take texel positions modulo the size: it must not be 0.
  if (width == 0 || height == 0) {
    result.fault = TextureFault::kEmpty;
    result.width = width;
    result.height = height;
    return result;
  }

  TextureImage texture;
  texture.bitmap = std::move(converted);
  texture.width = static_cast<int>(width);
  texture.height = static_cast<int>(height);
  result.texture = std::move(texture);
  return result;
}

std::optional<TextureImage> LoadTextureImage(const std::string& path, MessageSink& sink) {
  if (path.size() > kMaxTexturePathBytes) {
    return Fail(sink, "The font image path is too long!\nThe Path field holds at most " +
                          std::to_string(kMaxTexturePathBytes) + " bytes.");
  }

  if (RequireFreeImage(sink) != kOk) return std::nullopt;
  const FREE_IMAGE_FORMAT format = OpenedFreeImage().GetFIFFromFilename(path.c_str());
  if (format == FIF_UNKNOWN || !OpenedFreeImage().FIFSupportsReading(format)) {
    return Fail(sink, "Unknown Image Format of the font image!");
  }

  // The file is read whole, once, and decoded from memory.
  const Result<FileRead> file = ReadRegularFile(path.c_str(), kMaxTextureFileBytes);
  if (!file)
    return Fail(sink, "Could not load the font image file!\n" + path + "\n" + file.message());
  if (file->beyondLimit) {
    return Fail(sink, "The font image file is too large!\n" + path + "\nIt is longer than " +
                          std::to_string(kMaxTextureFileBytes >> 20) + " MiB.");
  }

  TextureDecode decoded = DecodeTexture(format, file->bytes);
  if (!decoded.texture) return Fail(sink, DecodeFailure(decoded, format, file->bytes, path));
  return std::move(decoded.texture);
}
