#!/usr/bin/env python3
"""Writes the seed corpora under fuzz/corpus/<harness>/ from the edge cases.

Each seed follows the input layout of its harness (see the comment at the top
of each fuzz_*.cpp): little-endian fixed fields first, then text."""
import os
import struct
import sys

here = os.path.dirname(os.path.abspath(__file__))


def u8(v): return struct.pack("<B", v & 0xFF)
def u32(v): return struct.pack("<I", v & 0xFFFFFFFF)
def i32(v): return struct.pack("<i", v)
def real(v): return struct.pack("<d", v)
def axis(minimum, maximum, unit, resolution): return i32(minimum) + i32(maximum) + u32(unit) + u32(resolution)


INCH1000 = axis(0, 12000, 1, 1000 << 16)
INCH1000Y = axis(0, 9000, 1, 1000 << 16)
CM400 = axis(0, 20320, 2, 400 << 16)
BLANK = axis(0, 0, 0, 0)
TINY = axis(0, -1, 1, 1)
NORES = axis(0, 12000, 1, 0)


def unit_byte(unit): return u8(unit + 1)  # the harnesses read unit as byte % 5 - 1


# The built-in tablet's own settings file, as tabletcfg export writes it.
SETTINGS_FILE = (
    '; Tablet settings saved by tabletcfg. Values are in tablet counts; the\r\n'
    '; comments give them in inches. Change values, not comments;\r\n'
    '; "tabletcfg import FILE" checks the whole file and puts it back.\r\n'
    '\r\n'
    '[Tablet]\r\n'
    'Identification=Vellix PenPad 12x9\r\n'
    'Width=12000             ; 12"\r\n'
    'Height=9000             ; 9"\r\n'
    '\r\n'
    '[Tracking]\r\n'
    'Mode=Absolute           ; Absolute or Relative\r\n'
    'Sensitivity=32768       ; 100% (1% to 100%: 327 to 32768)\r\n'
    'AreaLeft=0              ; 0"\r\n'
    'AreaTop=0               ; 0"\r\n'
    'AreaRight=12000         ; 12"\r\n'
    'AreaBottom=9000         ; 9"\r\n'
    '\r\n'
    '[Cursors]\r\n'
    'Enabled=0               ; Pen\r\n'
    '\r\n'
    '[Preferences]\r\n'
    'Units=Inches            ; Inches or Centimeters\r\n'
    '\r\n'
    '[Cursor 0]\r\n'
    'Name=Pen\r\n'
    'Button0=1               ; Tip: Left Click\r\n'
    'Button1=4               ; Lower Barrel: Right Click\r\n'
    'Button2=2               ; Upper Barrel: Left Double Click\r\n'
    '\r\n'
    '[Cursor 1]\r\n'
    'Name=Puck\r\n'
    'Button0=1               ; Left: Left Click\r\n'
    'Button1=7               ; Middle: Middle Click\r\n'
    'Button2=4               ; Right: Right Click\r\n'
    'Button3=2               ; Lower: Left Double Click\r\n'
).encode()


