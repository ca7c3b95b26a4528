// Loading FreeImage at run time and resolving its functions once.
#include "image/freeimage_library.h"

#include <dlfcn.h>

#include "base/status.h"

namespace {

struct LoadedLibrary {
  FreeImageLibrary library;
  std::string error;
  bool loaded = false;
};

const LoadedLibrary& TheLibrary() {
  static const LoadedLibrary loaded = [] {
    LoadedLibrary result;
    result.loaded = LoadFreeImageLibrary(kFreeImageSoname, result.library, result.error) == kOk;
    return result;
  }();
  return loaded;
}

}  // namespace

int LoadFreeImageLibrary(const char* soname, FreeImageLibrary& library, std::string& error) {
  // Loaded now and for good: a library whose pointers are kept must never be closed.
  void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    error = why ? why : soname;
    return kFailed;
  }
  FreeImageLibrary resolved;
  bool complete = true;
#define GLYPHEX_FREEIMAGE_RESOLVE(name)                                                           \
  if (complete) {                                                                                 \
    resolved.name = reinterpret_cast<decltype(resolved.name)>(dlsym(handle, "FreeImage_" #name)); \
    if (resolved.name == nullptr) {                                                               \
      error = std::string(soname) + " has no function FreeImage_" #name;                          \
      complete = false;                                                                           \
    }                                                                                             \
  }
  GLYPHEX_FREEIMAGE_FUNCTIONS(GLYPHEX_FREEIMAGE_RESOLVE)
#undef GLYPHEX_FREEIMAGE_RESOLVE
  if (!complete) {
    dlclose(handle);
    return kFailed;
  }
  library = resolved;
  return kOk;
}

const FreeImageLibrary* OpenFreeImage() {
  const LoadedLibrary& loaded = TheLibrary();
  return loaded.loaded ? &loaded.library : nullptr;
}

int RequireFreeImage(MessageSink& sink) {
  const LoadedLibrary& loaded = TheLibrary();
  if (loaded.loaded) return kOk;
  sink.Show("Could not load the image library!\n" + loaded.error, "Error", MessageIcon::kWarning);
  return kFailed;
}
