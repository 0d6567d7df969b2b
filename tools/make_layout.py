#!/usr/bin/env python3
"""Writes data/layouts/norvik_q700.xml, the layout of the Norvik Q700-RGB.

The key rectangles come from keyboard-keyrects.csv (the keyboard picture's key
positions); codes, labels, light positions and grid cells from the table below.
Run it after changing either and commit the result:

    tools/make_layout.py > data/layouts/norvik_q700.xml
"""
import csv
import os
import sys
from xml.sax.saxutils import quoteattr

HERE = os.path.dirname(os.path.abspath(__file__))

# CSV name: (Windows virtual-key code, label drawn, description, grid column).
# The row is the picture row the key stands in. Columns: main block 0-13,
# navigation block 14-16, numeric pad 17-20.
KEYS = {
    "Esc": (0x1B, "Esc", "Escape", 0),
    **{f"F{n}": (0x6F + n, f"F{n}", f"F{n}", n + 1) for n in range(1, 13)},
    "PrtSc": (0x2C, "PrtSc", "Print Screen", 14),
    "ScrLk": (0x91, "ScrLk", "Scroll Lock", 15),
    "Pause": (0x13, "Pause", "Pause", 16),
    "Grave": (0xC0, "`", "Grave accent", 0),
    **{str(n): (0x30 + n, str(n), str(n), n) for n in range(1, 10)},
    "0": (0x30, "0", "0", 10),
    "Minus": (0xBD, "-", "Minus", 11),
    "Equal": (0xBB, "=", "Equals", 12),
    "Backspace": (0x08, "Backspace", "Backspace", 13),
    "Tab": (0x09, "Tab", "Tab", 0),
    **{c: (ord(c), c, c, i + 1) for i, c in enumerate("QWERTYUIOP")},
    "LBracket": (0xDB, "[", "Left bracket", 11),
    "RBracket": (0xDD, "]", "Right bracket", 12),
    "Backslash": (0xDC, "\\", "Backslash", 13),
    "CapsLock": (0x14, "Caps Lock", "Caps Lock", 0),
    **{c: (ord(c), c, c, i + 1) for i, c in enumerate("ASDFGHJKL")},
    "Semicolon": (0xBA, ";", "Semicolon", 10),
    "Quote": (0xDE, "'", "Apostrophe", 11),
    "Enter": (0x0D, "Enter", "Enter", 13),
    "LShift": (0xA0, "Shift", "Left Shift", 0),
    **{c: (ord(c), c, c, i + 1) for i, c in enumerate("ZXCVBNM")},
    "Comma": (0xBC, ",", "Comma", 8),
    "Period": (0xBE, ".", "Period", 9),
    "Slash": (0xBF, "/", "Slash", 10),
    "RShift": (0xA1, "Shift", "Right Shift", 12),
    "LCtrl": (0xA2, "Ctrl", "Left Ctrl", 0),
    "LWin": (0x5B, "Win", "Left Windows", 1),
    "LAlt": (0xA4, "Alt", "Left Alt", 2),
    "Space": (0x20, "Space", "Space", 6),
    "RAlt": (0xA5, "Alt", "Right Alt", 10),
    "RWin": (0x5C, "Win", "Right Windows", 11),
    "Menu": (0x5D, "Menu", "Application menu", 12),
    "RCtrl": (0xA3, "Ctrl", "Right Ctrl", 13),
    "Insert": (0x2D, "Ins", "Insert", 14),
    "Home": (0x24, "Home", "Home", 15),
    "PgUp": (0x21, "PgUp", "Page Up", 16),
    "Delete": (0x2E, "Del", "Delete", 14),
    "End": (0x23, "End", "End", 15),
    "PgDn": (0x22, "PgDn", "Page Down", 16),
    "Up": (0x26, "\u2191", "Up arrow", 15),
    "Left": (0x25, "\u2190", "Left arrow", 14),
    "Down": (0x28, "\u2193", "Down arrow", 15),
    "Right": (0x27, "\u2192", "Right arrow", 16),
    "NumLock": (0x90, "Num", "Num Lock", 17),
    "NumSlash": (0x6F, "/", "Numeric pad /", 18),
    "NumStar": (0x6A, "*", "Numeric pad *", 19),
    "NumMinus": (0x6D, "-", "Numeric pad -", 20),
    "Num7": (0x67, "7", "Numeric pad 7", 17),
    "Num8": (0x68, "8", "Numeric pad 8", 18),
    "Num9": (0x69, "9", "Numeric pad 9", 19),
    "NumPlus": (0x6B, "+", "Numeric pad +", 20),
    "Num4": (0x64, "4", "Numeric pad 4", 17),
    "Num5": (0x65, "5", "Numeric pad 5", 18),
    "Num6": (0x66, "6", "Numeric pad 6", 19),
    "Num1": (0x61, "1", "Numeric pad 1", 17),
    "Num2": (0x62, "2", "Numeric pad 2", 18),
    "Num3": (0x63, "3", "Numeric pad 3", 19),
    # The numeric-pad Enter has no code of its own; the program gives it 0x6C.
    "NumEnter": (0x6C, "Enter", "Numeric pad Enter", 20),
    "Num0": (0x60, "0", "Numeric pad 0", 17),
    "NumDot": (0x6E, ".", "Numeric pad .", 19),
}

