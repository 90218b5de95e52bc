#!/usr/bin/env python3
"""Draws the editor's images.

Every picture is written as an SVG source into src/resources/images/svg/ and
rendered to the PNG that the program embeds (src/resources/images/<name>.png);
the desktop icon also at the sizes the install puts in the icon theme
(src/resources/images/desktop/).
Lettering uses the small stroke font below, so the result does not depend on
the fonts of the machine.

Needs Python 3 and rsvg-convert (Debian package librsvg2-bin). Run it from
anywhere after changing a drawing, then commit the SVG and PNG files:

    python3 tools/make_images.py            # write SVG sources and PNGs
    python3 tools/make_images.py --svg-only # write SVG sources only
    python3 tools/make_images.py --list     # print the qrc <file> entries
"""

import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES_DIR = os.path.join(ROOT, "src", "resources")
IMG_DIR = os.path.join(RES_DIR, "images")
SVG_DIR = os.path.join(IMG_DIR, "svg")

# Palette: a dark grey body with a blue accent.
INK_DARK = "#2c3642"      # lines on light backgrounds
INK_LIGHT = "#e4eaf0"     # lines on dark backgrounds
BLUE = "#1e88e5"
BLUE_BRIGHT = "#42a5f5"
BODY = "#262d35"
BODY_EDGE = "#46515e"
RIM = "#3b4450"
WHITE = "#ffffff"

# ---------------------------------------------------------------------------
# Stroke font: glyphs on a 4 x 6 grid (y grows downwards), each a list of
# polylines. A one-point polyline is a dot.
GLYPHS = {
    "0": [[(1, 0), (3, 0), (4, 1), (4, 5), (3, 6), (1, 6), (0, 5), (0, 1), (1, 0)]],
    "1": [[(1, 1.2), (2.2, 0), (2.2, 6)], [(1, 6), (3.4, 6)]],
    "2": [[(0, 1), (1, 0), (3, 0), (4, 1), (4, 2.2), (0, 6), (4, 6)]],
    "3": [[(0, 0), (4, 0), (1.8, 2.5), (3, 2.5), (4, 3.5), (4, 5), (3, 6), (1, 6), (0, 5)]],
    "4": [[(3, 6), (3, 0), (0, 4.2), (4, 4.2)]],
    "5": [[(4, 0), (0.3, 0), (0, 2.6), (3, 2.6), (4, 3.6), (4, 5), (3, 6), (1, 6), (0, 5)]],
    "6": [[(3.6, 0), (2, 0), (0, 2.4), (0, 5), (1, 6), (3, 6), (4, 5), (4, 3.6), (3, 2.6),
           (1, 2.6), (0, 3.4)]],
    "7": [[(0, 0), (4, 0), (1.4, 6)]],
    "8": [[(1, 0), (3, 0), (3.8, 0.8), (3.8, 2.2), (3, 3), (1, 3), (0.2, 2.2), (0.2, 0.8), (1, 0)],
          [(1, 3), (3, 3), (4, 4), (4, 5), (3, 6), (1, 6), (0, 5), (0, 4), (1, 3)]],
    "9": [[(0.4, 6), (2, 6), (4, 3.6), (4, 1), (3, 0), (1, 0), (0, 1), (0, 2.4), (1, 3.4),
           (3, 3.4), (4, 2.6)]],
    "A": [[(0, 6), (2, 0), (4, 6)], [(0.7, 4), (3.3, 4)]],
    "B": [[(0, 3), (3, 3), (4, 4), (4, 5), (3, 6), (0, 6), (0, 0), (2.8, 0), (3.7, 0.8),
           (3.7, 2.2), (3, 3)]],
    "D": [[(0, 0), (0, 6), (2.4, 6), (4, 4.4), (4, 1.6), (2.4, 0), (0, 0)]],
    "F": [[(4, 0), (0, 0), (0, 6)], [(0, 3), (3, 3)]],
    "G": [[(4, 1), (3, 0), (1, 0), (0, 1), (0, 5), (1, 6), (3, 6), (4, 5), (4, 3.4), (2.4, 3.4)]],
    "I": [[(2, 0), (2, 6)], [(1, 0), (3, 0)], [(1, 6), (3, 6)]],
    "N": [[(0, 6), (0, 0), (4, 6), (4, 0)]],
    "O": [[(1, 0), (3, 0), (4, 1), (4, 5), (3, 6), (1, 6), (0, 5), (0, 1), (1, 0)]],
    "P": [[(0, 6), (0, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3)]],
    "R": [[(0, 6), (0, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3)], [(2, 3), (4, 6)]],
    "S": [[(4, 1), (3, 0), (1, 0), (0, 1), (0, 2), (1, 3), (3, 3), (4, 4), (4, 5), (3, 6), (1, 6),
           (0, 5)]],
    "T": [[(0, 0), (4, 0)], [(2, 0), (2, 6)]],
    "Z": [[(0, 0), (4, 0), (0, 6), (4, 6)]],
    ".": [[(0.5, 6)]],
    " ": [],
}
ADVANCE = {".": 1.0, " ": 2.6}
GAP = 1.6


