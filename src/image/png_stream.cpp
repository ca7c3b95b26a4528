// PNG framing around a zlib stream made by libdeflate.
#include "image/png_stream.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr std::uint32_t kLargestDimension = 0x7FFFFFFF;
// IDAT chunks hold at most this many bytes each, far below the format's 2^31 - 1 limit.
constexpr std::size_t kIdatChunkBytes = std::size_t{1} << 20;
// Each row goes in as its difference from the row above.
constexpr std::uint8_t kFilterUp = 2;
// Sheets are mostly flat color, and their Up-filtered rows mostly zeros, which the
// fastest level already packs well; higher levels cost several times the work.
constexpr int kCompressionLevel = 1;
// Filtered images up to this size are compressed whole by libdeflate, as they always
// were; a larger one (a sheet of hundreds of megabytes) is streamed through zlib a row
// at a time, so that encoding it costs two rows and the compressor's state rather than
// a copy of the sheet.
constexpr std::size_t kWholeImageBytes = std::size_t{16} << 20;

struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

void AppendBigEndian(std::string& out, std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                         static_cast<char>(value >> 8), static_cast<char>(value)};
  out.append(bytes, 4);
}

void AppendChunk(std::string& out, const char type[4], const std::uint8_t* data,
                 std::size_t length) {
  AppendBigEndian(out, static_cast<std::uint32_t>(length));
  const std::size_t typeAt = out.size();
  out.append(type, 4);
  if (length > 0) out.append(reinterpret_cast<const char*>(data), length);
  const std::uint32_t crc = libdeflate_crc32(0, out.data() + typeAt, out.size() - typeAt);
  AppendBigEndian(out, crc);
}

// Buffers the compressor reads and writes: every byte is written before it is read, so
// they are left uninitialized, and their untouched pages are never faulted in.
std::unique_ptr<std::uint8_t[]> Uninitialized(std::size_t bytes) {
  return std::unique_ptr<std::uint8_t[]>(new std::uint8_t[bytes]);
}

void AppendSignatureAndHeader(const PngHeader& header, std::string& out) {
  static const char kSignature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1A', '\n'};
  out.append(kSignature, 8);
  std::uint8_t ihdr[13] = {};
  for (int i = 0; i < 4; ++i) {
    ihdr[i] = static_cast<std::uint8_t>(header.width >> (24 - 8 * i));
    ihdr[4 + i] = static_cast<std::uint8_t>(header.height >> (24 - 8 * i));
  }
  ihdr[8] = header.bitDepth;
  ihdr[9] = header.colorType;  // compression, filter method and interlacing stay 0
  AppendChunk(out, "IHDR", ihdr, sizeof ihdr);
}

struct DeflateStreamEnd {
  void operator()(z_stream* z) const { deflateEnd(z); }
};

