// Loading FreeImage at run time and resolving its functions once.
#include "image/freeimage_library.h"

#include <dlfcn.h>

#include "base/status.h"

namespace {

struct LoadedLibrary {
  FreeImageLibrary library;
  Status status;
};

const LoadedLibrary& TheLibrary() {
  static const LoadedLibrary loaded = [] {
    LoadedLibrary result;
    result.status = LoadFreeImageLibrary(kFreeImageSoname, result.library);
    return result;
  }();
  return loaded;
}

}  // namespace

Status LoadFreeImageLibrary(const char* soname, FreeImageLibrary& library) {
  // Loaded now and for good: a library whose pointers are kept must never be closed.
  void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    return Failure(why ? why : soname);
  }
  FreeImageLibrary resolved;
  std::string error;
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
    return Failure(error);
  }
  library = resolved;
  return {};
}

const FreeImageLibrary* OpenFreeImage() {
  const LoadedLibrary& loaded = TheLibrary();
  return loaded.status ? &loaded.library : nullptr;
}

Status RequireFreeImage(MessageSink& sink) {
  const LoadedLibrary& loaded = TheLibrary();
  if (loaded.status) return {};
  Status shown = Failure("Could not load the image library!\n" + loaded.status.message);
  sink.Show(shown.message, "Error", MessageIcon::kWarning);
  return shown;
}