def _fmt(v):
    s = ("%.2f" % v).rstrip("0").rstrip(".")
    return "0" if s in ("", "-0") else s


def text_width(s, h):
    k = h / 6.0
    total = 0.0
    for i, ch in enumerate(s):
        total += ADVANCE.get(ch, 4.0)
        if i + 1 < len(s):
            total += GAP
    return total * k


def text(s, x, y, h, color, weight=None, anchor="start"):
    """Lettering of cap height h with its top at y; anchor start, middle or end."""
    k = h / 6.0
    w = weight if weight is not None else max(1.0, h * 0.17)
    if anchor == "middle":
        x -= text_width(s, h) / 2.0
    elif anchor == "end":
        x -= text_width(s, h)
    parts = []
    cx = x
    for ch in s:
        for line in GLYPHS[ch]:
            if len(line) == 1:
                px, py = line[0]
                parts.append("M%s %sh0.01" % (_fmt(cx + px * k), _fmt(y + py * k)))
                continue
            pts = ["%s %s" % (_fmt(cx + px * k), _fmt(y + py * k)) for px, py in line]
            parts.append("M" + "L".join(pts))
        cx += (ADVANCE.get(ch, 4.0) + GAP) * k
    return ('<path d="%s" fill="none" stroke="%s" stroke-width="%s" '
            'stroke-linecap="round" stroke-linejoin="round"/>' % ("".join(parts), color, _fmt(w)))


def svg(w, h, body, view=None):
    vb = view if view is not None else (w, h)
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %s %s">\n'
            '%s\n</svg>\n' % (w, h, _fmt(vb[0]), _fmt(vb[1]), body))


def stroke(d, color, width=2.4, extra=""):
    return ('<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" '
            'stroke-linejoin="round"%s/>' % (d, color, _fmt(width), extra))


def fill(d, color, extra=""):
    return '<path d="%s" fill="%s"%s/>' % (d, color, extra)


# ---------------------------------------------------------------------------
# Cards (drawn at the size the pad area shows them at the default window size).

PAD_W, PAD_H = 220, 110
TRIG_W, TRIG_H = 130, 110
STEP_W, STEP_H = 160, 110


def _grad(gid, top, bottom):
    return ('<linearGradient id="%s" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/>'
            '</linearGradient>' % (gid, top, bottom))


def _badge(cx, cy, letter, ring, fill_color, letter_color):
    return ('<circle cx="%s" cy="%s" r="7.5" fill="%s" stroke="%s" stroke-width="1"/>'
            % (_fmt(cx), _fmt(cy), fill_color, ring)
            + text(letter, cx, cy - 3.5, 7, letter_color, 1.5, "middle"))


def _tag(x, y, caption, back, color, h=6):
    w = text_width(caption, h) + 10
    return ('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s"/>'
            % (_fmt(x), _fmt(y), _fmt(w), _fmt(h + 6), _fmt((h + 6) / 2.0), back)
            + text(caption, x + 5, y + 3, h, color, 1.3))


