#!/usr/bin/env python3
"""Draws the application icon, resources/Velqorns.ico: a window with a list, under a
magnifying glass, in the 16 standard colours: the 32 x 32 and 16 x 16 images, and the same
drawings at the sizes a window asks for at 120, 144 and 192 dpi (large: 40, 48, 64; small:
20, 24, 32), so that the icon is drawn from an image of its own size at every scale.
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


def large(size=32):
    """The 32-pixel drawing, its measures scaled to size."""
    def c(value):
        return int(value * size / 32 + 0.5)
    picture = Picture(size)
    window_with_list(picture, c(1), c(2), c(24), c(25), c(3), c(3))
    magnifier(picture, c(21), c(20), c(6), (c(25), c(24)), (c(29), c(28)), c(3))
    return picture


def small(size=16):
    """The 16-pixel drawing, its measures scaled to size."""
    def c(value):
        return int(value * size / 16 + 0.5)
    picture = Picture(size)
    window_with_list(picture, c(0), c(1), c(11), c(12), c(2), c(2))
    magnifier(picture, c(10), c(10), c(3), (c(12), c(12)), (c(14), c(14)), c(2))
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
        padding = -size % 8
        mask = (bits << padding).to_bytes((size + padding) // 8, "big")
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
        out.write(icon_file([large(32), small(16), large(40), large(48), large(64), small(20), small(24)]))
    print("wrote", target)
