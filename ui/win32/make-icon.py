#!/usr/bin/python3
"""make-icon.py OUT.ico IMAGE.png...: packs PNG images into one Windows icon file, each image
stored whole as its own size of the icon (Windows Vista and later read PNG icon images)."""
import struct
import sys


def main(out, images):
    data = [open(path, "rb").read() for path in images]
    offset = 6 + 16 * len(data)
    directory = b""
    for png in data:
        if png[:8] != b"\x89PNG\r\n\x1a\n":
            sys.exit(f"make-icon.py: not a PNG image: {images[data.index(png)]}")
        width, height = struct.unpack(">II", png[16:24])
        # A side of 256 is written as 0; colour count 0, one plane, 32 bits per pixel.
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), offset)
        offset += len(png)
    with open(out, "wb") as icon:
        icon.write(struct.pack("<HHH", 0, 1, len(data)) + directory + b"".join(data))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: make-icon.py OUT.ico IMAGE.png...")
    main(sys.argv[1], sys.argv[2:])