def pad_card(n):
    """Light pad card: rows A and B, a PAD tag at the lower left."""
    w, h = PAD_W, PAD_H
    body = ["<defs>%s</defs>" % _grad("face", "#f8fafc", "#dfe5eb"),
            '<rect x="0.5" y="0.5" width="%d" height="%d" rx="13" fill="%s"/>' % (w - 1, h - 1, RIM),
            '<rect x="3.5" y="3.5" width="%d" height="%d" rx="10" fill="url(#face)" '
            'stroke="#c5ced8" stroke-width="1"/>' % (w - 7, h - 7),
            '<path d="M24 55.5H%d" stroke="#b6c0cb" stroke-width="1.5"/>' % (w - 14),
            _badge(13, 29, "A", "#1565c0", BLUE, WHITE),
            _badge(13, 73, "B", "#1565c0", BLUE, WHITE),
            _tag(8, 91, "PAD %d" % n, RIM, WHITE)]
    return svg(w, h, "\n".join(body))


def trig_card(n):
    """Dark trigger card: rows A and B, a TRIG tag at the lower left."""
    w, h = TRIG_W, TRIG_H
    body = ["<defs>%s</defs>" % _grad("face", "#323b45", "#1f252c"),
            '<rect x="0.5" y="0.5" width="%d" height="%d" rx="12" fill="#14181d"/>' % (w - 1, h - 1),
            '<rect x="3.5" y="3.5" width="%d" height="%d" rx="9" fill="url(#face)" '
            'stroke="%s" stroke-width="1"/>' % (w - 7, h - 7, BODY_EDGE),
            '<path d="M23 52.5H%d" stroke="#4f5b69" stroke-width="1.5"/>' % (w - 10),
            _badge(12, 28, "A", "#90caf9", "#1b2a38", "#90caf9"),
            _badge(12, 70, "B", "#90caf9", "#1b2a38", "#90caf9"),
            _tag(7, 91, "TRIG %d" % n, BLUE, WHITE)]
    return svg(w, h, "\n".join(body))


def fs_card(caption):
    """Dark foot-switch card: a faint switch in the middle, an FS tag."""
    w, h = TRIG_W, TRIG_H
    cx, cy = w / 2.0, 48
    body = ["<defs>%s</defs>" % _grad("face", "#323b45", "#1f252c"),
            '<rect x="0.5" y="0.5" width="%d" height="%d" rx="12" fill="#14181d"/>' % (w - 1, h - 1),
            '<rect x="3.5" y="3.5" width="%d" height="%d" rx="9" fill="url(#face)" '
            'stroke="%s" stroke-width="1"/>' % (w - 7, h - 7, BODY_EDGE),
            '<rect x="%s" y="%s" width="56" height="64" rx="10" fill="none" stroke="#3a4450" '
            'stroke-width="2"/>' % (_fmt(cx - 28), _fmt(cy - 32)),
            '<circle cx="%s" cy="%s" r="17" fill="#283039" stroke="#3f4a57" stroke-width="2"/>'
            % (_fmt(cx), _fmt(cy)),
            '<circle cx="%s" cy="%s" r="10" fill="none" stroke="#34404c" stroke-width="1.5"/>'
            % (_fmt(cx), _fmt(cy)),
            _tag(7, 91, caption, BLUE, WHITE)]
    return svg(w, h, "\n".join(body))


def step_card(n):
    """White kit-chain step card captioned NO. n at the lower left."""
    w, h = STEP_W, STEP_H
    body = ['<rect x="0.5" y="0.5" width="%d" height="%d" rx="10" fill="%s" stroke="#c5ced8" '
            'stroke-width="1"/>' % (w - 1, h - 1, WHITE),
            '<path d="M12 7H%d" stroke="%s" stroke-width="3" stroke-linecap="round"/>'
            % (w - 12, BLUE_BRIGHT),
            '<path d="M10 86.5H%d" stroke="#e3e8ee" stroke-width="1"/>' % (w - 10),
            text("NO. %d" % n, 10, 93, 8, INK_DARK, 1.6)]
    return svg(w, h, "\n".join(body))


