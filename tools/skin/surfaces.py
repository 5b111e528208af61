"""The one source of the skin: every spot of every layout table with its
rectangle, labels and picture, and how each surface's images are drawn from
them. The layout files and the images are both made from these tables, so a
spot's rectangle and its picture cannot disagree.

Index roles (what the program does with an entry) are fixed; positions,
labels and pictures are this skin's."""
from function_names import FUNCTION_NAMES

from . import draw as d
from . import widgets as w
from .mouse import PARTS, MouseDrawing

WINDOW = (1000, 600)
MENU_ITEM = (210, 28)  # equal strips in both menus, so a sub-menu lines up with its item


class Spot:
    def __init__(self, index, name, box, en='', cn=None, widget=None):
        self.index, self.name, self.box = index, name, box
        self.labels = {'en': en, 'cn': en if cn is None else cn}
        self.widget = widget


def _table(size, spots):
    table = {s.index: s for s in spots}
    assert len(table) == len(spots), 'an index is given twice'
    assert all(0 <= i < size for i in table), 'an index is outside its table'
    return size, table


# Window outline: chamfered corners, a raised tab for the page tabs at the
# top and one for the main commands at the bottom.
WINDOW_OUTLINE = [(0, 44), (30, 14), (334, 14), (348, 0), (652, 0), (666, 14), (970, 14), (1000, 44),
                  (1000, 566), (976, 590), (666, 590), (652, 600), (348, 600), (334, 590), (24, 590), (0, 566)]
WARNING_SIZE = (440, 180)
WARNING_OUTLINE = [(0, 18), (18, 0), (422, 0), (440, 18), (440, 162), (422, 180), (18, 180), (0, 162)]

# Spots 0..19 of the main table, hit-tested and drawn on all three pages.
HEADER = [
    Spot(0, 'save', (380, 552, 76, 30), 'Save', '保存', w.button),
    Spot(1, 'unused', (0, 0, 0, 0)),
    Spot(2, 'hide', (544, 552, 76, 30), 'Hide', '隐藏', w.button),
    Spot(3, 'apply', (462, 552, 76, 30), 'Apply', '应用', w.button),
] + [Spot(4 + k, f'config{k + 1}', (40 + 96 * k, 80, 90, 28), f'Profile {k + 1}', f'配置{k + 1}', w.button)
     for k in range(5)] + [
    Spot(9, 'tab_main', (356, 8, 92, 58), 'MAIN', '主页', w.tab),
    Spot(10, 'tab_advanced', (454, 8, 92, 58), 'ADVANCED', '高级设置', w.tab),
    Spot(11, 'tab_color', (552, 8, 92, 58), 'LIGHTING', '灯光设置', w.tab),
    Spot(12, 'minimise', (908, 26, 28, 28), widget=w.icon_button('minimise')),
    Spot(13, 'close', (940, 26, 28, 28), widget=w.icon_button('close')),
    Spot(14, 'import', (660, 80, 96, 28), 'Import', '导入配置', w.button),
    Spot(15, 'export', (762, 80, 96, 28), 'Export', '导出配置', w.button),
    Spot(16, 'reset', (864, 80, 96, 28), 'Reset', '恢复默认', w.button),
    Spot(17, 'chinese', (716, 28, 44, 24), widget=w.language_button('中文', 'cjk')),
    Spot(18, 'english', (764, 28, 44, 24), widget=w.language_button('EN', 'mono-bold')),
    Spot(19, 'website', (812, 28, 90, 24), 'Website', '官网', w.link),
]

MOUSE = MouseDrawing((70, 160, 200, 352))
BUTTON_CAPTIONS = [('Left Button', '左键'), ('Right Button', '右键'), ('Wheel Button', '中键'),
                   ('Back Button', '后退键'), ('Forward Button', '前进键'), ('DPI Button', 'DPI 键')]
DPI_VALUES = [200, 400, 600, 800, 1000, 1200, 1600, 2000, 2400, 3200, 4000, 4800]
DPI_ROW_TOP = 186
DPI_ROW_PITCH = 48
CELL_LEFT, CELL_PITCH, CELL_SIZE = 680, 24, (22, 26)


