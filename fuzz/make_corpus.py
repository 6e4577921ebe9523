#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: small bitmap files and packs, valid and broken.

Run from anywhere; the files go to corpus/ beside this script. They are committed, so this
only needs running again when a seed is added or changed.
"""
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent
GREYS = [(0, 0, 0), (85, 85, 85), (190, 190, 190), (255, 255, 255)]
BI_RGB, BI_RLE8, BI_RLE4 = 0, 1, 2
V5_HEADER_BYTES = 124


def bitmap(bit_count, pixels, *, width=48, height=50, compression=BI_RGB, colours=GREYS,
           colours_used=None, header_bytes=40, gap=b""):
    """A bitmap file; the data offset points past gap, which sits between table and pixels."""
    if colours_used is None:
        colours_used = len(colours)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for b, g, r in colours)
    info = struct.pack("<IiiHHIIiiII", header_bytes, width, height, 1, bit_count, compression,
                       len(pixels), 2835, 2835, colours_used, 0)
    if header_bytes == V5_HEADER_BYTES:
        # Colour masks, the sRGB colour space tag, unused endpoints and gammas, the rendering
        # intent and no embedded profile.
        info += struct.pack("<IIII", 0, 0, 0, 0) + b"BGRs" + bytes(36 + 12)
        info += struct.pack("<IIII", 4, 0, 0, 0)
    offset = 14 + len(info) + len(table) + len(gap)
    head = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return head + info + table + gap + pixels


def rows(bit_count, index_of):
    """Uncompressed bottom-up rows of index_of(x, y), packed high bits first, word-padded."""
    stride = (48 * bit_count + 31) // 32 * 4
    out = bytearray()
    for y in range(50):
        bits = 0
        for x in range(48):
            bits = bits << bit_count | index_of(x, y)
        row = bits.to_bytes(48 * bit_count // 8, "big")
        out += row + bytes(stride - len(row))
    return bytes(out)


def rle8():
    out = bytearray()
    out += bytes([48, 3])  # a whole row of white
    out += bytes([0, 0])  # end of line
    out += bytes([0, 5, 0, 1, 2, 3, 1, 0])  # an absolute run of five, padded to six bytes
    out += bytes([10, 2, 0, 0])
    out += bytes([0, 2, 4, 3])  # a delta of four across and three up
    out += bytes([20, 1, 0, 0])
    out += bytes([0, 1])  # end of bitmap
    return bytes(out)


def rle4():
    out = bytearray()
    out += bytes([48, 0x30])  # white and black alternating over a whole row
    out += bytes([0, 0])
    out += bytes([0, 7, 0x01, 0x23, 0x21, 0x00])  # seven indices in four bytes
    out += bytes([0, 2, 10, 10])
    out += bytes([9, 0x12])
    out += bytes([0, 1])
    return bytes(out)


def pack(length):
    """A pack image cut or padded to length: a few occupied slots, some empty, one removed."""
    ids = [0] * 25
    ids[0], ids[1], ids[7], ids[24] = 1, 0xFFFF, 0x7FFF, 0x8000
    image = bytearray(b"".join(struct.pack("<H", i) for i in ids))
    for slot in range(25):
        # Slot 3 has no identifier but keeps picture bytes, as a removed contact does.
        occupied = ids[slot] != 0 or slot == 3
        image += bytes((slot * 37 + i * 11) & 0xFF if occupied else 0 for i in range(600))
    image += bytes(range(16))
    return bytes(image[:length])


def main():
    rgb8 = bitmap(8, rows(8, lambda x, y: (x + y) % 7), colours_used=4)
    seeds = {
        "bitmap_file/rgb1.bmp": bitmap(1, rows(1, lambda x, y: (x ^ y) & 1),
                                       colours=[GREYS[0], GREYS[3]]),
        "bitmap_file/rgb4.bmp": bitmap(4, rows(4, lambda x, y: x // 12)),
        # Indices 4 to 6 lie past the four-entry table.
        "bitmap_file/rgb8.bmp": rgb8,
        "bitmap_file/rle8.bmp": bitmap(8, rle8(), compression=BI_RLE8),
        "bitmap_file/rle4.bmp": bitmap(4, rle4(), compression=BI_RLE4),
        "bitmap_file/v5_rgb1.bmp": bitmap(1, rows(1, lambda x, y: y & 1),
                                          colours=[GREYS[1], GREYS[2]],
                                          header_bytes=V5_HEADER_BYTES, gap=bytes(8)),
        "bitmap_file/truncated_pixels.bmp": rgb8[:len(rgb8) - 100],
        "bitmap_file/truncated_header.bmp": rgb8[:30],
        "bitmap_file/rle8_without_end.bmp": bitmap(8, rle8()[:-2], compression=BI_RLE8),
        "bitmap_file/wrong_width.bmp": bitmap(1, rows(1, lambda x, y: 0), width=49),
        "bitmap_file/top_down.bmp": bitmap(1, rows(1, lambda x, y: 0), height=-50),
        "bitmap_file/huge_colour_count.bmp": bitmap(1, rows(1, lambda x, y: 1),
                                                    colours_used=0xFFFFFFFF),
        "pack/full.pack": pack(15050),
        "pack/short.pack": pack(1234),
        "pack/long.pack": pack(15050 + 16),
        "pack/empty.pack": b"",
    }
    for name, data in seeds.items():
        path = HERE / "corpus" / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)


if __name__ == "__main__":
    main()
