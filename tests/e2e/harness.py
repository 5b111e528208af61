"""What the journeys stand on: the skin's spots, one started utility in its own
copy of the shipped folder, the virtual mouse's report log and client, and
bounded waits that fail with a message instead of hanging."""

import os
import re
import shutil
import subprocess
import time

try:
    from PIL import Image
except ImportError:  # journeys.py says so before any journey starts
    Image = None

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DIST = os.path.join(ROOT, "build", "windows", "dist_virtual")
OUT = os.path.join(ROOT, "build", "e2e")
EXE_NAME = "ZR280S Gaming Mouse Driver.exe"
TITLE = "ZR305 Gaming Mouse Driver"
DESKTOP = "zr305e2e"
WINE = os.environ.get("WINE", "/usr/lib/wine/wine64")
WINESERVER = os.environ.get("WINESERVER", "/usr/lib/wine/wineserver64")


class JourneyFailed(Exception):
    pass


class NotStarted(JourneyFailed):
    """The utility showed no window at all."""


def check(condition, reason):
    if not condition:
        raise JourneyFailed(reason)


def wait_for(what, probe, timeout=10.0, interval=0.2):
    """Polls probe until it gives something truthy; fails naming what was awaited."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise JourneyFailed(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


def read_profile(path):
    """Reads an INI file the way the profile functions see it: UTF-16 with a
    byte-order mark or 8-bit text, names without regard to case, first value wins."""
    with open(path, "rb") as f:
        raw = f.read()
    if raw[:2] in (b"\xff\xfe", b"\xfe\xff"):
        text = raw.decode("utf-16")
    else:
        text = raw.decode("utf-8", errors="replace")
    sections = {}
    current = None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and "]" in line:
            current = sections.setdefault(line[1:line.index("]")].strip().lower(), {})
        elif current is not None and "=" in line:
            key, value = line.split("=", 1)
            current.setdefault(key.strip().lower(), value.strip())
    return sections


def profile_value(sections, section, key, default=None):
    return sections.get(section.lower(), {}).get(key.lower(), default)


class Spot:
    def __init__(self, x, y, w, h, label):
        self.x, self.y, self.w, self.h, self.label = x, y, w, h, label

    def centre(self):
        return self.x + self.w // 2, self.y + self.h // 2

    def contains(self, px, py):
        return self.x <= px < self.x + self.w and self.y <= py < self.y + self.h


def _number(field):
    m = re.match(r"\s*([+-]?\d+)", field)
    return int(m.group(1)) if m else 0


class Layout:
    """One layout file's BUTTONPOS spots (and any other section, by name)."""

    def __init__(self, path):
        self.path = path
        self.sections = read_profile(path)

    def spot(self, index, section="BUTTONPOS"):
        value = profile_value(self.sections, section, str(index), "")
        fields = value.split(",")
        if len(fields) < 7:
            fields += [""] * (7 - len(fields))
        spot = Spot(*(_number(f) for f in fields[1:5]), fields[5])
        spot.name = f"{os.path.basename(self.path)} {section} {index} ({fields[0]})"
        check(spot.w > 0 and spot.h > 0, f"skin has no spot {section} {index} in {os.path.basename(self.path)}")
        return spot

    def function_name(self, code):
        return profile_value(self.sections, "FUN_STRING", str(code), "").split(",")[0]


class Skin:
    def __init__(self, dist, english=True):
        folder = os.path.join(dist, "skins", "INI_EN" if english else "INI_CN")
        suffix = "_en" if english else ""
        self.main = Layout(os.path.join(folder, f"skin_main{suffix}.ini"))
        self.advanced = Layout(os.path.join(folder, f"skin_advance{suffix}.ini"))
        self.color = Layout(os.path.join(folder, f"skin_color{suffix}.ini"))
        self.warning = Layout(os.path.join(folder, f"LBWarning{suffix}.ini"))


# --- the report log -------------------------------------------------------

class Report:
    def __init__(self, ms, kind, data, rest):
        self.ms, self.kind, self.data, self.rest = ms, kind, data, rest

    def starts(self, *prefix):
        return tuple(self.data[: len(prefix)]) == prefix

    def __repr__(self):
        return f"{self.ms:.3f} {self.kind} " + " ".join(f"{b:02x}" for b in self.data)


