#!/usr/bin/env python3
"""Draws the application icon, resources/Velqorns.ico: a window with a list, under a
magnifying glass, as one 32 x 32 and one 16 x 16 image in the 16 standard colours.
The .ico is committed, so the build needs no Python; run this only to change the icon."""
import os
import struct

# The 16 standard colours (RGB), by their usual index.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, OLIVE, NAVY, TEAL, SILVER, GRAY, BLUE, AQUA, WHITE = 0, 1, 3, 4, 6, 7, 8, 12, 14, 15
CLEAR = None


class Picture:
    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def dot(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def box(self, left, top, right, bottom, colour):  # inclusive corners
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.dot(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right + 1):
            self.dot(x, top, colour)
            self.dot(x, bottom, colour)
        for y in range(top, bottom + 1):
            self.dot(left, y, colour)
            self.dot(right, y, colour)

    def disc(self, cx, cy, radius, colour, ring=None):
        for y in range(self.size):
            for x in range(self.size):
                distance = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if distance <= radius + 0.3:
                    self.dot(x, y, ring if ring is not None and distance > radius - 1.1 else colour)


def window_with_list(picture, left, top, right, bottom, title_height, line_step):
    picture.box(left, top, right, bottom, WHITE)
    picture.frame(left, top, right, bottom, BLACK)
    picture.box(left + 1, top + 1, right - 1, top + title_height, NAVY)
    thin = line_step < 3  # the small image: one-pixel lines, the selection in plain blue
    if not thin:
        picture.dot(right - 2, top + 1 + title_height // 2, WHITE)
    y = top + title_height + 2
    line = 0
    while y < bottom - 1:
        if line == 1 and thin:
            picture.box(left + 1, y, right - 1, y, BLUE)
        elif line == 1:
            picture.box(left + 1, y - 1, right - 1, y + 1, BLUE)
            picture.box(left + 2, y, right - 3, y, WHITE)
        else:
            picture.box(left + 2, y, right - 3 - (line % 3) * 2, y, GRAY)
        y += line_step
        line += 1


def magnifier(picture, cx, cy, radius, handle_from, handle_to, handle_width):
    picture.disc(cx, cy, radius, AQUA, ring=BLACK)
    picture.dot(cx - radius // 2, cy - radius // 2, WHITE)
    (x0, y0), (x1, y1) = handle_from, handle_to
    for step in range(x1 - x0 + 1):
        for width in range(handle_width):
            picture.dot(x0 + step + width, y0 + step, MAROON)
            picture.dot(x0 + step, y0 + step + width, OLIVE if width else MAROON)


def large():
    picture = Picture(32)
    window_with_list(picture, 1, 2, 24, 25, 3, 3)
    magnifier(picture, 21, 20, 6, (25, 24), (29, 28), 3)
    return picture


def small():
    picture = Picture(16)
    window_with_list(picture, 0, 1, 11, 12, 2, 2)
    magnifier(picture, 10, 10, 3, (12, 12), (14, 14), 2)
    return picture


def bitmap_data(picture):
    """BITMAPINFOHEADER, palette, 4-bit colour rows and the 1-bit transparency mask (both
    bottom row first, rows padded to 4 bytes)."""
    size = picture.size
    colour_rows, mask_rows = [], []
    for row in reversed(picture.pixels):
        nibbles = [0 if p is CLEAR else p for p in row]
        colour = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colour_rows.append(colour + b"\0" * (-len(colour) % 4))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is CLEAR else 0)
        mask = bits.to_bytes(size // 8, "big")
        mask_rows.append(mask + b"\0" * (-len(mask) % 4))
    pixels = b"".join(colour_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + pixels


def icon_file(pictures):
    images = [bitmap_data(p) for p in pictures]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for picture, image in zip(pictures, images):
        directory += struct.pack("<BBBBHHII", picture.size, picture.size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


if __name__ == "__main__":
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "Velqorns.ico")
    with open(target, "wb") as out:
        out.write(icon_file([large(), small()]))
    print("wrote", target)
