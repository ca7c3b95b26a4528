// Font files read through the one descriptor that was checked.
#include "text/font_source.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Reads count bytes at offset from fd, as many as there are.
unsigned long ReadAt(int fd, std::uint64_t offset, unsigned char* buffer, unsigned long count) {
  unsigned long got = 0;
  while (got < count) {
    const ssize_t n = pread(fd, buffer + got, count - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<unsigned long>(n);
  }
  return got;
}

// The block of the file that starts at offset (a multiple of the block size), kept or
// read now over the least recently used one. A block read short of what the file was
// said to hold there serves this read but is not kept, so that the next read tries again.
const FontStreamBlock& BlockAt(FontStream& font, std::uint64_t offset) {
  FontStreamBlock* pick = &font.blocks[0];
  for (FontStreamBlock& block : font.blocks) {
    if (block.lastUse != 0 && block.offset == offset) {
      block.lastUse = ++font.uses;
      return block;
    }
    if (block.lastUse < pick->lastUse) pick = &block;
  }
  pick->bytes.resize(kFontStreamBlockBytes);
  const unsigned long got =
      ReadAt(font.source->fd.get(), offset, pick->bytes.data(), kFontStreamBlockBytes);
  pick->bytes.resize(got);
  pick->offset = offset;
  const std::uint64_t size = font.stream.size;
  const std::uint64_t expected =
      offset < size ? std::min<std::uint64_t>(kFontStreamBlockBytes, size - offset) : 0;
  pick->lastUse = got == expected ? ++font.uses : 0;
  return *pick;
}

// FreeType's read call: count bytes at offset, or with count 0 a seek (0: success).
// Reads of less than a block go through the kept blocks; larger ones straight to the file.
unsigned long ReadStream(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                         unsigned long count) {
  if (count == 0) return offset <= stream->size ? 0 : 1;
  auto& font = *static_cast<FontStream*>(stream->descriptor.pointer);
  if (count >= kFontStreamBlockBytes) return ReadAt(font.source->fd.get(), offset, buffer, count);
  unsigned long got = 0;
  while (got < count) {
    const std::uint64_t at = std::uint64_t{offset} + got;
    const std::uint64_t start = at - at % kFontStreamBlockBytes;
    const FontStreamBlock& block = BlockAt(font, start);
    const std::uint64_t within = at - start;
    if (within >= block.bytes.size()) break;  // past the end of the file
    const unsigned long n = static_cast<unsigned long>(
        std::min<std::uint64_t>(count - got, block.bytes.size() - within));
    std::memcpy(buffer + got, block.bytes.data() + within, n);
    got += n;
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
  stream.descriptor.pointer = opened.stream.get();
  stream.read = ReadStream;

  FT_Open_Args args{};
  args.flags = FT_OPEN_STREAM;
  args.stream = &stream;
  FT_Face raw = nullptr;
  if (FT_Open_Face(library, &args, index, &raw) == 0) opened.face.reset(raw);
  return opened;
}