def logo():
    """Logo strip: a small pad grid and ZT350."""
    w, h = 240, 60
    body = ['<rect x="0" y="0" width="%d" height="%d" rx="8" fill="%s"/>' % (w, h, BODY)]
    for r in range(3):
        for c in range(3):
            color = BLUE_BRIGHT if (r, c) in ((0, 0), (1, 1), (2, 2)) else "#4a5664"
            body.append('<rect x="%d" y="%d" width="11" height="11" rx="2.5" fill="%s"/>'
                        % (14 + c * 14, 9 + r * 14, color))
    body.append(text("ZT350", 72, 17, 26, INK_LIGHT, 4))
    return svg(w, h, "\n".join(body))


def app_icon_small():
    """The program's icon where the desktop shows it at 32 px and below: four
    pads on the dark tile, the lower row lit, with room between them."""
    w = h = 256
    body = ["<defs>%s</defs>" % _grad("tile", "#323b45", "#1a2027"),
            '<rect x="8" y="8" width="240" height="240" rx="44" fill="url(#tile)" stroke="%s" '
            'stroke-width="12"/>' % BODY_EDGE]
    for r in range(2):
        for c in range(2):
            color = BLUE_BRIGHT if r == 1 else ("#e4eaf0" if c == 0 else "#5a6878")
            body.append('<rect x="%d" y="%d" width="76" height="76" rx="14" fill="%s"/>'
                        % (44 + c * 92, 44 + r * 92, color))
    return svg(w, h, "\n".join(body))


def app_icon():
    """The program's icon for the desktop: a pad grid on a dark tile, one row lit,
    a knob in the last cell."""
    w = h = 256
    body = ["<defs>%s</defs>" % _grad("tile", "#323b45", "#1a2027"),
            '<rect x="8" y="8" width="240" height="240" rx="44" fill="url(#tile)" stroke="%s" '
            'stroke-width="4"/>' % BODY_EDGE]
    for r in range(3):
        for c in range(3 if r < 2 else 2):
            color = BLUE_BRIGHT if r == 1 else ("#e4eaf0" if (r, c) == (0, 0) else "#4a5664")
            body.append('<rect x="%d" y="%d" width="56" height="56" rx="12" fill="%s"/>'
                        % (40 + c * 64, 40 + r * 64, color))
    body.append('<circle cx="196" cy="196" r="26" fill="%s" stroke="%s" stroke-width="6"/>'
                % (BODY, INK_LIGHT))
    body.append('<circle cx="196" cy="196" r="9" fill="%s"/>' % BLUE_BRIGHT)
    return svg(w, h, "\n".join(body))


# ---------------------------------------------------------------------------
# Icons, drawn on a 32 x 32 grid and rendered at the size given in the table.

def _plus_badge(accent):
    return ('<circle cx="24" cy="23.5" r="7" fill="%s"/>' % accent
            + stroke("M24 19.5V27.5M20 23.5H28", WHITE, 2.2))


def icon_folder_new(ink, accent):
    return (stroke("M4 9.5Q4 7 6.5 7H12L15 10H25.5Q28 10 28 12.5V15M17 26H6.5Q4 26 4 23.5Z"
                   "M4 9.5V23.5", ink)
            + _plus_badge(accent))


def icon_wave_add(ink, accent):
    bars = [(4, 13, 19), (8, 9, 23), (12, 5, 27), (16, 10, 22), (20, 13, 16)]
    d = "".join("M%d %dV%d" % (x, y0, y1) for x, y0, y1 in bars)
    return stroke(d, ink) + _plus_badge(accent)


def icon_trash(ink, accent):
    return (stroke("M5 8H27M12 8V5.5Q12 4 13.5 4H18.5Q20 4 20 5.5V8", ink)
            + stroke("M7.5 8L9 26.5Q9.2 28 10.8 28H21.2Q22.8 28 23 26.5L24.5 8", ink)
            + stroke("M13 13V23M19 13V23", accent, 2.2))


def icon_arrow_up(ink, accent):
    return stroke("M16 27V6M8 14L16 6L24 14", ink, 3) + stroke("M8 28H24", accent, 2.4)


def icon_arrow_down(ink, accent):
    return stroke("M16 5V26M8 18L16 26L24 18", ink, 3) + stroke("M8 4H24", accent, 2.4)


