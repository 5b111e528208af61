"""The contact sheet (docs/skin.png): each surface put together as the
program paints it — normal picture, spots copied from the hovered and
pressed pictures, texts in the fallback fonts — and every image file small."""
import io

from PIL import Image, ImageDraw

from . import draw as d
from . import surfaces as s

MARGIN = 20
CAPTION = 22

# A configuration to show: the factory defaults (DPI steps 800/1200/1600/2400, level 1 current).
BUTTONS = [1, 3, 2, 4, 5, 6]
DPI_STEPS = [3, 5, 6, 8]


def _copy(frame, source, box):
    x, y, w, h = box
    if w > 0 and h > 0:
        frame.paste(source.crop((x, y, x + w, y + h)), (x, y))


def _label(frame, box, text, language, colour=(255, 255, 255), left=False):
    if not text:
        return
    fnt = d.label_font(language)
    if left:
        x, y, w, h = box
        d.text(frame, (x + 5, y, w, h), text, fnt, colour, 'left')
    else:
        d.text(frame, box, text, fnt, colour)


def _header(frame, normal, over, down, language, page, config=1, hover=None, pressed=False):
    spots = s.MAIN[1]
    for i in range(20):
        spot = spots[i]
        if i == config + 3 or (i == hover and pressed) or i == 9 + page or i == (17 if language == 'cn' else 18):
            _copy(frame, down, spot.box)
        elif i == hover:
            _copy(frame, over, spot.box)
    for i in range(20):
        _label(frame, spots[i].box, spots[i].labels[language], language)


def main_page(images, language, hover):
    normal, over, down = (images[f'main_{n}.jpg'] for n in ('normal', 'over', 'down'))
    frame = normal.copy()
    spots = s.MAIN[1]
    _copy(frame, over, spots[hover].box)
    _copy(frame, down, spots[54].box)
    draw = ImageDraw.Draw(frame)
    for level, step in enumerate(DPI_STEPS):
        for k in range(step + 1):
            x, y, w, h = spots[66 + 12 * level + k].box
            draw.rectangle([x + 1, y + 1, x + w - 2, y + h - 1], fill=d.LEVEL_COLOURS[level])
        _copy(frame, down, spots[46 + level].box)
    _copy(frame, down, spots[41].box)
    if 25 <= hover <= 30:
        _copy(frame, over, spots[hover + 90].box)
    _header(frame, normal, over, down, language, 0, hover=hover)
    names = s.function_names(language)
    for k, code in enumerate(BUTTONS):
        spot = spots[25 + k]
        _label(frame, spot.box, names[code], language, (255, 0, 0) if hover == 25 + k else (255, 255, 255), left=True)
    for i in range(20, 54):
        if not 25 <= i <= 30 and i in spots:
            _label(frame, spots[i].box, spots[i].labels[language], language)
    return frame


def _control(frame, box, lines, language, selected=None):
    x, y, w, h = box
    draw = ImageDraw.Draw(frame)
    draw.rectangle([x, y, x + w - 1, y + h - 1], fill=d.CONTROL)
    for k, line in enumerate(lines):
        if k == selected:
            draw.rectangle([x, y + 2 + 16 * k, x + w - 1, y + 17 + 16 * k], fill=(0, 120, 215))
        d.text(frame, (x + 4, y + 2 + 16 * k, w, 16), line, d.label_font(language), (255, 255, 255), 'left')


