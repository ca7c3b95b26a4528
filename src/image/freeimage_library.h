// FreeImage, opened with dlopen the first time a run needs it.
//
// FreeImage pulls in some twenty-five image libraries (OpenEXR, LibRaw, JPEG XR, WebP,
// TIFF, ...) whose relocation costs more at start-up than a whole sheet export. The
// sheet itself is our own 32-bit bitmap and PNG has its own writer, so only BMP, TGA
// and the other formats of the image library, texture loading and the format check of
// names other than .png open it. The header gives the types and the function
// signatures; nothing links against the library.
#pragma once

#include <FreeImage.h>

#include <string>

#include "base/message_sink.h"
#include "base/status.h"

// Every FreeImage function the program calls, without its FreeImage_ prefix.
// clang-format off
#define GLYPHEX_FREEIMAGE_FUNCTIONS(X)                                           \
  X(Allocate) X(Unload) X(GetScanLine) X(GetPalette) X(GetBPP) X(GetWidth) X(GetHeight)        \
  X(ConvertTo32Bits) X(GetFIFFromFilename) X(GetFormatFromFIF)                   \
  X(FIFSupportsReading) X(FIFSupportsWriting) X(FIFSupportsNoPixels)             \
  X(OpenMemory) X(CloseMemory) X(LoadFromMemory) X(SaveToHandle)
// clang-format on

// The resolved functions: member Allocate is FreeImage_Allocate, and so on.
struct FreeImageLibrary {
#define GLYPHEX_FREEIMAGE_MEMBER(name) decltype(&FreeImage_##name) name = nullptr;
  GLYPHEX_FREEIMAGE_FUNCTIONS(GLYPHEX_FREEIMAGE_MEMBER)
#undef GLYPHEX_FREEIMAGE_MEMBER
};

// The shared library's name: the ABI version the header describes.
inline constexpr char kFreeImageSoname[] = "libfreeimage.so.3";

// Opens soname and resolves every function of FreeImageLibrary into library, or fails
// with the loader's reason (the library is then closed again). The library stays loaded
// for the rest of the process once this succeeds; it initializes itself when it is
// loaded.
Status LoadFreeImageLibrary(const char* soname, FreeImageLibrary& library);

// libfreeimage.so.3, loaded on the first call (safe from any thread) and never again:
// later calls give the same answer. nullptr when it cannot be loaded.
const FreeImageLibrary* OpenFreeImage();

// The open library, for code that runs only after OpenFreeImage() has succeeded (or that
// holds a FreeImage bitmap, which only the library makes).
inline const FreeImageLibrary& OpenedFreeImage() {
  return *OpenFreeImage();
}

// Shows why OpenFreeImage() failed: "Could not load the image library!" with the
// loader's reason, title "Error", warning icon, and fails with that text. Success
// (showing nothing) when it is loaded.
Status RequireFreeImage(MessageSink& sink);