def parse_log(text):
    """`<ms> feature|input <hex bytes>`; anything after the bytes (such as
    whether the report was taken) is kept as text."""
    reports = []
    for line in text.splitlines():
        parts = line.split()
        if len(parts) < 2 or parts[1] not in ("feature", "input"):
            continue
        try:
            ms = float(parts[0])
        except ValueError:
            continue
        data = []
        rest = []
        for token in parts[2:]:
            if not rest and re.fullmatch(r"[0-9a-fA-F]{2}", token):
                data.append(int(token, 16))
            else:
                rest.append(token)
        reports.append(Report(ms, parts[1], data, " ".join(rest)))
    return reports


def find_sequence(reports, expected, start=0):
    """Index after the first run of feature reports, from start on, whose
    prefixes are the expected ones in order with nothing between; else None."""
    features = [(i, r) for i, r in enumerate(reports) if r.kind == "feature" and i >= start]
    for k in range(len(features) - len(expected) + 1):
        if all(features[k + j][1].starts(*expected[j]) for j in range(len(expected))):
            return features[k + len(expected) - 1][0] + 1
    return None


# --- one started utility ---------------------------------------------------

def run(args, timeout=20, env=None, check_rc=False):
    try:
        p = subprocess.run(args, capture_output=True, text=True, timeout=timeout, env=env,
                           errors="replace")
    except subprocess.TimeoutExpired:
        raise JourneyFailed(f"{os.path.basename(args[0])} {' '.join(args[1:3])} did not end within {timeout} s")
    if check_rc and p.returncode != 0:
        raise JourneyFailed(f"{' '.join(os.path.basename(a) for a in args[:3])} exited {p.returncode}: {p.stderr.strip()[:200]}")
    return p


def windows_path(path):
    # The prefix maps Z: to the file system's root.
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def xdotool(*args, timeout=10):
    return run(["xdotool", *map(str, args)], timeout=timeout)