seeds = {
    "fuzz_measure_parse": {
        "cm_blank_suffix": unit_byte(1) + u8(0) + CM400 + u32(7) + b"2.5 cm",
        "cm_attached": unit_byte(1) + u8(0) + CM400 + u32(7) + b"2.5cm",
        "cm_spread": unit_byte(1) + u8(0) + CM400 + u32(7) + b"2 . 5",
        "e_minus": unit_byte(1) + u8(0) + CM400 + u32(7) + b"1e-1",
        "capital_e": unit_byte(1) + u8(0) + CM400 + u32(7) + b"1E-1",
        "signs": unit_byte(1) + u8(1) + CM400 + u32(7) + b"-1+1",
        "two_points": unit_byte(0) + u8(0) + INCH1000 + u32(7) + b"1.2.3",
        "comma": unit_byte(1) + u8(0) + CM400 + u32(7) + b"2,5",
        "other_unit": unit_byte(1) + u8(0) + CM400 + u32(7) + b"2.5 in",
        "inch_mark": unit_byte(0) + u8(0) + INCH1000 + u32(7) + b'2.5"',
        "beyond_extent": unit_byte(0) + u8(0) + INCH1000 + u32(7) + b"12.01",
        "resolution_unbounded": unit_byte(0) + u8(2) + INCH1000 + u32(1) + b"99999999 dpi",
        "resolution_dpcm": unit_byte(1) + u8(3) + INCH1000 + u32(1) + b"393.7dpcm",
        "no_resolution": unit_byte(0) + u8(0) + NORES + u32(7) + b"1",
        "blank_axis": unit_byte(2) + u8(1) + BLANK + u32(7) + b"5",
        "tiny_resolution": unit_byte(0) + u8(2) + TINY + u32(7) + b"1e-5",
        "counts_32bit": unit_byte(2) + u8(2) + INCH1000 + u32(7) + b"4294967296",
        "many_digits": unit_byte(2) + u8(2) + INCH1000 + u32(7) + b"9" * 400,
        "blanks_only": unit_byte(0) + u8(0) + INCH1000 + u32(500) + b" \t ",
        "suffix_only": unit_byte(1) + u8(0) + CM400 + u32(500) + b" cm",
        "e_chain": unit_byte(1) + u8(0) + CM400 + u32(7) + b"1e-e-.e-",
        "empty": unit_byte(0) + u8(0) + INCH1000 + u32(7),
        "bad_unit": unit_byte(3) + u8(2) + CM400 + u32(7) + b"12",
    },
    "fuzz_measure_format": {
        "inch_axis": unit_byte(0) + u8(0) + INCH1000 + u32(12000) + u32(2999) + u32(12700) + u32(4) + u32(5),
        "inch_axis_cm": unit_byte(1) + u8(0) + INCH1000 + u32(12000) + u32(6000) + u32(0),
        "inch_resolution_cm": unit_byte(1) + u8(2) + INCH1000 + u32(1) + u32(7),
        "cm_axis_inches": unit_byte(0) + u8(0) + CM400 + u32(20320),
        "cm_resolution_dpi": unit_byte(0) + u8(2) + CM400 + u32(1),
        "counts_resolution": unit_byte(2) + u8(3) + INCH1000 + u32(1),
        "counts_large": unit_byte(2) + u8(0) + INCH1000 + u32(2147483647) + u32(2147483648) + u32(0xFFFFFFFF),
        "tiny": unit_byte(0) + u8(0) + TINY + u32(0xFFFFFFFF) + u32(1),
        "no_resolution": unit_byte(1) + u8(2) + NORES + u32(5),
        "blank": unit_byte(1) + u8(1) + BLANK + u32(500),
        "huge_resolution": unit_byte(0) + u8(2) + axis(0, 1, 2, 0xFFFFFFFF) + u32(0xFFFFFFFF),
    },
    "fuzz_sensitivity": {},
    "fuzz_device_name": {},
    "fuzz_area": {},
}


def sens(res, cm, sensitivity, before, text, out_size=8):
    return u32(res) + u8(cm) + u32(sensitivity) + u8(1) + u32(before) + u8(out_size - 1) + text


seeds["fuzz_sensitivity"] = {
    "inch1000_half": sens(1000 << 16, 0, 0x8000, 40, b"75%"),
    "inch200_one": sens(200 << 16, 0, 0x10000, 40, b"150"),
    "cm400": sens(400 << 16, 1, 0x64C9, 40, b"0"),
    "letters": sens(1000 << 16, 0, 0x4000, 40, b"7x"),
    "sign": sens(1000 << 16, 0, 0x4000, 40, b"-5"),
    "point": sens(1000 << 16, 0, 0x4000, 40, b"7.5"),
    "blank": sens(1000 << 16, 0, 0x4000, 40, b" 75"),
    "empty": sens(1000 << 16, 0, 0x4000, 40, b""),
    "percent_only": sens(1000 << 16, 0, 0x4000, 40, b"%"),
    "long_digits": sens(1000 << 16, 0, 0x4000, 40, b"9" * 40),
    "base_zero": sens(0x8000, 0, 0xFFFFFFFF, 40, b"100"),
    "no_resolution": sens(0, 1, 0x10000, 40, b"1"),
    "coarse_far_above": sens(10 << 16, 0, 0x11EB9000, 40, b"100%"),
    "small_buffer": sens(1000 << 16, 0, 0x8000, 40, b"100", out_size=2),
}


def name(text, out_size=200, split=255):
    return u8(out_size - 1) + u8(split) + text


seeds["fuzz_device_name"] = {
    "format": name(b"Model A;Format: Wide;rest"),
    "format_lower": name(b"Model A;format: narrow\r\n"),
    "format_in_first": name(b"Model Format: Wide;other"),
    "format_nothing": name(b"Model A;Format: "),
    "format_run": name(b"Model A;Format: ;;Wide;x"),
    "version": name(b"Vellix Tablet Version 2.1; Format: Wide"),
    "version_colon": name(b"driver version: 3.0"),
    "version_run_on": name(b"Version2.1 build 7"),
    "version_nothing": name(b"Version \t;,"),
    "template": name(b"Pad;x%s format", split=4),
    "template_percent": name(b"Pad50% of %s and %s", split=3),
    "selection": name(b"Vellix Pad Apad", split=12),
    "small_buffer": name(b"Model A;Format: Wide", out_size=2),
    "long": name(b"Version " + b"9" * 300 + b";Format: " + b"W" * 300, out_size=200),
}


def area(W, H, x, y, vert, horz, ay, ax, flags, box, start, ops):
    return (u32(W) + u32(H) + x + y + i32(vert) + i32(horz) + i32(ay) + i32(ax) + u8(flags) +
            b"".join(i32(v) for v in box) + b"".join(u32(v) for v in start) + ops)