def _main_spots():
    spots = list(HEADER)
    spots += [
        Spot(20, 'caption_buttons', (310, 128, 250, 24), 'BUTTONS', '按键设置'),
        Spot(21, 'caption_dpi', (570, 128, 400, 24), 'DPI SETTINGS', 'DPI 设置'),
        Spot(22, 'caption_wheel', (570, 392, 400, 24), 'WHEEL', '滚轮'),
        Spot(24, 'caption_mouse', (30, 128, 270, 24), 'MOUSE', '鼠标'),
        Spot(41, 'wheel_normal', (600, 426, 160, 32), 'Normal', '标准', w.radio),
        Spot(42, 'wheel_reverse', (780, 426, 160, 32), 'Reverse', '反向', w.radio),
        Spot(50, 'caption_enable', (578, 160, 48, 18), 'ON', '启用'),
        Spot(51, 'caption_level', (630, 160, 44, 18), 'LEVEL', '档位'),
        Spot(52, 'hint_dpi', (570, 480, 400, 20), "Click a segment to set the level's DPI", '点击刻度设置该档位的 DPI'),
    ]
    for k in range(6):
        top = 162 + 60 * k
        spots.append(Spot(25 + k, f'button{k + 1}', (330, top + 20, 210, 30), widget=w.field))
        spots.append(Spot(31 + k, f'caption_button{k + 1}', (330, top, 210, 18), *BUTTON_CAPTIONS[k]))
        spots.append(Spot(115 + k, f'highlight{k + 1}', MOUSE.part_box(PARTS[k])))
    for level in range(4):
        top = DPI_ROW_TOP + DPI_ROW_PITCH * level
        spots.append(Spot(46 + level, f'dpi_enable{level + 1}', (582, top + 6, 40, 22), widget=w.toggle))
        spots.append(Spot(54 + level, f'dpi_level{level + 1}', (636, top + 1, 32, 32),
                          widget=w.level_badge(level + 1, d.LEVEL_COLOURS[level])))
        for step in range(12):
            spots.append(Spot(66 + 12 * level + step, f'dpi{level + 1}_{DPI_VALUES[step]}',
                              (CELL_LEFT + CELL_PITCH * step, top + 4) + CELL_SIZE, widget=w.cell))
    return spots


MAIN = _table(124, _main_spots())

ADVANCED = _table(52, [
    Spot(0, 'macro_import', (44, 496, 117, 28), 'Import', '导入', w.button),
    Spot(1, 'macro_export', (169, 496, 117, 28), 'Export', '导出', w.button),
    Spot(2, 'macro_add', (44, 192, 117, 28), 'Add', '添加', w.button),
    Spot(3, 'macro_delete', (169, 192, 117, 28), 'Delete', '删除', w.button),
    Spot(4, 'record', (324, 160, 120, 30), 'Record', '录制', w.record_button),
    Spot(5, 'repeat_set', (874, 160, 82, 28), 'Set', '确定', w.button),
    Spot(6, 'repeat_mode', (624, 160, 170, 28), 'Repeat times', '重复次数', w.radio),
    Spot(7, 'hold_mode', (624, 196, 332, 28), 'Repeat while held', '按住时循环播放', w.radio),
] + [Spot(8 + i, f'pointer{i + 1}', (624 + 33 * i, 262, 29, 26), str(i + 1), widget=w.chip) for i in range(10)]
  + [Spot(18 + i, f'scroll{i + 1}', (624 + 33 * i, 326, 29, 26), str(i + 1), widget=w.chip) for i in range(10)] + [
    Spot(30, 'fire_bar', (660, 395, 248, 20), widget=w.fire_bar),
    Spot(31, 'fire_up', (916, 392, 28, 26), '+', widget=w.button),
    Spot(32, 'fire_down', (624, 392, 28, 26), '-', widget=w.button),
    Spot(33, 'fire_time', (700, 420, 168, 22), '50ms'),
    Spot(38, 'caption_macros', (30, 128, 270, 24), 'MACROS', '宏列表'),
    Spot(39, 'caption_steps', (310, 128, 290, 24), 'STEPS', '宏步骤'),
    Spot(40, 'caption_playback', (610, 128, 360, 24), 'PLAYBACK', '播放方式'),
    Spot(41, 'caption_pointer', (610, 236, 360, 22), 'POINTER SPEED', '指针速度'),
    Spot(42, 'caption_scroll', (610, 300, 360, 22), 'SCROLL LINES', '滚动行数'),
    Spot(43, 'presses', (452, 160, 68, 30), '[↓]0'),
    Spot(44, 'releases', (524, 160, 68, 30), '[↑]0'),
    Spot(45, 'caption_fire', (610, 364, 360, 22), 'FIRE INTERVAL', '连发间隔'),
])

# The advanced page's child controls: (left, top, width, height).
CONTROLS = {
    ('EDIT', 3): ('repeat_count', (802, 162, 64, 24)),
    ('EDIT', 4): ('macro_name', (44, 160, 242, 24)),
    ('MACRODISPLAY', 1): ('macro_list', (44, 228, 242, 260)),
    ('MACRODISPLAY', 2): ('step_list', (324, 198, 262, 326)),
}

LED_MODES = [('Colour Cycle', '彩色循环', (255, 0, 255)), ('Fast Cycle', '快速循环', (255, 60, 60)),
             ('Steady', '常亮', (60, 90, 255)), ('Off', '关闭', (90, 94, 104))]
