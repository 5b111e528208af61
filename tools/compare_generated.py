#!/usr/bin/env python3
"""Compares regenerated files with the committed ones.

Text and data files must match byte for byte. Pictures are compared as the
program sees them, by their decoded pixels: the same size, and pixel values
within a small tolerance, because their bytes depend on the JPEG encoder and
the glyph rasteriser of the installed packages, which change without any
change of ours. A picture whose drawing moved or changed colour still fails.

usage: compare_generated.py REGENERATED_ROOT SOURCE_ROOT
"""
import os
import sys

from PIL import Image, ImageChops

PICTURES = ('.jpg', '.jpeg', '.png', '.ico', '.bmp')
# Mean absolute difference per channel, out of 255: re-encoding stays far below.
MEAN_TOLERANCE = 3.0
# Share of pixels that may differ by more than STRONG_DIFFERENCE in some
# channel: room for text drawn by another version of a font, not for a moved
# or recoloured spot.
STRONG_DIFFERENCE = 64
STRONG_SHARE = 0.04


def picture_difference(regenerated, committed):
    """None when the two pictures match within the tolerance, else why not."""
    with Image.open(regenerated) as a, Image.open(committed) as b:
        a, b = a.convert('RGB'), b.convert('RGB')
        if a.size != b.size:
            return 'size %dx%d, committed %dx%d' % (a.size + b.size)
        diff = ImageChops.difference(a, b)
    pixels = a.size[0] * a.size[1]
    total = 0
    strong = 0
    channels = diff.split()
    for channel in channels:
        histogram = channel.histogram()
        total += sum(value * count for value, count in enumerate(histogram))
    worst = ImageChops.lighter(ImageChops.lighter(channels[0], channels[1]), channels[2])
    strong = sum(worst.histogram()[STRONG_DIFFERENCE + 1:])
    mean = total / (3.0 * pixels)
    share = strong / pixels
    if mean > MEAN_TOLERANCE or share > STRONG_SHARE:
        return 'mean difference %.2f (at most %.1f), %.1f%% of pixels far off (at most %.0f%%)' % (
            mean, MEAN_TOLERANCE, 100 * share, 100 * STRONG_SHARE)
    return None


def main(regenerated_root, source_root):
    failures = []
    count = 0
    for folder, _, names in os.walk(regenerated_root):
        for name in sorted(names):
            regenerated = os.path.join(folder, name)
            relative = os.path.relpath(regenerated, regenerated_root)
            committed = os.path.join(source_root, relative)
            count += 1
            if not os.path.exists(committed):
                failures.append('%s: not committed' % relative)
            elif name.lower().endswith(PICTURES):
                why = picture_difference(regenerated, committed)
                if why:
                    failures.append('%s: %s' % (relative, why))
            else:
                with open(regenerated, 'rb') as a, open(committed, 'rb') as b:
                    if a.read() != b.read():
                        failures.append('%s: differs byte for byte' % relative)
    if count == 0:
        print('the generators wrote nothing')
        return 1
    for failure in failures:
        print(failure)
    if failures:
        print('%d of %d generated files differ from what their generators write (run tools/make_*.py)'
              % (len(failures), count))
        return 1
    print('%d generated files match' % count)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2]))
