// Font files read through the one descriptor that was checked.
#include "text/font_source.h"

#include <unistd.h>

#include <cerrno>

namespace {

// FreeType's read call: count bytes at offset, or with count 0 a seek (0: success).
unsigned long ReadStream(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                         unsigned long count) {
  if (count == 0) return offset <= stream->size ? 0 : 1;
  const int fd = static_cast<int>(stream->descriptor.value);
  unsigned long got = 0;
  while (got < count) {
    const ssize_t n = pread(fd, buffer + got, count - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<unsigned long>(n);
  }
  return got;
}

}  // namespace

Result<FontSourcePtr> OpenFontSource(const std::string& path) {
  Result<OpenedFile> file = OpenRegularFile(path.c_str());
  if (!file) return file.status();
  auto source = std::make_shared<FontSource>();
  source->fd = std::move(file->fd);
  source->size = file->size;
  return FontSourcePtr(std::move(source));
}

std::uint32_t ReadSignature(const FontSource& source) {
  unsigned char bytes[4] = {};
  if (pread(source.fd.get(), bytes, sizeof bytes, 0) != sizeof bytes) return 0;
  return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
         static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

SourceFace OpenSourceFace(FT_Library library, const FontSourcePtr& source, long index) {
  SourceFace opened;
  if (library == nullptr || !source) return opened;
  opened.stream = std::make_unique<FontStream>();
  opened.stream->source = source;
  FT_StreamRec& stream = opened.stream->stream;
  stream.size = static_cast<unsigned long>(source->size);
  stream.descriptor.value = source->fd.get();
  stream.read = ReadStream;

  FT_Open_Args args{};
  args.flags = FT_OPEN_STREAM;
  args.stream = &stream;
  FT_Face raw = nullptr;
  if (FT_Open_Face(library, &args, index, &raw) == 0) opened.face.reset(raw);
  return opened;
}
