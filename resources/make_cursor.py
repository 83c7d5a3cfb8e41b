#!/usr/bin/env python3
"""Draws the hyperlink label's hand cursor, resources/AutoURLLabel.cur: a hand pointing up
with its index finger, black outline and white fill, in the top-left 17 x 22 pixels of a
32 x 32 monochrome cursor whose hot spot is the top-left corner.
The .cur is committed, so the build needs no Python; run this only to change the cursor."""
import os
import struct

SIZE = 32
HOT_SPOT = (0, 0)
# X black, o white, . transparent; the fingertip starts 5 pixels right of the hot spot.
HAND = """
.....XX..........
....XooX.........
....XooX.........
....XooX.........
....XooX.........
....XooXXX.......
....XooXooXXX....
....XooXooXooXX..
XXX.XooXooXooXoX.
XooXXooooooooXooX
XoooXoooooooooooX
.XooXoooooooooooX
..XoooooooooooooX
..XooooooooooooX.
...XoooooooooooX.
...XooooooooooX..
....XoooooooooX..
....XooooooooX...
.....XoooooooX...
.....XoooooooX...
.....XoooooooX...
.....XXXXXXXXX...
""".split()


def rows_of_bits(picture, wanted):
    """One 32-bit row per line, bottom row first, bit set where wanted(pixel) holds."""
    rows = []
    for y in reversed(range(SIZE)):
        line = picture[y] if y < len(picture) else ""
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if wanted(line[x] if x < len(line) else ".") else 0)
        rows.append(bits.to_bytes(SIZE // 8, "big"))
    return b"".join(rows)


def cursor_file(picture):
    # Colour bits: 1 = white (palette entry 1); mask bits: 1 = transparent.
    image_bits = rows_of_bits(picture, lambda p: p == "o")
    mask_bits = rows_of_bits(picture, lambda p: p == ".")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(image_bits) + len(mask_bits), 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + image_bits + mask_bits
    directory = struct.pack("<HHH", 0, 2, 1)
    directory += struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    return directory + image


if __name__ == "__main__":
    assert len(HAND) == 22 and all(len(line) == 17 for line in HAND), "the hand is 17 x 22"
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "AutoURLLabel.cur")
    with open(target, "wb") as out:
        out.write(cursor_file(HAND))
    print("wrote", target)
