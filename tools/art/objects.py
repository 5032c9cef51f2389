"""Filled illustration objects in absolute coordinates: computer, phone, the accessory, SD card,
folder, calendar, padlock, cables, hands and the round badges that mark a state.

A Look bundles the colours and the outline width, so one scene can draw active and idle objects alike.
"""

import math
from dataclasses import dataclass

from svgkit import (BLUE, IDLE, IDLE_LINE, NAVY, ORANGE, PALE, PALE_2, SKY, WHITE, circle, circle_path,
                    evenodd_path, gear_path, group, path, polygon_path, rect, rounded_rect_path)


@dataclass(frozen=True)
class Look:
    body: tuple = WHITE
    ink: tuple = NAVY
    screen: tuple = PALE
    accent: tuple = BLUE
    soft: tuple = PALE_2
    sw: float = 20


def active(sw):
    return Look(sw=sw)


def idle(sw):
    return Look(body=WHITE, ink=IDLE_LINE, screen=IDLE, accent=IDLE_LINE, soft=IDLE, sw=sw)


def computer(x, y, w, h, look):
    """Monitor on a stand. Returns the items and the screen rectangle (x, y, w, h)."""
    mh = h * 0.76
    r = min(w, h) * 0.06
    sw = look.sw
    inset = sw * 1.6
    screen = (x + inset, y + inset, w - 2 * inset, mh - 2 * inset)
    neck_w = w * 0.14
    items = [
        rect(x + w / 2 - neck_w / 2, y + mh - sw, neck_w, h * 0.17 + sw, 0, fill=look.soft, stroke=look.ink,
             sw=sw),
        rect(x + w * 0.27, y + h - sw * 1.2, w * 0.46, sw * 1.2, sw * 0.6, fill=look.ink),
        rect(x, y, w, mh, r, fill=look.body, stroke=look.ink, sw=sw),
        rect(*screen, r * 0.5, fill=look.screen),
    ]
    return items, screen


def phone(x, y, w, h, look):
    """Portrait phone. Returns the items and the screen rectangle."""
    sw = look.sw
    r = w * 0.18
    screen = (x + sw * 1.3, y + sw * 2.6, w - sw * 2.6, h - sw * 5.0)
    items = [
        rect(x, y, w, h, r, fill=look.body, stroke=look.ink, sw=sw),
        rect(*screen, r * 0.35, fill=look.screen),
        rect(x + w / 2 - w * 0.14, y + h - sw * 1.75, w * 0.28, sw * 0.7, sw * 0.35, fill=look.ink),
    ]
    return items, screen


def sd_card(x, y, w, h, look, fill=None, contacts=None):
    """SD card with the cut corner at the top right and gold-less flat contacts."""
    sw = look.sw
    cut = w * 0.30
    r = w * 0.10
    d = (f"M{x + r} {y} H{x + w - cut} L{x + w} {y + cut} V{y + h - r} A{r} {r} 0 0 1 {x + w - r} {y + h} "
         f"H{x + r} A{r} {r} 0 0 1 {x} {y + h - r} V{y + r} A{r} {r} 0 0 1 {x + r} {y} Z")
    items = [path(d, fill=fill or look.accent, stroke=look.ink, sw=sw)]
    pad_w = w * 0.10
    pad_h = h * 0.20
    for i in range(3):
        px = x + w * 0.18 + i * w * 0.19
        py = y + h * 0.12 + (h * 0.05 if i == 2 else 0)
        items.append(rect(px, py, pad_w, pad_h - (h * 0.05 if i == 2 else 0), pad_w * 0.4,
                          fill=contacts or look.body))
    return items


def device(x, y, w, h, look, card=True, card_fill=None, slot=False):
    """The accessory: a flat rounded box with a plug stub at each end and an SD card standing in its
    top slot (drawn behind the body so that it reads as inserted). (x, y, w, h) is the body.
    """
    sw = look.sw
    items = []
    if card:
        cw = w * 0.30
        ch = h * 1.05
        items += sd_card(x + w * 0.5 - cw / 2, y - ch * 0.62, cw, ch, look, fill=card_fill)
    stub_w = h * 0.42
    stub_h = h * 0.46
    for sx in (x - stub_w + sw * 0.5, x + w - sw * 0.5):
        items.append(rect(sx, y + h / 2 - stub_h / 2, stub_w, stub_h, stub_h * 0.18, fill=look.soft,
                          stroke=look.ink, sw=sw * 0.8))
    items += [
        rect(x, y, w, h, h * 0.30, fill=look.body, stroke=look.ink, sw=sw),
        rect(x + w * 0.28, y + h * 0.56, w * 0.44, sw * 0.9, sw * 0.45, fill=look.soft),
    ]
    if slot:
        items.append(rect(x + w * 0.5 - w * 0.2, y - sw * 0.4, w * 0.4, sw * 1.3, sw * 0.5, fill=look.ink))
    return items


