"""The drawing of the mouse seen from above: body, the six buttons (which
light up one by one on the main page) and the LED zones of the colour page.

Shapes are given in the unit box (0..1 across the body's width and height)
and placed into a box of the page."""
from PIL import ImageDraw, ImageFilter

from . import draw as d

# Catmull-Rom control points of the body outline, clockwise from the nose.
_BODY = [(0.50, 0.00), (0.80, 0.035), (0.95, 0.16), (1.00, 0.38), (0.98, 0.62), (0.90, 0.84), (0.72, 0.97),
         (0.50, 1.00), (0.28, 0.97), (0.10, 0.84), (0.02, 0.62), (0.00, 0.38), (0.05, 0.16), (0.20, 0.035)]
SPLIT = 0.42  # where the two main buttons end
CHANNEL = (0.435, 0.565)

# Button slots 0..5 in the order of the configuration's K0..K5.
PARTS = ['left', 'right', 'wheel', 'back', 'forward', 'dpi']

_BOXES = {
    'wheel': (0.455, 0.085, 0.545, 0.275),
    'dpi': (0.462, 0.305, 0.538, 0.375),
    'forward': (-0.075, 0.46, 0.035, 0.57),
    'back': (-0.075, 0.595, 0.035, 0.705),
}


def _outline(samples=24):
    pts = _BODY
    n = len(pts)
    out = []
    for i in range(n):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[(i + 1) % n], pts[(i + 2) % n]
        for k in range(samples):
            t = k / samples
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * ((2 * b) + (-a + c) * t + (2 * a - 5 * b + 4 * c - e) * t2 +
                                    (-a + 3 * b - 3 * c + e) * t3) for a, b, c, e in zip(p0, p1, p2, p3)))
    return out


