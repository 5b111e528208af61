#!/usr/bin/python3
"""The utility used as a person would: fifteen journeys, each on a fresh copy of
the shipped virtual-mouse folder in a Wine desktop, driven with xdotool and
checked against the report log, the virtual mouse's state, the files written
and the screen.

Usage: journeys.py [--screens | --count] [journey number ...]
--screens also saves the pop-ups, the warning and the tray menu in docs/screens;
--count prints how many journeys were chosen and runs none.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

try:
    from PIL import Image, ImageChops  # noqa: E402
except ImportError:  # main says so before any journey starts
    Image = ImageChops = None

import harness as h  # noqa: E402
import model as m  # noqa: E402
from harness import check, wait_for  # noqa: E402

SCREENS = os.path.join(h.ROOT, "docs", "screens")
save_screens = False

MOUSE_KEY = r"HKCU\Control Panel\Mouse"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def screen_shot(session, name):
    if save_screens:
        session.screenshot(os.path.join(SCREENS, name))


def current_config(session):
    profile = session.config()
    n = h.profile_value(profile, "Init", "CurConfig", "0")
    return m.section(profile, f"Config{n}")


def started(session):
    """Starts the utility and waits for its start-up download."""
    cfg = current_config(session)
    session.start()
    end = m.require_download(session, cfg, what="the start-up download")
    return cfg, end


def check_state(session, cfg, what):
    differences = m.state_differences(session.state(), m.expected_state(cfg))
    check(not differences, f"after {what} the mouse holds " + ", ".join(differences[:6]))


def wait_config(session, section, expected, what):
    def matches():
        return not m.config_differences(m.section(session.config(), section), expected)
    try:
        wait_for(what, matches, timeout=5)
    except h.JourneyFailed:
        diff = m.config_differences(m.section(session.config(), section), expected)
        check(False, f"config.ini [{section}] after {what}: " + ", ".join(diff[:6]))


def pixel_region(picture, origin, spot):
    ox, oy = origin
    return picture.crop((ox + spot.x, oy + spot.y, ox + spot.x + spot.w, oy + spot.y + spot.h))


def distance(a, b):
    """Mean absolute difference of two equally sized RGB images."""
    pa, pb = a.load(), b.load()
    total = 0
    for y in range(a.height):
        for x in range(a.width):
            total += sum(abs(p - q) for p, q in zip(pa[x, y], pb[x, y]))
    return total / max(1, a.width * a.height * 3)


def drawn_pressed(session, spot, page="main"):
    """Whether the spot on screen looks like its pressed image rather than its
    normal one."""
    picture = session.picture()
    ox, oy, _, _ = session.origin()
    shown = pixel_region(picture, (ox, oy), spot)
    with Image.open(session.path("skins", f"{page}_down.jpg")) as down, \
            Image.open(session.path("skins", f"{page}_normal.jpg")) as normal:
        box = (spot.x, spot.y, spot.x + spot.w, spot.y + spot.h)
        return distance(shown, down.convert("RGB").crop(box)) < distance(shown, normal.convert("RGB").crop(box))


# --- 1 -----------------------------------------------------------------------

def journey_first_start(s):
    cfg = current_config(s)
    s.start()
    check_shape(s)
    m.require_download(s, cfg, what="the start-up download")
    check_state(s, cfg, "the start-up download")
    profile = s.config()
    check(h.profile_value(profile, "Init", "CurConfig") == "1", "start-up download did not record CurConfig=1")
    diff = m.config_differences(m.section(profile, "Config6"), cfg)
    check(not diff, "config.ini [Config6] is not the snapshot of the download: " + ", ".join(diff[:4]))


def check_shape(s):

    # The window's shape: where the mask is light the desktop shows through.
    with Image.open(s.path("skins", "main_mask.jpg")) as im:
        mask = im.convert("RGB")
    ox, oy, w, hgt = s.origin()
    check((w, hgt) == mask.size, f"window is {w}x{hgt}, the mask {mask.size[0]}x{mask.size[1]}")
    picture = s.picture()
    covered = [s.origin(win) for win in h.xdotool("search", "--onlyvisible", "--name", "^Virtual mouse$").stdout.split()]
    covered = [c for c in covered if c]
    corner = (2, 2)
    check(not (ox <= corner[0] < ox + w and oy <= corner[1] < oy + hgt), "window covers the desktop's corner")
    desktop = picture.getpixel(corner)
    mp = mask.load()

    def light(x, y):
        return all(c > 100 for c in mp[x, y])

    outside = inside = outside_wrong = inside_desktop = 0
    for y in range(3, hgt - 3, 6):
        for x in range(3, w - 3, 6):
            sx, sy = ox + x, oy + y
            if any(c[0] <= sx < c[0] + c[2] and c[1] <= sy < c[1] + c[3] for c in covered):
                continue
            kinds = {light(x + dx, y + dy) for dx in (-3, 0, 3) for dy in (-3, 0, 3)}
            if len(kinds) != 1:
                continue  # near the outline
            on_desktop = h.same_colour(picture.getpixel((sx, sy)), desktop, 12)
            if kinds == {True}:
                outside += 1
                outside_wrong += not on_desktop
            else:
                inside += 1
                inside_desktop += on_desktop
    check(outside >= 20, f"the mask leaves only {outside} sample points outside the shape")
    check(outside_wrong == 0, f"{outside_wrong} of {outside} points outside the mask's shape are not the desktop")
    check(inside_desktop <= inside // 20, f"{inside_desktop} of {inside} points inside the shape show the desktop")


# --- 2 -----------------------------------------------------------------------

def journey_settings(s):
    s.set_registry(MOUSE_KEY, "MouseSensitivity", 3)
    s.set_registry(DESKTOP_KEY, "WheelScrollLines", 7)
    cfg, end = started(s)
    check(cfg["DPI_SET_EN3"] == 1 and cfg["DPI_LEVEL"] == 0, "shipped configuration 1 is not the expected one")
    skin = s.skin()
    want = dict(cfg)
    s.click_spot(skin.main.spot(66 + 1 * 12 + 9))   # level 2 at the tenth step
    want["DPI_SET1"] = 9
    s.click_spot(skin.main.spot(49))                 # disable level 4
    want["DPI_SET_EN3"] = 0
    s.click_spot(skin.main.spot(55))                 # level 2 current
    want["DPI_LEVEL"] = 1
    s.click_spot(skin.main.spot(47))                 # disable the current level: level 3 takes over
    want["DPI_SET_EN1"] = 0
    want["DPI_LEVEL"] = 2
    s.click_spot(skin.main.spot(49))                 # and level 4 back on
    want["DPI_SET_EN3"] = 1
    s.click_spot(skin.main.spot(42))                 # wheel reversed
    want["WHEEL_STATUS"] = 1

    s.click_spot(skin.main.spot(11))                 # lighting page
    s.click_spot(skin.color.spot(2))
    want["LED_STATUS"] = 2

    s.click_spot(skin.main.spot(10))                 # advanced page
    s.click_spot(skin.advanced.spot(8 + 6))          # pointer speed step 6
    want["DPI_SPEED"] = 6
    s.click_spot(skin.advanced.spot(18 + 4))         # wheel step 4
    want["WHEEL_SPEED"] = 4
    bar = skin.advanced.spot(30)
    s.click(bar.x + bar.w // 2, bar.y + bar.h // 2)
    fire = (bar.w // 2) * 300 // bar.w
    s.click_spot(skin.advanced.spot(31))
    s.click_spot(skin.advanced.spot(32))
    s.click_spot(skin.advanced.spot(32))
    want["FIRE_TIME"] = fire - 1

    s.click_spot(skin.main.spot(3))                  # apply
    m.require_download(s, want, end, "the apply")
    check_state(s, want, "apply")
    wait_config(s, "Config1", want, "apply")
    wait_config(s, "Config6", want, "apply")
    speed = s.registry(MOUSE_KEY, "MouseSensitivity")
    check(speed == str(m.POINTER_SPEEDS[6]), f"system pointer speed is {speed}, want {m.POINTER_SPEEDS[6]}")
    lines = s.registry(DESKTOP_KEY, "WheelScrollLines")
    check(lines == "5", f"wheel scroll lines are {lines}, want 5")


# --- 3 -----------------------------------------------------------------------

def menu_sizes(s):
    with Image.open(s.path("skins", "menu_mask.jpg")) as im:
        wm, hm = im.width, im.height // 10
    with Image.open(s.path("skins", "advanced menu_mask.jpg")) as im:
        ws, hs = im.width, im.height // 12
    return wm, hm, ws, hs


def popup_origin(s, skin, entry):
    spot = skin.main.spot(entry)
    ox, oy, _, _ = s.origin()
    return ox + spot.x, oy + spot.y + spot.h


def screen_click(x, y, button=1):
    h.xdotool("mousemove", x + 1, y + 1)
    time.sleep(0.05)
    h.xdotool("mousemove", x, y)
    time.sleep(0.2)
    h.xdotool("click", button)
    time.sleep(0.35)


def screen_move(x, y):
    h.xdotool("mousemove", x + 1, y + 1)
    time.sleep(0.05)
    h.xdotool("mousemove", x, y)
    time.sleep(0.35)


def window_titled(title, visible=True):
    args = ["search"] + (["--onlyvisible"] if visible else []) + ["--name", f"^{title}$"]
    return h.xdotool(*args).stdout.split()


def menu_at(s):
    """Screen position of the open button-function pop-up, wherever it was placed."""
    found = wait_for("the button-function pop-up", lambda: window_titled("MainMenuDlg"), 5)
    x, y, _, _ = s.origin(found[0])
    return x, y


def all_visible():
    return set(h.xdotool("search", "--onlyvisible", "--name", "").stdout.split())


def new_windows_after(action, what, timeout=5):
    """Runs action and waits for visible windows that were not there before;
    returns them."""
    before = all_visible()
    action()
    return wait_for(what, lambda: all_visible() - before, timeout)


def settled_place(s, windows, what):
    """The place of the last of the windows that has one, once two looks in a
    row agree (a window may be shown first and moved after)."""
    last = [None]

    def settled():
        places = [p for p in (s.origin(w) for w in windows) if p]
        now = places[-1] if places else None
        agreed = now is not None and now == last[0]
        last[0] = now
        return now if agreed else None
    return wait_for(f"{what} to keep its place", settled, 5, 0.1)


def sub_menu_after(s, hover):
    """Screen position of the sub-menu that opens when hover() runs: the
    window that was not there before."""
    x, y, _, _ = settled_place(s, new_windows_after(hover, "the sub-menu"), "the sub-menu")
    return x, y


def choose(s, skin, entry, item, sub_item=None, shot=None):
    """Opens the pop-up of a button entry and picks an item (and a sub-menu
    item); returns where the pop-up and the sub-menu were."""
    wm, hm, ws, hs = menu_sizes(s)
    s.click_spot(skin.main.spot(entry))
    px, py = menu_at(s)
    item_x, item_y = px + wm // 2, py + (item - 1) * hm + hm // 2
    if sub_item is None:
        screen_move(item_x, item_y)
        if shot:
            screen_shot(s, shot)
        screen_click(item_x, item_y)
        return (px, py), None
    sx, sy = sub_menu_after(s, lambda: screen_move(item_x, item_y))
    screen_move(sx + ws // 2, sy + (sub_item - 1) * hs + hs // 2)
    if shot:
        screen_shot(s, shot)
    screen_click(sx + ws // 2, sy + (sub_item - 1) * hs + hs // 2)
    return (px, py), (sx, sy)


def journey_popups(s):
    cfg, end = started(s)
    skin = s.skin()
    want = dict(cfg)
    check(cfg["K0"] == 1 and [cfg[f"K{i}"] for i in range(1, 6)].count(1) == 0,
          "shipped configuration 1 does not give the left click to the first button alone")

    def answer(which):
        px, py = popup_origin(s, skin, 25)
        spot = skin.warning.spot(which)
        screen_click(px + spot.x + spot.w // 2, py + spot.y + spot.h // 2)

    def warning():
        shown = new_windows_after(lambda: s.click_spot(skin.main.spot(25)), "the warning")
        settled_place(s, shown, "the warning")
        return shown

    # The only left click would go: the warning first; cancelling opens nothing.
    shown = warning()
    screen_shot(s, "warning-en.png")
    check(not window_titled("MainMenuDlg"), "the pop-up opened before the warning was answered")
    answer(1)   # the second answer: cancel
    wait_for("the warning to close", lambda: not (shown & all_visible()), 5)
    check(not window_titled("MainMenuDlg"), "cancelling the warning still opened the pop-up")

    warning()
    answer(0)
    wait_for("the pop-up after confirming the warning", lambda: window_titled("MainMenuDlg"), 5)
    wm, hm, _, _ = menu_sizes(s)
    px, py = menu_at(s)
    screen_move(px + wm // 2, py + 2 * hm + hm // 2)
    screen_shot(s, "popup-en.png")
    screen_click(px + wm // 2, py + 2 * hm + hm // 2)   # item 3: code 3
    want["K0"] = 3
    want["K1"] = 1   # the left click moves to the next button

    # A multimedia key through the sub-menu: item 8, its fifth entry (code 25).
    choose(s, skin, 27, 8, 5, shot="popup-submenu-en.png")
    want["K2"] = 25
    wait_for("the pop-up to close after the choice", lambda: not window_titled("MainMenuDlg"), 5)

    s.click_spot(skin.main.spot(3))
    end = m.require_download(s, want, end, "the apply")
    check_state(s, want, "apply")
    wait_config(s, "Config1", want, "apply")

    # The mouse now reports that button to the host, which sends the key.
    s.mouse_ok("click", 2)
    wait_for("the consumer key of the multimedia button",
             lambda: f"{m.CONSUMER_USAGES[25]:04X}" in s.state().get("consumer_keys", "").upper(), 5)


# --- 4 -----------------------------------------------------------------------

A_USAGE = 0x04   # keyboard usage of "a"


def held_a(report):
    return report.kind == "feature" and report.starts(7, 0x15) and A_USAGE in report.data[2:8]


def wait_quiet(s, what, seconds=1.0, timeout=8):
    """Waits until the log stops growing for a while: playback has ended."""
    last = [len(s.reports()), time.monotonic()]

    def quiet():
        n = len(s.reports())
        if n != last[0]:
            last[:] = [n, time.monotonic()]
            return False
        return time.monotonic() - last[1] >= seconds

    wait_for(what, quiet, timeout, 0.2)


def journey_macro(s):
    cfg, end = started(s)
    skin = s.skin()
    before = m.macros(h.read_profile(s.path("Macro_EN.dat")))
    s.click_spot(skin.main.spot(10))
    name_edit = skin.advanced.spot(4, "EDIT")
    s.click_spot(name_edit)
    s.key("ctrl+a")
    s.type("e2e")
    s.click_spot(skin.advanced.spot(2))          # add
    s.click_spot(skin.advanced.spot(4))          # record
    s.key("a")
    s.click_spot(skin.advanced.spot(4))          # stop
    s.click_spot(skin.advanced.spot(6))          # repeat a number of times
    s.click_spot(skin.advanced.spot(3, "EDIT"))
    s.key("ctrl+a")
    s.type("200")
    s.click_spot(skin.advanced.spot(5))          # commit: writes the macro file

    def recorded():
        table = m.macros(h.read_profile(s.path("Macro_EN.dat")))
        return table if len(table) == len(before) + 1 else None
    table = wait_for("the recorded macro in Macro_EN.dat", recorded, 5)
    name, mode, count, events = table[-1]
    check(name == "e2e", f"the new macro is named {name!r}")
    check(mode == 1 and count == 200, f"repeat mode {mode} count {count}, want 1 and 200")
    check([e[1] for e in events] == [1, 2] and len({e[0] for e in events}) == 1,
          f"recorded events {events}, want one key down and up")
    slot = len(table) - 1

    s.click_spot(skin.main.spot(9))
    choose(s, skin, 28, 9, slot + 1)
    want = dict(cfg)
    want["K3"] = 41 + slot
    s.click_spot(skin.main.spot(3))
    end = m.require_download(s, want, end, "the apply")
    wait_config(s, "Config1", want, "apply")

    # A press starts it; a second press stops it after the current repetition.
    mark = len(s.reports())
    s.mouse_ok("press", 3)
    s.mouse_ok("release", 3)
    wait_for("the macro to repeat", lambda: sum(held_a(r) for r in s.reports()[mark:]) >= 2, 5)
    s.mouse_ok("press", 3)
    s.mouse_ok("release", 3)
    wait_quiet(s, "the macro to stop after a second press")
    plays = sum(held_a(r) for r in s.reports()[mark:])
    check(plays < 200, f"the macro played {plays} times although a second press should stop it")
    state = s.state()
    check(state.get("held_keys", "").replace("0", "").strip() == "", f"keys stay held: {state.get('held_keys')}")

    # Held-button mode: it repeats while held and stops on release.
    s.click_spot(skin.main.spot(10))
    s.click_spot(skin.advanced.spot(7))
    s.click_spot(skin.main.spot(3))
    want["MACRO_MODE2"] = 1
    wait_config(s, "Config1", want, "apply in held-button mode")
    mark = len(s.reports())
    s.mouse_ok("press", 3)
    wait_for("the macro to play while held", lambda: sum(held_a(r) for r in s.reports()[mark:]) >= 2, 5)
    s.mouse_ok("release", 3)
    wait_quiet(s, "the macro to stop on release")
    plays = sum(held_a(r) for r in s.reports()[mark:])
    check(plays < 200, f"the macro played {plays} times although the release should stop it")
    state = s.state()
    check(state.get("held_keys", "").replace("0", "").strip() == "", f"keys stay held: {state.get('held_keys')}")


# --- 5 -----------------------------------------------------------------------

FILE_DIALOGS = "(Open|Save As)"   # Wine's titles of the dialogs the utility leaves untitled


def file_dialog(s, path, windows_path=None):
    """Answers an open or save dialog by typing the whole path."""
    dialog = wait_for("the file dialog", lambda: window_titled(FILE_DIALOGS), 10)
    settled_place(s, dialog, "the file dialog")
    s.key("ctrl+a")
    s.type(windows_path or h.windows_path(path))
    s.key("Return")
    wait_for("the file dialog to close", lambda: not window_titled(FILE_DIALOGS), 10)


def journey_profile(s):
    cfg, end = started(s)
    skin = s.skin()
    s.click_spot(skin.main.spot(66 + 2 * 12 + 11))
    s.click_spot(skin.main.spot(42))
    exported = dict(cfg, DPI_SET2=11, WHEEL_STATUS=1)
    profile = s.path("profile-e2e.ini")
    s.click_spot(skin.main.spot(15))
    file_dialog(s, profile)
    wait_for("the exported profile", lambda: os.path.exists(profile), 5)
    diff = m.config_differences(m.section(h.read_profile(profile), "Config7"), exported)
    check(not diff, "the exported profile's [Config7]: " + ", ".join(diff[:6]))

    s.click_spot(skin.main.spot(66 + 2 * 12 + 0))
    s.click_spot(skin.main.spot(41))
    s.click_spot(skin.main.spot(14))
    file_dialog(s, profile)
    s.click_spot(skin.main.spot(3))
    m.require_download(s, exported, end, "the apply after the import")
    wait_config(s, "Config1", exported, "importing and applying")


# --- 6 -----------------------------------------------------------------------

def journey_language(s):
    cfg, end = started(s)
    skin = s.skin()
    s.click_spot(skin.main.spot(17))
    wait_for("VER_SEL=0 in config.ini", lambda: h.profile_value(s.config(), "Init", "VER_SEL") == "0", 5)
    s.click_spot(skin.main.spot(42))
    want = dict(cfg, WHEEL_STATUS=1)
    s.click_spot(skin.main.spot(3))
    m.require_download(s, want, end, "the apply in Chinese")
    s.stop()

    os.replace(s.log_path, s.log_path + ".first")
    s.start()
    m.require_download(s, want, 0, "the start-up download after the restart")
    cn = h.Skin(s.dir, english=False)
    check(drawn_pressed(s, cn.main.spot(17)), "after the restart the Chinese language spot is not drawn pressed")
    check(drawn_pressed(s, cn.main.spot(42)), "after the restart the reversed wheel choice is not drawn pressed")
    s.click_spot(cn.main.spot(18))
    wait_for("VER_SEL=1 in config.ini", lambda: h.profile_value(s.config(), "Init", "VER_SEL") == "1", 5)
    check(drawn_pressed(s, skin.main.spot(18)), "the English language spot is not drawn pressed after switching back")


# --- 7 -----------------------------------------------------------------------

def tray_icon(s):
    """Screen point of the notification-area icon: the right-most cluster of
    pixels that differ from the taskbar's own colour at the bottom of the
    desktop (the utility's is the only icon there)."""
    picture = s.picture()
    width, height = picture.size
    bar = picture.getpixel((width // 2, height - 2))
    top = height - 2
    while top > height - 80 and h.same_colour(picture.getpixel((width // 2, top - 1)), bar, 8):
        top -= 1
    check(top < height - 8, "no taskbar at the bottom of the desktop")

    def marks(x):
        return [y for y in range(top + 1, height - 1) if not h.same_colour(picture.getpixel((x, y)), bar, 40)]

    x = width - 2
    while x > width - 400 and len(marks(x)) < 6:
        x -= 1
    check(x > width - 400, "no notification-area icon in the taskbar")
    right = x
    rows = []
    while x > right - 32 and len(marks(x)) >= 3:
        rows += marks(x)
        x -= 1
    return (right + x) // 2, (min(rows) + max(rows)) // 2


def tray_icon_shown(s):
    """The icon's screen point, or None while there is none."""
    try:
        return tray_icon(s)
    except h.JourneyFailed:
        return None


def open_tray_menu(s, x, y):
    """Right-clicks the icon; returns the screen rectangle of the menu that
    opens (what changed on the screen)."""
    before = s.picture()
    h.xdotool("mousemove", x, y)
    time.sleep(0.2)
    h.xdotool("click", 3)
    time.sleep(0.8)
    # Only near the cursor: the panel and the taskbar's buttons change too.
    near = (max(0, x - 300), max(0, y - 250), min(before.width, x + 300), min(before.height, y + 250))
    box = ImageChops.difference(before.crop(near), s.picture().crop(near)).getbbox()
    check(box is not None and box[2] - box[0] > 20 and box[3] - box[1] > 10,
          "right-clicking the notification-area icon showed no menu")
    return box[0] + near[0], box[1] + near[1], box[2] + near[0], box[3] + near[1]


def hide(s, how):
    """Hides the window: how is a key to press or a spot to click."""
    if isinstance(how, str):
        s.key(how)
    else:
        s.click_spot(how)
    wait_for(f"the window to hide ({how if isinstance(how, str) else how.name})",
             lambda: not s.visible(), 5)


def journey_tray(s):
    started(s)
    skin = s.skin()
    hide(s, "alt+F4")
    x, y = tray_icon(s)
    h.xdotool("mousemove", x, y)
    time.sleep(0.2)
    h.xdotool("click", "--repeat", "2", "--delay", "80", 1)
    wait_for("a double-click on the icon to show the window", s.visible, 5)

    hide(s, skin.main.spot(13))                      # the close spot
    left, top, right, bottom = open_tray_menu(s, x, y)
    screen_shot(s, "tray-menu.png")
    screen_click((left + right) // 2, top + (bottom - top) // 4)   # the first of two items
    wait_for('"Show Window" in the icon\'s menu to show the window', s.visible, 5)

    hide(s, skin.main.spot(2))                       # the hide command
    before = len(s.processes)
    s.start(wait=False)
    wait_for("a second start to show the hidden window", s.visible, 20)
    check(before + 1 == len(s.processes), "second start not recorded")
    check(len(s.windows()) == 1, f"{len(s.windows())} windows titled {h.TITLE!r} after a second start")


# --- 8 -----------------------------------------------------------------------

def journey_unplug(s):
    s.set_registry(MOUSE_KEY, "MouseSensitivity", 3)
    cfg, _ = started(s)
    speed = s.registry(MOUSE_KEY, "MouseSensitivity")
    check(speed == str(m.POINTER_SPEEDS[cfg["DPI_SPEED"]]), f"pointer speed {speed} after the start-up download")
    s.mouse_ok("unplug")
    wait_for("the utility to end after the unplug", lambda: not s.windows() and not s.running(), 10)
    speed = s.registry(MOUSE_KEY, "MouseSensitivity")
    check(speed == "10", f"the system pointer speed is {speed} after the exit, want 10")
    reports = s.reports()
    keys = [r for r in reports if r.kind == "feature" and r.starts(7, 0x15)]
    buttons = [r for r in reports if r.kind == "feature" and r.starts(7, 0x16)]
    check(not keys or not any(keys[-1].data[2:8]), "keys stayed held when the utility ended")
    check(not buttons or buttons[-1].data[3] == 0xFF, "mouse buttons stayed held when the utility ended")


# --- 9 -----------------------------------------------------------------------

def scramble(s):
    """Configurations and macros that are not the shipped ones."""
    path = s.path("config.ini")
    with open(path, "rb") as f:
        text = f.read().decode("utf-8", errors="replace")
    lines = []
    user = False   # only the user's configurations, not the factory sections
    for line in text.splitlines():
        if line.startswith("["):
            user = line.strip().lower().startswith("[config")
        elif not user:
            pass
        elif line.startswith("FIRE_TIME="):
            line = "FIRE_TIME=123"
        elif line.startswith("K0="):
            line = "K0=2"
        elif line.startswith("K1="):
            line = "K1=1"
        lines.append(line)
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    with open(s.path("Macro_EN.dat"), "w", newline="\r\n") as f:
        f.write("[Macros]\nmacroNum=0\n")


def journey_reset(s):
    shipped = h.read_profile(os.path.join(h.DIST, "config.ini"))
    cfg, end = started(s)
    check(cfg["FIRE_TIME"] == 123, "the scrambled configuration was not the one loaded")
    skin = s.skin()
    s.click_spot(skin.main.spot(16))
    want = dict(m.DEFAULTS, MACRO_MODE2=cfg["MACRO_MODE2"])
    m.require_download(s, want, end, "the download after the factory reset")
    check_state(s, want, "the factory reset")
    wait_config(s, "Config1", want, "the factory reset")
    for n in (2, 3, 4, 5):
        source = "CfgReset_EN5" if n == 5 else f"CfgReset{n}"
        wait_config(s, f"Config{n}", m.section(shipped, source), f"the factory reset (from [{source}])")
    default = m.macros(h.read_profile(s.path("skins", "INI_EN", "defMacro.dat")))
    check(default, "the shipped default macros are empty")
    wait_for("Macro_EN.dat to hold the default macros",
             lambda: m.macros(h.read_profile(s.path("Macro_EN.dat"))) == default, 5)


# --- 10 ----------------------------------------------------------------------

def tray_shell(s, what):
    """Runs tests/e2e/tray_shell.c (built here once) inside the journey's
    desktop: what the notification area's shell does to the utility's icon."""
    exe = os.path.join(h.OUT, "tray-shell.exe")
    source = os.path.join(h.ROOT, "tests", "e2e", "tray_shell.c")
    if not os.path.isfile(exe) or os.path.getmtime(exe) < os.path.getmtime(source):
        p = h.run(["x86_64-w64-mingw32-gcc", "-municode", "-O1", "-static", "-o", exe, source, "-lshell32"], timeout=120)
        check(p.returncode == 0, f"tray_shell.c did not build: {p.stderr.strip()[:300]}")
    result = s.path(f"tray-shell-{what}.txt")
    if os.path.exists(result):
        os.remove(result)
    h.run([h.WINE, "explorer", f"/desktop={h.DESKTOP},1280x800", h.windows_path(exe), what, h.windows_path(result)],
          timeout=30)
    wait_for(f"tray-shell.exe {what} to answer", lambda: os.path.isfile(result) and os.path.getsize(result) > 0, 20)
    with open(result) as f:
        return f.read().strip()


def journey_shell_restart(s):
    started(s)
    close = s.skin().main.spot(13)                   # the close spot: the helper may hold the keyboard
    tray_icon(s)
    check(tray_shell(s, "restart") == "forgot=1", "the shell could not forget the icon the start-up added")
    x, y = wait_for("the icon added again for the restarted shell", lambda: tray_icon_shown(s), 5)
    hide(s, close)
    h.xdotool("mousemove", x, y)
    time.sleep(0.2)
    h.xdotool("click", "--repeat", "2", "--delay", "80", 1)
    wait_for("a double-click on the icon added again to show the window", s.visible, 5)
    hide(s, close)
    icons = tray_shell(s, "count")
    check(icons == "icons=1", f"{icons} after the shell restart and a close, want icons=1")

    # A shell that lost the icon without a word: the next close adds it.
    s.start(wait=False)
    wait_for("a second start to show the hidden window", s.visible, 20)
    hide(s, close)
    tray_icon(s)
    check(tray_shell(s, "forget") == "forgot=1", "closing after the icon was lost did not add it again")


# --- 11 ----------------------------------------------------------------------

DPI_SHOWN = [200, 400, 600, 800, 1000, 1200, 1600, 2000, 2400, 3200, 4000, 4800]
INDICATOR = "^DPI LEVEL [1-4]: "   # the indicator window's title


def indicator_windows():
    return h.xdotool("search", "--onlyvisible", "--name", INDICATOR).stdout.split()


def focus_taker(s):
    """Wine's notepad in the journey's desktop, brought to the front with a
    click into it (there is no window manager); returns its window."""
    s.processes.append(subprocess.Popen([h.WINE, "explorer", f"/desktop={h.DESKTOP},1280x800", "notepad"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=s.dir))
    found = wait_for("notepad's window", lambda: window_titled(".*Notepad"), 20)
    x, y, w, hgt = settled_place(s, found[:1], "notepad's window")
    screen_click(x + w // 2, y + hgt // 2)
    return found[0]


def journey_indicator(s):
    cfg, _ = started(s)
    hide(s, "alt+F4")
    focus_taker(s)
    s.type("abc")

    enabled = [j for j in range(4) if cfg[f"DPI_SET_EN{j}"]]
    after = [j for j in enabled if j > cfg["DPI_LEVEL"]]
    level = after[0] if after else enabled[0]
    dpi = DPI_SHOWN[cfg[f"DPI_SET{level}"]]
    s.mouse_ok("click", "dpi")
    clicked = time.monotonic()
    shown = wait_for("the DPI indicator after a press of the DPI button", indicator_windows, 3, 0.02)
    name = h.xdotool("getwindowname", shown[0]).stdout.strip()
    check(name == f"DPI LEVEL {level + 1}: {dpi} DPI", f"the indicator says {name!r} for level {level + 1}")
    x, y, w, hgt = s.origin(shown[0])
    picture = s.picture()
    panel = picture.getpixel((x + w // 2, y + hgt - 8))
    check(h.same_colour(panel, (21, 23, 27), 12), f"the indicator's panel is {panel} on the screen")
    check(x + w // 2 == 640 and y + hgt < 800 - 40, f"the indicator at {x},{y} is not at the bottom centre")
    if save_screens:
        picture.crop((x - 40, y - 30, x + w + 40, y + hgt + 30)).save(os.path.join(SCREENS, "indicator-en.png"))
    s.type("def")                       # the game in front keeps the keyboard
    time.sleep(max(0.0, clicked + 3.0 - time.monotonic()))
    check(not indicator_windows(), "the indicator is still on the screen 3 s after the press")

    typed = s.path("typed.txt")
    s.key("ctrl+s")
    file_dialog(s, typed)
    wait_for("notepad to save what was typed", lambda: os.path.exists(typed), 5)
    with open(typed, "rb") as f:
        text = f.read().decode("utf-8", errors="ignore").replace("\x00", "")
    check("abcdef" in text, f"notepad received {text!r}: the indicator took the keyboard")

    # Off through the tray menu: its middle item.
    x, y = tray_icon(s)
    left, top, right, bottom = open_tray_menu(s, x, y)
    screen_click((left + right) // 2, (top + bottom) // 2)
    wait_for("OSD=0 in config.ini", lambda: h.profile_value(s.config(), "Init", "OSD") == "0", 5)
    s.mouse_ok("click", "dpi")
    time.sleep(1.0)
    check(not indicator_windows(), "the indicator appeared although the menu item was unchecked")

# --- 12 ----------------------------------------------------------------------

SMALL = (1366, 768)


class PrivateScreen:
    """An X server of the given size for one journey: the Wine desktop then
    fills the whole screen, as a person's desktop does."""

    def __init__(self, size):
        self.previous = os.environ.get("DISPLAY")
        self.process = None
        for n in range(130, 170):
            if os.path.exists(f"/tmp/.X11-unix/X{n}") or os.path.exists(f"/tmp/.X{n}-lock"):
                continue
            self.process = h.subprocess.Popen(
                ["Xvfb", f":{n}", "-screen", "0", f"{size[0]}x{size[1]}x24", "-nolisten", "tcp"],
                stdout=h.subprocess.DEVNULL, stderr=h.subprocess.DEVNULL)
            os.environ["DISPLAY"] = f":{n}"
            try:
                wait_for(f"an X server of {size[0]}x{size[1]}",
                         lambda: h.run(["xdpyinfo"], timeout=5).returncode == 0, 5, 0.1)
                return
            except h.JourneyFailed:
                self.close()
        raise h.JourneyFailed("could not start an X server for the small screen")

    def close(self):
        if self.process:
            self.process.terminate()
            self.process.wait(timeout=10)
            self.process = None
        if self.previous is None:
            os.environ.pop("DISPLAY", None)
        else:
            os.environ["DISPLAY"] = self.previous


def small_screen(s):
    screen = PrivateScreen(SMALL)
    s.desktop = f"{SMALL[0]}x{SMALL[1]}"
    stop = s.stop

    def stop_then_close():
        try:
            stop()
        finally:
            screen.close()
    s.stop = stop_then_close


def on_screen(what, x, y, w, hgt):
    check(0 <= x and 0 <= y and x + w <= SMALL[0] and y + hgt <= SMALL[1],
          f"{what} at {x},{y} ({w}x{hgt}) leaves the {SMALL[0]}x{SMALL[1]} screen")


def journey_small_screen(s):
    started(s)
    skin = s.skin()
    wm, hm, ws, hs = menu_sizes(s)
    macro_count = len(m.macros(h.read_profile(s.path("Macro_EN.dat"))))
    groups = {7: (10, 6), 8: (20, 10), 9: (40, min(macro_count, 12)), 10: (30, 8)}
    dpi_button = 30   # the sixth button's entry, K5

    def saved_code(what, code):
        s.click_spot(skin.main.spot(0))              # save
        wait_for(f"K5={code} in config.ini after {what}",
                 lambda: h.profile_value(s.config(), "Config1", "K5") == str(code), 5)

    # Every item of the pop-up and of each sub-menu, clicked as a person would.
    for item in range(1, 7):
        (px, py), _ = choose(s, skin, dpi_button, item)
        on_screen("the DPI Button's pop-up", px, py, wm, 10 * hm + 1)
        saved_code(f"item {item}", item)
    for item, (base, count) in groups.items():
        for sub_item in range(1, count + 1):
            (px, py), (sx, sy) = choose(s, skin, dpi_button, item, sub_item)
            on_screen(f"sub-menu {item}", sx, sy, ws, count * hs + 1)
            check(sx >= px + wm or sx + ws <= px, f"sub-menu {item} covers the pop-up it belongs to")
            saved_code(f"item {sub_item} of sub-menu {item}", base + sub_item)

    # Left open for a look: the tallest sub-menu beside the pop-up.
    s.click_spot(skin.main.spot(dpi_button))
    px, py = menu_at(s)
    sub_menu_after(s, lambda: screen_move(px + wm // 2, py + 7 * hm + hm // 2))
    s.screenshot(os.path.join(h.OUT, "journey12-dpi-popup.png"))
    s.click_spot(skin.main.spot(20))                 # a click beside closes it

    # Six quick clicks on the fire time's "+" are six steps.
    s.click_spot(skin.main.spot(10))
    before = int(h.profile_value(s.config(), "Config1", "FIRE_TIME"))
    check(before <= 294, f"FIRE_TIME {before} leaves no room for six steps")
    s.move(*skin.advanced.spot(31).centre())
    h.xdotool("click", "--repeat", "6", "--delay", "80", 1)
    time.sleep(0.5)
    s.click_spot(skin.main.spot(3))                  # apply: downloads and saves
    wait_for(f"FIRE_TIME={before + 6} after six quick clicks on +",
             lambda: h.profile_value(s.config(), "Config1", "FIRE_TIME") == str(before + 6), 5)


# --- 13 ----------------------------------------------------------------------

def profile_menu(s, spot, item):
    """Right-clicks a Profile spot and chooses an item of its menu: 0 is
    "Use for a program...", 1 the first bound program (after the separator)."""
    sx, sy = s.screen_point(*spot.centre())
    s.move(*spot.centre())
    menu = new_windows_after(lambda: h.xdotool("click", 3), "the Profile spot's menu")
    settled_place(s, menu, "the Profile spot's menu")
    screen_click(sx + 30, sy + 12 + (item and 21 + 20 * (item - 1)))


def journey_app_profiles(s):
    # The switch a bound program in front causes is checked in the Wine suite
    # (AppProfilesShellTest): inside this Wine desktop no window event of
    # another program reaches the utility, only those of its own windows.
    cfg, end = started(s)
    skin = s.skin()
    profile3 = skin.main.spot(6)
    profile_menu(s, profile3, 0)
    file_dialog(s, None, r"C:\windows\notepad.exe")
    wait_for("the binding in config.ini",
             lambda: h.profile_value(s.config(), "AppProfiles", "App0", "").lower() == "notepad.exe|3", 5)
    profile = s.config()
    check(h.profile_value(profile, "AppProfiles", "Count") == "1", "AppProfiles Count is not 1")
    check(h.profile_value(profile, "Init", "CurConfig") == "1", "binding a program changed CurConfig")
    # The utility's own windows (the menu, the file dialog) left the mouse as it was.
    check(m._find(s.reports(), m.download_reports(cfg), end) is None, "binding a program downloaded something")

    profile_menu(s, profile3, 1)
    wait_for("the binding to go from config.ini",
             lambda: h.profile_value(s.config(), "AppProfiles", "Count") == "0", 5)
    check(not h.profile_value(s.config(), "AppProfiles", "App0"), "the removed binding is still in config.ini")
    check(h.profile_value(s.config(), "Init", "CurConfig") == "1", "removing the binding changed CurConfig")


# --- 14 ----------------------------------------------------------------------

DAMAGED_CONFIGS = [
    ("empty", ""),
    ("CurConfig 99", "[Init]\r\nCurConfig=99\r\nVER_SEL=1\r\n"),
    ("values of 999999", "[Init]\r\nCurConfig=1\r\nVER_SEL=1\r\n[Config1]\r\n"
     + "".join(f"{k}=999999\r\n" for k in m.CONFIG_KEYS)),
]


def check_usable_mouse(s, what):
    state = s.state()
    functions = [state.get(f"button_function_{code}") for code in range(1, 7)]
    check("1" in functions, f"after {what} no button clicks: device functions {functions}")
    mask = int(state.get("enabled_mask", "0"))
    level = int(state.get("current_level", "0"))
    check(mask & 0x0F and mask & (1 << level), f"after {what} the mouse has levels {mask:#x}, current {level}")


def journey_damaged_config(s):
    for what, text in DAMAGED_CONFIGS:
        with open(s.path("config.ini"), "w", newline="") as f:
            f.write(text)
        if os.path.exists(s.log_path):
            os.remove(s.log_path)
        s.start()
        wait_for(f"the start-up download with a damaged config.ini ({what})",
                 lambda: sum(r.kind == "feature" for r in s.reports()) >= 13, 15)
        check_usable_mouse(s, f"starting with a damaged config.ini ({what})")
        names = [n for n in s.config() if n.lower().startswith("config")]
        check(all(n[6:] in ("1", "2", "3", "4", "5", "6") for n in names), f"config.ini gained sections {names}")
        s.stop()

    # Without any config.ini: configuration 1's factory defaults, and Reset gives them again.
    os.remove(s.path("config.ini"))
    os.remove(s.log_path)
    s.start()
    end = m.require_download(s, m.DEFAULTS, what="the start-up download without config.ini")
    s.click_spot(s.skin().main.spot(16))
    m.require_download(s, m.DEFAULTS, end, "the factory reset without config.ini")
    check_usable_mouse(s, "the factory reset without config.ini")


# --- 15 ----------------------------------------------------------------------

def message_box_answered(s):
    """Closes the message box that an import shows (its OK button has the
    focus); the utility's boxes carry the executable's name."""
    caption = os.path.splitext(h.EXE_NAME)[0]   # letters and spaces: a pattern as it is
    box = wait_for("the import's message box", lambda: window_titled(caption), 10)
    settled_place(s, box, "the import's message box")
    s.key("Return")
    wait_for("the message box to close", lambda: not window_titled(caption), 10)


def journey_macro_files_kept(s):
    started(s)
    skin = s.skin()
    english = s.path("Macro_EN.dat")
    chinese = s.path("Macro_CN.dat")
    with open(english, "rb") as f:
        english_before = f.read()
    with open(chinese, "rb") as f:
        chinese_before = f.read()
    garbage = s.path("garbage.dat")
    with open(garbage, "wb") as f:
        f.write(bytes(range(256)) * 8)

    s.click_spot(skin.main.spot(10))
    for path in (garbage, s.path("no such file.dat")):
        s.click_spot(skin.advanced.spot(0))      # import
        file_dialog(s, path)
        message_box_answered(s)
    s.click_spot(skin.advanced.spot(5))          # Set: saves the macro table
    time.sleep(1.0)
    with open(english, "rb") as f:
        check(f.read() == english_before, "a failed macro import and Set changed Macro_EN.dat")

    # A recording across the language switch: the Chinese macros stay as they were.
    s.click_spot(skin.advanced.spot(4))          # record into the selected English macro
    s.key("a")
    s.click_spot(skin.main.spot(17))             # 中文
    wait_for("VER_SEL=0 in config.ini", lambda: h.profile_value(s.config(), "Init", "VER_SEL") == "0", 5)
    s.key("b")
    cn = h.Skin(s.dir, english=False)
    s.click_spot(cn.advanced.spot(5))            # Set, in Chinese
    time.sleep(1.0)
    with open(chinese, "rb") as f:
        check(f.read() == chinese_before, "recording across the language switch changed Macro_CN.dat")


JOURNEYS = [
    (1, "first start", journey_first_start, None),
    (2, "settings and apply", journey_settings, None),
    (3, "functions through the pop-ups", journey_popups, None),
    (4, "macro recorded and played", journey_macro, None),
    (5, "profile export and import", journey_profile, None),
    (6, "language and restart", journey_language, None),
    (7, "tray and second start", journey_tray, None),
    (8, "unplug ends the utility", journey_unplug, None),
    (9, "factory reset", journey_reset, scramble),
    (10, "notification area restarted", journey_shell_restart, None),
    (11, "DPI indicator", journey_indicator, None),
    (12, "pop-ups and quick clicks on a 1366x768 screen", journey_small_screen, small_screen),
    (13, "a program's own profile", journey_app_profiles, None),
    (14, "damaged config.ini", journey_damaged_config, None),
    (15, "macro files kept", journey_macro_files_kept, None),
]


def main(argv):
    global save_screens
    if "--screens" in argv:
        save_screens = True
    count_only = "--count" in argv
    argv = [a for a in argv if a not in ("--screens", "--count")]
    chosen = {int(a) for a in argv} if argv else None
    journeys = [j for j in JOURNEYS if not chosen or j[0] in chosen]
    if count_only:
        print(len(journeys))
        return 0
    if Image is None:
        print("The journeys did not start: Python's PIL is missing (scripts/setup.sh installs python3-pil).")
        print(f"0 passed, {len(journeys)} failed", flush=True)
        return 1
    os.makedirs(h.OUT, exist_ok=True)
    passed = failed = 0
    unstarted = 0  # journeys in a row whose utility showed no window, before any passed
    for index, (number, name, body, prepare) in enumerate(journeys):
        session = None
        try:
            session = h.Session(f"journey{number}", prepare)
            body(session)
            result = "passed"
            passed += 1
            unstarted = 0
        except h.JourneyFailed as e:
            evidence = session.keep_evidence() if session else []
            result = f"failed ({e}{'; saved ' + ', '.join(evidence) if evidence else ''})"
            failed += 1
            unstarted = unstarted + 1 if isinstance(e, h.NotStarted) and passed == 0 else 0
        except Exception as e:  # a fault of the suite itself still fails the journey
            evidence = session.keep_evidence() if session else []
            result = f"failed ({type(e).__name__}: {e}{'; saved ' + ', '.join(evidence) if evidence else ''})"
            failed += 1
            unstarted = 0
        finally:
            if session:
                session.stop()
        print(f"journey {number} {name}: {result}", flush=True)
        # Twice no window and nothing passed: the utility does not start here,
        # and every further journey would wait out the same bound.
        left = len(journeys) - index - 1
        if unstarted == 2 and left:
            print(f"The journeys stopped: the utility does not start under Wine here; "
                  f"the {left} journeys left are counted as failed without running.")
            failed += left
            break
    print(f"{passed} passed, {failed} failed", flush=True)
    return 0 if failed == 0 and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
