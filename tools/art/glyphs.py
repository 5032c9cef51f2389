"""Line glyphs drawn in a 100 x 100 box: menu items, small page icons, help rows, function pictures.

Every glyph takes the ink colour and the stroke width (in box units) and returns a list of SVG items.
Cut-outs (keyholes, gear holes) are real holes, so a glyph works on any background.
"""

from svgkit import circle, circle_path, evenodd_path, gear_path, path, rect, rounded_rect_path


def _stroke(d, ink, sw):
    return path(d, fill=None, stroke=ink, sw=sw)


def backup(ink, sw):
    return [_stroke("M18 60 V76 A8 8 0 0 0 26 84 H74 A8 8 0 0 0 82 76 V60", ink, sw),
            _stroke("M50 66 V16 M30 36 L50 16 L70 36", ink, sw)]


def restore(ink, sw):
    return [_stroke("M18 60 V76 A8 8 0 0 0 26 84 H74 A8 8 0 0 0 82 76 V60", ink, sw),
            _stroke("M50 14 V64 M30 44 L50 64 L70 44", ink, sw)]


def padlock(ink, sw, unlocked=False):
    # the open shackle is lifted well clear of the body so the gap survives at menu size
    shackle = "M66 46 V22 A16 16 0 0 0 34 22 V25" if unlocked else "M34 46 V32 A16 16 0 0 1 66 32 V46"
    body = rounded_rect_path(20, 44, 60, 44, 9)
    keyhole = circle_path(50, 61, 7) + " " + rounded_rect_path(46.5, 62, 7, 15, 3)
    return [_stroke(shackle, ink, sw), evenodd_path(body + " " + keyhole, fill=ink)]


def folder(ink, sw):
    return [_stroke("M14 30 A8 8 0 0 1 22 22 H40 L49 32 H78 A8 8 0 0 1 86 40 V72 A8 8 0 0 1 78 80 "
                    "H22 A8 8 0 0 1 14 72 Z M14 44 H86", ink, sw)]


def gear(ink, sw):
    del sw  # solid glyph
    return [evenodd_path(gear_path(50, 50, 40, teeth=8, hole=0.34), fill=ink, stroke=ink, sw=3)]


def question(ink, sw):
    return [circle(50, 50, 38, fill=None, stroke=ink, sw=sw),
            _stroke("M38 39 A12 12 0 1 1 55 50 C51 52 50 55 50 60", ink, sw * 0.95),
            circle(50, 73, sw * 0.62, fill=ink)]


def home(ink, sw):
    return [_stroke("M12 50 L50 16 L88 50", ink, sw),
            _stroke("M24 42 V84 H76 V42", ink, sw),
            _stroke("M43 84 V64 H57 V84", ink, sw * 0.85)]


def back(ink, sw):
    return [_stroke("M82 50 H20 M44 26 L20 50 L44 74", ink, sw)]


def eject(ink, sw):
    del sw
    return [path("M50 16 L84 56 H16 Z", fill=ink, stroke=ink, sw=6),
            rect(16, 68, 68, 14, 4, fill=ink)]


def key(ink, sw):
    return [circle(31, 50, 17, fill=None, stroke=ink, sw=sw),
            _stroke("M48 50 H86 M74 50 V66 M86 50 V62", ink, sw)]


def chevron(ink, sw):
    return [_stroke("M36 18 L68 50 L36 82", ink, sw)]


def bolt(ink, sw):
    del sw
    return [path("M58 8 L22 56 H46 L40 92 L78 42 H54 Z", fill=ink, stroke=ink, sw=5)]


def shield(ink, sw):
    return [_stroke("M50 12 L82 24 V48 C82 68 68 82 50 90 C32 82 18 68 18 48 V24 Z", ink, sw),
            _stroke("M36 50 L46 60 L65 40", ink, sw)]


def book(ink, sw):
    return [_stroke("M50 30 C40 22 26 21 12 25 V79 C26 75 40 76 50 84 C60 76 74 75 88 79 V25 "
                    "C74 21 60 22 50 30 Z M50 30 V84", ink, sw)]


def speech_question(ink, sw):
    return [_stroke("M20 16 H80 A8 8 0 0 1 88 24 V64 A8 8 0 0 1 80 72 H46 L28 88 V72 H20 A8 8 0 0 1 12 64 "
                    "V24 A8 8 0 0 1 20 16 Z", ink, sw),
            _stroke("M41 35 A9 9 0 1 1 54 43 C51 45 50 47 50 51", ink, sw * 0.8),
            circle(50, 61, sw * 0.5, fill=ink)]


def envelope(ink, sw):
    return [_stroke("M20 22 H80 A8 8 0 0 1 88 30 V70 A8 8 0 0 1 80 78 H20 A8 8 0 0 1 12 70 V30 "
                    "A8 8 0 0 1 20 22 Z", ink, sw),
            _stroke("M16 28 L50 54 L84 28", ink, sw)]


def device(ink, sw):
    """The accessory: a flat box with a solid card standing in its slot and a plug stub at each end."""
    return [path("M34 40 V13 A4 4 0 0 1 38 9 H55 L66 20 V40 Z", fill=ink),
            _stroke("M24 42 H76 A10 10 0 0 1 86 52 V70 A10 10 0 0 1 76 80 H24 A10 10 0 0 1 14 70 V52 "
                    "A10 10 0 0 1 24 42 Z", ink, sw),
            _stroke("M4 61 H12 M88 61 H96", ink, sw)]




def eye(ink, sw, crossed=False):
    items = [_stroke("M8 50 C22 26 38 20 50 20 C62 20 78 26 92 50 C78 74 62 80 50 80 C38 80 22 74 8 50 Z",
                     ink, sw),
             circle(50, 50, 13, fill=ink)]
    if crossed:
        items.append(_stroke("M18 84 L82 16", ink, sw))
    return items
