"""Libraries planted beside the utility are not loaded, and it still works.

Usage: planted_test.py <virtual build's folder> <shipped folder> <planted folder> <work folder>
The planted folder holds hid.dll and gdiplus.dll (which leave "<name>.loaded"
beside themselves when loaded) and dll-probe.exe. WINEDLLOVERRIDES must
prefer native hid and gdiplus, as Windows's search order would."""

import glob
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness as h  # noqa: E402
import journeys as j  # noqa: E402
from harness import check, wait_for  # noqa: E402

PLANTED = ("hid.dll", "gdiplus.dll")


def plant(source, planted, folder):
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(source, folder)
    for name in PLANTED + ("dll-probe.exe",):
        shutil.copy(os.path.join(planted, name), folder)


def markers(folder):
    return sorted(os.path.basename(p) for p in glob.glob(os.path.join(folder, "*.loaded")))


def main(virtual, shipped, planted, work):
    env = dict(os.environ)

    # The set-up catches a program that loads them: one that loads the
    # libraries the ordinary way gets the planted copies.
    folder = os.path.join(work, "virtual")
    plant(virtual, planted, folder)
    p = h.run([h.WINE, os.path.join(folder, "dll-probe.exe"), *PLANTED], timeout=60, env=env)
    check(markers(folder) == ["gdiplus.dll.loaded", "hid.dll.loaded"],
          f"the probe did not load the planted libraries ({p.stdout.strip()}, markers {markers(folder)}): "
          "the test could not see a planted library being loaded")
    for marker in glob.glob(os.path.join(folder, "*.loaded")):
        os.remove(marker)
    print("ok   control: a program that loads libraries the ordinary way loads the planted ones")

    # The virtual build: starts, decodes its skin, downloads, shows its window.
    s = h.Session.__new__(h.Session)
    s.name, s.dir, s.window, s.processes = "planted", folder, None, []
    s.desktop = "1280x800"
    s.log_path = os.path.join(folder, "reports.log")
    s.exe = os.path.join(folder, h.EXE_NAME)
    s.client = os.path.join(folder, "virtual-mouse.exe")
    try:
        j.started(s)
        check(markers(folder) == [], f"the utility loaded planted libraries: {markers(folder)}")
        # "/exit", as the installer ends it: through the exit procedure. It
        # runs in the utility's desktop, where the installer would run.
        ender = subprocess.Popen([h.WINE, "explorer", f"/desktop={h.DESKTOP},1280x800", h.windows_path(s.exe), "/exit"],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env, cwd=folder)
        wait_for("'/exit' to end the utility", lambda: not s.windows() and not s.running(), 30)
        ender.wait(timeout=30)
        exits = [r for r in s.reports() if r.kind == "feature" and r.starts(7, 0x20, 0, 0)]
        check(exits, "'/exit' ended the utility without the driver-exit report")
    finally:
        s.stop()
    check(markers(folder) == [], f"the utility loaded planted libraries: {markers(folder)}")
    print("ok   virtual build: runs, downloads and ends through '/exit' without loading the planted libraries")

    # The shipped build looks for the real mouse through HID and the device
    # installer, finds none, and says so.
    folder = os.path.join(work, "shipped")
    plant(shipped, planted, folder)
    exe = os.path.join(folder, h.EXE_NAME)
    caption = os.path.splitext(h.EXE_NAME)[0]
    proc = subprocess.Popen([h.WINE, "explorer", f"/desktop={h.DESKTOP},1280x800", h.windows_path(exe)],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env, cwd=folder)
    try:
        box = wait_for("the no-mouse message",
                       lambda: h.xdotool("search", "--onlyvisible", "--name", f"^{caption}$").stdout.split(), 40)
        check(box, "no message")
    finally:
        h.run([h.WINESERVER, "-k"], timeout=20)
        h.run([h.WINESERVER, "-w"], timeout=30)
        proc.wait(timeout=10)
    check(markers(folder) == [], f"the shipped build loaded planted libraries: {markers(folder)}")
    print("ok   shipped build: looks for the mouse and says none is there, without loading the planted libraries")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(*sys.argv[1:5]))
    except h.JourneyFailed as failure:
        print(f"FAIL {failure}")
        sys.exit(1)
