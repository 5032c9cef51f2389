#!/usr/bin/env python3
"""Contact sheet of the rendered skin at the size the program shows each image at scale 1.0.

Each image is reduced with the program's own bilinear rule (four planes, rows counted bottom-up,
half-pixel offset, +0.5 and truncation), laid on the colour it is drawn over, and labelled.
Usage: preview.py RESOURCES_DIR OUTPUT_PNG [SCALE]   (SCALE: the UI scale factor, default 1.0)
"""

import os
import subprocess
import sys
import tempfile

from skin import IMAGES

# Rows of the sheet: images of similar shown size side by side.
GROUPS = [
    (12, {193, 194, 196, 197, 198, 199, 200, 206, 207, 208, 209, 212, 213, 242, 245, 246, 258, 259, 264,
          271, 273, 289, 290}),
    (7, set(range(228, 241))),
    (6, {247, 248, 249, 250, 251, 252, 243, 244, 257, 260, 261, 270}),
    (1, {272}),
    (3, {220, 221, 263}),
    (3, {222, 223, 226}),
    (2, {253, 254, 255, 256}),
    (9, {265, 268} | set(range(274, 289))),
]


def read_rgba(path):
    raw = subprocess.run(["convert", path, "-depth", "8", "RGBA:-"], check=True, capture_output=True).stdout
    return raw


def shrink(pixels, width, height, new_w, new_h):
    """Bilinear reduction as the program does it, on RGBA bytes (channel order does not matter)."""
    if (new_w, new_h) == (width, height):
        return pixels
    sx = new_w / width
    sy = new_h / height
    ox = (1 / sx - 1) / 2 if sx < 1 else 0
    oy = (1 / sy - 1) / 2 if sy < 1 else 0

    def base(u, limit):
        if u > limit - 1:
            return limit - 2, limit - 1
        if u < 0:
            return 0, 0
        return int(u), u

    cols = [base(x / sx + ox, width) for x in range(new_w)]
    out = bytearray(new_w * new_h * 4)
    stride = width * 4
    for y in range(new_h):
        # rows are counted from the bottom in the program's planes
        by, v = base(y / sy + oy, height)
        b = v - by
        row0 = (height - 1 - by) * stride
        row1 = (height - 1 - (by + 1)) * stride
        dst_row = (new_h - 1 - y) * new_w * 4
        for x, (bx, u) in enumerate(cols):
            a = u - bx
            p00 = row0 + bx * 4
            p01 = row1 + bx * 4
            dst = dst_row + x * 4
            for c in range(4):
                value = ((1 - a) * (1 - b) * pixels[p00 + c] + a * (1 - b) * pixels[p00 + 4 + c] +
                         (1 - a) * b * pixels[p01 + c] + a * b * pixels[p01 + 4 + c] + 0.5)
                out[dst + c] = min(255, max(0, int(value)))
    return bytes(out)


def shrunk_png(resources, image, factor, work):
    """The image reduced by factor with the program's rule, as a PNG file in work."""
    new_w, new_h = int(image.width * factor), int(image.height * factor)
    pixels = shrink(read_rgba(os.path.join(resources, "skin", image.name + ".png")), image.width, image.height,
                    new_w, new_h)
    raw = os.path.join(work, f"{image.name}-{factor}.rgba")
    with open(raw, "wb") as f:
        f.write(pixels)
    out = raw[:-5] + ".png"
    subprocess.run(["convert", "-size", f"{new_w}x{new_h}", "-depth", "8", f"RGBA:{raw}", out], check=True)
    return out


def sidebar_mock(resources, work):
    """The main window's side bar at scale 1.0 (dialog units at 1.5 x 1.625 pixels), Normal Backup selected."""
    by_id = {i.id: i for i in IMAGES}
    width, height = 192, 468
    args = ["convert", os.path.join(resources, "skin", by_id[226].name + ".png"), "-resize", f"{width}x{height}!"]
    logo = shrunk_png(resources, by_id[194], 0.52, work)
    args += [logo, "-geometry", "+%d+%d" % (48 + (90 - 83) // 2, 23 + (39 - 23) // 2), "-composite"]
    items = [(52, 236, "Normal Backup"), (75, 229, "Encrypt Backup"), (98, 231, "Normal Restore"),
             (121, 230, "Decrypt Restore"), (144, 232, "File Browser"), (232, 240, "Settings"), (255, 239, "Help")]
    for y, image_id, text in items:
        picture = shrunk_png(resources, by_id[image_id], 0.305, work)
        top = int(y * 1.625)
        args += [picture, "-geometry", f"+0+{top + 2}", "-composite",
                 "-font", "DejaVu-Sans-Bold", "-pointsize", "11", "-fill", "rgb(251,252,253)",
                 "-annotate", f"+38+{top + 21}", text]
    out = os.path.join(work, "sidebar-mock.png")
    subprocess.run(args + [out], check=True)
    return out


def main(argv):
    if len(argv) not in (3, 4):
        sys.exit(__doc__)
    resources, output = argv[1], argv[2]
    scale = float(argv[3]) if len(argv) == 4 else 1.0
    with tempfile.TemporaryDirectory() as work:
        tiles = []
        for image in IMAGES:
            factor = image.shown * scale if scale > 1 else image.shown
            src = os.path.join(resources, "skin", image.name + ".png")
            if factor < 1:
                new_w, new_h = int(image.width * factor), int(image.height * factor)
                pixels = shrink(read_rgba(src), image.width, image.height, new_w, new_h)
                small = os.path.join(work, image.name + ".rgba")
                with open(small, "wb") as f:
                    f.write(pixels)
                src = f"RGBA:{small}"
                size = ["-size", f"{new_w}x{new_h}", "-depth", "8"]
            else:
                size = []
            tile = os.path.join(work, image.name + ".png")
            backdrop = "rgb({},{},{})".format(*image.backdrop)
            subprocess.run(["convert", *size, src, "-background", backdrop, "-gravity", "center",
                            "-extent", "%dx%d" % (max(120, int(image.width * min(factor, 1)) + 12),
                                                   max(1, int(image.height * min(factor, 1))) + 12),
                            "-flatten", tile], check=True)
            tiles.append((image, tile))
        sheets = [sidebar_mock(resources, work)]
        for number, (columns, ids) in enumerate(GROUPS):
            args = ["montage"]
            for image, tile in tiles:
                if image.id in ids:
                    args += ["-label", f"{image.id} {image.role}", tile]
            sheet = os.path.join(work, f"sheet{number}.png")
            args += ["-tile", f"{columns}x", "-geometry", "+6+6", "-pointsize", "10",
                     "-background", "rgb(200,204,210)", sheet]
            subprocess.run(args, check=True)
            sheets.append(sheet)
        subprocess.run(["convert", *sheets, "-background", "rgb(200,204,210)", "-gravity", "west", "-append",
                        output], check=True)


if __name__ == "__main__":
    main(sys.argv)
