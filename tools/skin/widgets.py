"""The spots' pictures, one function per kind, each in three states: normal,
over (the cursor is on it) and down (pressed, or the active choice).

A widget draws into its own small canvas the size of its spot and returns
the texts it bakes in (drawn later at real size), so nothing it draws can
leave the spot's rectangle."""
from . import draw as d
from .draw import Canvas

NORMAL, OVER, DOWN = 'normal', 'over', 'down'


def _frame(c, w, h, state, radius=4):
    """The shared button body: a raised gradient that lights up red."""
    if state == NORMAL:
        c.gradient((0, 0, w, h), d.RAISED, d.RAISED_LOW, radius)
        c.rect((0, 0, w, h), outline=d.EDGE, radius=radius)
        c.line([(radius, 1), (w - radius, 1)], d.mix(d.RAISED, d.WHITE, 0.08))
    elif state == OVER:
        c.gradient((0, 0, w, h), (48, 52, 60), (34, 37, 43), radius)
        c.rect((0, 0, w, h), outline=d.RED, radius=radius)
        c.rect((3, h - 3, w - 3, h - 1), fill=d.mix(d.RED, d.RAISED, 0.35))
    else:
        c.gradient((0, 0, w, h), d.RED_DARK, (26, 12, 15), radius)
        c.rect((0, 0, w, h), outline=d.RED_LIGHT, radius=radius)
        c.rect((2, h - 4, w - 2, h - 1), fill=d.RED)


def button(c, w, h, state):
    _frame(c, w, h, state)
    return []


def record_button(c, w, h, state):
    _frame(c, w, h, state)
    r = min(5, h / 5)
    colour = d.RED_LIGHT if state != NORMAL else d.RED
    c.ellipse((10, h / 2 - r, 10 + 2 * r, h / 2 + r), fill=colour)
    return []


def mode_button(colour):
    """An LED mode: a button with a small lamp of the mode's character."""
    def widget(c, w, h, state):
        _frame(c, w, h, state)
        lamp = colour if state != NORMAL else d.mix(colour, d.RAISED, 0.45)
        c.ellipse((12, h / 2 - 5, 22, h / 2 + 5), fill=lamp)
        return []
    return widget


def tab(c, w, h, state):
    if state == OVER:
        c.gradient((0, 0, w, h), (30, 32, 38), d.HEADER)
        c.rect((6, h - 3, w - 6, h), fill=d.mix(d.RED, d.HEADER, 0.4))
    elif state == DOWN:
        c.gradient((0, 0, w, h), (40, 16, 20), d.BASE)
        c.rect((0, 0, w, 3), fill=d.RED)
        c.rect((0, 0, 1, h), fill=d.EDGE)
        c.rect((w - 1, 0, w, h), fill=d.EDGE)
    return []


def field(c, w, h, state):
    """A drop-down field: the assigned function's name is drawn at its left."""
    fill = {NORMAL: d.SLOT, OVER: (26, 28, 33), DOWN: d.RED_DARK}[state]
    edge = {NORMAL: d.EDGE, OVER: d.RED, DOWN: d.RED_LIGHT}[state]
    c.rect((0, 0, w, h), fill=fill, outline=edge, radius=3)
    c.rect((0, 3, 2, h - 3), fill=d.RED if state != NORMAL else d.EDGE_LIGHT)
    arrow = d.RED_LIGHT if state != NORMAL else d.SOFT
    cx, cy = w - 14, h / 2
    c.polygon([(cx - 5, cy - 2.5), (cx + 5, cy - 2.5), (cx, cy + 3.5)], fill=arrow)
    c.line([(w - 28, 6), (w - 28, h - 6)], d.EDGE)
    return []


def toggle(c, w, h, state):
    """An enable switch: off in the normal picture, on in the pressed one."""
    r = h / 2
    if state == DOWN:
        c.rect((0, 0, w, h), fill=d.RED_DEEP, outline=d.RED, radius=r)
        c.ellipse((w - h + 3, 3, w - 3, h - 3), fill=d.WHITE)
    else:
        edge = d.RED if state == OVER else d.EDGE
        c.rect((0, 0, w, h), fill=d.SLOT, outline=edge, radius=r)
        c.ellipse((3, 3, h - 3, h - 3), fill=d.SOFT if state == OVER else d.DIM)
    return []


def level_badge(number, colour):
    """A DPI level selector: a ring in the level's colour, filled when current."""
    def widget(c, w, h, state):
        s = min(w, h) - 2
        box = ((w - s) / 2, (h - s) / 2, (w + s) / 2, (h + s) / 2)
        if state == DOWN:
            c.ellipse(box, fill=colour)
            c.ellipse(box, outline=d.WHITE, width=1.5)
            ink = d.WHITE
        else:
            c.ellipse(box, fill=d.SLOT)
            c.ellipse(box, outline=colour if state == OVER else d.mix(colour, d.SLOT, 0.45), width=2)
            ink = d.WHITE if state == OVER else d.SOFT
        return [((0, 0, w, h), str(number), d.font('mono-bold', 13), ink)]
    return widget


def cell(c, w, h, state):
    """One segment of a DPI bar; the program fills it in the level's colour."""
    fill = d.SLOT if state == NORMAL else (30, 32, 38)
    edge = d.EDGE if state == NORMAL else d.RED
    c.rect((0, 0, w, h), fill=fill, outline=edge)
    return []


