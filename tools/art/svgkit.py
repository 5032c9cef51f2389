"""Tiny helpers for writing SVG by hand: shapes, groups, gradients and a document wrapper."""

import math

# Palette shared by every picture. The first block matches the colours the dialogs paint with,
# the second block is tints and the two signal colours used only inside pictures.
BG_PAGE = (246, 247, 249)
BG_POPUP = (251, 252, 253)
NAVY = (15, 76, 165)
BLUE = (56, 121, 235)
SKY = (87, 158, 245)
WHITE = (255, 255, 255)
GREY_DARK = (58, 59, 61)
GREY = (116, 117, 119)
GREY_MID = (150, 150, 150)

PALE = (232, 240, 253)
PALE_2 = (207, 223, 250)
NAVY_DEEP = (9, 45, 108)
IDLE = (226, 229, 235)
IDLE_LINE = (168, 173, 182)
ORANGE = (243, 146, 32)
ORANGE_PALE = (254, 240, 222)


class GradientRef(tuple):
    """A fill that refers to a gradient; rgb() passes it through as url(#id)."""

    def __new__(cls, gid):
        return super().__new__(cls, (gid,))

    @property
    def gid(self):
        return self[0]


def rgb(colour):
    if colour is None:
        return "none"
    if isinstance(colour, GradientRef):
        return f"url(#{colour.gid})"
    return f"rgb({colour[0]},{colour[1]},{colour[2]})"


def _num(value):
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def style(fill=None, stroke=None, sw=0, opacity=None, extra=""):
    parts = [f'fill="{rgb(fill)}"']
    if stroke is not None and sw > 0:
        parts.append(f'stroke="{rgb(stroke)}" stroke-width="{_num(sw)}" '
                     'stroke-linecap="round" stroke-linejoin="round"')
    if opacity is not None:
        parts.append(f'opacity="{_num(opacity)}"')
    if extra:
        parts.append(extra)
    return " ".join(parts)


def rect(x, y, w, h, r=0, **kw):
    return (f'<rect x="{_num(x)}" y="{_num(y)}" width="{_num(w)}" height="{_num(h)}" '
            f'rx="{_num(r)}" {style(**kw)}/>')


def circle(cx, cy, r, **kw):
    return f'<circle cx="{_num(cx)}" cy="{_num(cy)}" r="{_num(r)}" {style(**kw)}/>'


def path(d, **kw):
    return f'<path d="{d}" {style(**kw)}/>'


def evenodd_path(d, **kw):
    kw["extra"] = (kw.get("extra", "") + ' fill-rule="evenodd"').strip()
    return path(d, **kw)


def group(*items, transform=None, opacity=None, clip=None):
    attrs = ""
    if clip:
        attrs += f' clip-path="{clip}"'
    if transform:
        attrs += f' transform="{transform}"'
    if opacity is not None:
        attrs += f' opacity="{_num(opacity)}"'
    return f"<g{attrs}>" + "".join(items) + "</g>"


def place(items, x, y, size, rotate=0):
    """Put a drawing made in a 100 x 100 box so that the box covers (x, y, size, size)."""
    k = size / 100.0
    transform = f"translate({_num(x)},{_num(y)}) scale({_num(k)})"
    if rotate:
        transform += f" rotate({_num(rotate)},50,50)"
    return group(*items if isinstance(items, (list, tuple)) else [items], transform=transform)


def rounded_rect_path(x, y, w, h, r):
    """Closed rounded rectangle as path data (usable inside even-odd compound paths)."""
    r = min(r, w / 2, h / 2)
    return (f"M{_num(x + r)} {_num(y)} H{_num(x + w - r)} A{_num(r)} {_num(r)} 0 0 1 {_num(x + w)} {_num(y + r)} "
            f"V{_num(y + h - r)} A{_num(r)} {_num(r)} 0 0 1 {_num(x + w - r)} {_num(y + h)} "
            f"H{_num(x + r)} A{_num(r)} {_num(r)} 0 0 1 {_num(x)} {_num(y + h - r)} "
            f"V{_num(y + r)} A{_num(r)} {_num(r)} 0 0 1 {_num(x + r)} {_num(y)} Z")


def circle_path(cx, cy, r):
    return (f"M{_num(cx - r)} {_num(cy)} A{_num(r)} {_num(r)} 0 1 0 {_num(cx + r)} {_num(cy)} "
            f"A{_num(r)} {_num(r)} 0 1 0 {_num(cx - r)} {_num(cy)} Z")


def polygon_path(points):
    head, *tail = points
    return f"M{_num(head[0])} {_num(head[1])} " + " ".join(f"L{_num(px)} {_num(py)}" for px, py in tail) + " Z"


def gear_path(cx, cy, radius, teeth=8, hole=0.36):
    """Gear outline with a round hole; teeth are trapezoids so they stay solid when shrunk."""
    inner = radius * 0.76
    points = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = i * step - math.pi / 2
        for angle, rad in ((a - step * 0.30, inner), (a - step * 0.17, radius),
                           (a + step * 0.17, radius), (a + step * 0.30, inner)):
            points.append((cx + rad * math.cos(angle), cy + rad * math.sin(angle)))
    return polygon_path(points) + " " + circle_path(cx, cy, radius * hole)


class Svg:
    """One SVG document of a fixed pixel size."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.defs = []
        self.items = []
        self._next_id = 0

    def add(self, *items):
        self.items.extend(items)

    def linear(self, stops, x1=0, y1=0, x2=0, y2=1):
        """Gradient in the box of the filled shape; stops are (offset, colour) pairs. Returns a fill value."""
        self._next_id += 1
        gid = f"g{self._next_id}"
        body = "".join(f'<stop offset="{_num(o)}" stop-color="{rgb(c)}"/>' for o, c in stops)
        self.defs.append(f'<linearGradient id="{gid}" x1="{_num(x1)}" y1="{_num(y1)}" '
                         f'x2="{_num(x2)}" y2="{_num(y2)}">{body}</linearGradient>')
        return GradientRef(gid)

    def clip_rect(self, x, y, w, h, r):
        """Clip region for group(clip=...); returns the reference to use."""
        self._next_id += 1
        cid = f"c{self._next_id}"
        self.defs.append(f'<clipPath id="{cid}">{rect(x, y, w, h, r, fill=(0, 0, 0))}</clipPath>')
        return f"url(#{cid})"

    def text(self):
        defs = f"<defs>{''.join(self.defs)}</defs>" if self.defs else ""
        return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" height="{self.height}" '
                f'viewBox="0 0 {self.width} {self.height}">{defs}{"".join(self.items)}</svg>\n')
