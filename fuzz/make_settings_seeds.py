#!/usr/bin/env python3
"""Writes the seed corpus of settings_fuzz: settings files of the current layout
(1219 bytes), of versions before 0.3 (1206), one ending after the centering byte
(1211), one cut inside the texture path, and current files followed by extension
blocks: whole ones, one with unknown records, a cut one, and other trailing bytes."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "settings")


def text(value: bytes, width: int) -> bytes:
    return value[: width - 1].ljust(width, b"\0")


def settings(face=b"DejaVu Sans", chars=b"", path=b"", flags=(0, 0, 0, 0),
             ints=(0, 20, 255, 0, 255, 255, 255, 255, 255, 255, 255, 8),
             export_code=1, color_code=1, tile=8, center=0, first=0, last=255) -> bytes:
    data = text(face, 128) + text(chars, 512) + text(path, 512)
    data += bytes(flags)
    data += b"".join(struct.pack("<i", v) for v in ints)
    data += bytes([export_code, color_code])
    data += struct.pack("<i", tile) + bytes([center]) + struct.pack("<ii", first, last)
    assert len(data) == 1219
    return data


MAGIC = b"\x89GLX\r\n\x1a\n"


def record(tag: int, payload: bytes) -> bytes:
    return struct.pack("<HI", tag, len(payload)) + payload


def block(*records: bytes, version: int = 1) -> bytes:
    return MAGIC + struct.pack("<H", version) + b"".join(records) + record(0, b"")


FULL_BLOCK = block(
    record(1, b"\x03"), record(2, "/home/user/maps/jürgen.txt".encode()),
    record(3, struct.pack("<HH", 16, 16)), record(4, struct.pack("<HH", 8, 12)),
    record(5, b"\x03"), record(6, b"\x80"), record(7, b"\x07"),
    record(8, b"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"))


def main() -> None:
    os.makedirs(OUT, exist_ok=True)
    seeds = {
        "current.ini": settings(),
        "current-range-image.ini": settings(
            face=b"DejaVu Sans Mono", chars=b"\xe4\xf6\xdf\x80", path=b"/tmp/t\xe9xture.png",
            flags=(1, 1, 0, 1), ints=(7, 13, -5, 300, 0, 1, 2, 3, 4, 5, 6, 3),
            export_code=4, color_code=4, tile=12, center=1, first=40, last=90),
        "old-1206.ini": settings(face=b"DejaVu", export_code=2, color_code=3)[:1206],
        "ends-after-centering-1211.ini": settings(color_code=6, center=1)[:1211],
        "truncated-in-path.ini": settings(path=b"/home/user/texture.png")[:700],
        "block-all-records.ini": settings() + FULL_BLOCK,
        "block-grid-only.ini": settings() + block(record(3, struct.pack("<HH", 16, 16))),
        "block-unknown-tags.ini": settings() + block(
            record(40, b"a later record"), record(5, b"\x01"), record(65535, b"")),
        "block-truncated.ini": settings() + FULL_BLOCK[: len(FULL_BLOCK) // 2],
        "block-bad-version.ini": settings() + block(record(1, b"\x01"), version=2),
        "trailing-bytes-no-block.ini": settings() + b"not a block",
    }
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
