"""The setup program used as a person and an administrator would, under Wine in
a fresh prefix: a silent install, the logon start, an upgrade over a running
utility with the user's edits in place, and the uninstall.

Usage: install_test.py <setup v1> <setup v2> <exe of v2> <prefix folder>
The two setup programs package the virtual-mouse build; v2's executable and
factory-default sections differ from v1's, as a newer build's would."""

import glob
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness as h  # noqa: E402
import journeys as j  # noqa: E402
from harness import check, wait_for  # noqa: E402

RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZR305"
PRODUCT = "ZR305 Gaming Mouse Driver"


class Installed:
    """The installed folder, seen as the journeys see their copy."""

    def __init__(self, prefix, env):
        self.prefix = prefix
        self.env = env
        found = glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Local", "Programs", "ZR305"))
        check(len(found) == 1, f"no per-user program folder (%LOCALAPPDATA%\\Programs\\ZR305): {found}")
        self.dir = found[0]
        self.user = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(self.dir))))
        self.exe = os.path.join(self.dir, h.EXE_NAME)
        self.client = os.path.join(self.dir, "virtual-mouse.exe")
        self.log_path = env["ZR305_VIRTUAL_MOUSE_LOG_UNIX"]

    def path(self, *parts):
        return os.path.join(self.dir, *parts)

    def config(self):
        return h.read_profile(self.path("config.ini"))

    def reports(self):
        try:
            with open(self.log_path, encoding="ascii", errors="replace") as f:
                return h.parse_log(f.read())
        except FileNotFoundError:
            return []

    def picture(self):
        shot = os.path.join(os.path.dirname(self.prefix), "shot.png")
        h.run(["import", "-window", "root", shot], timeout=20, check_rc=True)
        from PIL import Image
        with Image.open(shot) as im:
            return im.convert("RGB")

    def mouse_ok(self, *args):
        p = h.run([h.WINE, self.client, *map(str, args)], timeout=20, env=self.env)
        check(p.returncode == 0, f"virtual-mouse.exe {' '.join(map(str, args))} exited {p.returncode}")
        return p.stdout


def wine(env, *args, timeout=120):
    return h.run([h.WINE, *args], timeout=timeout, env=env)


DESKTOP = "zr305install"


