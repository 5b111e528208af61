"""The skin's files: layout files as the profile functions read them, and
JPEG bytes that are the same on every run."""
import io

from PIL import Image

from . import surfaces as s

# English and Chinese file strings under the skin folder.
LAYOUT_FILES = {
    'main': ('INI_EN/skin_main_en.ini', 'INI_CN/skin_main.ini'),
    'advanced': ('INI_EN/skin_advance_en.ini', 'INI_CN/skin_advance.ini'),
    'color': ('INI_EN/skin_color_en.ini', 'INI_CN/skin_color.ini'),
    'warning': ('INI_EN/LBWarning_en.ini', 'INI_CN/LBWarning.ini'),
}


def _field(text):
    # Fields end at commas and the profile functions trim a value's ends and
    # strip surrounding quotes: a label may hold none of these.
    assert ',' not in text and '\r' not in text and '\n' not in text, text
    return text


def _value(name, box, label):
    x, y, width, height = box
    return f'{_field(name)},{x},{y},{width},{height},{_field(label)},'


def _spots(size, table, language):
    lines = ['[BUTTONPOS]']
    for index in range(size):
        spot = table.get(index) or s.Spot(index, 'unused', (0, 0, 0, 0))
        lines.append(f'{index}={_value(spot.name, spot.box, spot.labels[language])}')
    return lines


def layout_text(kind, language):
    size, table = {'main': s.MAIN, 'advanced': s.ADVANCED, 'color': s.COLOR, 'warning': s.WARNING}[kind]
    lines = _spots(size, table, language)
    if kind == 'main':
        lines.append('[FUN_STRING]')
        lines += [f'{key}={_field(name)},' for key, name in s.function_names(language).items()]
    if kind == 'advanced':
        for section in ('EDIT', 'MACRODISPLAY'):
            lines.append(f'[{section}]')
            for (sect, key), (name, box) in s.CONTROLS.items():
                if sect == section:
                    lines.append(f'{key}={_value(name, box, "")}')
    return '\r\n'.join(lines) + '\r\n'


def layout_bytes(kind, language):
    text = layout_text(kind, language)
    if text.isascii():
        return text.encode('ascii')
    # Windows reads non-ASCII profile files only as UTF-16LE with a byte-order mark.
    return b'\xff\xfe' + text.encode('utf-16-le')


def jpeg_bytes(image, quality):
    """Baseline JPEG, full-resolution colour (no chroma subsampling, so thin
    red lines stay red), no metadata: the bytes depend only on the pixels."""
    out = io.BytesIO()
    image.convert('RGB').save(out, 'JPEG', quality=quality, subsampling=0, optimize=False, progressive=False)
    return out.getvalue()


def decoded(data):
    return Image.open(io.BytesIO(data)).convert('RGB')
