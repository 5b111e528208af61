#!/usr/bin/env python3
"""Writes the skin: every image of the three pages, the two pop-up menus and
the warning dialog, their masks, the LED preview pictures, the eight layout
files of the English and Chinese variants, and the contact sheet
docs/skin.png. Takes the root folder to write into (default: the repository).

Needs Debian's python3-pil. The JPEG bytes depend only on the pixels and on
the fixed encoder settings, so every run writes the same files."""
import os
import sys

from skin import files, sheet
from skin import surfaces as s
from skin import widgets as w

PAGE_QUALITY = 92
MASK_QUALITY = 95


def images():
    """File name under the skin folder -> (picture, JPEG quality)."""
    out = {}
    for state, name in [(w.NORMAL, 'normal'), (w.OVER, 'over'), (w.DOWN, 'down')]:
        out[f'main_{name}.jpg'] = s.main_page(state)
        out[f'advanced_{name}.jpg'] = s.advanced_page(state)
        out[f'menu_{name}.jpg'] = s.menu(10, {7, 8, 9, 10}, state)
        out[f'advanced menu_{name}.jpg'] = s.menu(12, set(), state)
    out['color_normal_pink.jpg'] = s.color_page(w.NORMAL, s.LED_PINK)
    out['color_over_red.jpg'] = s.color_page(w.OVER, s.LED_RED)
    out['color_down_purple.jpg'] = s.color_page(w.DOWN, s.LED_PURPLE)
    out['color_normal_gray.jpg'] = s.color_page(w.NORMAL, None)
    out['color_over_blue.jpg'] = s.color_page(w.OVER, s.LED_BLUE)
    out['warning_normal.jpg'] = s.warning_dialog(w.NORMAL)
    out['warning_over.jpg'] = s.warning_dialog(w.OVER)
    encoded = {name: files.jpeg_bytes(picture, PAGE_QUALITY) for name, picture in out.items()}
    for name, mask in [('main_mask.jpg', s.window_mask(s.WINDOW, s.WINDOW_OUTLINE)),
                       ('warning_mask.jpg', s.window_mask(s.WARNING_SIZE, s.WARNING_OUTLINE)),
                       ('menu_mask.jpg', s.menu_mask(10)), ('advanced menu_mask.jpg', s.menu_mask(12))]:
        encoded[name] = files.jpeg_bytes(mask, MASK_QUALITY)
        check_mask(name, mask, encoded[name])
    return encoded


def check_mask(name, drawn, data):
    """The shape must not hang on the decoder: after JPEG every channel of
    every pixel stays far from the light threshold (100), on the side it was drawn."""
    got = files.decoded(data)
    for (r, g, b), (want, _, _) in zip(got.getdata(), drawn.getdata()):
        light = want > 127
        if light and min(r, g, b) < 160 or not light and max(r, g, b) > 60:
            raise SystemExit(f'{name}: a decoded pixel lies too close to the light threshold')


def write(root, relative, data):
    path = os.path.join(root, *relative.split('/'))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
    encoded = images()
    for name, data in encoded.items():
        write(root, f'data/skins/{name}', data)
    for kind, (english, chinese) in files.LAYOUT_FILES.items():
        write(root, f'data/skins/{english}', files.layout_bytes(kind, 'en'))
        write(root, f'data/skins/{chinese}', files.layout_bytes(kind, 'cn'))
    write(root, 'docs/skin.png', sheet.contact_sheet({n: files.decoded(b) for n, b in encoded.items()}))


if __name__ == '__main__':
    main()
