#!/usr/bin/env python3
"""Draws Korvane's two window icons and writes them as PNG files and as Windows .ico files, and
the UTM window's icon, which is the program's, at every size a desktop asks for and as SVG.

Each .ico holds six images: 32x32 and 48x48, each at 16 colours, 256 colours and 32 bits per
pixel. Run from the top of the tree: python3 tools/make-icons.py
"""
import math
import struct
import zlib
from pathlib import Path

OCEAN = (30, 100, 200)
RIM = (10, 50, 120)
GRATICULE = (235, 245, 255)
GRID = (255, 170, 0)
GRID_EDGE = (120, 60, 0)
SUPERSAMPLING = 4


def globe(x, y):
    """Colour of the globe at (x, y) in the unit square, or None outside it."""
    cx, cy, r = 0.5, 0.5, 0.44
    dx, dy = (x - cx) / r, (y - cy) / r
    d = math.hypot(dx, dy)
    if d > 1:
        return None
    if d > 0.9:
        return RIM
    line = 0.045
    for latitude in (-0.5, 0.0, 0.5):  # parallels
        if abs(dy - latitude) < line:
            return GRATICULE
    half_width = math.sqrt(max(0.0, 1 - dy * dy))
    for fraction in (0.0, 0.55):  # meridians, as ellipses
        if abs(abs(dx) - fraction * half_width) < line:
            return GRATICULE
    return OCEAN


def utm_grid(x, y):
    """A square grid of three by three cells laid over the globe, or None outside it."""
    left, top, size = 0.3, 0.3, 0.62
    u, v = (x - left) / size, (y - top) / size
    if not (0 <= u <= 1 and 0 <= v <= 1):
        return None
    line = 0.06
    for edge in (0, 1 / 3, 2 / 3, 1):
        if abs(u - edge) < line or abs(v - edge) < line:
            return GRID_EDGE if u < line or v < line or u > 1 - line or v > 1 - line else GRID
    return None


def latlong_icon(x, y):
    return globe(x, y)


def utm_icon(x, y):
    return utm_grid(x, y) or globe(x, y)


def render(draw, size):
    """RGBA rows, supersampled so that edges are smooth."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            samples = []
            for sy in range(SUPERSAMPLING):
                for sx in range(SUPERSAMPLING):
                    x = (px + (sx + 0.5) / SUPERSAMPLING) / size
                    y = (py + (sy + 0.5) / SUPERSAMPLING) / size
                    samples.append(draw(x, y))
            opaque = [s for s in samples if s is not None]
            if not opaque:
                row.append((0, 0, 0, 0))
                continue
            colour = tuple(round(sum(c[i] for c in opaque) / len(opaque)) for i in range(3))
            row.append(colour + (round(255 * len(opaque) / len(samples)),))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
CUBE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
PALETTE256 = CUBE + [(v, v, v) for v in range(8, 248, 6)][:40]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def and_mask(rows):
    mask = b""
    for row in reversed(rows):
        bits = 0
        data = bytearray()
        for i, pixel in enumerate(row):
            bits = (bits << 1) | (1 if pixel[3] < 128 else 0)
            if i % 8 == 7:
                data.append(bits)
                bits = 0
        mask += padded(bytes(data))
    return mask


def dib(rows, bits):
    """The image as an .ico entry: a bitmap header, a palette, the colours and the mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    if bits == 32:
        pixels = b"".join(bytes(v for r, g, b, a in row for v in (b, g, r, a))
                          for row in reversed(rows))
        return header + pixels + and_mask(rows)
    palette = VGA16 if bits == 4 else PALETTE256
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    table += b"\0" * (4 * (2 ** bits) - len(table))
    pixels = b""
    for row in reversed(rows):
        indexes = [nearest(palette, p[:3]) if p[3] >= 128 else 0 for p in row]
        if bits == 4:
            data = bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, len(indexes), 2))
        else:
            data = bytes(indexes)
        pixels += padded(data)
    return header + table + pixels + and_mask(rows)


def ico(images):
    """images: (rows, bits) pairs."""
    entries = b""
    bodies = b""
    offset = 6 + 16 * len(images)
    for rows, bits in images:
        body = dib(rows, bits)
        size = len(rows)
        colours = 16 if bits == 4 else 0
        entries += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(body), offset)
        bodies += body
        offset += len(body)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + bodies


def hex_colour(colour):
    return "#%02x%02x%02x" % colour


def utm_svg():
    """The UTM window's icon as SVG, drawn from the same figures as the pixels above: a globe
    with its rim, three parallels and three meridians, and the grid of three by three cells."""
    r = 0.44
    inner = 0.9 * r
    graticule = 2 * 0.045 * r
    parallels = "".join(f'<line x1="0" y1="{0.5 + dy * r:.4f}" x2="1" y2="{0.5 + dy * r:.4f}"/>'
                        for dy in (-0.5, 0.0, 0.5))
    left, size = 0.3, 0.62
    line = 0.06 * size
    cells = "".join(
        f'<rect x="{left + k * size / 3 - line:.4f}" y="{left:.4f}" width="{2 * line:.4f}" '
        f'height="{size:.4f}"/><rect x="{left:.4f}" y="{left + k * size / 3 - line:.4f}" '
        f'width="{size:.4f}" height="{2 * line:.4f}"/>' for k in (1, 2))
    frame = (f'M{left} {left}h{size}v{size}h{-size}z'
             f'M{left + line:.4f} {left + line:.4f}v{size - 2 * line:.4f}'
             f'h{size - 2 * line:.4f}v{-(size - 2 * line):.4f}z')
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 1 1">
<clipPath id="globe"><circle cx="0.5" cy="0.5" r="{inner:.4f}"/></clipPath>
<circle cx="0.5" cy="0.5" r="{r}" fill="{hex_colour(RIM)}"/>
<circle cx="0.5" cy="0.5" r="{inner:.4f}" fill="{hex_colour(OCEAN)}"/>
<g clip-path="url(#globe)" fill="none" stroke="{hex_colour(GRATICULE)}" stroke-width="{graticule:.4f}">
{parallels}<line x1="0.5" y1="0" x2="0.5" y2="1"/><ellipse cx="0.5" cy="0.5" rx="{0.55 * r:.4f}" ry="{r}"/>
</g>
<g fill="{hex_colour(GRID)}">{cells}</g>
<path fill="{hex_colour(GRID_EDGE)}" fill-rule="evenodd" d="{frame}"/>
</svg>
"""


# The program's icon in the sizes of the desktops' icon themes.
PROGRAM_ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def main():
    folder = Path("ui/icons")
    folder.mkdir(parents=True, exist_ok=True)
    for size in PROGRAM_ICON_SIZES:
        if size not in (32, 48):
            (folder / f"utm-{size}.png").write_bytes(png(render(utm_icon, size)))
    (folder / "utm.svg").write_text(utm_svg(), encoding="ascii")
    for name, draw in (("latlong", latlong_icon), ("utm", utm_icon)):
        rendered = {size: render(draw, size) for size in (32, 48)}
        for size, rows in rendered.items():
            (folder / f"{name}-{size}.png").write_bytes(png(rows))
        images = [(rendered[size], bits) for size in (32, 48) for bits in (4, 8, 32)]
        (folder / f"{name}.ico").write_bytes(ico(images))


if __name__ == "__main__":
    main()