# Picture rows by the top edge of their keys (tall keys start in the upper row).
ROW_TOPS = [18, 74, 113, 152, 191, 230]
# The firmware counts light positions row by row, left to right, and keeps a
# position after these keys for the ISO keys this ANSI board does not have.
ISO_GAP_AFTER = {"Quote", "LShift"}

LIGHT_MODES = [
    # (language text number of the name, mode number, attribute, what it does)
    (403, 1, 0x0047, "Wave: brightness, speed, left/right, palette 1"),
    (401, 2, 0x0043, "Breathing: brightness, speed, palette 1"),
    (402, 3, 0x0003, "Spectrum cycle: brightness, speed"),
    (400, 4, 0x0011, "Static: brightness, free RGB colour"),
    (405, 5, 0x00C3, "Reactive: brightness, speed, key colour (palette 1) on a background (palette 2)"),
    (404, 6, 0x1003, "Ripple: brightness, speed, palette 3"),
    (407, 7, 0x004B, "Raindrops: brightness, speed, up/down, palette 1"),
    (406, 8, 0x0023, "Starlight: brightness, speed, one colour"),
    (413, 9, 0x0801, "Colour zones: brightness, six zones"),
    (410, 10, 0x0101, "Custom: brightness, per-key colours in three slots"),
    (411, 11, 0x0200, "Music: the keyboard follows the music level (wired only)"),
    (412, 12, 0x0400, "Screen sync: the keys follow the screen's colours"),
]


def read_rects():
    with open(os.path.join(HERE, "keyboard-keyrects.csv"), newline="") as f:
        return [(r["key"], *(int(r[k]) for k in "xywh")) for r in csv.DictReader(f)]


def keys_in_light_order(rects):
    rows = {top: [] for top in ROW_TOPS}
    for rect in rects:
        rows[rect[2]].append(rect)
    ordered = []
    for row, top in enumerate(ROW_TOPS):
        for rect in sorted(rows[top], key=lambda r: r[1]):
            ordered.append((row, rect))
    return ordered


