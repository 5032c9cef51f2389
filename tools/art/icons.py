"""The 592 x 592 pictures of message boxes and dialogs: one object on a pale disc, most with a badge
at the lower right that tells the state (warning, check, gear, question...).

Outlines are 22 pixels wide so that they stay 2.5 to 4 pixels when the box shows them at 0.12-0.2, also
after inset() has drawn the picture smaller.
"""

import objects as ob
from brand import tile
from svgkit import BLUE, PALE, SKY, WHITE, circle, group, path, polygon_path, rect

SW = 22
BADGE = (446, 440, 100)


def inset(build, k):
    """The picture drawn at k of its size about the canvas centre, transparent around it; for controls
    that cut the edges off what they show."""

    def build_inset(svg):
        start = len(svg.items)
        build(svg)
        body = svg.items[start:]
        del svg.items[start:]
        dx, dy = svg.width / 2 * (1 - k), svg.height / 2 * (1 - k)
        svg.add(group(*body, transform=f"translate({dx:g},{dy:g}) scale({k:g})"))

    return build_inset


def _disc(svg):
    c = svg.width / 2
    svg.add(circle(c, c, c - 4, fill=PALE))


def _badge(kind):
    cx, cy, r = BADGE
    if kind == "warning":
        return ob.badge_warning(cx, cy + 6, r * 0.98)
    if kind == "check":
        return ob.badge_check(cx, cy, r)
    if kind == "gear":
        return ob.badge_gear(cx, cy, r)
    if kind == "question":
        return ob.badge_question(cx, cy, r)
    if kind == "eject":
        return [circle(cx, cy, r, fill=BLUE, stroke=WHITE, sw=r * 0.16),
                path(polygon_path([(cx, cy - r * 0.46), (cx + r * 0.44, cy + r * 0.06),
                                   (cx - r * 0.44, cy + r * 0.06)]), fill=WHITE, stroke=WHITE, sw=r * 0.1),
                rect(cx - r * 0.44, cy + r * 0.2, r * 0.88, r * 0.18, r * 0.06, fill=WHITE)]
    if kind == "bolt":
        return [circle(cx, cy, r, fill=BLUE, stroke=WHITE, sw=r * 0.16),
                path(polygon_path([(cx + r * 0.12, cy - r * 0.58), (cx - r * 0.38, cy + r * 0.08),
                                   (cx - r * 0.02, cy + r * 0.08), (cx - r * 0.12, cy + r * 0.58),
                                   (cx + r * 0.38, cy - r * 0.08), (cx + r * 0.02, cy - r * 0.08)]),
                     fill=WHITE, stroke=WHITE, sw=r * 0.08)]
    if kind == "download":
        return [circle(cx, cy, r, fill=SKY, stroke=WHITE, sw=r * 0.16),
                path(f"M{cx} {cy - r * 0.48} V{cy + r * 0.36} M{cx - r * 0.36} {cy} L{cx} {cy + r * 0.38} "
                     f"L{cx + r * 0.36} {cy}", fill=None, stroke=WHITE, sw=r * 0.22)]
    if kind == "dots":
        return [circle(cx, cy, r, fill=BLUE, stroke=WHITE, sw=r * 0.16)] + \
            [circle(cx + dx * r * 0.38, cy, r * 0.14, fill=WHITE) for dx in (-1, 0, 1)]
    raise ValueError(kind)


def _arrow_on(cx, top, bottom, half, colour, sw, up=True):
    """Bold arrow used on cards and screens to say backup (up) or restore (down)."""
    tip, tail = (top, bottom) if up else (bottom, top)
    sign = 1 if up else -1
    return path(f"M{cx} {tail} V{tip + sign * sw * 0.3} M{cx - half} {tip + sign * half} L{cx} {tip} "
                f"L{cx + half} {tip + sign * half}", fill=None, stroke=colour, sw=sw)


def computer_picture(screen, badge=None):
    """screen: 'gear', 'down' (restore) or None."""

    def build(svg):
        _disc(svg)
        items, (sx, sy, sw_, sh) = ob.computer(104, 132, 350, 300, ob.active(SW))
        svg.add(*items)
        cx, cy = sx + sw_ / 2, sy + sh / 2
        if screen == "gear":
            svg.add(ob.solid_gear(cx, cy, sh * 0.40, BLUE))
        elif screen == "down":
            svg.add(_arrow_on(cx, cy - sh * 0.34, cy + sh * 0.34, sh * 0.26, BLUE, SW * 1.5, up=False))
        if badge:
            svg.add(*_badge(badge))

    return build


def card_picture(badge, arrow=False):
    def build(svg):
        _disc(svg)
        x, y, w, h = 186, 112, 224, 300
        svg.add(*ob.sd_card(x, y, w, h, ob.active(SW), fill=BLUE))
        if arrow:
            svg.add(_arrow_on(x + w / 2, y + h * 0.42, y + h * 0.86, w * 0.2, WHITE, SW * 1.4))
        svg.add(*_badge(badge))

    return build


def folder_picture(badge):
    def build(svg):
        _disc(svg)
        svg.add(*ob.folder(110, 150, 360, 272, ob.active(SW), front=SKY))
        svg.add(*_badge(badge))

    return build


def calendar_picture(badge):
    def build(svg):
        _disc(svg)
        svg.add(*ob.calendar(130, 150, 320, 280, ob.active(SW)))
        svg.add(*_badge(badge))

    return build


def padlock_picture(badge):
    def build(svg):
        _disc(svg)
        svg.add(*ob.padlock(170, 100, 250, 330, ob.active(SW)))
        svg.add(*_badge(badge))

    return build


def update_picture(svg):
    _disc(svg)
    svg.add(*tile(svg, 146, 136, 290))
    svg.add(*_badge("download"))


def power_picture(svg):
    _disc(svg)
    look = ob.active(SW)
    svg.add(*ob.device(136, 262, 320, 150, look, card=True, card_fill=SKY))
    svg.add(*_badge("bolt"))


def eject_picture(svg):
    card_picture("eject")(svg)
