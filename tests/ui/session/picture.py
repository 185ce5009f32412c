"""Screenshots as plain RGB pixels: read from ImageMagick's PPM output, saved as PNG.

Only the standard library: the session counts pixels in a few rectangles and
writes a handful of PNG files, which zlib alone does.
"""

import struct
import zlib


class Picture:
    """An RGB image, top row first, three bytes per pixel."""

    def __init__(self, width, height, pixels):
        if len(pixels) != width * height * 3:
            raise ValueError(f"{width}x{height} picture needs {width * height * 3} bytes, got {len(pixels)}")
        self.width = width
        self.height = height
        self.pixels = bytes(pixels)

    @classmethod
    def from_ppm(cls, data):
        """Reads a binary PPM (P6, maxval 255), as `import ... ppm:-` writes it."""
        fields = []
        position = 0
        while len(fields) < 4:
            while data[position:position + 1].isspace():
                position += 1
            if data[position:position + 1] == b"#":
                position = data.index(b"\n", position) + 1
                continue
            start = position
            while not data[position:position + 1].isspace():
                position += 1
            fields.append(data[start:position])
        magic, width, height, maxval = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
        if magic != b"P6" or maxval != 255:
            raise ValueError(f"not an 8-bit binary PPM: {magic!r} maxval {maxval}")
        body = data[position + 1:position + 1 + width * height * 3]
        return cls(width, height, body)

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.pixels[offset:offset + 3])

    def crop(self, left, top, right, bottom):
        left, top = max(left, 0), max(top, 0)
        right, bottom = min(right, self.width), min(bottom, self.height)
        rows = [self.pixels[(y * self.width + left) * 3:(y * self.width + right) * 3] for y in range(top, bottom)]
        return Picture(right - left, bottom - top, b"".join(rows))

    def bounding_box(self, colour):
        """(left, top, right, bottom), right and bottom excluded, of every pixel of exactly this colour;
        None when there is none."""
        wanted = bytes(colour)
        left, top, right, bottom = self.width, self.height, -1, -1
        for y in range(self.height):
            row = self.pixels[y * self.width * 3:(y + 1) * self.width * 3]
            first = _find_pixel(row, wanted, 0, forward=True)
            if first is None:
                continue
            last = _find_pixel(row, wanted, len(row) - 3, forward=False)
            left, right = min(left, first // 3), max(right, last // 3)
            top, bottom = min(top, y), y
        if right < 0:
            return None
        return left, top, right + 1, bottom + 1

    def count(self, rect, accept):
        """How many pixels of rect (left, top, right, bottom) the predicate accepts."""
        left, top, right, bottom = rect
        total = 0
        for y in range(max(top, 0), min(bottom, self.height)):
            for x in range(max(left, 0), min(right, self.width)):
                if accept(self.pixel(x, y)):
                    total += 1
        return total

    def save_png(self, path):
        raw = b"".join(b"\0" + self.pixels[y * self.width * 3:(y + 1) * self.width * 3] for y in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as file:
            file.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 6))
                       + chunk(b"IEND", b""))


def _find_pixel(row, wanted, start, forward):
    """Byte offset of the first (or last) whole pixel in row equal to wanted, from start."""
    position = start
    while 0 <= position <= len(row) - 3:
        position = row.find(wanted, position) if forward else row.rfind(wanted, 0, position + 3)
        if position < 0:
            return None
        if position % 3 == 0:
            return position
        position += 1 if forward else -1
    return None


def is_black(rgb):
    return rgb == (0, 0, 0)


def is_dark(rgb):
    """Text drawn in the window-text colour; disabled text is grey and fails this."""
    return max(rgb) < 80