def radio(c, w, h, state):
    _frame(c, w, h, state)
    cy = h / 2
    c.ellipse((9, cy - 5, 19, cy + 5), fill=d.SLOT, outline=d.EDGE_LIGHT, width=1)
    if state == DOWN:
        c.ellipse((11.5, cy - 2.5, 16.5, cy + 2.5), fill=d.RED_LIGHT)
    return []


def chip(c, w, h, state):
    """A small choice in a row of ten."""
    if state == NORMAL:
        c.rect((0, 0, w, h), fill=d.SLOT, outline=d.EDGE, radius=3)
    elif state == OVER:
        c.rect((0, 0, w, h), fill=(34, 37, 43), outline=d.RED, radius=3)
    else:
        c.gradient((0, 0, w, h), d.RED, d.RED_DEEP, 3)
        c.rect((0, 0, w, h), outline=d.RED_LIGHT, radius=3)
    return []


def fire_bar(c, w, h, state):
    """The fire-time track; its pressed picture is full, the program shows
    the part of it that the time reaches."""
    if state == DOWN:
        c.gradient((0, 0, w, h), d.RED_LIGHT, d.RED_DEEP)
        c.rect((0, 0, w, h), outline=d.RED_LIGHT)
    else:
        c.rect((0, 0, w, h), fill=d.SLOT, outline=d.RED if state == OVER else d.EDGE)
    for k in range(1, 10):
        x = round(w * k / 10)
        c.line([(x, h - 5), (x, h - 1)], d.mix(d.EDGE_LIGHT, d.SLOT, 0.3) if state != DOWN else d.RED_DEEP)
    return []


def icon_button(glyph):
    """Window buttons: minimise and close."""
    def widget(c, w, h, state):
        if state != NORMAL:
            fill = (38, 41, 48) if state == OVER else d.RED_DEEP
            if glyph == 'close' and state == OVER:
                fill = d.RED
            c.rect((0, 0, w, h), fill=fill, radius=4)
        ink = d.WHITE if state != NORMAL else d.SOFT
        cx, cy = w / 2, h / 2
        if glyph == 'minimise':
            c.line([(cx - 6, cy + 4), (cx + 6, cy + 4)], ink, 2)
        else:
            c.line([(cx - 5.5, cy - 5.5), (cx + 5.5, cy + 5.5)], ink, 2)
            c.line([(cx - 5.5, cy + 5.5), (cx + 5.5, cy - 5.5)], ink, 2)
        return []
    return widget


def language_button(name, kind):
    """The language buttons carry their language's own name in any skin."""
    def widget(c, w, h, state):
        if state == OVER:
            c.rect((0, 0, w, h), fill=(34, 37, 43), outline=d.RED, radius=3)
        elif state == DOWN:
            c.rect((0, 0, w, h), fill=d.RED_DARK, outline=d.RED_LIGHT, radius=3)
        else:
            c.rect((0, 0, w, h), outline=d.EDGE, radius=3)
        ink = d.WHITE if state != NORMAL else d.SOFT
        return [((0, 0, w, h), name, d.font(kind, 12), ink)]
    return widget


def link(c, w, h, state):
    """The web link: a globe before its label."""
    if state != NORMAL:
        c.rect((0, 0, w, h), fill=(34, 37, 43) if state == OVER else d.RED_DARK,
               outline=d.RED if state == OVER else d.RED_LIGHT, radius=3)
    ink = d.RED_LIGHT if state != NORMAL else d.DIM
    cy = h / 2
    c.ellipse((6, cy - 6, 18, cy + 6), outline=ink, width=1.2)
    c.ellipse((9, cy - 6, 15, cy + 6), outline=ink, width=1)
    c.line([(6, cy), (18, cy)], ink, 1)
    return []


def menu_strip(opens_group):
    """One item of a pop-up menu; group openers carry an arrow."""
    def widget(c, w, h, state):
        if state == OVER:
            c.gradient((0, 0, w, h), (44, 47, 55), (34, 37, 43))
            c.rect((0, 0, 3, h), fill=d.RED)
        elif state == DOWN:
            c.gradient((0, 0, w, h), d.RED_DARK, (28, 12, 15))
            c.rect((0, 0, 3, h), fill=d.RED_LIGHT)
            c.rect((0, 0, w, h), outline=d.RED)
        if opens_group:
            ink = d.RED_LIGHT if state != NORMAL else d.DIM
            cx, cy = w - 14, h / 2
            c.polygon([(cx - 2.5, cy - 5), (cx + 3.5, cy), (cx - 2.5, cy + 5)], fill=ink)
        c.line([(8, h - 0.5), (w - 8, h - 0.5)], d.PANEL_EDGE)
        return []
    return widget


def render(page, box, widget, state):
    """Draws `widget` in `state` over the part of `page` under `box` = (x, y, w, h);
    returns its baked texts in page coordinates."""
    x, y, w, h = box
    tile = Canvas(w, h)
    tile.image = page.image.crop((x * d.SCALE, y * d.SCALE, (x + w) * d.SCALE, (y + h) * d.SCALE))
    tile.draw = d.ImageDraw.Draw(tile.image)
    texts = widget(tile, w, h, state)
    page.paste(tile, x, y)
    return [((x + bx, y + by, bw, bh), s, f, ink) for (bx, by, bw, bh), s, f, ink in texts]