PREVIEW = MouseDrawing((585, 166, 170, 302))

COLOR = _table(13, [
    Spot(k, f'led_mode{k}', (46, 164 + 46 * k, 298, 36), en, cn, w.mode_button(lamp))
    for k, (en, cn, lamp) in enumerate(LED_MODES)
] + [
    Spot(4, 'unused', (0, 0, 0, 0)),
    Spot(5, 'caption_mode', (30, 128, 330, 24), 'LIGHTING MODE', '灯光模式'),
    Spot(6, 'caption_levels', (30, 356, 330, 22), 'DPI LEVEL COLOURS', 'DPI 档位颜色'),
    Spot(7, 'hint_levels', (30, 440, 330, 20), 'The LED shows the current level', '灯光颜色随 DPI 档位变化'),
    Spot(8, 'caption_preview', (370, 128, 600, 24), 'PREVIEW', '灯光预览'),
    Spot(9, 'dpi_number', (680, 490, 110, 28)),
    Spot(10, 'caption_dpi', (560, 490, 120, 28), 'CURRENT DPI', '当前 DPI'),
    Spot(11, 'led_preview', (540, 158, 260, 322)),
])

WARNING = _table(3, [
    Spot(0, 'ok', (96, 122, 116, 34), 'OK', '确定', w.button),
    Spot(1, 'cancel', (228, 122, 116, 34), 'Cancel', '取消', w.button),
    Spot(2, 'text', (20, 58, 400, 40), 'No other button has Left Click. Continue?', '其他按键都没有左键功能，确定更改吗？'),
])

# The LED preview's pictures: index 0 blue, 1 pink (the normal picture),
# 2 red (hovered), 3 purple (pressed), and the dark LED.
LED_PINK, LED_RED, LED_PURPLE, LED_BLUE = (255, 0, 255), (255, 0, 0), (128, 0, 255), (0, 0, 255)


def function_names(language):
    column = 0 if language == 'en' else 1
    # Every key is written, those without a function (18..20) with an empty name.
    return {key: FUNCTION_NAMES[key][column] if key in FUNCTION_NAMES else '' for key in range(1, 55)}


# --- Drawing -----------------------------------------------------------------

def _panel(c, box):
    x, y, width, height = box
    c.rect((x, y, x + width, y + height), fill=d.PANEL, outline=d.PANEL_EDGE, radius=6)
    c.rect((x + 1, y + 1, x + width - 1, y + 28), fill=(25, 27, 32), radius=5)
    c.line([(x + 1, y + 28.5), (x + width - 1, y + 28.5)], d.PANEL_EDGE)
    c.rect((x + 12, y + 11, x + 24, y + 14), fill=d.RED)
    c.rect((x + width - 24, y + 11, x + width - 12, y + 14), fill=d.RED)


def _window_chrome(c):
    c.polygon(WINDOW_OUTLINE, fill=d.BASE)
    c.polygon([(30, 14), (334, 14), (348, 0), (652, 0), (666, 14), (970, 14), (996, 40), (996, 68), (4, 68), (4, 40)],
              fill=d.HEADER)
    c.rect((0, 68, 1000, 69.5), fill=d.PANEL_EDGE)
    c.rect((348, 66, 652, 69.5), fill=d.RED)
    c.polygon([(4, 540), (996, 540), (996, 566), (976, 586), (666, 586), (652, 596), (348, 596), (334, 586),
               (24, 586), (4, 566)], fill=d.HEADER)
    c.rect((0, 539, 1000, 540.5), fill=d.PANEL_EDGE)
    c.rect((348, 539, 652, 541), fill=d.RED)
    # Diagonal hatching between the logo and the tabs.
    for k in range(11):
        x = 214 + k * 9
        c.line([(x, 62), (x + 36, 20)], (22, 23, 28), 2)
    c.polygon(WINDOW_OUTLINE, outline=d.EDGE, width=2)
    for a, b in [((0, 44), (30, 14)), ((970, 14), (1000, 44)), ((1000, 566), (976, 590)), ((24, 590), (0, 566))]:
        c.line([a, b], d.RED, 2.5)
    c.line([(348, 0.8), (652, 0.8)], d.RED, 1.6)
    c.line([(348, 599.2), (652, 599.2)], d.RED, 1.6)


def _logo_texts():
    return [((40, 22, 110, 28), 'ZR305', d.font('mono-bold', 25), d.WHITE, 'left'),
            ((41, 50, 130, 12), 'GAMING  MOUSE', d.font('mono', 9), d.RED_LIGHT, 'left')]


def _draw_spots(c, table, state):
    """Every spot of the table that has a picture, in `state`."""
    texts = []
    for spot in table[1].values():
        if spot.widget is not None:
            texts += w.render(c, spot.box, spot.widget, state)
    return texts