def in_desktop(env, *args):
    """Starts a program in the test's Wine desktop, which has a notification
    area; every program of the test runs there, as on one user's desktop."""
    return subprocess.Popen([h.WINE, "explorer", f"/desktop={DESKTOP},1280x800", *args], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def run_setup(env, setup, what):
    """Runs a setup program silently in the desktop and waits until it is done."""
    name = os.path.basename(setup)

    def alive():
        return any(name in line and "/S" in line and "explorer" not in line and "python" not in line
                   for line in h.run(["ps", "-eo", "args"]).stdout.splitlines())
    in_desktop(env, h.windows_path(setup), "/S")
    try:
        wait_for(f"{what} to start", alive, 30, interval=0.05)
    except h.JourneyFailed:
        pass  # so quick that it was never seen: what it left behind is checked next
    wait_for(f"{what} to finish", lambda: not alive(), 120)


def registry(env, key, value):
    p = wine(env, "reg", "query", key, "/v", value, timeout=30)
    for line in p.stdout.splitlines():
        if "REG_" in line and line.strip().lower().startswith(value.lower()):
            return line.split("REG_", 1)[1].split(None, 1)[1].strip() if len(line.split("REG_", 1)[1].split(None, 1)) > 1 else ""
    return None


def running(env):
    p = h.run(["ps", "-eo", "args"], timeout=10)
    mine = ("Programs\\ZR305\\" + h.EXE_NAME, "Programs/ZR305/" + h.EXE_NAME)
    return [line for line in p.stdout.splitlines() if any(m in line for m in mine)]


def sections(path):
    """Section name -> the exact bytes of that section (header included)."""
    with open(path, "rb") as f:
        data = f.read()
    result, name, start = {}, None, 0
    lines = data.splitlines(keepends=True)
    offset = 0
    for line in lines:
        if line.startswith(b"["):
            if name is not None:
                result[name] = data[start:offset]
            name, start = line.strip()[1:-1].decode("ascii", "replace"), offset
        offset += len(line)
    if name is not None:
        result[name] = data[start:offset]
    return result


def read(path):
    with open(path, "rb") as f:
        return f.read()


def driver_exits(target):
    return [r for r in target.reports() if r.kind == "feature" and r.starts(7, 0x20, 0, 0)]


def main(setup1, setup2, exe2, prefix):
    env = dict(os.environ)
    env["WINEPREFIX"] = prefix
    log = os.path.join(os.path.dirname(prefix), "reports.log")
    env["ZR305_VIRTUAL_MOUSE_LOG"] = h.windows_path(log)
    env["ZR305_VIRTUAL_MOUSE_LOG_UNIX"] = log
    if os.path.exists(log):
        os.remove(log)

    # --- a silent first install ------------------------------------------------
    run_setup(env, setup1, "the silent install")
    target = Installed(prefix, env)
    for name in (h.EXE_NAME, "config.ini", "constMacro.dat", "Macro_EN.dat", "Macro_CN.dat", "Uninstall.exe",
                 os.path.join("skins", "main_mask.jpg")):
        check(os.path.isfile(target.path(name)), f"{name} not installed")
    link = os.path.join(target.user, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs",
                        PRODUCT + ".lnk")
    check(os.path.isfile(link), "no Start-menu entry")
    run_entry = registry(env, RUN_KEY, PRODUCT)
    check(run_entry is not None and run_entry.endswith(" /tray") and h.EXE_NAME in run_entry,
          f"run entry is {run_entry!r}, want the installed executable with /tray")
    check(registry(env, UNINSTALL_KEY, "DisplayVersion") == "1.0.0.1", "installed-programs entry without version 1.0.0.1")
    check(registry(env, UNINSTALL_KEY, "Publisher"), "installed-programs entry without a publisher")
    check((registry(env, UNINSTALL_KEY, "UninstallString") or "").endswith('Uninstall.exe"'),
          "installed-programs entry without the uninstaller")
    print("ok   silent install: per-user folder, Start-menu entry, run entry, installed-programs entry")

    # --- started as the run entry starts it --------------------------------------
    exe_windows = run_entry.rsplit(" /tray", 1)[0].strip('"')
    cfg = j.current_config(target)
    starter = in_desktop(env, exe_windows, "/tray")
    end = j.m.require_download(target, cfg, what="the start-up download of the logon start")
    def tray_icon():
        try:
            return j.tray_icon(target)
        except h.JourneyFailed:
            return None
    wait_for("the tray icon", tray_icon, 10)
    windows = h.xdotool("search", "--name", f"^{PRODUCT}$").stdout.split()
    visible = h.xdotool("search", "--onlyvisible", "--name", f"^{PRODUCT}$").stdout.split()
    check(windows, "the logon start has no main window")
    check(not visible, "the logon start showed its window")
    print("ok   logon start: downloads to the mouse, only the tray icon shows")

    # --- the user's edits -------------------------------------------------------
    # The DPI button makes the running utility save the new level into the
    # current configuration, as a person's use would.
    before_level = j.m.section(target.config(), f"Config{h.profile_value(target.config(), 'Init', 'CurConfig')}")["DPI_LEVEL"]
    target.mouse_ok("click", "dpi")
    wait_for("the DPI button's level in config.ini",
             lambda: j.current_config(target)["DPI_LEVEL"] != before_level, 10)
    with open(target.path("Macro_EN.dat"), "ab") as f:
        f.write(b"\r\n")
    user_sections = {k: v for k, v in sections(target.path("config.ini")).items() if not k.startswith("CfgReset")}
    macros = {name: read(target.path(name)) for name in ("Macro_EN.dat", "Macro_CN.dat")}
    exits_before = len(driver_exits(target))

    # --- a newer build over the running one -------------------------------------
    run_setup(env, setup2, "the silent upgrade")
    check(len(driver_exits(target)) > exits_before, "the upgrade ended the utility without the driver-exit report")
    check(read(target.path(h.EXE_NAME)) == read(exe2), "the upgrade did not replace the executable")
    after = sections(target.path("config.ini"))
    for name, content in user_sections.items():
        check(after.get(name) == content, f"the upgrade changed [{name}] of the user's config.ini")
    new_factory = sections(os.path.join(os.path.dirname(exe2), "config.ini"))
    for name, content in new_factory.items():
        if name.startswith("CfgReset"):
            check(after.get(name) == content, f"the upgrade did not bring the new [{name}]")
    for name, content in macros.items():
        check(read(target.path(name)) == content, f"the upgrade changed {name}")
    wait_for("the utility to run again after the upgrade", lambda: running(env), 20)
    j.m.require_download(target, j.current_config(target), end, "the start-up download after the upgrade")
    check(not h.xdotool("search", "--onlyvisible", "--name", f"^{PRODUCT}$").stdout.split(),
          "the restart after the upgrade showed the window")
    check(registry(env, RUN_KEY, PRODUCT) == run_entry, "the upgrade lost the run entry")
    print("ok   upgrade: utility ended and restarted, executable and factory sections new, user's files kept")

    # --- uninstall ----------------------------------------------------------------
    # The uninstaller copies itself away and returns at once; its work is done
    # when the program files are gone.
    in_desktop(env, h.windows_path(target.path("Uninstall.exe")), "/S")
    wait_for("the uninstaller to remove the executable", lambda: not os.path.exists(target.exe), 60)
    wait_for("the uninstaller to finish", lambda: registry(env, UNINSTALL_KEY, "DisplayVersion") is None, 30)
    for name in ("constMacro.dat", "Uninstall.exe", "skins", "virtual-mouse.exe"):
        check(not os.path.exists(target.path(name)), f"{name} still there after the uninstall")
    check(not os.path.exists(link), "the Start-menu entry is still there after the uninstall")
    check(registry(env, RUN_KEY, PRODUCT) is None, "the run entry is still there after the uninstall")
    # Its Wine process may take a moment to go after the Windows one has ended,
    # longer on a busy machine (more than 10 s was seen with other builds running).
    wait_for("the utility to be gone after the uninstall", lambda: not running(env), 30)
    print("ok   uninstall: program files, Start-menu entry, run entry and installed-programs entry gone")

    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(*sys.argv[1:5]))
    except h.JourneyFailed as failure:
        print(f"FAIL {failure}")
        sys.exit(1)
