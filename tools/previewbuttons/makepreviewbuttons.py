#!/usr/bin/env python3
"""Writes the preview's packed button pictures, report/model/PreviewButtons.gz.

The pictures are the 16 x 16 Tango icons (Debian package tango-icon-theme,
public domain), laid side by side in the order of the preview's image
indexes; zoom in and out get a plus or minus drawn into the magnifier, the
PDF button a red band. The strip is a PNG packed as a gzip member whose
header time field holds the Adler-32 of the PNG, most significant byte
first, as the library's resource reader expects.
Run from anywhere:  tools/previewbuttons/makepreviewbuttons.py [<repo root>]
The build never runs this script; its output is committed.
"""
import pathlib
import struct
import sys
import zlib

TANGO = pathlib.Path("/usr/share/icons/Tango/16x16")
SIZE = 16

# Image index -> (Tango picture, drawn mark). Unused indexes stay empty.
PICTURES = {
    0: ("actions/document-open", None),
    1: ("actions/document-save", None),
    2: ("actions/document-print", None),
    3: ("actions/document-save-as", None),
    4: ("actions/edit-find", None),
    5: ("mimetypes/image-x-generic", None),
    7: ("actions/document-properties", None),
    8: ("actions/go-first", None),
    9: ("actions/go-previous", None),
    10: ("actions/go-next", None),
    11: ("actions/go-last", None),
    12: ("actions/format-justify-left", None),
    13: ("actions/list-remove", None),
    14: ("actions/list-add", None),
    15: ("actions/system-search", "plus"),
    16: ("actions/system-search", "minus"),
    21: ("apps/accessories-text-editor", None),
    22: ("actions/view-fullscreen", None),
    23: ("actions/mail-message-new", None),
    24: ("mimetypes/x-office-document", "pdf"),
}
CELLS = 25


def read_png(path):
    """Returns rows of (r, g, b, a) tuples of an 8-bit RGBA PNG."""
    data = path.read_bytes()
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour != 6 or interlace:
        sys.exit("%s: only 8-bit RGBA without interlace is supported" % path)
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, prior = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = prior[i]
            c = prior[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 0xFF
        rows.append([tuple(line[x * 4:x * 4 + 4]) for x in range(width)])
        prior = line
    return rows


def mark(cell, kind):
    dark = (32, 74, 135, 255)
    if kind in ("plus", "minus"):
        for x in range(3, 9):
            cell[5][x] = dark
            cell[6][x] = dark
        if kind == "plus":
            for y in range(3, 9):
                cell[y][5] = dark
                cell[y][6] = dark
    elif kind == "pdf":
        red = (204, 0, 0, 255)
        for y in range(9, 13):
            for x in range(1, 12):
                cell[y][x] = red


def png(rows):
    width, height = len(rows[0]), len(rows)
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def gzip_member(data, name):
    deflate = zlib.compressobj(9, zlib.DEFLATED, -15)
    body = deflate.compress(data) + deflate.flush()
    header = b"\x1f\x8b\x08\x08" + struct.pack(">I", zlib.adler32(data)) + b"\x02\x03" + name + b"\0"
    return header + body + struct.pack("<II", zlib.crc32(data), len(data) & 0xFFFFFFFF)


def main():
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[2]
    strip = [[(0, 0, 0, 0)] * (SIZE * CELLS) for _ in range(SIZE)]
    for index, (picture, kind) in PICTURES.items():
        cell = read_png(TANGO / (picture + ".png"))
        if kind:
            mark(cell, kind)
        # The bottom-left pixel is the cell's transparent colour.
        cell[SIZE - 1][0] = (0, 0, 0, 0)
        for y in range(SIZE):
            strip[y][index * SIZE:(index + 1) * SIZE] = cell[y]
    out = root / "report" / "model" / "PreviewButtons.gz"
    out.write_bytes(gzip_member(png(strip), b"PreviewButtons.png"))
    print("wrote", out)


if __name__ == "__main__":
    main()