class MouseDrawing:
    def __init__(self, box):
        self.x, self.y, self.w, self.h = box

    def at(self, u, v):
        return (self.x + u * self.w, self.y + v * self.h)

    def _mask(self, canvas, shape):
        mask = canvas.new_mask()
        draw = ImageDraw.Draw(mask)
        shape(draw)
        return mask

    def _body_mask(self, canvas):
        return self._mask(canvas, lambda m: m.polygon(d.scaled([self.at(u, v) for u, v in _outline()]), fill=255))

    def _rect_mask(self, canvas, u0, v0, u1, v1, radius):
        (x0, y0), (x1, y1) = self.at(u0, v0), self.at(u1, v1)
        s = d.SCALE
        return self._mask(canvas, lambda m: m.rounded_rectangle([x0 * s, y0 * s, x1 * s, y1 * s],
                                                                 radius=radius * s, fill=255))

    def part_mask(self, canvas, part):
        if part in ('left', 'right'):
            body = self._body_mask(canvas)
            u0, u1 = (-0.1, CHANNEL[0] - 0.012) if part == 'left' else (CHANNEL[1] + 0.012, 1.1)
            keep = self._rect_mask(canvas, u0, -0.1, u1, SPLIT, 0)
            return d.ImageChops.multiply(body, keep)
        u0, v0, u1, v1 = _BOXES[part]
        return self._rect_mask(canvas, u0, v0, u1, v1, min(u1 - u0, v1 - v0) * self.w / 2.2)

    def part_box(self, part, margin=2):
        """The part's rectangle in whole page pixels, with a margin for its glow."""
        if part in ('left', 'right'):
            u0, u1 = (0.0, CHANNEL[0] - 0.012) if part == 'left' else (CHANNEL[1] + 0.012, 1.0)
            v0, v1 = 0.0, SPLIT
        else:
            u0, v0, u1, v1 = _BOXES[part]
        (x0, y0), (x1, y1) = self.at(u0, v0), self.at(u1, v1)
        return (int(x0) - margin, int(y0) - margin, int(x1 + 0.999) - int(x0) + 2 * margin,
                int(y1 + 0.999) - int(y0) + 2 * margin)

    def render(self, canvas, lit=(), led=None):
        """Draws the mouse; parts in `lit` glow red, `led` (a colour or None
        for a dark LED) lights the logo and the ring round the wheel."""
        body = self._body_mask(canvas)
        shadow = body.filter(ImageFilter.GaussianBlur(6 * d.SCALE)).point(lambda v: v * 0.8)
        canvas.image.paste((0, 0, 0), (0, int(4 * d.SCALE)), shadow)
        for part in ('forward', 'back'):
            self._button(canvas, part, part in lit)
        # The body: graphite, lit from the upper left.
        top, bottom = (44, 47, 54), (16, 17, 21)
        (x0, y0), (x1, y1) = self.at(0, 0), self.at(1, 1)
        shade = d.Canvas(canvas.width, canvas.height)
        shade.gradient((x0, y0, x1, y1), top, bottom)
        canvas.image.paste(shade.image, (0, 0), body)
        canvas.masked(body.point(lambda v: 255 if v > 127 else 0).filter(ImageFilter.FIND_EDGES), d.EDGE_LIGHT)
        for part in ('left', 'right'):
            self._button(canvas, part, part in lit)
        # The channel between the buttons and the seam below them.
        (cx0, cy0), (cx1, cy1) = self.at(CHANNEL[0], 0.02), self.at(CHANNEL[1], SPLIT)
        canvas.rect((cx0, cy0, cx1, cy1), fill=(14, 15, 18), radius=4)
        canvas.line([self.at(0.05, SPLIT + 0.004), self.at(0.95, SPLIT + 0.004)], (10, 11, 13), 1.2)
        self._led(canvas, led)
        for part in ('wheel', 'dpi'):
            self._button(canvas, part, part in lit)
        self._wheel_ridges(canvas)
        # Palm grip texture.
        for k in range(7):
            v = 0.80 + k * 0.022
            canvas.line([self.at(0.30 + k * 0.012, v), self.at(0.70 - k * 0.012, v)], (30, 32, 37), 1)

    def _button(self, canvas, part, lit):
        mask = self.part_mask(canvas, part)
        u0, v0, u1, v1 = (0, 0, 1, SPLIT) if part in ('left', 'right') else _BOXES[part]
        (x0, y0), (x1, y1) = self.at(u0, v0), self.at(u1, v1)
        fill = d.Canvas(canvas.width, canvas.height)
        if lit:
            fill.gradient((x0, y0, x1, y1), d.RED_LIGHT, d.RED_DEEP)
        else:
            fill.gradient((x0, y0, x1, y1), (52, 56, 64), (28, 30, 35))
        canvas.image.paste(fill.image, (0, 0), mask)
        edge = mask.filter(ImageFilter.FIND_EDGES)
        canvas.masked(edge, d.RED_LIGHT if lit else (70, 75, 86))

    def _wheel_ridges(self, canvas):
        u0, v0, u1, v1 = _BOXES['wheel']
        for k in range(1, 9):
            v = v0 + (v1 - v0) * k / 9
            canvas.line([self.at(u0 + 0.015, v), self.at(u1 - 0.015, v)], (12, 13, 16), 1)

    def _led(self, canvas, colour):
        """The logo chevron on the palm and a ring round the wheel."""
        chevron = [(0.50, 0.56), (0.64, 0.66), (0.64, 0.70), (0.50, 0.61), (0.36, 0.70), (0.36, 0.66)]
        mask = self._mask(canvas, lambda m: m.polygon(d.scaled([self.at(u, v) for u, v in chevron]), fill=255))
        u0, v0, u1, v1 = _BOXES['wheel']
        ring = self._rect_mask(canvas, u0 - 0.035, v0 - 0.02, u1 + 0.035, v1 + 0.02, 6)
        ring_inner = self._rect_mask(canvas, u0 - 0.012, v0 - 0.004, u1 + 0.012, v1 + 0.004, 5)
        ring = d.ImageChops.subtract(ring, ring_inner)
        both = d.ImageChops.lighter(mask, ring)
        if colour is None:
            canvas.masked(both, (36, 38, 44))
            return
        canvas.glow(both, d.mix(colour, (0, 0, 0), 0.25), 9, 1.6)
        canvas.masked(both, d.mix(colour, (255, 255, 255), 0.35))