def device_ports(x, y, w, h):
    """Where cables meet the device drawn by device(x, y, w, h): the outer ends of the two stubs."""
    stub_w = h * 0.42
    return (x - stub_w, y + h / 2), (x + w + stub_w, y + h / 2)


def folder(x, y, w, h, look, front=None):
    sw = look.sw
    r = w * 0.06
    tab_w = w * 0.38
    back_d = (f"M{x} {y + r} A{r} {r} 0 0 1 {x + r} {y} H{x + tab_w} L{x + tab_w + h * 0.12} {y + h * 0.13} "
              f"H{x + w - r} A{r} {r} 0 0 1 {x + w} {y + h * 0.13 + r} V{y + h - r} "
              f"A{r} {r} 0 0 1 {x + w - r} {y + h} H{x + r} A{r} {r} 0 0 1 {x} {y + h - r} Z")
    front_y = y + h * 0.27
    return [path(back_d, fill=look.soft, stroke=look.ink, sw=sw),
            rect(x, front_y, w, h - (front_y - y), r, fill=front or look.accent, stroke=look.ink, sw=sw)]


def calendar(x, y, w, h, look):
    sw = look.sw
    r = w * 0.08
    head = h * 0.28
    items = [rect(x, y, w, h, r, fill=look.body, stroke=look.ink, sw=sw),
             path(f"M{x} {y + head} V{y + r} A{r} {r} 0 0 1 {x + r} {y} H{x + w - r} A{r} {r} 0 0 1 {x + w} "
                  f"{y + r} V{y + head} Z", fill=look.accent, stroke=look.ink, sw=sw)]
    for cx in (x + w * 0.28, x + w * 0.72):
        items.append(rect(cx - sw * 0.8, y - h * 0.10, sw * 1.6, h * 0.22, sw * 0.8, fill=look.ink))
    cell = w * 0.13
    for row in range(2):
        for col in range(3):
            cx = x + w * 0.22 + col * w * 0.28
            cy = y + head + h * 0.14 + row * h * 0.24
            items.append(rect(cx - cell / 2, cy, cell, cell, cell * 0.25, fill=look.soft if (row, col) != (0, 0)
                              else look.accent))
    return items


def padlock(x, y, w, h, look, unlocked=False):
    """Padlock whose body is (x, y + 0.42h, w, 0.58h); the shackle rises above it."""
    sw = look.sw
    body_y = y + h * 0.42
    sx0 = x + w * 0.22
    sx1 = x + w * 0.78
    rr = (sx1 - sx0) / 2
    top = y + rr
    if unlocked:
        lift = h * 0.16  # clear gap between the free leg and the body, visible when shrunk
        shackle = f"M{sx1} {body_y} V{top - lift} A{rr} {rr} 0 0 0 {sx0} {top - lift} V{top - lift + h * 0.06}"
    else:
        shackle = f"M{sx0} {body_y} V{top} A{rr} {rr} 0 0 1 {sx1} {top} V{body_y}"
    kx = x + w / 2
    ky = body_y + h * 0.25
    return [path(shackle, fill=None, stroke=look.ink, sw=sw * 1.5),
            rect(x, body_y, w, h - (body_y - y), w * 0.12, fill=look.accent, stroke=look.ink, sw=sw),
            evenodd_path(circle_path(kx, ky, w * 0.09) + " " +
                         rounded_rect_path(kx - w * 0.04, ky, w * 0.08, h * 0.17, w * 0.03), fill=look.body)]


def solid_gear(cx, cy, radius, fill, outline=None, sw=0, teeth=8):
    return evenodd_path(gear_path(cx, cy, radius, teeth=teeth, hole=0.38), fill=fill, stroke=outline or fill,
                        sw=sw or radius * 0.06)


def cable(d, colour, sw, dashed=False):
    extra = f'stroke-dasharray="{sw * 0.2:.1f} {sw * 1.6:.1f}"' if dashed else ""
    return path(d, fill=None, stroke=colour, sw=sw, extra=extra)


def usb_plug(x, y, w, h, look, facing="right"):
    """A cable plug: the grip (w x h) and a metal tip on the facing side."""
    tip_w = w * 0.42
    tip_h = h * 0.56
    if facing == "right":
        tip = rect(x + w - look.sw, y + h / 2 - tip_h / 2, tip_w + look.sw, tip_h, tip_h * 0.12,
                   fill=look.soft, stroke=look.ink, sw=look.sw * 0.8)
    else:
        tip = rect(x - tip_w, y + h / 2 - tip_h / 2, tip_w + look.sw, tip_h, tip_h * 0.12,
                   fill=look.soft, stroke=look.ink, sw=look.sw * 0.8)
    hole_w = tip_w * 0.26
    hole_x = x + w + tip_w * 0.2 if facing == "right" else x - tip_w * 0.46
    holes = [rect(hole_x + i * tip_w * 0.36, y + h / 2 - tip_h * 0.14, hole_w, tip_h * 0.28, hole_w * 0.2,
                  fill=look.ink) for i in range(2)] if facing == "right" else []
    return [tip, *holes, rect(x, y, w, h, h * 0.22, fill=look.accent, stroke=look.ink, sw=look.sw)]


