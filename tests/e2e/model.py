"""What the mouse and the files should hold for a configuration: the reports a
download sends and the firmware state they leave, computed from the stored
keys, and the macro file's records decoded."""

from harness import check, profile_value

BUTTON_CODES = (1, 3, 2, 4, 5, 6)
SENSOR_CODES = (1, 2, 3, 4, 5, 6, 7, 9, 11, 13, 14, 15)
LED_BYTES = {0: 0, 1: 3, 2: 6, 3: 7}
POINTER_SPEEDS = (1, 2, 4, 6, 8, 10, 12, 14, 16, 18)
CONSUMER_USAGES = {21: 0x0223, 22: 0x0183, 23: 0x018A, 24: 0x00E9, 25: 0x00EA,
                   26: 0x00B6, 27: 0x00B5, 28: 0x00E2, 29: 0x00CD, 30: 0x0192}
CONFIG_KEYS = ([f"K{s}" for s in range(6)] + ["DPI_LEVEL", "WHEEL_STATUS", "MACRO_MODE2"]
               + [k for j in range(4) for k in (f"DPI_SET{j}", f"DPI_SET_EN{j}")]
               + ["LED_STATUS", "DPI_SPEED", "WHEEL_SPEED", "USB_SPEED", "FIRE_TIME"])

DEFAULTS = dict(K0=1, K1=3, K2=2, K3=4, K4=5, K5=6, DPI_LEVEL=0, WHEEL_STATUS=0,
                DPI_SET0=3, DPI_SET_EN0=1, DPI_SET1=5, DPI_SET_EN1=1, DPI_SET2=6, DPI_SET_EN2=1,
                DPI_SET3=8, DPI_SET_EN3=1, LED_STATUS=0, DPI_SPEED=4, WHEEL_SPEED=2, USB_SPEED=2,
                FIRE_TIME=50)


def section(profile, name):
    """The configuration keys of one section as numbers (missing keys as 0)."""
    values = {}
    for key in CONFIG_KEYS:
        text = profile_value(profile, name, key, "") or ""
        digits = text.strip()
        sign = -1 if digits.startswith("-") else 1
        digits = digits.lstrip("+-")
        n = ""
        for c in digits:
            if not c.isdigit():
                break
            n += c
        values[key] = sign * int(n) if n else 0
    return values


def device_function(code):
    if code < 0:
        return code & 0xFF
    table = {6: 6, 15: 11, 16: 12, 11: 7, 12: 8, 13: 9, 14: 10, 17: 13}
    if code in table:
        return table[code]
    return code if code <= 5 else 0


def sensor(step):
    return SENSOR_CODES[step] if 0 <= step < len(SENSOR_CODES) else None


def download_reports(cfg):
    """Prefixes of the feature reports one download sends, in order (only the
    bytes each command writes)."""
    reports = [(7, 0x10, BUTTON_CODES[s], device_function(cfg[f"K{s}"])) for s in range(6)]
    reports.append((7, 0x11, cfg["WHEEL_STATUS"] & 0xFF, 0))
    mask = sum(1 << j for j in range(4) if cfg[f"DPI_SET_EN{j}"])
    for j in range(4):
        reports.append((7, 0x09, 0x40 + cfg["DPI_LEVEL"], 16 * sensor(cfg[f"DPI_SET{j}"]) + 8 + j, mask))
    reports.append((7, 0x13, 0x7F, 0x10 + LED_BYTES[cfg["LED_STATUS"]]))
    q = cfg["FIRE_TIME"] // 8
    reports.append((7, 0x12, (q >> 8) & 0xFF, q & 0xFF, 0, 0, 0, 0))
    return reports


def expected_state(cfg):
    """The firmware state keys a download of cfg leaves behind."""
    state = {f"button_function_{BUTTON_CODES[s]}": str(device_function(cfg[f"K{s}"])) for s in range(6)}
    for j in range(4):
        state[f"sensor_code_{j}"] = str(sensor(cfg[f"DPI_SET{j}"]))
    state["enabled_mask"] = str(sum(1 << j for j in range(4) if cfg[f"DPI_SET_EN{j}"]))
    state["current_level"] = str(cfg["DPI_LEVEL"])
    state["wheel"] = str(cfg["WHEEL_STATUS"])
    state["led_mode"] = str(LED_BYTES[cfg["LED_STATUS"]])
    state["fire_units"] = str(cfg["FIRE_TIME"] // 8)
    return state


def state_differences(state, expected):
    return [f"{k}={state.get(k)!r} (want {v})" for k, v in expected.items() if state.get(k) != v]


def config_differences(actual, expected):
    return [f"{k}={actual.get(k)} (want {v})" for k, v in expected.items() if actual.get(k) != v]


# --- macro files -------------------------------------------------------------

def macros(profile):
    """[(name, repeatMode, repeatCount, [(vk, action, delay)...])] of a macro file."""
    count_text = (profile_value(profile, "Macros", "macroNum", "") or "")[:2]
    count = int(count_text) if count_text.strip().isdigit() else 0
    result = []
    for i in range(count):
        record = profile_value(profile, "Macros", str(i), "") or ""
        fields = [int(record[3 * f:3 * f + 3] or 0) & 0xFF if record[3 * f:3 * f + 3].isdigit() else 0
                  for f in range(1064)]
        units = [fields[2 * u] | (fields[2 * u + 1] << 8) for u in range(20)]
        name = ""
        for u in units:
            if u == 0:
                break
            name += chr(u)
        events = [(fields[44 + 4 * k], fields[45 + 4 * k], fields[46 + 4 * k] | (fields[47 + 4 * k] << 8))
                  for k in range(fields[43])]
        result.append((name, fields[40], fields[41] | (fields[42] << 8), events))
    return result


def require_download(session, cfg, start=0, what="the download"):
    """Waits until the report log holds the download of cfg after index start;
    returns the index after it."""
    from harness import wait_for
    expected = download_reports(cfg)

    def found():
        return _find(session.reports(), expected, start)

    try:
        return wait_for(what, found, timeout=15)
    except Exception:
        reports = [r for r in session.reports()[start:] if r.kind == "feature"]
        seen = "; ".join(" ".join(f"{b:02X}" for b in r.data[1:5]) for r in reports[:16]) or "no feature report"
        check(False, f"{what} did not reach the mouse as expected; log after it: {seen}")


def _find(reports, expected, start):
    from harness import find_sequence
    return find_sequence(reports, expected, start)
