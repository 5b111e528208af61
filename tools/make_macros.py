#!/usr/bin/env python3
"""Writes the shipped macro files: the constant macros (constMacro.dat), the
factory user macros of each language (skins/INI_EN/defMacro.dat,
skins/INI_CN/defMacro.dat) and the user macro files a new installation
starts with (Macro_EN.dat, Macro_CN.dat, the same as the defaults).

The files are what the utility itself writes into a new file: section
"Macros", "macroNum", then each record as 1064 three-digit fields. Names
travel as numbers too, so every macro file is plain ASCII, Chinese names
included, with CRLF lines as the profile functions write them.
"""
import os
import sys

from function_names import CONSTANT_MACRO_NAMES

# The keys the macros below use, by the names the step list shows for them,
# with the Windows virtual-key code a macro file stores for each. The mouse
# buttons have no virtual key; their codes are stored as they are.
VIRTUAL_KEYS = {name: ord(name) for name in 'ACDGSVXZ'}
VIRTUAL_KEYS.update({
    'RETURN': 0x0D,    # VK_RETURN
    'TAB': 0x09,       # VK_TAB
    'SPACE': 0x20,     # VK_SPACE
    'LCONTROL': 0xA2,  # VK_LCONTROL
    'LMENU': 0xA4,     # VK_LMENU (left Alt)
    'LWIN': 0x5B,      # VK_LWIN
    'L-KEY': 240,
})

DOWN, UP = 1, 2
NAME_UNITS = 20
EVENT_SLOTS = 255
MAX_EVENTS = 254
PLAYBACK_FLOOR_MS = 15  # playback waits at least this long after each step anyway


def chord(modifier, key):
    """A shortcut as a hand types it: the modifier goes down first and up last.
    The pauses are long enough for every application to see the modifier
    held, short enough that the shortcut feels instant."""
    return [(modifier, DOWN, 30), (key, DOWN, 50), (key, UP, 30), (modifier, UP, 30)]


# Slot i is played by button function 31 + i and carries that function's name.
CONSTANT_MACROS = [
    chord('LCONTROL', 'C'),  # Copy
    chord('LCONTROL', 'V'),  # Paste
    chord('LCONTROL', 'X'),  # Cut
    chord('LCONTROL', 'Z'),  # Undo
    chord('LCONTROL', 'A'),  # Select All
    chord('LCONTROL', 'S'),  # Save
    chord('LMENU', 'TAB'),   # Switch Window: to the window used last
    chord('LWIN', 'D'),      # Show Desktop (again: back to the windows)
]

# The factory user macros: (English name, Chinese name, repeat mode, repeat count, steps).
USER_MACROS = [
    # Three quick left clicks: one click played three times.
    ('Burst Fire', '三连发', 1, 3, [('L-KEY', DOWN, 30), ('L-KEY', UP, 60)]),
    # Jump, and jump again at the top of the first jump.
    ('Double Jump', '二段跳', 0, 1,
     [('SPACE', DOWN, 40), ('SPACE', UP, 250), ('SPACE', DOWN, 40), ('SPACE', UP, 30)]),
    # Jump and crouch in the air, to clear higher ledges.
    ('Crouch Jump', '蹲跳', 0, 1,
     [('SPACE', DOWN, 30), ('LCONTROL', DOWN, 60), ('SPACE', UP, 400), ('LCONTROL', UP, 30)]),
    # Open the chat, type gg, send it.
    ('Chat GG', '发送GG', 0, 1,
     [('RETURN', DOWN, 30), ('RETURN', UP, 150), ('G', DOWN, 30), ('G', UP, 30), ('G', DOWN, 30), ('G', UP, 30),
      ('RETURN', DOWN, 30), ('RETURN', UP, 30)]),
]


def check_macro(name, steps):
    units = len(name.encode('utf-16-le')) // 2
    assert 0 < units < NAME_UNITS, f'{name}: a name keeps at most {NAME_UNITS - 1} units'
    assert 0 < len(steps) <= MAX_EVENTS, f'{name}: too many steps'
    held = []
    for key, action, delay in steps:
        assert key in VIRTUAL_KEYS, f'{name}: no virtual key for {key}'
        assert PLAYBACK_FLOOR_MS <= delay <= 0xFFFF, f'{name}: delay {delay}'
        if action == DOWN:
            assert key not in held, f'{name}: {key} pressed twice'
            held.append(key)
        else:
            assert key in held, f'{name}: {key} released without a press'
            held.remove(key)
    assert not held, f'{name}: {held} still held at the end'


def record_string(name, repeat_mode, repeat_count, steps):
    check_macro(name, steps)
    name_bytes = name.encode('utf-16-le').ljust(2 * NAME_UNITS, b'\0')
    fields = list(name_bytes)
    fields += [repeat_mode, repeat_count & 0xFF, repeat_count >> 8, len(steps)]
    for key, action, delay in steps:
        fields += [VIRTUAL_KEYS[key], action, delay & 0xFF, delay >> 8]
    fields += [0] * (4 * (EVENT_SLOTS - len(steps)))
    assert len(fields) == 1064
    return ''.join(f'{value:03d}' for value in fields)


def macro_file(records):
    lines = ['[Macros]', f'macroNum={len(records)}']
    lines += [f'{i}={record_string(*record)}' for i, record in enumerate(records)]
    return ('\r\n'.join(lines) + '\r\n').encode('ascii')


def files():
    assert len(CONSTANT_MACROS) == len(CONSTANT_MACRO_NAMES)
    # One file serves both languages; the names are kept but never shown.
    constant = macro_file([(english, 0, 1, steps)
                           for (english, _), steps in zip(CONSTANT_MACRO_NAMES, CONSTANT_MACROS)])
    english = macro_file([(en, mode, count, steps) for en, _, mode, count, steps in USER_MACROS])
    chinese = macro_file([(cn, mode, count, steps) for _, cn, mode, count, steps in USER_MACROS])
    return {
        'constMacro.dat': constant,
        os.path.join('skins', 'INI_EN', 'defMacro.dat'): english,
        os.path.join('skins', 'INI_CN', 'defMacro.dat'): chinese,
        'Macro_EN.dat': english,
        'Macro_CN.dat': chinese,
    }


if __name__ == '__main__':
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    for relative, content in files().items():
        path = os.path.join(root, 'data', relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(content)
