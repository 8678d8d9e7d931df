#!/usr/bin/env python3
"""Packs PNG pictures into one Windows icon file: make_ico.py OUT.ico IN.png...

Each picture is stored whole as PNG, which every Windows since Vista reads in an icon; its
size comes from the PNG header."""
import struct
import sys


def main(out, pictures):
    images = []
    for path in pictures:
        data = open(path, "rb").read()
        if data[:8] != b"\x89PNG\r\n\x1a\n":
            sys.exit(f"{path}: not a PNG picture")
        width, height = struct.unpack(">II", data[16:24])
        images.append((width, height, data))
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, blobs = b"", b""
    for width, height, data in images:
        # 256 is written as 0; planes 1, 32 bits a pixel.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                               len(data), offset + len(blobs))
        blobs += data
    with open(out, "wb") as f:
        f.write(header + entries + blobs)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