class Session:
    """A fresh copy of the shipped folder and, once started, the utility in a
    Wine desktop. Coordinates given to the mouse helpers are window-client
    pixels, as the layout files give them."""

    def __init__(self, name, prepare=None):
        self.name = name
        self.dir = os.path.join(OUT, "work", name)
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(os.path.dirname(self.dir), exist_ok=True)
        check(os.path.isfile(os.path.join(DIST, EXE_NAME)), f"no built utility in {DIST}")
        shutil.copytree(DIST, self.dir)
        self.log_path = os.path.join(self.dir, "reports.log")
        self.exe = os.path.join(self.dir, EXE_NAME)
        self.client = os.path.join(self.dir, "virtual-mouse.exe")
        self.window = None
        self.processes = []
        self.desktop = "1280x800"   # the Wine desktop's size
        if prepare:
            prepare(self)

    # files of the copy
    def path(self, *parts):
        return os.path.join(self.dir, *parts)

    def config(self):
        return read_profile(self.path("config.ini"))

    def skin(self):
        english = profile_value(self.config(), "Init", "VER_SEL", "1") != "0"
        return Skin(self.dir, english)

    def reports(self):
        try:
            with open(self.log_path, encoding="ascii", errors="replace") as f:
                return parse_log(f.read())
        except FileNotFoundError:
            return []

    # the program
    def start(self, wait=True):
        env = dict(os.environ)
        env["ZR305_VIRTUAL_MOUSE_LOG"] = windows_path(self.log_path)
        p = subprocess.Popen([WINE, "explorer", f"/desktop={DESKTOP},{self.desktop}", windows_path(self.exe)],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env, cwd=self.dir)
        self.processes.append(p)
        if wait:
            self.window = self.wait_window()
        return p

    def windows(self, visible=False):
        args = ["search"] + (["--onlyvisible"] if visible else []) + ["--name", f"^{re.escape(TITLE)}$"]
        p = xdotool(*args)
        return [w for w in p.stdout.split()]

    def wait_window(self, timeout=40):
        try:
            found = wait_for(f'a window titled "{TITLE}"', lambda: self.windows(visible=True), timeout)
        except JourneyFailed as e:
            raise NotStarted(str(e)) from None
        window = found[0]
        # The first paint follows the shape; let it land before anyone looks:
        # the skin's picture (many colours, not a blank) the same in two looks.
        last = [None]

        def painted():
            place = self.origin(window)
            if place is None:
                return False
            x, y, w, hgt = place
            shown = self.picture().crop((x, y, x + w, y + hgt))
            seen = shown.tobytes()
            steady = seen == last[0] and shown.getcolors(16) is None
            last[0] = seen
            return steady
        wait_for("the window to be painted", painted, 10, 0.1)
        return window

    def visible(self):
        return bool(self.windows(visible=True))

    def origin(self, window=None):
        """The window's top-left corner on the screen and its size. xwininfo, not
        xdotool, since xdotool counts a child window's offset twice."""
        p = run(["xwininfo", "-id", window or self.window], timeout=10)
        values = {}
        for line in p.stdout.splitlines():
            if ":" in line:
                key, value = line.split(":", 1)
                values[key.strip()] = value.strip()
        try:
            return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                    int(values["Width"]), int(values["Height"]))
        except (KeyError, ValueError):
            return None

    def screen_point(self, x, y):
        ox, oy, _, _ = self.origin()
        return ox + x, oy + y

    def move(self, x, y):
        sx, sy = self.screen_point(x, y)
        # A step beside the target first, so the window always sees a move.
        xdotool("mousemove", sx + 1, sy + 1)
        time.sleep(0.05)
        xdotool("mousemove", sx, sy)
        time.sleep(0.15)

    def click(self, x, y, button=1):
        self.move(x, y)
        xdotool("click", button)
        time.sleep(0.35)

    def click_spot(self, spot):
        self.click(*spot.centre())

    def key(self, *keys):
        xdotool("key", "--delay", "60", *keys)
        time.sleep(0.2)

    def type(self, text):
        xdotool("type", "--delay", "60", text)
        time.sleep(0.2)

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        run(["import", "-window", "root", path], timeout=20, check_rc=True)
        return path

    def picture(self):
        tmp = os.path.join(self.dir, "shot.png")
        self.screenshot(tmp)
        with Image.open(tmp) as im:
            return im.convert("RGB")

    # the virtual mouse's client
    def mouse(self, *args, timeout=20):
        return run([WINE, self.client, *map(str, args)], timeout=timeout)

    def mouse_ok(self, *args):
        p = self.mouse(*args)
        check(p.returncode == 0, f"virtual-mouse.exe {' '.join(map(str, args))} exited {p.returncode}: "
                                 f"{p.stderr.strip()[:200]}")
        return p.stdout

    def state(self):
        out = self.mouse_ok("state")
        state = {}
        for line in out.splitlines():
            if "=" in line:
                key, value = line.strip().split("=", 1)
                state[key.strip()] = value.strip()
        check(state, "virtual-mouse.exe state printed no key=value lines")
        return state

    # the system settings the download sets, from the prefix's registry
    def registry(self, key, value):
        p = run([WINE, "reg", "query", key, "/v", value], timeout=20)
        for line in p.stdout.splitlines():
            parts = line.split()
            if len(parts) >= 3 and parts[0].lower() == value.lower():
                return parts[-1]
        return None

    def set_registry(self, key, value, data):
        run([WINE, "reg", "add", key, "/v", value, "/t", "REG_SZ", "/d", str(data), "/f"], timeout=20)

    def running(self):
        """Whether a process of this copy's utility is alive."""
        p = run(["ps", "-eo", "args"], timeout=10)
        # Other copies (other journeys, other people's runs) may be alive too.
        mine = [os.path.basename(self.dir) + sep + EXE_NAME for sep in ("\\", "/")]
        return any(any(m in line for m in mine) and "explorer" not in line for line in p.stdout.splitlines())

    def stop(self):
        run([WINESERVER, "-k"], timeout=20)
        run([WINESERVER, "-w"], timeout=30)
        for p in self.processes:
            try:
                p.wait(timeout=10)
            except subprocess.TimeoutExpired:
                p.kill()
        self.processes = []

    def keep_evidence(self):
        """Saves the screen and the report log under build/e2e; returns their names."""
        saved = []
        shot = os.path.join(OUT, f"{self.name}.png")
        try:
            self.screenshot(shot)
            saved.append(os.path.relpath(shot, ROOT))
        except JourneyFailed:
            pass
        if os.path.exists(self.log_path):
            log = os.path.join(OUT, f"{self.name}.log")
            shutil.copyfile(self.log_path, log)
            saved.append(os.path.relpath(log, ROOT))
        return saved


def same_colour(a, b, tolerance=24):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))
