// Loads the TextureImage named in the Path field and reports why when it cannot.
#include "color/texture_image.h"

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"

namespace {

// The path buffer of the Path field: at most 255 bytes count.
constexpr int kPathBuffer = 256;

std::nullopt_t Fail(Dialog& dlg, const char* text) {
  dlg.host.MessageBox(text, "Error", MessageIcon::kWarning);
  return std::nullopt;
}

}  // namespace

std::optional<TextureImage> LoadTextureImage(Dialog& dlg) {
  const std::string path = ReadText(dlg, kIdTexturePath, kPathBuffer);

  const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path.c_str());
  if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format)) {
    return Fail(dlg, "Unknown Image Format of the font image!");
  }

  BitmapHandle loaded(FreeImage_Load(format, path.c_str(), 0));
  if (!loaded) return Fail(dlg, "Could not load the font image file!");

  // The loaded image is let go as soon as its 32-bit copy exists.
  BitmapHandle converted(FreeImage_ConvertTo32Bits(loaded.get()));
  loaded.reset();
  if (!converted) return Fail(dlg, "Could not convert the font image to 32 bits!");

  const unsigned width = FreeImage_GetWidth(converted.get());
  const unsigned height = FreeImage_GetHeight(converted.get());
  // The fillers take texel positions modulo the size: it must not be 0.
  if (width == 0 || height == 0) return Fail(dlg, "The font image is empty!");

  TextureImage texture;
  texture.bitmap = std::move(converted);
  texture.width = static_cast<int>(width);
  texture.height = static_cast<int>(height);
  return texture;
}
