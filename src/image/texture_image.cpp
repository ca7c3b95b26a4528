// Loads the TextureImage named in the Path field and reports why when it cannot.
#include "image/texture_image.h"

#include <string>

#include "base/status.h"
#include "fileio/read_regular_file.h"
#include "image/freeimage_library.h"
#include "image/image_decode.h"

namespace {

std::nullopt_t Fail(MessageSink& sink, const std::string& text) {
  sink.Show(text, "Error", MessageIcon::kWarning);
  return std::nullopt;
}

std::string Size(std::uint64_t width, std::uint64_t height) {
  return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

}  // namespace

Result<TextureImage> DecodeTexture(FREE_IMAGE_FORMAT format, std::string_view bytes,
                                   const std::string& path, const ImageLimits& limits) {
  Result<BitmapHandle> decoded = DecodeImage(format, bytes, limits);
  if (!decoded) {
    const char* headline = decoded.status().error == kImageTooLarge
                               ? "The font image is too large!\n"
                               : "Could not load the font image file!\n";
    return Failure(headline + path + "\n" + decoded.message());
  }

  // The decoded image is let go as soon as its 32-bit copy exists.
  BitmapHandle converted(OpenedFreeImage().ConvertTo32Bits(decoded->get()));
  decoded->reset();
  if (!converted) {
    return Failure("Could not convert the font image to 32 bits!\n" + path +
                   "\nIts pixel type has no 32-bit conversion.");
  }

  const unsigned width = OpenedFreeImage().GetWidth(converted.get());
  const unsigned height = OpenedFreeImage().GetHeight(converted.get());
  // The fillers take texel positions modulo the size: it must not be 0.
  if (width == 0 || height == 0) {
    return Failure("The font image is empty!\n" + path + "\nIt is " + Size(width, height) + ".");
  }

  TextureImage texture;
  texture.bitmap = std::move(converted);
  texture.width = static_cast<int>(width);
  texture.height = static_cast<int>(height);
  return texture;
}

std::optional<TextureImage> LoadTextureImage(const std::string& path, MessageSink& sink) {
  if (path.size() > kMaxTexturePathBytes) {
    return Fail(sink, "The font image path is too long!\nThe Path field holds at most " +
                          std::to_string(kMaxTexturePathBytes) + " bytes.");
  }

  if (!RequireFreeImage(sink)) return std::nullopt;
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

  Result<TextureImage> decoded = DecodeTexture(format, file->bytes, path);
  if (!decoded) return Fail(sink, decoded.message());
  return std::move(*decoded);
}
