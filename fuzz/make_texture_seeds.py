#!/usr/bin/env python3
"""Writes the seed corpus of texture_fuzz: small PNG, BMP (a plain one and ones with
V4 and V5 headers), TGA and GIF images built byte by byte. Each seed starts with the
byte by which the fuzz target chooses the format: 0 PNG, 1 BMP, 2 TGA, 3 GIF."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "texture")
PNG, BMP, TGA, GIF = 0, 1, 2, 3

# A 4 x 3 picture, top row first, as (red, green, blue, alpha).
PIXELS = [[(255, 0, 0, 255), (0, 255, 0, 255), (0, 0, 255, 255), (255, 255, 255, 0)],
          [(10, 20, 30, 128), (40, 50, 60, 255), (70, 80, 90, 255), (0, 0, 0, 255)],
          [(255, 255, 0, 255), (0, 255, 255, 255), (255, 0, 255, 255), (128, 128, 128, 64)]]
W, H = 4, 3


def png_chunk(kind: bytes, data: bytes) -> bytes:
    return struct.pack(">I", len(data)) + kind + data + struct.pack(
        ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(color_type: int, rows: list, palette: bytes = b"", trns: bytes = b"") -> bytes:
    ihdr = struct.pack(">IIBBBBB", W, H, 8, color_type, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in rows)
    data = b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr)
    if palette:
        data += png_chunk(b"PLTE", palette)
    if trns:
        data += png_chunk(b"tRNS", trns)
    return data + png_chunk(b"IDAT", zlib.compress(raw)) + png_chunk(b"IEND", b"")


def bmp(header_size: int, bpp: int) -> bytes:
    """An uncompressed bottom-up BMP; 32-bit ones use bit fields with an alpha mask."""
    compression = 3 if bpp == 32 else 0
    row_bytes = (W * bpp // 8 + 3) & ~3
    rows = b""
    for row in reversed(PIXELS):
        line = b""
        for r, g, b, a in row:
            line += bytes([b, g, r, a]) if bpp == 32 else bytes([b, g, r])
        rows += line.ljust(row_bytes, b"\0")
    info = struct.pack("<IiiHHIIiiII", header_size, W, H, 1, bpp, compression, len(rows),
                       2835, 2835, 0, 0)
    if header_size >= 108:
        info += struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
        info += b"BGRs" + b"\0" * 36 + b"\0" * 12  # sRGB; endpoints and gamma unused
    if header_size == 124:
        info += struct.pack("<IIII", 4, 0, 0, 0)  # intent, profile offset and size
    assert len(info) == header_size
    offset = 14 + header_size
    return b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset) + info + rows


def tga(rle: bool, top_first: bool) -> bytes:
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 10 if rle else 2, 0, 0, 0, 0, 0, W, H, 32,
                         8 | (0x20 if top_first else 0))
    rows = PIXELS if top_first else list(reversed(PIXELS))
    body = b""
    for row in rows:
        pixels = [bytes([b, g, r, a]) for r, g, b, a in row]
        if rle:
            body += bytes([0x80 | 1]) + pixels[0]                # two of the first pixel
            body += bytes([len(pixels) - 3]) + b"".join(pixels[2:])  # the rest raw
        else:
            body += b"".join(pixels)
    return header + body


def gif_lzw(indices: list, min_code_size: int) -> bytes:
    """LZW data that never grows the code size: a clear code before every two indices."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    size = min_code_size + 1
    codes = []
    for i in range(0, len(indices), 2):
        codes += [clear] + indices[i:i + 2]
    codes.append(end)
    bits, nbits, out = 0, 0, bytearray()
    for code in codes:
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 0xFF)
    blocks = b"".join(bytes([len(out[i:i + 255])]) + out[i:i + 255]
                      for i in range(0, len(out), 255))
    return bytes([min_code_size]) + blocks + b"\0"


def gif(version: bytes, with_extensions: bool) -> bytes:
    palette = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)]
    indices = [(x + y) % 4 for y in range(H) for x in range(W)]
    data = b"GIF" + version + struct.pack("<HHBBB", W, H, 0x80 | 1, 0, 0)
    data += b"".join(bytes(c) for c in palette)
    if with_extensions:
        data += b"\x21\xF9\x04\x01\x00\x00\x03\x00"  # graphic control: index 3 transparent
        data += b"\x21\xFE\x05glyph\x00"             # a comment
    data += b"\x2C" + struct.pack("<HHHHB", 0, 0, W, H, 0)
    return data + gif_lzw(indices, 2) + b"\x3B"


def main() -> None:
    os.makedirs(OUT, exist_ok=True)
    rgba_rows = [b"".join(bytes(p) for p in row) for row in PIXELS]
    palette = bytes([255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255])
    index_rows = [bytes([(x + y) % 4 for x in range(W)]) for y in range(H)]
    seeds = {
        "rgba.png": (PNG, png(6, rgba_rows)),
        "palette-trns.png": (PNG, png(3, index_rows, palette, trns=b"\xff\x80")),
        "v3-24bit.bmp": (BMP, bmp(40, 24)),
        "v4-32bit-bitfields.bmp": (BMP, bmp(108, 32)),
        "v5-24bit.bmp": (BMP, bmp(124, 24)),
        "bottom-up.tga": (TGA, tga(False, False)),
        "rle-top-down.tga": (TGA, tga(True, True)),
        "declares-40000x40000.tga": (TGA, struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0,
                                                        40000, 40000, 24, 0) + b"\0" * 64),
        "gif87a.gif": (GIF, gif(b"87a", False)),
        "gif89a-extensions.gif": (GIF, gif(b"89a", True)),
    }
    for name, (selector, data) in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(bytes([selector]) + data)


if __name__ == "__main__":
    main()
