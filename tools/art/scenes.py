"""Large pictures: the home page's device states and the backup/restore page's view illustrations.

Each scene sits on a white rounded panel, so objects may run off the panel edge (clipped) and the
corners stay transparent on the page background.
"""

import objects as ob
from svgkit import BLUE, IDLE_LINE, NAVY, PALE, SKY, WHITE, circle, group, path, rect

PANEL_EDGE = (228, 232, 240)


def _panel(svg, radius):
    w, h = svg.width, svg.height
    svg.add(rect(2, 2, w - 4, h - 4, radius, fill=WHITE, stroke=PANEL_EDGE, sw=4))
    return svg.clip_rect(4, 4, w - 8, h - 8, radius - 2)


def home_trio(holder):
    """Computer, accessory and phone. holder: 'computer', 'phone' or None (standby)."""

    def build(svg):
        sw = 20
        _panel(svg, 72)
        svg.add(circle(541, 480, 400, fill=PALE))
        on = ob.active(sw)
        off = ob.idle(sw)
        pc_look = on if holder == "computer" else off
        phone_look = on if holder == "phone" else off
        dev = (480, 560, 210, 100)
        (lx, ly), (rx, ry) = ob.device_ports(*dev)

        # cables first, so the objects cover their ends
        left_live = holder == "computer"
        right_live = holder == "phone"
        svg.add(ob.cable(f"M{lx} {ly} C{lx - 50} {ly} {lx - 60} 650 340 650", BLUE if left_live else IDLE_LINE, 16,
                         dashed=not left_live),
                ob.cable(f"M{rx} {ry} C{rx + 90} {ry} {rx + 60} 740 {rx + 150} 740 C{rx + 210} 740 960 730 960 650",
                         BLUE if right_live else IDLE_LINE, 16, dashed=not right_live))

        items, (sx, sy, sw_, sh) = ob.computer(40, 284, 400, 380, pc_look)
        svg.add(*items)
        if holder == "computer":
            svg.add(*_card_on_screen(sx, sy, sw_, sh))

        svg.add(*ob.device(*dev, on if holder else off, card=True, card_fill=BLUE if holder else SKY))

        items, (px, py, pw, ph) = ob.phone(870, 310, 180, 350, phone_look)
        svg.add(*items)
        if holder == "phone":
            svg.add(*_card_on_screen(px, py, pw, ph))

    return build


def _card_on_screen(x, y, w, h):
    ch = min(h * 0.62, w * 0.9)
    cw = ch * 0.76
    return ob.sd_card(x + (w - cw) / 2, y + (h - ch) / 2, cw, ch, ob.Look(ink=NAVY, sw=12), fill=BLUE)


def plug_in(svg):
    """A hand bringing the cable's plug to the accessory's port."""
    sw = 20
    clip = _panel(svg, 64)
    on = ob.active(sw)
    svg.add(circle(760, 300, 230, fill=PALE))
    dev = (660, 300, 260, 120)
    (port_x, port_y), _ = ob.device_ports(*dev)
    svg.add(*ob.device(*dev, on, card=True, card_fill=SKY))
    plug_w, plug_h = 190, 70
    plug_x = port_x - 70 - plug_w - plug_w * 0.42
    plug_y = port_y - plug_h / 2
    size = plug_h / 0.26 / 1.2
    back, front = ob.hand(plug_x - 0.60 * size, port_y - 0.49 * size, size, on)
    svg.add(group(ob.cable(f"M{plug_x + 10} {port_y} C{plug_x - 110} {port_y} {plug_x - 120} 480 -20 480", NAVY, 18),
                  *back, clip=clip))
    svg.add(*ob.usb_plug(plug_x, plug_y, plug_w, plug_h, on))
    svg.add(group(*front, clip=clip))
    svg.add(ob.arrow(plug_x + plug_w * 1.42 - 30, plug_y - 60, port_x + 10, plug_y - 60, BLUE, 18))


def insert_card(svg):
    """A hand lowering an SD card into the accessory's slot."""
    sw = 20
    clip = _panel(svg, 64)
    on = ob.active(sw)
    svg.add(circle(541, 330, 230, fill=PALE))
    dev_w, dev_h = 300, 116
    dev_x, dev_y = 541 - dev_w / 2, 400
    svg.add(*ob.device(dev_x, dev_y, dev_w, dev_h, on, card=False, slot=True))
    cw, ch = 120, 160
    cx, cy = 541 - cw / 2, 136
    size = cw / 0.26 / 1.3
    back, front = ob.hand(cx + cw / 2 - 0.51 * size, cy + 56 - 0.92 * size, size, on, rotate=90)
    svg.add(group(*back, clip=clip))
    svg.add(*ob.sd_card(cx, cy, cw, ch, on, fill=BLUE))
    svg.add(group(*front, clip=clip))
    svg.add(ob.arrow(730, 200, 730, 350, BLUE, 18))


def view_illustration(direction, lock=None):
    """Backup/restore page banner: computer and SD card with chevrons showing the copy direction.

    direction: 'to_card' or 'to_computer'; lock: None, 'locked' or 'unlocked' (the encrypted kinds).
    """

    def build(svg):
        sw = 18
        _panel(svg, 48)
        on = ob.active(sw)
        items, (sx, sy, sw_, sh) = ob.computer(190, 50, 270, 240, on)
        svg.add(*items)
        svg.add(*ob.sd_card(930, 56, 164, 224, on, fill=BLUE))
        # chevrons grow stronger towards the target
        xs = [560, 680, 800] if lock else [600, 680, 760]
        if direction == "to_computer":
            xs = xs[::-1]
        shades = [(190, 212, 248), SKY, BLUE]
        for i, x in enumerate(xs):
            if lock and i == 1:
                continue
            dx = 22 if direction == "to_card" else -22
            svg.add(path(f"M{x - dx} 126 L{x + dx} 170 L{x - dx} 214", fill=None, stroke=shades[i], sw=24))
        if lock:
            svg.add(circle(680, 170, 78, fill=PALE),
                    *ob.padlock(636, 112, 88, 112, ob.Look(ink=NAVY, accent=BLUE, sw=14), unlocked=lock == "unlocked"))

    return build