def icon_eraser(ink, accent):
    return (fill("M17.5 5.5L27 15L19 23L9.5 13.5Z", accent)
            + stroke("M17.5 5.5L27 15L16 26H10.5L5 20.5Q4 19.5 5 18.5Z", ink)
            + stroke("M9.5 13.5L19 23M18 28H28", ink))


def icon_tray_out(ink, accent):
    return (stroke("M5 18V25.5Q5 27 6.5 27H25.5Q27 27 27 25.5V18", ink)
            + stroke("M16 21V4.5M10 10.5L16 4.5L22 10.5", accent, 2.8))


def icon_tray_in(ink, accent):
    return (stroke("M5 18V25.5Q5 27 6.5 27H25.5Q27 27 27 25.5V18", ink)
            + stroke("M16 4V20.5M10 14.5L16 20.5L22 14.5", accent, 2.8))


def icon_folder_open(ink, accent):
    return (stroke("M4 24V8.5Q4 6.5 6 6.5H11.5L14.5 9.5H24Q26 9.5 26 11.5V13", ink)
            + fill("M4 25L8.5 14.5Q9 13 10.8 13H28.5Q30 13 29.4 14.5L25.5 24Q25 25.5 23.4 25.5H5Z",
                   accent))


def icon_doc_in(ink, accent):
    return (stroke("M19 4H9Q7 4 7 6V26Q7 28 9 28H23Q25 28 25 26V10L19 4V10H25", ink)
            + stroke("M16 12V22.5M11.5 18L16 22.5L20.5 18", accent, 2.8))


def icon_save(ink, accent):
    return (fill("M6.5 4H22.5L28 9.5V25.5Q28 28 25.5 28H6.5Q4 28 4 25.5V6.5Q4 4 6.5 4Z", accent)
            + fill("M9 4H21V11Q21 12 20 12H10Q9 12 9 11Z", ink)
            + '<rect x="17" y="5.5" width="2.4" height="5" rx="0.6" fill="%s"/>' % accent
            + fill("M8 17.5Q8 16 9.5 16H22.5Q24 16 24 17.5V28H8Z", ink)
            + stroke("M11 20.5H21M11 24H18", accent, 1.6))


def icon_check(ink, accent):
    return ('<circle cx="16" cy="16" r="13" fill="%s"/>' % accent
            + stroke("M9.5 16.5L14 21L23 11", ink, 3.2))


def icon_copy(ink, accent):
    return (stroke("M20 8V6Q20 4 18 4H7Q5 4 5 6V21Q5 23 7 23H11", ink)
            + '<rect x="12" y="9" width="15" height="19" rx="2" fill="%s" stroke="%s" '
              'stroke-width="2.4"/>' % (accent, ink))


def icon_rename(ink, accent):
    return (fill("M21.5 4.5L27.5 10.5L13 25L6 26.5L7.5 19.5Z", accent)
            + stroke("M21.5 4.5L27.5 10.5L13 25L6 26.5L7.5 19.5ZM18.5 7.5L24.5 13.5", ink, 2.2)
            + stroke("M17 28.5H28", ink, 2.2))


def icon_prev(ink, accent):
    return fill("M22.5 5.5Q24 4.8 24 6.5V25.5Q24 27.2 22.5 26.5L8.5 17.4Q7 16 8.5 14.6Z", ink)


def icon_next(ink, accent):
    return fill("M9.5 5.5Q8 4.8 8 6.5V25.5Q8 27.2 9.5 26.5L23.5 17.4Q25 16 23.5 14.6Z", ink)


def icon_stop(ink, accent):
    return '<rect x="7" y="7" width="18" height="18" rx="3" fill="%s"/>' % ink


def icon_loop(ink, accent):
    return (stroke("M7 19V14Q7 9.5 11.5 9.5H23M20.5 14.5V10", ink, 2.8)
            + stroke("M25 13V18Q25 22.5 20.5 22.5H9", ink, 2.8)
            + fill("M22 5L28 9.5L22 14Z", ink)
            + fill("M10 18L4 22.5L10 27Z", ink))


def icon_loop_only(ink):
    return (stroke("M7 19V14Q7 9.5 11.5 9.5H22.5", ink, 2.8)
            + stroke("M25 13V18Q25 22.5 20.5 22.5H9.5", ink, 2.8)
            + fill("M21.5 4.5L28 9.5L21.5 14.5Z", ink)
            + fill("M10.5 17.5L4 22.5L10.5 27.5Z", ink))


