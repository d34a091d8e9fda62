"""A tiny RGBA raster with anti-aliased shapes, and PNG / ICO writers.

Only the Python standard library is used, so the default skin's images can be
generated during the build on any machine.
"""
import math
import struct
import zlib


def _mix(dst, src):
    """Source-over blend of two straight-alpha RGBA tuples (0..255)."""
    sa = src[3] / 255.0
    da = dst[3] / 255.0
    oa = sa + da * (1.0 - sa)
    if oa <= 0.0:
        return (0, 0, 0, 0)
    out = []
    for i in range(3):
        c = (src[i] * sa + dst[i] * da * (1.0 - sa)) / oa
        out.append(int(round(c)))
    out.append(int(round(oa * 255)))
    return tuple(out)


def lerp_colour(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(4))


class Raster:
    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.px = [list(fill) for _ in range(width * height)]

    def get(self, x, y):
        return tuple(self.px[y * self.width + x])

    def blend(self, x, y, colour, coverage=1.0):
        if 0 <= x < self.width and 0 <= y < self.height and coverage > 0:
            c = (colour[0], colour[1], colour[2], int(round(colour[3] * min(coverage, 1.0))))
            self.px[y * self.width + x] = list(_mix(self.get(x, y), c))

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y * self.width + x] = list(colour)

    def fill_rect(self, x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, colour)

    def vertical_gradient(self, x0, y0, x1, y1, top, bottom):
        span = max(1, y1 - y0 - 1)
        for y in range(max(0, y0), min(self.height, y1)):
            c = lerp_colour(top, bottom, (y - y0) / span)
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, c)

    def shape(self, inside, colour, box=None, samples=4, solid=None):
        """Fills the pixels covered by inside(fx, fy), supersampled for smooth edges.

        solid(x, y), when given, tells pixels that are wholly covered, which
        skips the supersampling inside large shapes."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                if solid and solid(x, y):
                    self.blend(x, y, colour)
                    continue
                self._cover(x, y, inside, colour, samples)

    def _cover(self, x, y, inside, colour, samples):
        step = 1.0 / samples
        hits = 0
        for sy in range(samples):
            for sx in range(samples):
                if inside(x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                    hits += 1
        if hits:
            self.blend(x, y, colour, hits / (samples * samples))

    def rounded_rect(self, x0, y0, x1, y1, radius, colour):
        def inside(fx, fy):
            if not (x0 <= fx <= x1 and y0 <= fy <= y1):
                return False
            cx = min(max(fx, x0 + radius), x1 - radius)
            cy = min(max(fy, y0 + radius), y1 - radius)
            return (fx - cx) ** 2 + (fy - cy) ** 2 <= radius ** 2

        def solid(x, y):
            inner_x = x0 + radius <= x and x + 1 <= x1 - radius
            inner_y = y0 + radius <= y and y + 1 <= y1 - radius
            within = x0 <= x and x + 1 <= x1 and y0 <= y and y + 1 <= y1
            return within and (inner_x or inner_y)
        self.shape(inside, colour, (int(x0), int(y0), int(math.ceil(x1)), int(math.ceil(y1))), solid=solid)

    def rounded_frame(self, x0, y0, x1, y1, radius, width, colour):
        def within(fx, fy, a, b, c, d, r):
            if not (a <= fx <= c and b <= fy <= d):
                return False
            cx = min(max(fx, a + r), c - r)
            cy = min(max(fy, b + r), d - r)
            return (fx - cx) ** 2 + (fy - cy) ** 2 <= r ** 2

        def inside(fx, fy):
            return within(fx, fy, x0, y0, x1, y1, radius) and not within(
                fx, fy, x0 + width, y0 + width, x1 - width, y1 - width, max(0.0, radius - width))

        def clear(x, y):
            margin = width + radius + 1
            return x0 + margin <= x and x + 1 <= x1 - margin and y0 + margin <= y and y + 1 <= y1 - margin
        box = (int(x0), int(y0), int(math.ceil(x1)), int(math.ceil(y1)))
        for y in range(max(0, box[1]), min(self.height, box[3])):
            for x in range(max(0, box[0]), min(self.width, box[2])):
                if not clear(x, y):
                    self._cover(x, y, inside, colour, 4)

    def circle(self, cx, cy, r, colour):
        self.shape(lambda fx, fy: (fx - cx) ** 2 + (fy - cy) ** 2 <= r * r, colour,
                   (int(cx - r) - 1, int(cy - r) - 1, int(cx + r) + 2, int(cy + r) + 2))

    def ring(self, cx, cy, r, width, colour):
        def inside(fx, fy):
            d = (fx - cx) ** 2 + (fy - cy) ** 2
            return (r - width) ** 2 <= d <= r * r
        self.shape(inside, colour, (int(cx - r) - 1, int(cy - r) - 1, int(cx + r) + 2, int(cy + r) + 2))

    def polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(fx, fy):
            crossings = 0
            n = len(points)
            for i in range(n):
                ax, ay = points[i]
                bx, by = points[(i + 1) % n]
                if (ay > fy) != (by > fy):
                    if fx < ax + (fy - ay) * (bx - ax) / (by - ay):
                        crossings += 1
            return crossings % 2 == 1
        self.shape(inside, colour, (int(min(xs)) - 1, int(min(ys)) - 1, int(max(xs)) + 2, int(max(ys)) + 2))

    def paste(self, other, ox, oy):
        for y in range(other.height):
            for x in range(other.width):
                c = other.get(x, y)
                if c[3]:
                    self.blend(ox + x, oy + y, c)

    def to_png(self):
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)
            for x in range(self.width):
                raw.extend(bytes(self.get(x, y)))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))

    def to_ico(self):
        """A one-image icon with a 32-bit BGRA DIB and its AND mask."""
        w, h = self.width, self.height
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = self.get(x, y)
                xor.extend((b, g, r, a))
        mask_stride = ((w + 31) // 32) * 4
        mask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(mask_stride)
            for x in range(w):
                if self.get(x, y)[3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask.extend(row)
        dib = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        image = dib + bytes(xor) + bytes(mask)
        head = struct.pack("<HHH", 0, 1, 1)
        entry = struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(image), 6 + 16)
        return head + entry + image
