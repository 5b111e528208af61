#!/usr/bin/env python3
"""Writes the shipped config.ini: the start-up choices, the five user
configurations as a new installation has them, and the factory defaults
that a reset restores. Every preset keeps one enabled, current DPI level
and a left-click button. ASCII with CRLF lines, as the profile functions
write them."""
import os
import sys


def section(name, K, level, dpi, en, led, speed, wheel, usb, fire, wheel_status=0, mode=0):
    lines = [f'[{name}]']
    lines += [f'K{s}={v}' for s, v in enumerate(K)]
    lines += [f'DPI_LEVEL={level}', f'WHEEL_STATUS={wheel_status}', f'MACRO_MODE2={mode}']
    for j in range(4):
        lines += [f'DPI_SET{j}={dpi[j]}', f'DPI_SET_EN{j}={en[j]}']
    lines += [f'LED_STATUS={led}', f'DPI_SPEED={speed}', f'WHEEL_SPEED={wheel}', f'USB_SPEED={usb}',
              f'FIRE_TIME={fire}']
    return lines


# Function codes: 1..6 the buttons' own functions (6 the DPI button), 11 rapid fire,
# 15/16 DPI up/down, 29 play/pause, 31/32 the copy and paste macros, 41/42 user macros 1 and 2.
# DPI steps: 1 = 400, 2 = 600, 3 = 800, 5 = 1200, 6 = 1600, 7 = 2000, 8 = 2400, 9 = 3200.
STANDARD = dict(K=[1, 3, 2, 4, 5, 6], level=0, dpi=[3, 5, 6, 8], en=[1, 1, 1, 1], led=0, speed=4, wheel=2, usb=2,
                fire=50)
# Shooter: rapid fire on a side button, DPI up and down beside it, a wide DPI spread, top report rate.
SHOOTER = dict(K=[1, 3, 2, 11, 15, 16], level=1, dpi=[1, 3, 6, 9], en=[1, 1, 1, 1], led=1, speed=4, wheel=2, usb=3,
               fire=40)
# Strategy: three close steps for precise map work, a slightly faster pointer.
STRATEGY = dict(K=[1, 3, 2, 4, 5, 6], level=0, dpi=[5, 6, 7, 8], en=[1, 1, 1, 0], led=2, speed=5, wheel=2, usb=2,
                fire=50)
# Office: two low steps, play/pause on the DPI button, a faster wheel, a calm LED.
OFFICE = dict(K=[1, 3, 2, 4, 5, 29], level=1, dpi=[2, 3, 4, 5], en=[1, 1, 0, 0], led=3, speed=5, wheel=4, usb=1,
              fire=50)
# Macros: the first two user macros on the side buttons.
MACROS = dict(K=[1, 3, 2, 41, 42, 6], level=0, dpi=[3, 5, 6, 8], en=[1, 1, 1, 1], led=0, speed=4, wheel=2, usb=2,
              fire=50)
# The English variant puts copy and paste there instead.
MACROS_EN = dict(K=[1, 3, 2, 31, 32, 6], level=0, dpi=[3, 5, 6, 8], en=[1, 1, 1, 1], led=0, speed=4, wheel=2, usb=2,
                 fire=50)


def config_ini():
    lines = ['[Init]', 'CurConfig=1', 'VER_SEL=1']
    for n, preset in [(1, STANDARD), (2, SHOOTER), (3, STRATEGY), (4, OFFICE), (5, MACROS_EN)]:
        lines += section(f'Config{n}', **preset)
    for n, preset in [(2, SHOOTER), (3, STRATEGY), (4, OFFICE), (5, MACROS)]:
        lines += section(f'CfgReset{n}', **preset)
    lines += section('CfgReset_EN5', **MACROS_EN)
    return ('\r\n'.join(lines) + '\r\n').encode('ascii')


if __name__ == '__main__':
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    os.makedirs(os.path.join(root, 'data'), exist_ok=True)
    with open(os.path.join(root, 'data', 'config.ini'), 'wb') as f:
        f.write(config_ini())