def icon_play(ink, accent):
    return ('<circle cx="16" cy="16" r="14.5" fill="%s"/>' % accent
            + fill("M12.5 9.5Q12.5 8.2 13.7 8.9L23 15Q24 16 23 17L13.7 23.1Q12.5 23.8 12.5 22.5Z",
                   ink))


def icon_pause(ink, accent):
    return ('<circle cx="16" cy="16" r="14.5" fill="%s"/>' % accent
            + '<rect x="10.5" y="9" width="4" height="14" rx="1.2" fill="%s"/>' % ink
            + '<rect x="17.5" y="9" width="4" height="14" rx="1.2" fill="%s"/>' % ink)


def icon_volume(ink, accent):
    return (fill("M4 12H9L16 6V26L9 20H4Z", ink)
            + stroke("M20 11.5Q23 16 20 20.5M23.5 8Q29 16 23.5 24", ink, 2.4))


def icon_lock(ink, accent):
    # 16 x 16 grid
    return (stroke("M5 7V5Q5 2 8 2Q11 2 11 5V7", ink, 1.8)
            + '<rect x="3" y="7" width="10" height="8" rx="1.5" fill="%s"/>' % ink
            + '<rect x="7.2" y="9.5" width="1.6" height="3" rx="0.8" fill="%s"/>' % accent)


def icon_song(ink, accent):
    # 16 x 16 grid: an eighth note
    return ('<ellipse cx="5.5" cy="12" rx="3.2" ry="2.4" fill="%s" transform="rotate(-20 5.5 12)"/>'
            % ink
            + stroke("M8.3 11.5V2.2Q11.5 3.2 13 6", ink, 1.7))


# name, size, function, ink, accent; lines and dark fills for light backgrounds
# use INK_DARK, for dark backgrounds (the top and bottom bars, dark theme) INK_LIGHT.
ICONS = [
    ("createSound1", 32, icon_folder_new, INK_DARK, BLUE),
    ("createSound2", 32, icon_folder_new, INK_LIGHT, BLUE_BRIGHT),
    ("waveImport1", 32, icon_wave_add, INK_DARK, BLUE),
    ("waveImport2", 32, icon_wave_add, INK_LIGHT, BLUE_BRIGHT),
    ("del", 32, icon_trash, INK_DARK, BLUE),
    ("del2", 32, icon_trash, INK_LIGHT, BLUE_BRIGHT),
    ("kitUp1", 32, icon_arrow_up, INK_DARK, BLUE),
    ("kitUp2", 32, icon_arrow_up, INK_LIGHT, BLUE_BRIGHT),
    ("kitDown1", 32, icon_arrow_down, INK_DARK, BLUE),
    ("kitDown2", 32, icon_arrow_down, INK_LIGHT, BLUE_BRIGHT),
    ("clear1", 32, icon_eraser, INK_DARK, BLUE),
    ("clear2", 32, icon_eraser, INK_LIGHT, BLUE_BRIGHT),
    ("export_wave", 32, icon_tray_out, INK_DARK, BLUE),
    ("export_wave2", 32, icon_tray_out, INK_LIGHT, BLUE_BRIGHT),
    ("import_wave", 32, icon_tray_in, INK_DARK, BLUE),
    ("import_wave2", 32, icon_tray_in, INK_LIGHT, BLUE_BRIGHT),
    ("file", 32, icon_folder_open, INK_DARK, BLUE),
    ("importFile", 32, icon_doc_in, INK_LIGHT, BLUE_BRIGHT),
    ("save1", 32, icon_save, "#10151b", BLUE_BRIGHT),
    ("sure1", 32, icon_check, WHITE, BLUE),
    ("copy", 32, icon_copy, INK_LIGHT, BLUE),
    ("rename1", 32, icon_rename, INK_LIGHT, BLUE),
    ("last", 32, icon_prev, INK_LIGHT, BLUE),
    ("next", 32, icon_next, INK_LIGHT, BLUE),
    ("stop", 32, icon_stop, INK_LIGHT, BLUE),
    ("loop", 32, lambda ink, accent: icon_loop_only(ink), INK_LIGHT, BLUE),
    ("blue_loop", 32, lambda ink, accent: icon_loop_only(ink), BLUE_BRIGHT, BLUE),
    ("play", 32, icon_play, WHITE, BLUE),
    ("suspend", 32, icon_pause, WHITE, BLUE),
    ("volume1", 18, icon_volume, INK_LIGHT, BLUE),
    ("lock", 16, icon_lock, INK_DARK, "#f5c542"),
    ("lock2", 16, icon_lock, INK_LIGHT, "#1f252c"),
    ("song16x16", 16, icon_song, INK_LIGHT, BLUE),
    ("song16x16_2", 16, icon_song, INK_DARK, BLUE),
]
SMALL_GRID = {"lock", "lock2", "song16x16", "song16x16_2"}