// The same filter, one row at a time, through zlib's stream, each full output buffer
// framed as an IDAT chunk as soon as it is full.
Status EncodeStreamed(const PngHeader& header, std::size_t rowBytes, const PngRowFiller& fillRow,
                      std::string& out) {
  const std::size_t stride = rowBytes + 1;
  const std::unique_ptr<std::uint8_t[]> rows = Uninitialized(3 * stride);
  std::uint8_t* above = rows.get();        // the row above, unfiltered
  std::uint8_t* current = above + stride;  // this row, unfiltered
  std::uint8_t* filtered = current + stride;
  const std::unique_ptr<std::uint8_t[]> chunk = Uninitialized(kIdatChunkBytes);

  z_stream z{};
  // Up-filtered sheet rows are mostly runs of zeros: run-length matching packs them
  // tighter than zlib's fastest level (1.1 MB against 4.7 MB for the 16384 x 16384 sheet
  // of 256 cells) in the same time.
  if (deflateInit2(&z, kCompressionLevel, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) {
    return NoMemoryFailure();
  }
  const std::unique_ptr<z_stream, DeflateStreamEnd> stream(&z);
  out.clear();
  AppendSignatureAndHeader(header, out);
  z.next_out = chunk.get();
  z.avail_out = static_cast<uInt>(kIdatChunkBytes);
  for (std::uint32_t y = 0; y <= header.height; ++y) {
    const bool last = y == header.height;
    if (!last) {
      fillRow(y, current + 1);
      filtered[0] = kFilterUp;
      for (std::size_t x = 1; x <= rowBytes; ++x) {
        filtered[x] = static_cast<std::uint8_t>(current[x] - (y > 0 ? above[x] : 0));
      }
      std::swap(above, current);
    }
    // zlib counts in 32 bits: a row of more is given in pieces.
    std::size_t at = 0;
    do {
      const std::size_t piece = last ? 0 : std::min<std::size_t>(stride - at, 1u << 30);
      z.next_in = last ? nullptr : filtered + at;
      z.avail_in = static_cast<uInt>(piece);
      at += piece;
      const int flush = last ? Z_FINISH : Z_NO_FLUSH;
      int result = Z_OK;
      do {
        result = deflate(&z, flush);
        if (result == Z_STREAM_ERROR) return Failure("The image could not be compressed.");
        if (z.avail_out == 0 || (last && result == Z_STREAM_END)) {
          const std::size_t bytes = kIdatChunkBytes - z.avail_out;
          if (bytes > 0) AppendChunk(out, "IDAT", chunk.get(), bytes);
          z.next_out = chunk.get();
          z.avail_out = static_cast<uInt>(kIdatChunkBytes);
        }
      } while (z.avail_in > 0 || (last && result != Z_STREAM_END));
    } while (!last && at < stride);
  }
  AppendChunk(out, "IEND", nullptr, 0);
  return {};
}

Status Encode(const PngHeader& header, std::size_t rowBytes, const PngRowFiller& fillRow,
              std::string& out) {
  if ((rowBytes + 1) * header.height > kWholeImageBytes) {
    return EncodeStreamed(header, rowBytes, fillRow, out);
  }
  // Each row behind its filter byte, then, from the bottom up so that the row above is
  // still unfiltered, each row as its difference from the row above.
  const std::size_t stride = rowBytes + 1;
  const std::size_t filteredBytes = stride * header.height;
  const std::unique_ptr<std::uint8_t[]> filtered = Uninitialized(filteredBytes);
  for (std::uint32_t y = 0; y < header.height; ++y) {
    filtered[stride * y] = kFilterUp;
    fillRow(y, &filtered[stride * y + 1]);
  }
  for (std::uint32_t y = header.height - 1; y > 0; --y) {
    std::uint8_t* row = &filtered[stride * y + 1];
    const std::uint8_t* above = row - stride;
    for (std::size_t x = 0; x < rowBytes; ++x)
      row[x] = static_cast<std::uint8_t>(row[x] - above[x]);
  }

  std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
      libdeflate_alloc_compressor(kCompressionLevel));
  if (!compressor) return NoMemoryFailure();
  const std::size_t zlibBound = libdeflate_zlib_compress_bound(compressor.get(), filteredBytes);
  const std::unique_ptr<std::uint8_t[]> zlib = Uninitialized(zlibBound);
  const std::size_t zlibBytes = libdeflate_zlib_compress(compressor.get(), filtered.get(),
                                                         filteredBytes, zlib.get(), zlibBound);
  if (zlibBytes == 0) return Failure("The image could not be compressed.");

  out.clear();
  out.reserve(8 + 25 + zlibBytes + 12 * (zlibBytes / kIdatChunkBytes + 1) + 12);
  AppendSignatureAndHeader(header, out);
  for (std::size_t at = 0; at < zlibBytes; at += kIdatChunkBytes) {
    AppendChunk(out, "IDAT", zlib.get() + at, std::min(kIdatChunkBytes, zlibBytes - at));
  }
  AppendChunk(out, "IEND", nullptr, 0);
  return {};
}

}  // namespace

Status EncodePng(const PngHeader& header, std::size_t rowBytes, const PngRowFiller& fillRow,
                 std::string& out) {
  if (!fillRow || header.width == 0 || header.height == 0 || rowBytes == 0 ||
      header.width > kLargestDimension || header.height > kLargestDimension ||
      rowBytes >= SIZE_MAX / header.height - 1) {
    return Failure("A PNG image cannot have that size.");
  }
  return EncodeWithoutThrowing([&] { return Encode(header, rowBytes, fillRow, out); });
}
