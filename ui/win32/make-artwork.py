#!/usr/bin/python3
"""make-artwork.py: the program's artwork in the forms Windows draws without an image decoder,
decoded here at build time from the same PNG images as the Linux desktop's. Starting the system's
PNG decoder, for an icon or a logo, took a third of the program's start-up.

make-artwork.py icon OUT.ico IMAGE.png...
    one icon file, each image one size of the icon, as a 32-bit bitmap with its alpha
make-artwork.py logo OUT IMAGE.png
    a logo's pixels for the program to copy into a bitmap: its width and height (32-bit
    little-endian), then its pixels row by row from the top, in runs of one colour: a byte
    holding the run's length less one, then the colour's 4 bytes (blue, green, red, alpha). The
    runs keep the four logos at about 90 KB, where their plain pixels would take a megabyte.
"""
import struct
import sys
import zlib


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def decode(png):
    # The artwork is 8-bit RGBA without interlacing (resources/render-artwork.sh makes it so).
    if png[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG image")
    at, idat = 8, b""
    while at < len(png):
        length, kind = struct.unpack(">I4s", png[at:at + 8])
        body = png[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour, interlace) != (8, 6, 0):
                raise ValueError("only 8-bit RGBA images without interlacing are read")
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw, stride, rows, previous = zlib.decompress(idat), width * 4, [], bytearray(width * 4)
    for y in range(height):
        kind, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = row[x - 4] if x >= 4 else 0
            up, corner = previous[x], previous[x - 4] if x >= 4 else 0
            row[x] = (row[x] + (0, left, up, (left + up) // 2, paeth(left, up, corner))[kind]) & 0xFF
        rows.append(row)
        previous = row
    pixels = [bytes((row[x + 2], row[x + 1], row[x], row[x + 3])) for row in rows for x in range(0, stride, 4)]
    return width, height, pixels


def runs(pixels):
    out, at = bytearray(), 0
    while at < len(pixels):
        length = 1
        while length < 256 and at + length < len(pixels) and pixels[at + length] == pixels[at]:
            length += 1
        out += bytes((length - 1,)) + pixels[at]
        at += length
    return bytes(out)


def icon_image(width, height, pixels):
    # A bitmap twice as high as the image, for the colours and the transparency mask; rows
    # from the bottom. The mask is all clear: the alpha says what shows.
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b"".join(b"".join(pixels[y * width:(y + 1) * width]) for y in reversed(range(height)))
    mask = bytes(((width + 31) // 32 * 4) * height)
    return header + colours + mask


def main(kind, out, images):
    try:
        decoded = [decode(open(image, "rb").read()) for image in images]
    except (OSError, ValueError, zlib.error) as error:
        sys.exit(f"make-artwork.py: {error}")
    if kind == "logo":
        width, height, pixels = decoded[0]
        data = struct.pack("<II", width, height) + runs(pixels)
    else:
        entries = [icon_image(*image) for image in decoded]
        offset, directory = 6 + 16 * len(entries), b""
        for (width, height, _), entry in zip(decoded, entries):
            # A side of 256 is written as 0; colour count 0, one plane, 32 bits per pixel.
            directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(entry), offset)
            offset += len(entry)
        data = struct.pack("<HHH", 0, 1, len(entries)) + directory + b"".join(entries)
    with open(out, "wb") as target:
        target.write(data)


if __name__ == "__main__":
    if len(sys.argv) < 4 or sys.argv[1] not in ("icon", "logo") or (sys.argv[1] == "logo" and len(sys.argv) != 4):
        sys.exit("usage: make-artwork.py icon OUT.ico IMAGE.png... | make-artwork.py logo OUT IMAGE.png")
    main(sys.argv[1], sys.argv[2], sys.argv[3:])