def main():
    out = sys.stdout
    out.write('<?xml version="1.0" encoding="UTF-8"?>\n')
    out.write(HEADER)
    rects = read_rects()
    assert len(rects) == 104 and set(r[0] for r in rects) == set(KEYS), "CSV and key table differ"
    out.write(LIGHT_HEAD)
    for name, mode, attribute, what in LIGHT_MODES:
        out.write(f'    <!-- {what} -->\n')
        out.write(f'    <info name="{name}" mode="{mode}" attribute="{attribute}"/>\n')
    out.write(KEYBOARD_HEAD)
    position = 0
    for row, (key, x, y, w, h) in keys_in_light_order(rects):
        code, label, desc, column = KEYS[key]
        out.write(f'      <key code="0x{code:02X}" name={quoteattr(label)} desc={quoteattr(desc)}'
                  f' key_index="{position}" row_col="{row},{column}" rect="{x}#{y}#{w}#{h}"/>\n')
        position += 2 if key in ISO_GAP_AFTER else 1
    assert position <= 110
    out.write(TAIL)


HEADER = """\
<!--
  Layout of the Norvik Q700-RGB, a full-size 104-key ANSI keyboard: which pages
  the program shows for it, its firmware package, its light modes and their
  defaults, and its keyboard picture with every key.

  Written by tools/make_layout.py from the key table there and the picture's key
  rectangles; change those and run it again rather than editing the keys here.

  Read with a forward-only cursor: the elements of each level are looked up in
  the order below, so keep it. A missing element is skipped and its part of the
  program keeps what it had. Numbers read leniently (leading digits; empty is 0).
-->
<device.info>
  <!-- Pages shown besides the key page: "1" shows the macro page, the light page. -->
  <menu macro="1" light_mode="1"/>
  <!-- sleep_time "1": the keyboard has a sleep timer (carried, not yet used). -->
  <function sleep_time="1"/>
  <!--
    The firmware package offered on the settings page: the update button shows
    when version and file are both given. url is the base address the firmware
    "version" and package are fetched from.
  -->
  <firmware version="103" file="FirmwareUpdateTool-103.zip" url="https://update.tessaro.example/firmware/q700/"/>
"""

LIGHT_HEAD = """\
  <!--
    Light defaults and the built-in light modes.
      rgb_keyboard        "1": per-key RGB lighting (chooses the music layer's default effect)
      default_mode        mode made active for a new profile
      default_brightness  brightness of new light settings, 0 to brightness_max
      default_speed       speed of new light settings, 0 to speed_max
      brightness_max, speed_max  maxima of the light page's sliders
    Each info is one mode, in the order of the light page's list:
      name       decimal number of the mode name's language text (section KB.DIALOG)
      mode       the firmware's mode number
      attribute  decimal bit set of the settings the light page offers:
                 0x0001 brightness  0x0002 speed  0x0004 direction left/right
                 0x0008 direction up/down  0x0010 free RGB colour  0x0020 one colour
                 0x0040 palette 1  0x0080 palette 2 (black first)  0x1000 palette 3
                 0x0100 per-key colours  0x0200 music (attribute exactly 512 is
                 hidden while the keyboard is wireless)  0x0400 screen sync
                 0x0800 colour areas
  -->
  <light rgb_keyboard="1" default_mode="1" default_brightness="4" default_speed="3" brightness_max="4" speed_max="4">
"""

KEYBOARD_HEAD = """\
  </light>
  <!--
    The keyboard picture: its rectangle on the key and light pages (xpos, ypos,
    width, height in pixels), its image below the skin's keyboard/ folder, and
    the size of the key grid the light effects colour (at most 8 rows, 32 columns).
  -->
  <Keyboard xpos="232" ypos="62" width="935" height="287" image="norvik_q700.png" row_count="6" col_count="21">
    <KeyItems>
      <!--
        One key each:
          code       Windows virtual-key code, hexadecimal: how the key is stored,
                     assigned and exchanged
          name       label drawn on the key where there is no picture; desc its tip title
          key_index  light position, 0 to 109: where the key's colour goes in the
                     keyboard's per-key colour data
          row_col    cell in the light effects' grid: row digit, comma, column
          rect       left#top#width#height in picture pixels
          icon       optional image drawn on the key
      -->
"""

TAIL = """\
    </KeyItems>
  </Keyboard>
</device.info>
"""

if __name__ == "__main__":
    main()