def all_images():
    """(name, width, height, svg text) for every image of the editor."""
    out = []
    for n in range(1, 10):
        out.append((str(n), PAD_W, PAD_H, pad_card(n)))
    for n in range(1, 9):
        out.append(("T%d" % n, TRIG_W, TRIG_H, trig_card(n)))
    out.append(("fs1", TRIG_W, TRIG_H, fs_card("FS 1")))
    out.append(("FS2", TRIG_W, TRIG_H, fs_card("FS 2")))
    # "step (k)" is the card of chain step k - 1; "step (1)" belongs to step 20.
    for k in range(1, 21):
        number = 20 if k == 1 else k - 1
        out.append(("step (%d)" % k, STEP_W, STEP_H, step_card(number)))
    out.append(("melbrin1", 240, 60, logo()))
    out.append(("zt350editor", 256, 256, app_icon()))
    for name, size, func, ink, accent in ICONS:
        grid = 16 if name in SMALL_GRID else 32
        out.append((name, size, size, svg(size, size, func(ink, accent), (grid, grid))))
    return out


# The desktop's icon sizes (hicolor theme), each rendered into
# src/resources/images/desktop/: 32 px and below from the small drawing, the
# others from the icon itself (also the installed SVG).
DESKTOP_ICON_SIZES = (16, 32, 48, 64, 128, 256)


def desktop_icons():
    """(png name, size, svg name) of each size of the desktop icon."""
    return [("zt350editor-%d" % n, n, "zt350editor-small" if n <= 32 else "zt350editor")
            for n in DESKTOP_ICON_SIZES]


def qrc_entries():
    return ["        <file>images/%s.png</file>" % name for name, _, _, _ in all_images()]


def main(argv):
    if "--list" in argv:
        print("\n".join(qrc_entries()))
        return 0
    svg_only = "--svg-only" in argv
    tool = shutil.which("rsvg-convert")
    if not svg_only and tool is None:
        sys.stderr.write("rsvg-convert not found (Debian package librsvg2-bin)\n")
        return 1
    os.makedirs(SVG_DIR, exist_ok=True)
    for name, w, h, source in all_images():
        svg_path = os.path.join(SVG_DIR, name + ".svg")
        with open(svg_path, "w", encoding="utf-8") as f:
            f.write(source)
        if svg_only:
            continue
        png_path = os.path.join(IMG_DIR, name + ".png")
        subprocess.run([tool, "-w", str(w), "-h", str(h), "-f", "png", "-o", png_path, svg_path],
                       check=True)
    with open(os.path.join(SVG_DIR, "zt350editor-small.svg"), "w", encoding="utf-8") as f:
        f.write(app_icon_small())
    desktop_dir = os.path.join(IMG_DIR, "desktop")
    os.makedirs(desktop_dir, exist_ok=True)
    for name, size, drawing in desktop_icons() if not svg_only else []:
        subprocess.run([tool, "-w", str(size), "-h", str(size), "-f", "png", "-o",
                        os.path.join(desktop_dir, name + ".png"), os.path.join(SVG_DIR, drawing + ".svg")],
                       check=True)
    print("%d images and %d desktop icons written to %s"
          % (len(all_images()), len(DESKTOP_ICON_SIZES), os.path.relpath(IMG_DIR, ROOT)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
