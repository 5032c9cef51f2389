#!/usr/bin/env python3
"""Checks the rendered skin: the 76 PNGs named and sized as the table says, all 8-bit RGBA with a
transparent top-left pixel (except the opaque side bar), the resource script and header in step with
the table, and the icon with its six 32-bit sizes.

Usage: check_skin.py RESOURCES_DIR
"""

import os
import re
import struct
import sys
import zlib

from skin import IMAGES

OPAQUE = {226}
ICON_SIZES = {16, 24, 32, 48, 64, 256}


def png_header(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("not a PNG")
    width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
    return width, height, depth, colour


def first_row(data, width):
    """Raw RGBA bytes of the first row (its filter can only refer to the row itself)."""
    pos, chunks = 8, []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if kind == b"IDAT":
            chunks.append(data[pos + 8:pos + 8 + length])
        pos += 12 + length
    raw = zlib.decompressobj().decompress(b"".join(chunks), 1 + width * 4)
    kind, row = raw[0], bytearray(raw[1:1 + width * 4])
    if kind in (1, 3, 4):  # Sub, Average and Paeth all reduce to "left neighbour" on the first row
        for i in range(4, len(row)):
            row[i] = (row[i] + (row[i - 4] if kind != 3 else row[i - 4] // 2)) & 0xFF
    return row


def check_pngs(skin_dir, problems):
    expected = {f"{i.name}.png": i for i in IMAGES}
    found = sorted(f for f in os.listdir(skin_dir) if f.endswith(".png"))
    for extra in sorted(set(found) - set(expected)):
        problems.append(f"unexpected file {extra}")
    for missing in sorted(set(expected) - set(found)):
        problems.append(f"missing {missing}")
    for name in sorted(set(found) & set(expected)):
        image = expected[name]
        with open(os.path.join(skin_dir, name), "rb") as f:
            data = f.read()
        width, height, depth, colour = png_header(data)
        if (width, height) != (image.width, image.height):
            problems.append(f"{name}: {width}x{height}, expected {image.width}x{image.height}")
        if (depth, colour) != (8, 6):
            problems.append(f"{name}: bit depth {depth}, colour type {colour}; expected 8-bit RGBA")
            continue
        corner_alpha = first_row(data, width)[3]
        if image.id in OPAQUE and corner_alpha != 255:
            problems.append(f"{name}: expected opaque, corner alpha {corner_alpha}")
        if image.id not in OPAQUE and corner_alpha != 0:
            problems.append(f"{name}: corner not transparent (alpha {corner_alpha})")
    return len(found)


def check_scripts(resources, problems):
    with open(os.path.join(resources, "skin_ids.h"), encoding="utf-8") as f:
        defines = dict(re.findall(r"#define\s+(IDB_\w+)\s+(\d+)", f.read()))
    with open(os.path.join(resources, "skin.rc"), encoding="utf-8") as f:
        rc = f.read()
    entries = dict(re.findall(r'^(IDB_\w+)\s+PNG\s+"([^"]+)"', rc, re.M))
    for image in IMAGES:
        if defines.get(image.macro) != str(image.id):
            problems.append(f"skin_ids.h: {image.macro} is not {image.id}")
        if entries.get(image.macro) != f"skin/{image.name}.png":
            problems.append(f"skin.rc: no entry for {image.macro}")
    if len(defines) != len(IMAGES) or len(entries) != len(IMAGES):
        problems.append(f"skin_ids.h has {len(defines)} ids, skin.rc {len(entries)} entries")
    if "LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL" not in rc:
        problems.append("skin.rc: language statement missing")


def check_icon(path, problems):
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if (reserved, kind) != (0, 1):
        problems.append("yarrowkeep.ico: not an icon file")
        return
    sizes = set()
    for n in range(count):
        w, h, _, _, _, bits, length, offset = struct.unpack("<BBBBHHII", data[6 + 16 * n:22 + 16 * n])
        w, h = w or 256, h or 256
        sizes.add(w)
        body = data[offset:offset + length]
        if body[:4] == b"\x89PNG":
            _, _, depth, colour = png_header(body)
            ok = (depth, colour) == (8, 6)
        else:
            ok = struct.unpack("<H", body[14:16])[0] == 32
        if w != h or not ok:
            problems.append(f"yarrowkeep.ico: {w}x{h} entry is not square 32-bit")
    if sizes != ICON_SIZES:
        problems.append(f"yarrowkeep.ico: sizes {sorted(sizes)}, expected {sorted(ICON_SIZES)}")


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    resources = argv[1]
    problems = []
    count = check_pngs(os.path.join(resources, "skin"), problems)
    check_scripts(resources, problems)
    check_icon(os.path.join(resources, "yarrowkeep.ico"), problems)
    for p in problems:
        print("FAIL:", p)
    print(f"{count} skin images checked, {len(problems)} problem(s)")
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main(sys.argv)
