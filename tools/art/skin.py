#!/usr/bin/env python3
"""The skin image table and the writer of the SVG sources, the resource script and the id header.

Usage: skin.py SVG_DIR RC_FILE HEADER_FILE
Writes SVG_DIR/<id>-<role>.svg for every image, SVG_DIR/manifest.txt ("<file> <width> <height>" per
line), the resource script fragment and the header of resource ids.
"""

import os
import sys
from dataclasses import dataclass
from typing import Callable

import chrome
import glyphs
import icons
import scenes
from svgkit import BG_PAGE, BG_POPUP, NAVY, Svg


@dataclass(frozen=True)
class Image:
    id: int
    role: str
    width: int
    height: int
    build: Callable
    # Base factor at which the program shows the image at scale 1.0, and the colour behind it;
    # used only by the preview sheet.
    shown: float
    backdrop: tuple = BG_PAGE

    @property
    def name(self):
        return f"{self.id}-{self.role}"

    @property
    def macro(self):
        return "IDB_" + self.role.upper().replace("-", "_")


SIDEBAR = (13, 68, 152)  # the side bar's colour around the menu items, for previews


def _menu(image_id, role, glyph, highlighted):
    return Image(image_id, role, 576, 96, chrome.menu_item(glyph, highlighted), 0.305, SIDEBAR)


def _picture(image_id, role, build, shown=0.2):
    return Image(image_id, role, 592, 592, build, shown, BG_POPUP)


# The message boxes centre the 0.2 reduction (118 px) of these pictures in a control a few pixels shorter,
# so they leave a transparent margin of more than 4 % on every side for the cut to fall in.
BOX_CONTENT = 0.92


def _box(image_id, role, build, content=BOX_CONTENT):
    return _picture(image_id, role, icons.inset(build, content))


