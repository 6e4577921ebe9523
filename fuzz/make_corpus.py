#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: small bitmap files, packs and images, valid and broken,
pictures with conversion settings, and saves with a medium's damage.

Run from anywhere; the files go to corpus/ beside this script. They are committed, so this
only needs running again when a seed is added or changed. The HEIC and AVIF seeds of
image_decode (small.heic, alpha.heic, small.avif, bands_lossless.avif) are not written here:
they were made once with heif-enc from libheif-examples and are committed as they are.
"""
import pathlib
import struct
import zlib

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


# A 16x8 greyscale baseline JPEG of a left-to-right ramp, quality 50.
RAMP_JPEG = bytes.fromhex(
    "ffd8ffe000104a46494600010101006400640000ffdb004300100b0c0e0c0a100e0d0e1211101318281a18161618"
    "3123251d283a333d3c3933383740485c4e404457453738506d51575f626768673e4d71797064785c656763ffc000"
    "0b080008001001011100ffc4001f0000010501010101010100000000000000000102030405060708090a0bffc400"
    "b5100002010303020403050504040000017d01020300041105122131410613516107227114328191a1082342b1c1"
    "1552d1f02433627282090a161718191a25262728292a3435363738393a434445464748494a535455565758595a63"
    "6465666768696a737475767778797a838485868788898a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6"
    "b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6e7e8e9eaf1f2f3f4f5f6f7f8f9faffda0008"
    "010100003f00e6f44fe1af40d13f86bfffd9")

# A 1x1 GIF with a transparent pixel.
TINY_GIF = bytes.fromhex(
    "4749463839610100010080000000ffffff00000021f90401000000002c00000000010001000002024401003b")


def png(width, height, colour_type, channels, pixel):
    """A PNG of 8-bit samples, pixel(x, y) giving the channel values, filter 0 on every row."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + bytes(v for x in range(width) for v in pixel(x, y)[:channels])
                   for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))


def with_orientation(jpeg, orientation):
    """jpeg with an Exif segment holding only an orientation tag right after its start marker."""
    tiff = b"MM\0*" + struct.pack(">IHHHIHHI", 8, 1, 0x0112, 3, 1, orientation, 0, 0)
    app1 = b"Exif\0\0" + tiff
    return jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 + jpeg[2:]


def bmp24(width, height, pixel):
    """An uncompressed 24-bit bottom-up bitmap file."""
    stride = (width * 3 + 3) // 4 * 4
    data = b"".join(bytes(v for x in range(width) for v in reversed(pixel(x, y))).ljust(stride, b"\0")
                    for y in reversed(range(height)))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, BI_RGB, len(data), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 54 + len(data), 0, 0, 54) + info + data


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
        "image_decode/ramp.jpg": RAMP_JPEG,
        "image_decode/ramp_turned.jpg": with_orientation(RAMP_JPEG, 6),
        "image_decode/truncated.jpg": RAMP_JPEG[:200],
        "image_decode/grey.png": png(24, 25, 0, 1, lambda x, y: [(x * 11 + y * 5) % 256]),
        "image_decode/alpha.png": png(12, 10, 6, 4, lambda x, y: [x * 20, y * 25, 90, x * y * 2]),
        "image_decode/tiny.gif": TINY_GIF,
        "image_decode/colour.bmp": bmp24(9, 7, lambda x, y: [x * 28, y * 36, 200]),
        "image_decode/grey.pgm": b"P5 8 6 255\n" + bytes((x * 30 + y) % 256 for y in range(6)
                                                        for x in range(8)),
        "image_decode/ascii.ppm": b"P3 2 2 255\n255 0 0  0 255 0\n0 0 255  255 255 255\n",
        # Eight bytes of settings, then the picture's light: a ramp, a flat grey, a checkerboard.
        "image_convert/ramp_default.bin": bytes(12) + bytes(range(256)),
        "image_convert/grey_auto_levels.bin": bytes([100, 120, 8, 2, 0, 4] + [0] * 6) + bytes([128] * 64),
        "image_convert/checks_sharpened.bin": bytes([0, 0, 8, 1, 60, 1] + [0] * 6) + bytes([0, 255] * 48),
        # 20x14 with a face box over its edge, and its greys placed for the face.
        "image_convert/small_face_levels.bin": bytes([0, 0, 8, 6, 0, 1, 28, 36, 15, 10, 9, 8]) + bytes(range(0, 256, 3)),
        # 8x6, a length that chooses the optimised dithering.
        "image_convert/tiny_optimised.bin": bytes([0, 0, 8, 0, 0, 0, 40, 44, 0, 0, 0, 0]) + bytes(range(20, 228, 4)),
        # The medium's damage and the old file, then the bytes saved.
        "safe_save/intact_pack.bin": bytes([0, 1]) + pack(15050),
        "safe_save/flipped_new_file.bin": bytes([5, 2]) + b"picture",
        "safe_save/lost_byte_over_empty.bin": bytes([2, 3]) + bytes(40),
        "safe_save/gained_byte.bin": bytes([3, 1]) + bytes(10),
    }
    for name, data in seeds.items():
        path = HERE / "corpus" / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)


if __name__ == "__main__":
    main()
