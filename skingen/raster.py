"""A tiny RGBA raster with anti-aliased shapes, and PNG / ICO writers.

Only the Python standard library is used, so the default skin's images can be
generated during the build on any machine.
"""
import math
import os
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


def scaled_length(v, scale):
    """round(v * scale), halves away from zero: the panel's rule for lengths."""
    return int(math.floor(v * scale + 0.5))


class Raster:
    """An image of width x height skin pixels, drawn at a scale.

    The shapes take their coordinates in skin pixels (the 96-DPI image) and are
    drawn at scale, so an image at 1.5 or 2 is as sharp as the one at 1. The
    raster itself is round(width * scale) x round(height * scale) device pixels;
    get, put, blend and paste work in those."""

    def __init__(self, width, height, scale=1.0, fill=(0, 0, 0, 0)):
        self.scale = scale
        self.width = scaled_length(width, scale)
        self.height = scaled_length(height, scale)
        self.px = [list(fill) for _ in range(self.width * self.height)]

    def get(self, x, y):
        return tuple(self.px[y * self.width + x])

    def blend(self, x, y, colour, coverage=1.0):
        if 0 <= x < self.width and 0 <= y < self.height and coverage > 0:
            c = (colour[0], colour[1], colour[2], int(round(colour[3] * min(coverage, 1.0))))
            self.px[y * self.width + x] = list(_mix(self.get(x, y), c))

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y * self.width + x] = list(colour)

    def _edge(self, v):
        return scaled_length(v, self.scale)

    def fill_rect(self, x0, y0, x1, y1, colour):
        """Edges are scaled, so rectangles that touch at 1 still touch."""
        x0, y0, x1, y1 = (self._edge(v) for v in (x0, y0, x1, y1))
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, colour)

    def vertical_gradient(self, x0, y0, x1, y1, top, bottom):
        x0, y0, x1, y1 = (self._edge(v) for v in (x0, y0, x1, y1))
        span = max(1, y1 - y0 - 1)
        for y in range(max(0, y0), min(self.height, y1)):
            c = lerp_colour(top, bottom, (y - y0) / span)
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, c)

    def shape(self, inside, colour, box=None, samples=4):
        """Fills what inside(fx, fy) covers, in skin pixels, supersampled for smooth edges."""
        s = self.scale
        if box:
            box = (int(box[0] * s), int(box[1] * s), int(math.ceil(box[2] * s)), int(math.ceil(box[3] * s)))
        self._fill_device(lambda fx, fy: inside(fx / s, fy / s), colour, box, samples)

    def _fill_device(self, inside, colour, box=None, samples=4, solid=None):
        """Fills the device pixels covered by inside(fx, fy).

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
        s = self.scale
        x0, y0, x1, y1, radius = x0 * s, y0 * s, x1 * s, y1 * s, radius * s

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
        self._fill_device(inside, colour, (int(x0), int(y0), int(math.ceil(x1)), int(math.ceil(y1))), solid=solid)

    def rounded_frame(self, x0, y0, x1, y1, radius, width, colour):
        s = self.scale
        x0, y0, x1, y1, radius, width = x0 * s, y0 * s, x1 * s, y1 * s, radius * s, width * s

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
        return icon_file([self])


def icon_file(images):
    """An icon file with one 32-bit BGRA DIB and its AND mask per image, in the given order."""
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, bodies = b"", b""
    for img in images:
        body = _icon_image(img)
        entries += struct.pack("<BBBBHHII", img.width % 256, img.height % 256, 0, 0, 1, 32, len(body), offset)
        bodies += body
        offset += len(body)
    return head + entries + bodies


def _icon_image(img):
    w, h = img.width, img.height
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = img.get(x, y)
            xor.extend((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if img.get(x, y)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask.extend(row)
    dib = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return dib + bytes(xor) + bytes(mask)


# The variants that the generator writes beside each image: NAME@1.5x.EXT and NAME@2x.EXT.
VARIANT_SCALES = ((1.5, "1.5"), (2.0, "2"))


def variant_path(path, factor_text):
    stem, ext = os.path.splitext(path)
    return "%s@%sx%s" % (stem, factor_text, ext)


def strip(frames, frame_width, frame_height, scale):
    """The frames side by side; a strip at a scale is its frame count times one scaled frame."""
    img = Raster(frame_width * len(frames), frame_height, scale)
    if img.width != len(frames) * frames[0].width:
        raise ValueError("a strip of %d frames of %d pixels does not scale by %s without drift"
                         % (len(frames), frame_width, scale))
    for i, frame in enumerate(frames):
        img.paste(frame, i * frame.width, 0)
    return img


def write_scaled(path, render, encode=Raster.to_png):
    """Writes render(1.0) to path and render(F) beside it for every variant
    factor; each variant is round(base size * F), as the panel expects."""
    base = render(1.0)
    write_file(path, encode(base))
    for scale, text in VARIANT_SCALES:
        img = render(scale)
        expected = (scaled_length(base.width, scale), scaled_length(base.height, scale))
        if (img.width, img.height) != expected:
            raise ValueError("%s at %s is %dx%d, not %dx%d" % ((path, text, img.width, img.height) + expected))
        write_file(variant_path(path, text), encode(img))


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