IMAGES = [
    Image(193, "top-gear", 40, 40, chrome.top_gear, 1.0),
    Image(194, "logo", 160, 46, chrome.logo, 0.52, SIDEBAR),

    # never-visible pictures of the main window's function commands
    Image(196, "function-normal-backup", 98, 98, chrome.tiled_icon(glyphs.backup), 0.3),
    Image(197, "function-normal-restore", 98, 98, chrome.tiled_icon(glyphs.restore), 0.3),
    Image(198, "function-encrypt-backup", 98, 98, chrome.tiled_icon(glyphs.padlock), 0.3),
    Image(199, "function-decrypt-restore", 98, 98,
          chrome.tiled_icon(lambda ink, sw: glyphs.padlock(ink, sw, unlocked=True)), 0.3),
    Image(200, "function-file-browser", 98, 98, chrome.tiled_icon(glyphs.folder), 0.3),

    # small page icons, shown at their stored size
    Image(206, "settings-title-icon", 30, 30, chrome.glyph_icon(glyphs.gear), 1.0),
    Image(207, "settings-browse-icon", 30, 30, chrome.glyph_icon(glyphs.folder, sw=11), 1.0),
    Image(208, "settings-password-icon", 30, 30, chrome.glyph_icon(glyphs.key, sw=11), 1.0),
    Image(209, "settings-eject-icon", 30, 30, chrome.glyph_icon(glyphs.eject), 1.0),
    Image(212, "home-icon", 30, 30, chrome.glyph_icon(glyphs.home, sw=11), 1.0),
    Image(213, "help-icon", 30, 30, chrome.glyph_icon(glyphs.question, sw=10), 1.0),

    # home page status pictures
    Image(220, "home-connected", 1082, 934, scenes.home_trio("computer"), 0.3),
    Image(221, "home-sd-in-phone", 1082, 934, scenes.home_trio("phone"), 0.3),
    Image(222, "home-not-connected", 1082, 560, scenes.plug_in, 0.3),
    Image(223, "home-sd-not-detected", 1082, 560, scenes.insert_card, 0.3),
    Image(263, "home-sd-standby", 1082, 934, scenes.home_trio(None), 0.3),

    Image(226, "sidebar-background", 960, 2160, chrome.sidebar, 0.2),

    _menu(228, "menu-normal-backup", glyphs.backup, False),
    _menu(229, "menu-encrypt-backup", glyphs.padlock, False),
    _menu(230, "menu-decrypt-restore", lambda ink, sw: glyphs.padlock(ink, sw, unlocked=True), False),
    _menu(231, "menu-normal-restore", glyphs.restore, False),
    _menu(232, "menu-file-browser", glyphs.folder, False),
    _menu(233, "menu-encrypt-backup-highlighted", glyphs.padlock, True),
    _menu(234, "menu-decrypt-restore-highlighted", lambda ink, sw: glyphs.padlock(ink, sw, unlocked=True), True),
    _menu(235, "menu-help-highlighted", glyphs.question, True),
    _menu(236, "menu-normal-backup-highlighted", glyphs.backup, True),
    _menu(237, "menu-normal-restore-highlighted", glyphs.restore, True),
    _menu(238, "menu-settings-highlighted", glyphs.gear, True),
    _menu(239, "menu-help", glyphs.question, False),
    _menu(240, "menu-settings", glyphs.gear, False),

    # page decorations and small status icons
    Image(242, "page-title-icon", 56, 56, chrome.page_mark, 0.55),
    Image(243, "switch-on", 160, 88, chrome.switch(True), 0.3),
    Image(244, "switch-off", 160, 88, chrome.switch(False), 0.3),
    Image(245, "settings-back", 56, 56, chrome.back_button, 0.55),
    Image(246, "help-row-arrow", 36, 36, chrome.chevron, 0.5),
    Image(247, "help-device-information", 56, 56, chrome.tiled_icon(glyphs.device, sw=11), 0.5),
    Image(248, "help-voltage-current", 56, 56, chrome.tiled_icon(glyphs.bolt), 0.5),
    Image(249, "help-privacy-policy", 56, 56, chrome.tiled_icon(glyphs.shield, sw=11), 0.5),
    Image(250, "help-user-guide", 56, 56, chrome.tiled_icon(glyphs.book, sw=11), 0.5),
    Image(251, "help-app-faq", 56, 56, chrome.tiled_icon(glyphs.speech_question, sw=11), 0.5),
    Image(252, "help-contact-us", 56, 56, chrome.tiled_icon(glyphs.envelope, sw=11), 0.5),
    Image(253, "view-decrypt-restore", 1332, 340, scenes.view_illustration("to_computer", "unlocked"), 0.32),
    Image(254, "view-encrypt-backup", 1332, 340, scenes.view_illustration("to_card", "locked"), 0.32),
    Image(255, "view-normal-backup", 1332, 340, scenes.view_illustration("to_card"), 0.32),
    Image(256, "view-normal-restore", 1332, 340, scenes.view_illustration("to_computer"), 0.32),
    Image(257, "action-button-primary", 640, 100, chrome.button("primary"), 0.3),
    Image(258, "mark-info", 36, 36, chrome.mark_disc("info"), 0.7),
    Image(259, "mark-check", 36, 36, chrome.mark_disc("check"), 0.7),
    Image(260, "action-button-secondary", 640, 100, chrome.button("outline"), 0.3),
    Image(261, "settings-update-button", 400, 100, chrome.button("primary"), 0.3),

    # device information dialogs
    Image(264, "device-information", 128, 128,
          chrome.tiled_icon(glyphs.device, sw=14, glyph_size=0.8, radius=0.3), 0.2, BG_POPUP),
    _picture(265, "voltage-current", icons.power_picture, 0.18),

    # message boxes and the other dialogs
    _box(268, "computer-gear", icons.computer_picture("gear")),
    Image(270, "dialog-button-half", 920, 192, chrome.button("light"), 0.15, BG_POPUP),
    Image(271, "password-lock-small", 128, 128, chrome.glyph_icon(glyphs.padlock, ink=NAVY, sw=10), 0.2, BG_POPUP),
    Image(272, "dialog-button-wide", 1904, 200, chrome.button("light"), 0.15, BG_POPUP),
    Image(273, "password-key-small", 128, 128, chrome.glyph_icon(glyphs.key, ink=NAVY, sw=11), 0.2, BG_POPUP),
    _box(274, "computer-warning", icons.computer_picture(None, "warning")),
    _box(275, "sd-card-warning", icons.card_picture("warning")),
    _box(276, "backup-failed", icons.card_picture("warning", arrow=True)),
    _box(277, "backup-complete", icons.card_picture("check", arrow=True)),
    _box(278, "restore-failed", icons.computer_picture("down", "warning")),
    _box(279, "restore-complete", icons.computer_picture("down", "check")),
    _box(280, "folder-gear", icons.folder_picture("gear")),
    # The two-line box shows 281 at 0.2 in a control that keeps only its middle 62 %, and 280 at 0.12 in
    # the same control; at 0.6 of 280's size 281 looks there as 280 does.
    _box(281, "folder-warning", icons.folder_picture("warning"), BOX_CONTENT * 0.6),
    _box(282, "sd-card-eject", icons.eject_picture),
    _box(283, "calendar-question", icons.calendar_picture("question")),
    _box(284, "calendar-warning", icons.calendar_picture("warning")),
    _box(285, "update-available", icons.update_picture),
    _box(286, "password-padlock", icons.padlock_picture("dots")),
    _box(287, "padlock-warning", icons.padlock_picture("warning")),
    _box(288, "padlock-check", icons.padlock_picture("check")),
    Image(289, "password-revealed", 96, 96, chrome.eye(False), 0.25, BG_POPUP),
    Image(290, "password-masked", 96, 96, chrome.eye(True), 0.25, BG_POPUP),
]



def render_svg(image):
    svg = Svg(image.width, image.height)
    image.build(svg)
    return svg.text()


def write_rc(path):
    lines = ["// Skin images, stored once under Traditional Chinese and used for every UI language.",
             "#pragma code_page(65001)",
             "",
             "LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL"]
    width = max(len(i.macro) for i in IMAGES)
    lines += [f'{i.macro.ljust(width)} PNG "skin/{i.name}.png"' for i in sorted(IMAGES, key=lambda i: i.id)]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def write_header(path):
    lines = ["// Resource ids of the skin images (PNG resources).", "#pragma once", ""]
    width = max(len(i.macro) for i in IMAGES)
    lines += [f"#define {i.macro.ljust(width)} {i.id}" for i in sorted(IMAGES, key=lambda i: i.id)]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    svg_dir, rc_path, header_path = argv[1:]
    os.makedirs(svg_dir, exist_ok=True)
    with open(os.path.join(svg_dir, "manifest.txt"), "w") as manifest:
        for image in IMAGES:
            with open(os.path.join(svg_dir, image.name + ".svg"), "w", encoding="utf-8") as f:
                f.write(render_svg(image))
            manifest.write(f"{image.name} {image.width} {image.height}\n")
    write_rc(rc_path)
    write_header(header_path)


if __name__ == "__main__":
    main(sys.argv)
