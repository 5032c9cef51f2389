"""Window chrome: side bar, menu items, logo, buttons, switches and the small icons of pages and dialogs.

Each builder draws into an empty Svg of the image's size.
"""

import glyphs
from brand import tile
from svgkit import (BLUE, GREY, GREY_DARK, NAVY, NAVY_DEEP, ORANGE, PALE, SKY, WHITE,
                    circle, path, place, rect)

MENU_ICON_NORMAL = (196, 216, 250)


def sidebar(svg):
    w, h = svg.width, svg.height
    fill = svg.linear([(0, NAVY), (0.55, (12, 62, 140)), (1, NAVY_DEEP)])
    svg.add(rect(0, 0, w, h, 0, fill=fill),
            # two very soft discs give the panel some depth without drawing attention
            circle(w * 1.05, h * 0.86, w * 0.78, fill=WHITE, opacity=0.045),
            circle(-w * 0.2, h * 1.02, w * 0.62, fill=WHITE, opacity=0.035),
            rect(w - 6, 0, 6, h, 0, fill=NAVY_DEEP, opacity=0.35))


def menu_item(glyph, highlighted):
    """576 x 96: the caption is drawn by the window from x = 124, so the icon sits in the first 124 pixels."""

    def build(svg):
        w, h = svg.width, svg.height
        if highlighted:
            svg.add(rect(8, 8, w - 16, h - 16, 26, fill=BLUE),
                    rect(8, 8, 14, h - 16, 7, fill=SKY),
                    rect(14, 8, 8, h - 16, 0, fill=BLUE))
        ink = WHITE if highlighted else MENU_ICON_NORMAL
        svg.add(place(glyph(ink, 11), 40, 20, 56))

    return build


def logo(svg):
    w, h = svg.width, svg.height
    svg.add(rect(0, 0, w, h, h / 2, fill=WHITE))
    svg.add(*tile(svg, 5, 5, h - 10, detail=False, radius=0.5))
    svg.add(f'<text x="{h - 0.5}" y="{h * 0.5 + 6.5:.1f}" font-family="Liberation Sans" font-weight="bold" '
            f'font-size="18.5" fill="rgb{NAVY}">Yarrowkeep</text>')


def top_gear(svg):
    svg.add(place(glyphs.gear(GREY, 0), 2, 2, svg.width - 4))


def glyph_icon(glyph, ink=BLUE, sw=10, margin=0.04):
    def build(svg):
        m = svg.width * margin
        svg.add(place(glyph(ink, sw), m, m, svg.width - 2 * m))

    return build


def tiled_icon(glyph, ink=BLUE, tint=PALE, sw=10, radius=0.26, glyph_size=0.68):
    """Glyph on a pale rounded tile (help rows, function pictures, small device picture)."""

    def build(svg):
        s = svg.width
        m = s * (1 - glyph_size) / 2
        svg.add(rect(0, 0, s, s, s * radius, fill=tint),
                place(glyph(ink, sw), m, m, s * glyph_size))

    return build


def page_mark(svg):
    svg.add(*tile(svg, 0, 0, svg.width, detail=False))


def back_button(svg):
    s = svg.width
    svg.add(circle(s / 2, s / 2, s / 2 - 2.5, fill=WHITE, stroke=(214, 218, 226), sw=4),
            place(glyphs.back(GREY_DARK, 12), s * 0.24, s * 0.24, s * 0.52))


def chevron(svg):
    s = svg.width
    svg.add(place(glyphs.chevron(GREY, 17), s * 0.1, s * 0.1, s * 0.8))


def mark_disc(kind):
    """Round status marks of the home page and the hint line: orange information, blue check."""

    def build(svg):
        s = svg.width
        r = s / 2 - 0.5
        c = s / 2
        if kind == "info":
            svg.add(circle(c, c, r, fill=ORANGE),
                    circle(c, c - r * 0.45, r * 0.15, fill=WHITE),
                    rect(c - r * 0.13, c - r * 0.18, r * 0.26, r * 0.72, r * 0.13, fill=WHITE))
        else:
            svg.add(circle(c, c, r, fill=BLUE),
                    path(f"M{c - r * 0.48:.2f} {c + r * 0.02:.2f} L{c - r * 0.12:.2f} {c + r * 0.36:.2f} "
                         f"L{c + r * 0.5:.2f} {c - r * 0.32:.2f}", fill=None, stroke=WHITE, sw=r * 0.26))

    return build


def button(style):
    """Rounded button backgrounds; captions are drawn by the dialog on top.

    light: pale face with a fine border, for dark captions; primary: blue face for white captions;
    outline: white face with a blue border, for blue captions.
    """

    def build(svg):
        w, h = svg.width, svg.height
        r = h * 0.32
        if style == "light":
            edge = h * 0.045
            face = svg.linear([(0, (242, 245, 250)), (1, (229, 235, 245))])
            svg.add(rect(edge / 2, edge / 2, w - edge, h - edge, r, fill=face, stroke=(196, 208, 228), sw=edge))
        elif style == "primary":
            face = svg.linear([(0, (72, 138, 242)), (1, (44, 106, 222))])
            svg.add(rect(0, 0, w, h, r, fill=face))
        else:
            edge = h * 0.07
            svg.add(rect(edge / 2, edge / 2, w - edge, h - edge, r, fill=WHITE, stroke=BLUE, sw=edge))

    return build


def switch(on):
    def build(svg):
        w, h = svg.width, svg.height
        pad = h * 0.12
        knob_r = h / 2 - pad
        track = BLUE if on else (196, 201, 210)
        cx = w - h / 2 if on else h / 2
        svg.add(rect(0, 0, w, h, h / 2, fill=track),
                circle(cx, h / 2, knob_r, fill=WHITE))
        if on:
            svg.add(path(f"M{h * 0.42:.1f} {h * 0.52:.1f} L{h * 0.58:.1f} {h * 0.68:.1f} L{h * 0.86:.1f} "
                         f"{h * 0.36:.1f}", fill=None, stroke=WHITE, sw=h * 0.11))

    return build


def eye(crossed):
    def build(svg):
        s = svg.width
        svg.add(place(glyphs.eye(GREY, 9, crossed), s * 0.06, s * 0.06, s * 0.88))

    return build
