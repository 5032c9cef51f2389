"""The program's mark: a blue rounded tile holding a white SD card with an upward arrow cut out of it.

Used by the application icon, the logo, the page title decoration and the update picture.
"""

from svgkit import NAVY, SKY, WHITE, evenodd_path, polygon_path, rect


def card_with_arrow(x, y, w, h, detail=True, shaft=0.085):
    """White card silhouette (cut top-right corner) with the arrow as a hole; detail adds the contacts."""
    cut = w * 0.32
    r = w * 0.12
    card = (f"M{x + r:.2f} {y:.2f} H{x + w - cut:.2f} L{x + w:.2f} {y + cut:.2f} V{y + h - r:.2f} "
            f"A{r:.2f} {r:.2f} 0 0 1 {x + w - r:.2f} {y + h:.2f} H{x + r:.2f} "
            f"A{r:.2f} {r:.2f} 0 0 1 {x:.2f} {y + h - r:.2f} V{y + r:.2f} A{r:.2f} {r:.2f} 0 0 1 {x + r:.2f} {y:.2f} Z")
    cx = x + w * 0.5
    top = y + h * (0.36 if detail else 0.26)
    bottom = y + h * 0.86
    head = w * 0.30
    shaft = w * shaft
    neck = top + head * 0.95
    arrow = polygon_path([(cx, top), (cx + head, neck), (cx + shaft, neck), (cx + shaft, bottom),
                          (cx - shaft, bottom), (cx - shaft, neck), (cx - head, neck)])
    holes = [arrow]
    if detail:
        pad_w = w * 0.09
        for i in range(3):
            px = x + w * 0.2 + i * w * 0.17
            holes.append(polygon_path([(px, y + h * 0.08), (px + pad_w, y + h * 0.08),
                                       (px + pad_w, y + h * 0.22), (px, y + h * 0.22)]))
    return evenodd_path(card + " " + " ".join(holes), fill=WHITE)


def tile(svg, x, y, size, detail=True, radius=0.22, card=(0.46, 0.60), shaft=0.085):
    """Mark on its tile, covering the square (x, y, size, size); card is the card's share of the tile."""
    fill = svg.linear([(0, SKY), (1, NAVY)], x1=0, y1=0, x2=1, y2=1)
    card_w = size * card[0]
    card_h = size * card[1]
    return [rect(x, y, size, size, size * radius, fill=fill),
            card_with_arrow(x + (size - card_w) / 2, y + (size - card_h) / 2, card_w, card_h, detail, shaft)]