SKIN = (255, 224, 200)


def hand(x, y, size, look, sleeve=BLUE, rotate=0, mirror=False):
    """A hand pinching something between index finger and thumb, reaching to the right.

    Returns (back, front): draw the held object between the two so the fingertips overlap it.
    The drawing box is size x size at (x, y); the held object fills the gap between x 64 and 92 and
    y 36 and 62 of the box (before rotation about the box centre, or mirroring).
    """
    k = size / 100.0
    sw = look.sw / k
    back = [
        rect(-60, 24, 74, 56, 6, fill=sleeve, stroke=look.ink, sw=sw),
        rect(4, 22, 13, 60, 6, fill=WHITE, stroke=look.ink, sw=sw),
        rect(34, 70, 28, 16, 8, fill=SKIN, stroke=look.ink, sw=sw),
        path("M16 30 C28 24 46 24 58 30 L66 38 V66 C62 78 50 84 38 84 H16 Z", fill=SKIN, stroke=look.ink, sw=sw),
    ]
    front = [
        rect(44, 20, 50, 17, 8.5, fill=SKIN, stroke=look.ink, sw=sw),
        rect(48, 61, 42, 17, 8.5, fill=SKIN, stroke=look.ink, sw=sw),
    ]
    transform = f"translate({x:.2f},{y:.2f}) scale({k:.4f})"
    if rotate:
        transform += f" rotate({rotate},50,50)"
    if mirror:
        transform += " translate(100,0) scale(-1,1)"
    return [group(*back, transform=transform)], [group(*front, transform=transform)]


def _badge_disc(cx, cy, r, fill, ring):
    return circle(cx, cy, r, fill=fill, stroke=ring, sw=r * 0.16)


def badge_warning(cx, cy, r, ring=WHITE):
    """Orange rounded triangle with an exclamation mark."""
    s = r * 1.05
    tri = polygon_path([(cx, cy - s * 0.98), (cx + s * 1.02, cy + s * 0.78), (cx - s * 1.02, cy + s * 0.78)])
    return [path(tri, fill=ring, stroke=ring, sw=r * 0.55),
            path(tri, fill=ORANGE, stroke=ORANGE, sw=r * 0.24),
            rect(cx - r * 0.11, cy - r * 0.42, r * 0.22, r * 0.66, r * 0.11, fill=WHITE),
            circle(cx, cy + r * 0.47, r * 0.13, fill=WHITE)]


def badge_check(cx, cy, r, ring=WHITE, fill=BLUE):
    return [_badge_disc(cx, cy, r, fill, ring),
            path(f"M{cx - r * 0.45} {cy + r * 0.02} L{cx - r * 0.12} {cy + r * 0.34} L{cx + r * 0.48} {cy - r * 0.30}",
                 fill=None, stroke=WHITE, sw=r * 0.24)]






def badge_gear(cx, cy, r, ring=WHITE, fill=BLUE):
    return [_badge_disc(cx, cy, r, fill, ring), solid_gear(cx, cy, r * 0.60, WHITE)]


def badge_question(cx, cy, r, ring=WHITE, fill=SKY):
    return [_badge_disc(cx, cy, r, fill, ring),
            path(f"M{cx - r * 0.28} {cy - r * 0.22} A{r * 0.3} {r * 0.3} 0 1 1 {cx + r * 0.1} {cy + r * 0.06} "
                 f"C{cx + r * 0.02} {cy + r * 0.1} {cx} {cy + r * 0.14} {cx} {cy + r * 0.24}",
                 fill=None, stroke=WHITE, sw=r * 0.2),
            circle(cx, cy + r * 0.5, r * 0.12, fill=WHITE)]


def arrow(x0, y0, x1, y1, colour, sw, head=None):
    """Straight arrow from (x0, y0) to (x1, y1) with an open head."""
    head = head or sw * 2.6
    ang = math.atan2(y1 - y0, x1 - x0)
    hx0 = x1 - head * math.cos(ang - 0.6)
    hy0 = y1 - head * math.sin(ang - 0.6)
    hx1 = x1 - head * math.cos(ang + 0.6)
    hy1 = y1 - head * math.sin(ang + 0.6)
    return path(f"M{x0:.1f} {y0:.1f} L{x1:.1f} {y1:.1f} M{hx0:.1f} {hy0:.1f} L{x1:.1f} {y1:.1f} "
                f"L{hx1:.1f} {hy1:.1f}", fill=None, stroke=colour, sw=sw)
