#!/usr/bin/python3
"""The journeys judge the utility by model.py; this checks the model itself
against the factory download as the mouse's documentation lists it byte by
byte, and the log reader against log lines, before any journey runs."""

import sys
import os

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness as h  # noqa: E402
import model as m  # noqa: E402

FACTORY_DOWNLOAD = """10 01 01|10 03 03|10 02 02|10 04 04|10 05 05|10 06 06|11 00 00|09 40 48 0F|09 40 69 0F
09 40 7A 0F|09 40 BB 0F|13 7F 10|12 00 06 00 00 00 00"""


def main():
    problems = []
    want = [tuple([7] + [int(b, 16) for b in r.split()]) for r in FACTORY_DOWNLOAD.replace("\n", "|").split("|")]
    got = m.download_reports(dict(m.DEFAULTS, MACRO_MODE2=0))
    if got != want:
        problems.append(f"factory download modelled as {got}")
    # Level 1 of DPI_LEVEL 2 at step 5 with levels 0, 1 and 3 enabled: 42 69 0B.
    cfg = dict(m.DEFAULTS, DPI_LEVEL=2, DPI_SET1=5, DPI_SET_EN2=0, MACRO_MODE2=0)
    if m.download_reports(cfg)[8] != (7, 0x09, 0x42, 0x69, 0x0B):
        problems.append(f"DPI level entry modelled as {m.download_reports(cfg)[8]}")
    if m.download_reports(dict(cfg, FIRE_TIME=7))[-1][2:4] != (0, 0):
        problems.append("fire time 7 should send 00 00")

    log = "1.000 feature 07 10 01 01 00 00 00 00\n2.5 input 06 F1 00 00\nnoise\n3.250 feature 07 11 00 00 00 00 00 00 taken\n"
    reports = h.parse_log(log)
    if [r.kind for r in reports] != ["feature", "input", "feature"] or reports[2].data[:3] != [7, 0x11, 0] \
            or reports[2].rest != "taken":
        problems.append(f"log read as {reports}")
    if h.find_sequence(reports, [(7, 0x10), (7, 0x11)]) != 3 or h.find_sequence(reports, [(7, 0x11), (7, 0x10)]):
        problems.append("report sequences found wrongly")

    for p in problems:
        print("model check:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
