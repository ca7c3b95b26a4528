// A font file opened once: the descriptor is checked to be a regular file, and
// FreeType and the name readers read the same bytes through it, never through the
// path again. A file swapped in at the path afterwards (a FIFO that would block
// every read, another font) is never read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fileio/file_handle.h"
#include "fileio/read_regular_file.h"
#include "text/ft_handles.h"

struct FontSource {
  FileDescriptor fd;       // a regular file, open for reading
  std::uint64_t size = 0;  // bytes when it was opened: what FreeType is told
};
using FontSourcePtr = std::shared_ptr<const FontSource>;

// Opens the font file at path without blocking. A failure says why as OpenRegularFile
// does: the file cannot be opened (with its errno), or is not a regular file. Never null.
Result<FontSourcePtr> OpenFontSource(const std::string& path);

// The first four bytes, big-endian; 0 when the file is shorter.
std::uint32_t ReadSignature(const FontSource& source);

// A piece of a font file kept in memory: FreeType reads a face in many small pieces
// (a CFF glyph's charstring, its subroutines, index entries), which would otherwise
// cost a system call each.
struct FontStreamBlock {
  std::uint64_t offset = 0;          // a multiple of kFontStreamBlockBytes
  std::vector<unsigned char> bytes;  // what the file held there; shorter at its end
  std::uint64_t lastUse = 0;         // 0: unused
};
inline constexpr std::size_t kFontStreamBlockBytes = 16 * 1024;
inline constexpr std::size_t kFontStreamBlocks = 8;

// FreeType's stream over a source: reads go to the descriptor by offset, through a few
// blocks kept from earlier reads (the least recently used is read over).
struct FontStream {
  FontSourcePtr source;
  FT_StreamRec stream{};
  std::array<FontStreamBlock, kFontStreamBlocks> blocks;
  std::uint64_t uses = 0;
};

// A face and the stream it reads; the stream is declared first, so that it outlives
// the face.
struct SourceFace {
  std::unique_ptr<FontStream> stream;
  FtFacePtr face;
};

// Opens face index of source with FreeType (index -1 only counts the faces, in
// num_faces). face is null when FreeType cannot read it.
SourceFace OpenSourceFace(FT_Library library, const FontSourcePtr& source, long index);