def advanced_page(images, language):
    normal, over, down = (images[f'advanced_{n}.jpg'] for n in ('normal', 'over', 'down'))
    frame = normal.copy()
    spots = s.ADVANCED[1]
    _copy(frame, over, spots[2].box)
    for index in (8 + 4, 18 + 2, 6):
        _copy(frame, down, spots[index].box)
    x, y, w, h = spots[30].box
    _copy(frame, down, (x, y, 50 * w // 300, h))
    _header(frame, normal, over, down, language, 1)
    labels = {4: 'Record' if language == 'en' else '录制', 33: '50ms', 43: '[↓]3', 44: '[↑]3'}
    for i, spot in spots.items():
        _label(frame, spot.box, labels.get(i, spot.labels[language]), language, (255, 0, 0) if i == 2 else (255,) * 3)
    controls = {name: box for name, box in s.CONTROLS.values()}
    _control(frame, controls['macro_name'], ['Copy line'], language)
    _control(frame, controls['repeat_count'], ['3'], language)
    _control(frame, controls['macro_list'], ['Copy line', 'Build', 'Greeting'], language, 0)
    _control(frame, controls['step_list'], ['[↓] Home', '   20ms', '[↑] Home', '   30ms', '[↓] Shift', '   15ms'],
             language, 0)
    return frame


def color_page(images, language, dpi):
    normal, over, down = (images[n] for n in ('color_normal_pink.jpg', 'color_over_red.jpg', 'color_down_purple.jpg'))
    frame = normal.copy()
    spots = s.COLOR[1]
    _copy(frame, over, spots[2].box)
    _copy(frame, down, spots[0].box)
    _header(frame, normal, over, down, language, 2)
    for i, spot in spots.items():
        _label(frame, spot.box, str(dpi) if i == 9 else spot.labels[language], language)
    return frame


def _menu_frame(images, prefix, strips, hover, labels, language):
    normal, over = images[f'{prefix}_normal.jpg'], images[f'{prefix}_over.jpg']
    frame = normal.copy()
    width, height = s.MENU_ITEM
    _copy(frame, over, (0, (hover - 1) * height, width, height))
    for k, text in enumerate(labels):
        _label(frame, (0, k * height, width, height), text, language, (255, 0, 0) if k + 1 == hover else (255,) * 3)
    return frame.crop((0, 0, width, len(labels) * height + 1)) if len(labels) < strips else frame


def menus(images, language):
    names = s.function_names(language)
    main = _menu_frame(images, 'menu', 10, 8, [names[i] for i in range(1, 11)], language)
    sub = _menu_frame(images, 'advanced menu', 12, 3, [names[i] for i in range(21, 31)], language)
    width, height = s.MENU_ITEM
    out = Image.new('RGB', (2 * width, main.height + 2 * height), d.OUTSIDE)
    out.paste(main, (0, 2 * height))
    out.paste(sub, (width, 0))  # item 8's sub-menu starts two items higher, so it ends level with item 8
    return out


def warning(images, language):
    frame = images['warning_normal.jpg'].copy()
    spots = s.WARNING[1]
    _copy(frame, images['warning_over.jpg'], spots[0].box)
    for spot in spots.values():
        _label(frame, spot.box, spot.labels[language], language, (255, 0, 0))
    return frame


def _caption(draw, x, y, text, size=13):
    draw.text((x, y + 4), text, font=d.font('mono', size), fill=d.SOFT)


def _shaped(frame, mask, background):
    """The frame as the window shows it: the mask's light pixels cut away."""
    cut = mask.convert('L').point(lambda v: 255 if v > 100 else 0)
    out = frame.copy()
    out.paste(background, (0, 0, frame.width, frame.height), cut)
    return out


def contact_sheet(images):
    pages = [(main_page(images, 'en', 26), 'Main page, English: button 2 hovered, profile 1, level 1 current'),
             (main_page(images, 'cn', 3), 'Main page, Chinese: apply hovered'),
             (advanced_page(images, 'en'), 'Advanced page, English (the four controls as the program makes them)'),
             (color_page(images, 'cn', 800), 'Colour page, Chinese: mode 1, LED preview pink')]
    small = [(menus(images, 'en'), 'Menus, English'), (menus(images, 'cn'), 'Menus, Chinese'),
             (warning(images, 'en'), 'Warning, English'), (warning(images, 'cn'), 'Warning, Chinese')]
    thumbs = sorted(images.items())
    cell_w, cell_h, per_row = 200, 150, 9
    width = 2 * s.WINDOW[0] + 3 * MARGIN
    small_h = max(img.height for img, _ in small) + CAPTION + MARGIN
    rows = (len(thumbs) + per_row - 1) // per_row
    height = 2 * (s.WINDOW[1] + CAPTION + MARGIN) + small_h + rows * (cell_h + CAPTION + MARGIN) + MARGIN
    background = (30, 31, 35)
    sheet = Image.new('RGB', (width, height), background)
    pages = [(_shaped(img, images['main_mask.jpg'], background), text) for img, text in pages]
    small = [(_shaped(img, images['warning_mask.jpg'], background) if text.startswith('Warning') else img, text)
             for img, text in small]
    draw = ImageDraw.Draw(sheet)
    for k, (img, text) in enumerate(pages):
        x = MARGIN + (k % 2) * (s.WINDOW[0] + MARGIN)
        y = MARGIN + (k // 2) * (s.WINDOW[1] + CAPTION + MARGIN)
        _caption(draw, x, y, text)
        sheet.paste(img, (x, y + CAPTION))
    y = MARGIN + 2 * (s.WINDOW[1] + CAPTION + MARGIN)
    x = MARGIN
    for img, text in small:
        _caption(draw, x, y, text)
        sheet.paste(img, (x, y + CAPTION))
        x += img.width + 3 * MARGIN
    y += small_h
    for k, (name, img) in enumerate(thumbs):
        cx = MARGIN + (k % per_row) * (cell_w + MARGIN)
        cy = y + (k // per_row) * (cell_h + CAPTION + MARGIN)
        _caption(draw, cx, cy, name, 11)
        thumb = img.copy()
        thumb.thumbnail((cell_w, cell_h), Image.BOX)
        sheet.paste(thumb, (cx, cy + CAPTION))
    out = io.BytesIO()
    sheet.save(out, 'PNG', optimize=True)
    return out.getvalue()