def op(kind, field=0, preserve=False, up=False):
    return u8(kind | (field << 3) | (0x80 if preserve else 0) | (0x40 if up else 0))


BOX = (10, 20, 200, 200)
seeds["fuzz_area"] = {
    "display_4x3": area(12000, 9000, INCH1000, INCH1000Y, 240, 320, 1, 1, 0, BOX,
                        (0, 10000, 0, 5000), op(2) + op(0, 0, True) + u32(15000) + op(0, 2) + u32(10000)),
    "rounding": area(9000, 9001, axis(0, 9000, 1, 1000 << 16), axis(0, 9001, 1, 1000 << 16), 200, 100, 1, 1, 0,
                     BOX, (0, 100, 0, 100), op(0, 0, True) + u32(4501) + op(2)),
    "unequal_resolution": area(10000, 1000, axis(0, 10000, 1, 1000 << 16), axis(0, 1000, 1, 100 << 16),
                               240, 320, 1, 1, 0, BOX, (0, 1000, 0, 100), op(0, 0, True) + u32(10000) + op(2)),
    "accept_left_kept": area(12000, 9000, INCH1000, INCH1000Y, 240, 320, 1, 1, 0, BOX,
                             (6000, 6000, 0, 9000), op(3, 0, True) + u32(6000) + u32(2000) + u32(0) + u32(6000)),
    "empty_tablet": area(0, 9000, INCH1000, INCH1000Y, 240, 320, 1, 1, 0, BOX,
                         (0, 0, 0, 0), op(0, 0, True) + u32(5) + op(2) + op(4, 1, True, True)),
    "no_display": area(12000, 9000, INCH1000, INCH1000Y, 0, 0, 0, 0, 0, BOX,
                       (0, 100, 0, 100), op(0, 1, True) + u32(20000) + op(2)),
    "low_resolution_spin": area(120, 90, axis(0, 120, 1, 10 << 16), axis(0, 90, 1, 10 << 16), 240, 320, 1, 1, 0,
                                BOX, (5, 50, 5, 50), op(4, 2, False, True) + op(4, 4, True, False)),
    # Flags 3: hand-made limits follow the display figures (aspect, maxima).
    "hand_made_limits": (u32(12000) + u32(9000) + INCH1000 + INCH1000Y + i32(240) + i32(320) + i32(1) + i32(1) +
                         u8(3) + real(1e-300) + u32(0xFFFFFFFF) + u32(0xFFFFFFFF) +
                         b"".join(i32(v) for v in BOX) + b"".join(u32(v) for v in (0, 6000, 0, 4500)) +
                         op(0, 0, True) + u32(7000) + op(2) + op(0, 1, True) + u32(9000)),
    "huge_tablet": area(0xFFFFFFFF, 0xFFFFFFFF, axis(0, -1, 1, 1), axis(0, -1, 2, 1), 1, 0x7FFFFFFF, 1, 1, 0,
                        (0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), (1, 0xFFFFFFF0, 1, 0xFFFFFFF0),
                        op(0, 0, True) + u32(0xFFFFFFFF) + op(2) + op(5, 3, True) + u32(0x80000000) * 5),
}


seeds["fuzz_settings_file"] = {
    "builtin": u8(0) + SETTINGS_FILE,
    "pen_option": u8(1) + SETTINGS_FILE.replace(b"Button0=1 ", b"Button0=0x74").replace(b"Button1=7 ", b"Button1=0 "),
    "centimetres": u8(2) + SETTINGS_FILE.replace(b"Sensitivity=32768", b"Sensitivity=25801").replace(b"Units=Inches", b"Units=Centimeters"),
    "one_cursor": u8(4) + SETTINGS_FILE.split(b"[Cursor 1]")[0],
    "lf_only": u8(0) + SETTINGS_FILE.replace(b"\r\n", b"\n"),
    "duplicate": u8(0) + SETTINGS_FILE.replace(b"AreaTop=0", b"AreaLeft=0"),
    "off_tablet": u8(0) + SETTINGS_FILE.replace(b"AreaRight=12000", b"AreaRight=12001"),
    "cut": u8(0) + SETTINGS_FILE[:200],
    "unicode_le": u8(0) + b"\xff\xfe" + ("; \u201cKept\u201d \u20ac\r\n" + SETTINGS_FILE.decode()).encode("utf-16-le"),
    "utf8": u8(0) + ("; \u201cKept\u201d \u20ac\u20bd\r\n" + SETTINGS_FILE.decode()).encode("utf-8"),
    "no_cursor_enabled": u8(0) + SETTINGS_FILE.replace(b"Enabled=0 ", b"Enabled=  "),
}


def main():
    for harness, cases in seeds.items():
        folder = os.path.join(here, "corpus", harness)
        os.makedirs(folder, exist_ok=True)
        for seed_name, content in cases.items():
            with open(os.path.join(folder, seed_name), "wb") as f:
                f.write(content)
    return 0


if __name__ == "__main__":
    sys.exit(main())