def _finish(c, texts):
    image = c.final()
    for item in texts:
        box, string, fnt, colour = item[:4]
        d.text(image, box, string, fnt, colour, item[4] if len(item) > 4 else 'centre')
    return image


def _page(state, content):
    c = d.Canvas(*WINDOW, d.OUTSIDE)
    _window_chrome(c)
    texts = _logo_texts() + content(c, state)
    header = (len(HEADER), {s.index: s for s in HEADER})
    texts += _draw_spots(c, header, state)
    return _finish(c, texts)


def _main_content(c, state):
    for box in [(30, 126, 270, 408), (310, 126, 250, 408), (570, 126, 400, 408)]:
        _panel(c, box)
    MOUSE.render(c, lit=PARTS if state == w.OVER else ())
    texts = []
    for step, value in enumerate(DPI_VALUES):
        texts.append(((CELL_LEFT + CELL_PITCH * step - 3, 165, CELL_SIZE[0] + 6, 12), str(value),
                      d.font('mono', 8), d.SOFT))
    for level in range(4):
        top = DPI_ROW_TOP + DPI_ROW_PITCH * level + 38
        c.line([(582, top), (966, top)], (28, 30, 35))
    body = (len(MAIN[1]), {i: s for i, s in MAIN[1].items() if i >= 20})
    return texts + _draw_spots(c, body, state)


def _advanced_content(c, state):
    for box in [(30, 126, 270, 408), (310, 126, 290, 408), (610, 126, 360, 408)]:
        _panel(c, box)
    for _, (x, y, width, height) in CONTROLS.values():
        c.rect((x - 1, y - 1, x + width + 1, y + height + 1), fill=d.CONTROL, outline=d.EDGE)
    texts = [((660, 420, 30, 22), '0', d.font('mono', 9), d.DIM), ((878, 420, 30, 22), '300', d.font('mono', 9), d.DIM)]
    return texts + _draw_spots(c, ADVANCED, state)


def _color_content(state, led):
    def content(c, _):
        for box in [(30, 126, 330, 408), (370, 126, 600, 408)]:
            _panel(c, box)
        texts = []
        for level, colour in enumerate(d.LEVEL_COLOURS):
            x = 58 + 76 * level
            c.rect((x, 388, x + 56, 420), fill=d.SLOT, outline=d.EDGE, radius=4)
            c.ellipse((x + 8, 396, x + 24, 412), fill=colour)
            texts.append(((x + 28, 388, 24, 32), str(level + 1), d.font('mono-bold', 13), d.SOFT))
        c.rect((560, 490, 790, 518), fill=d.SLOT, outline=d.EDGE, radius=4)
        PREVIEW.render(c, led=led)
        return texts + _draw_spots(c, COLOR, state)
    return content


def main_page(state):
    return _page(state, _main_content)


def advanced_page(state):
    return _page(state, _advanced_content)


def color_page(state, led):
    return _page(state, _color_content(state, led))


def window_mask(size, outline):
    image = d.Image.new('RGB', size, (255, 255, 255))
    d.ImageDraw.Draw(image).polygon(outline, fill=(0, 0, 0))
    return image


def warning_dialog(state):
    c = d.Canvas(*WARNING_SIZE, d.OUTSIDE)
    c.polygon(WARNING_OUTLINE, fill=d.PANEL)
    c.polygon([(2, 18), (18, 2), (422, 2), (438, 18), (438, 44), (2, 44)], fill=d.HEADER)
    c.line([(2, 44.5), (438, 44.5)], d.RED, 1.5)
    c.polygon(WARNING_OUTLINE, outline=d.EDGE, width=2)
    for a, b in [((0, 18), (18, 0)), ((422, 0), (440, 18)), ((440, 162), (422, 180)), ((18, 180), (0, 162))]:
        c.line([a, b], d.RED, 2.5)
    c.polygon([(220, 10), (234, 36), (206, 36)], fill=d.RED)
    texts = [((206, 14, 28, 22), '!', d.font('mono-bold', 15), d.WHITE)]
    texts += _draw_spots(c, WARNING, state)
    return _finish(c, texts)


def menu(strips, group_items, state):
    width, height = MENU_ITEM
    c = d.Canvas(width, strips * height + 1, d.PANEL)
    c.rect((0, 0, 2, strips * height + 1), fill=d.RED_DEEP)
    texts = []
    for k in range(strips):
        texts += w.render(c, (0, k * height, width, height), w.menu_strip(k + 1 in group_items), state)
    c.rect((0, 0, width, strips * height + 1), outline=d.EDGE)
    return _finish(c, texts)


def menu_mask(strips):
    width, height = MENU_ITEM
    return d.Image.new('RGB', (width, strips * height + 1), (0, 0, 0))
