// A font file opened once: the descriptor is checked to be a regular file, and
// FreeType and the name readers read the same bytes through it, never through the
// path again. A file swapped in at the path afterwards (a FIFO that would block
// every read, another font) is never read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

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

// FreeType's stream over a source: reads go to the descriptor by offset.
struct FontStream {
  FontSourcePtr source;
  FT_StreamRec stream{};
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
