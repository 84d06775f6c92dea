#!/usr/bin/env python3
"""Writes the viewer's skin artwork (SVG) into resources/skin/.

One palette and one set of frame rules for every picture, so the look stays consistent:
dark flat surfaces, light-grey glyphs, a blue accent for hover and pressed frames and dimmed
disabled frames. Strips hold their frames side by side, in the order normal, hover,
pressed (or checked), disabled. Run it again after changing a picture; the files it writes
are the sources the build compiles in (resources/skin.qrc).
"""

import math
import os
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

# Palette.
BG0 = "#16181b"       # window body
BG1 = "#1e2125"       # panels
BG2 = "#25292e"       # caption band, raised surfaces
LINE = "#3a3f46"      # hairlines, outlines
GLYPH = "#dde0e4"     # glyph, normal
WHITE = "#ffffff"
DIM = "#5d626a"       # glyph, disabled
ACCENT = "#3d8bff"
ACCENT_DARK = "#2463c7"
HOVER_FILL = "#353b44"
DANGER = "#d9362b"
DANGER_DARK = "#9b231b"
LOGO_EDGE = "#131518"  # the logo panels' edge colour
TEXT_FONT = "Noto Sans CJK JP, Noto Sans, DejaVu Sans, sans-serif"

written = []


def svg(name, w, h, body, directory=None):
    text = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n{body}\n</svg>\n')
    with open(os.path.join(directory or OUT, name), "w", encoding="utf-8") as f:
        f.write(text)
    written.append(name)


# ---------------------------------------------------------------------------------------------
# Glyphs on a 24 x 24 grid. Each takes the colour and returns SVG elements.

def g_play(c):
    return f'<path d="M8 5 L19.5 12 L8 19 Z" fill="{c}" stroke="{c}" stroke-width="1" stroke-linejoin="round"/>'


def g_pause(c):
    return (f'<rect x="6.5" y="5" width="4" height="14" rx="1" fill="{c}"/>'
            f'<rect x="13.5" y="5" width="4" height="14" rx="1" fill="{c}"/>')


def g_stop(c):
    return f'<rect x="6" y="6" width="12" height="12" rx="1.6" fill="{c}"/>'


def g_prev(c):
    return (f'<rect x="5" y="6" width="2.6" height="12" rx="0.8" fill="{c}"/>'
            f'<path d="M19 6 L9 12 L19 18 Z" fill="{c}" stroke="{c}" stroke-width="1" stroke-linejoin="round"/>')


def g_next(c):
    return (f'<rect x="16.4" y="6" width="2.6" height="12" rx="0.8" fill="{c}"/>'
            f'<path d="M5 6 L15 12 L5 18 Z" fill="{c}" stroke="{c}" stroke-width="1" stroke-linejoin="round"/>')


def g_fast(c):
    return (f'<path d="M3.5 6.5 L12 12 L3.5 17.5 Z M12 6.5 L20.5 12 L12 17.5 Z" fill="{c}" '
            f'stroke="{c}" stroke-width="1" stroke-linejoin="round"/>')


def g_slow(c):
    return (f'<circle cx="12" cy="12" r="8.6" fill="none" stroke="{c}" stroke-width="1.8" '
            f'stroke-dasharray="3 2.4"/>'
            f'<path d="M10 8.5 L15.5 12 L10 15.5 Z" fill="{c}" stroke="{c}" stroke-width="0.8" stroke-linejoin="round"/>')


def g_camera(c):
    body = "M4.5 7.5 H8 L9.6 5 H14.4 L16 7.5 H19.5 Q21 7.5 21 9 V18 Q21 19.5 19.5 19.5 H4.5 Q3 19.5 3 18 V9 Q3 7.5 4.5 7.5 Z"
    ring = circle_path(12, 13.3, 4.3)
    lens = circle_path(12, 13.3, 2.4)
    return f'<path d="{body} {ring} {lens}" fill="{c}" fill-rule="evenodd"/>'


def g_film_save(c):
    outer = "M4 4 H20 Q21 4 21 5 V19 Q21 20 20 20 H4 Q3 20 3 19 V5 Q3 4 4 4 Z"
    window = "M7.2 6 H16.8 V18 H7.2 Z"
    holes = ""
    for y in (6, 9.5, 13, 16.5):
        holes += f" M4.4 {y} h1.6 v1.6 h-1.6 Z M18 {y} h1.6 v1.6 h-1.6 Z"
    arrow = "M11 8 H13 V12.6 H15 L12 16 L9 12.6 H11 Z"
    return f'<path d="{outer} {window}{holes} {arrow}" fill="{c}" fill-rule="evenodd"/>'


def g_zoom(c):
    return (f'<circle cx="10.5" cy="10.5" r="6.2" fill="none" stroke="{c}" stroke-width="2.1"/>'
            f'<path d="M15.2 15.2 L20.2 20.2" stroke="{c}" stroke-width="3" stroke-linecap="round"/>'
            f'<path d="M10.5 7.6 V13.4 M7.6 10.5 H13.4" stroke="{c}" stroke-width="1.8" stroke-linecap="round"/>')


def g_folder(c):
    back = "M3 6.5 Q3 5 4.5 5 H9.3 L11.3 7 H19.5 Q21 7 21 8.5 V9.5 H3 Z"
    front = "M3 10.8 H21 V17.5 Q21 19 19.5 19 H4.5 Q3 19 3 17.5 Z"
    return f'<path d="{back}" fill="{c}" opacity="0.75"/><path d="{front}" fill="{c}"/>'


def g_trash(c):
    lid = "M5 6 H19 V8 H5 Z M9.5 3.6 H14.5 V6 H13.2 V4.9 H10.8 V6 H9.5 Z"
    body = "M6.4 9.3 H17.6 L16.8 19.6 Q16.7 20.6 15.7 20.6 H8.3 Q7.3 20.6 7.2 19.6 Z"
    slots = "M9.2 11.2 h1.4 v7.2 h-1.4 Z M13.4 11.2 h1.4 v7.2 h-1.4 Z"
    return f'<path d="{lid}" fill="{c}"/><path d="{body} {slots}" fill="{c}" fill-rule="evenodd"/>'


def g_gear(c):
    teeth = 8
    r_out, r_in, r_hole = 9.6, 7.0, 3.0
    pts = []
    for i in range(teeth):
        a0 = 2 * math.pi * i / teeth
        half = math.pi / teeth
        for a, r in ((a0 - half * 0.55, r_out), (a0 + half * 0.55, r_out),
                     (a0 + half * 0.85, r_in), (a0 + half * 1.15, r_in)):
            pts.append((12 + r * math.cos(a), 12 + r * math.sin(a)))
    d = "M" + " L".join(f"{x:.2f} {y:.2f}" for x, y in pts) + " Z"
    return f'<path d="{d} {circle_path(12, 12, r_hole)}" fill="{c}" fill-rule="evenodd"/>'


def g_csv(c):
    doc = "M6 3 H14.5 L19 7.5 V20 Q19 21 18 21 H6 Q5 21 5 20 V4 Q5 3 6 3 Z"
    fold = "M14 3.6 V8 H18.4"
    cells = ""
    for y in (10.5, 13.5, 16.5):
        cells += f" M7.2 {y} h3.6 v1.8 h-3.6 Z M12 {y} h4.8 v1.8 h-4.8 Z"
    return (f'<path d="{doc}{cells}" fill="{c}" fill-rule="evenodd"/>'
            f'<path d="{fold}" fill="none" stroke="{BG0}" stroke-width="1.1" opacity="0.6"/>')


def g_map(c):
    outer = "M3 6.2 L8.8 4 L15.2 6.2 L21 4 V17.8 L15.2 20 L8.8 17.8 L3 20 Z"
    folds = "M8.2 5 h1.2 V17.4 h-1.2 Z M14.6 6.6 h1.2 V19.2 h-1.2 Z"
    return f'<path d="{outer} {folds}" fill="{c}" fill-rule="evenodd"/>'


def circle_path(cx, cy, r):
    return (f"M{cx - r:.2f} {cy:.2f} A{r} {r} 0 1 0 {cx + r:.2f} {cy:.2f} "
            f"A{r} {r} 0 1 0 {cx - r:.2f} {cy:.2f} Z")


# ---------------------------------------------------------------------------------------------
# Strips.

def main_button(name, glyph):
    """A 128 x 32 strip of four 32 x 32 frames around one glyph."""
    frames = [
        ("#2a2e34", LINE, GLYPH),            # normal
        (HOVER_FILL, ACCENT, WHITE),         # hover
        (ACCENT_DARK, ACCENT, WHITE),        # pressed / active
        ("#202327", "#2c3036", DIM),         # disabled
    ]
    body = []
    for i, (fill, stroke, glyph_colour) in enumerate(frames):
        x = i * 32
        body.append(f'<g transform="translate({x} 0)">'
                    f'<rect x="1" y="1" width="30" height="30" rx="6" fill="{fill}" '
                    f'stroke="{stroke}" stroke-width="1"/>'
                    f'<g transform="translate(4 4)">{glyph(glyph_colour)}</g></g>')
    svg(name, 128, 32, "\n".join(body))


def caption_button(name, w, glyph, danger=False):
    """Four frames of w x 18 for the window's caption band."""
    hover = DANGER if danger else "#3b4048"
    pressed = DANGER_DARK if danger else ACCENT_DARK
    frames = [(None, "#c8ccd2"), (hover, WHITE), (pressed, WHITE), (None, DIM)]
    body = []
    for i, (fill, colour) in enumerate(frames):
        x = i * w
        parts = []
        if fill:
            parts.append(f'<rect x="0" y="0" width="{w}" height="18" rx="2" fill="{fill}"/>')
        parts.append(glyph(w, colour))
        body.append(f'<g transform="translate({x} 0)">{"".join(parts)}</g>')
    svg(name, w * 4, 18, "\n".join(body))


def cg_close(w, c):
    cx, cy = w / 2, 9
    return (f'<path d="M{cx - 4.5} {cy - 4.5} L{cx + 4.5} {cy + 4.5} M{cx + 4.5} {cy - 4.5} '
            f'L{cx - 4.5} {cy + 4.5}" stroke="{c}" stroke-width="1.4" stroke-linecap="round"/>')


def cg_max(w, c):
    cx = w / 2
    return f'<rect x="{cx - 4.5}" y="4.5" width="9" height="9" rx="1" fill="none" stroke="{c}" stroke-width="1.3"/>'


def cg_restore(w, c):
    cx = w / 2
    return (f'<path d="M{cx - 2.5} 5.5 V4 H{cx + 5} V11.5 H{cx + 3.5}" fill="none" stroke="{c}" '
            f'stroke-width="1.2" stroke-linejoin="round"/>'
            f'<rect x="{cx - 5}" y="6.5" width="8" height="7.5" rx="1" fill="none" stroke="{c}" stroke-width="1.3"/>')


def cg_min(w, c):
    cx = w / 2
    return f'<path d="M{cx - 4.5} 9.5 H{cx + 4.5}" stroke="{c}" stroke-width="1.4" stroke-linecap="round"/>'


def thumbnail_toggle(name):
    """150 x 18 frames: a pill behind the button's own label."""
    w = 150
    frames = [("#2a2e34", LINE), (HOVER_FILL, ACCENT), (ACCENT_DARK, ACCENT), ("#202327", "#2c3036")]
    body = []
    for i, (fill, stroke) in enumerate(frames):
        body.append(f'<rect x="{i * w + 0.5}" y="0.5" width="{w - 1}" height="17" rx="8.5" '
                    f'fill="{fill}" stroke="{stroke}" stroke-width="1"/>')
    svg(name, w * 4, 18, "\n".join(body))


def dialog_close(name):
    """52 x 12: four 13 x 12 close frames for skin dialogs."""
    frames = [(None, "#c8ccd2"), (DANGER, WHITE), (DANGER_DARK, WHITE), (None, DIM)]
    body = []
    for i, (fill, c) in enumerate(frames):
        x = i * 13
        if fill:
            body.append(f'<rect x="{x}" y="0" width="13" height="12" rx="2" fill="{fill}"/>')
        body.append(f'<path d="M{x + 3.5} 2.5 L{x + 9.5} 8.5 M{x + 9.5} 2.5 L{x + 3.5} 8.5" '
                    f'transform="translate(0 0.5)" stroke="{c}" stroke-width="1.3" stroke-linecap="round"/>')
    svg(name, 52, 12, "\n".join(body))


def check_strip(name):
    """48 x 12: check box frames (unchecked, hover, checked, disabled)."""
    body = []
    specs = [("#2a2d32", "#9aa0a8", None), ("#343a42", ACCENT, None),
             (ACCENT, ACCENT, WHITE), ("#26282c", "#4b4f56", None)]
    for i, (fill, stroke, tick) in enumerate(specs):
        x = i * 12
        body.append(f'<rect x="{x + 0.75}" y="0.75" width="10.5" height="10.5" rx="2" fill="{fill}" '
                    f'stroke="{stroke}" stroke-width="1.1"/>')
        if tick:
            body.append(f'<path d="M{x + 3} 6.2 L{x + 5.1} 8.3 L{x + 9.1} 3.8" fill="none" '
                        f'stroke="{tick}" stroke-width="1.7" stroke-linecap="round" stroke-linejoin="round"/>')
    svg(name, 48, 12, "\n".join(body))


def radio_strip(name):
    """48 x 12: option mark frames (off, hover, on, disabled)."""
    body = []
    specs = [("#2a2d32", "#9aa0a8", None), ("#343a42", ACCENT, None),
             ("#2a2d32", ACCENT, ACCENT), ("#26282c", "#4b4f56", None)]
    for i, (fill, stroke, dot) in enumerate(specs):
        cx = i * 12 + 6
        body.append(f'<circle cx="{cx}" cy="6" r="5.2" fill="{fill}" stroke="{stroke}" stroke-width="1.2"/>')
        if dot:
            body.append(f'<circle cx="{cx}" cy="6" r="2.6" fill="{dot}"/>')
    svg(name, 48, 12, "\n".join(body))


def track(name, w, h, bar_h, colour):
    y = (h - bar_h) / 2
    svg(name, w, h, f'<rect x="0" y="{y}" width="{w}" height="{bar_h}" fill="{colour}"/>')


def thumb(name, w, h, fill, stroke, vertical=False):
    if vertical:
        body = (f'<rect x="1" y="1" width="{w - 2}" height="{h - 2}" rx="{(w - 2) / 2}" '
                f'fill="{fill}" stroke="{stroke}" stroke-width="1"/>')
    else:
        body = (f'<rect x="1" y="0.75" width="{w - 2}" height="{h - 1.5}" rx="{(h - 1.5) / 2}" '
                f'fill="{fill}" stroke="{stroke}" stroke-width="1"/>')
    svg(name, w, h, body)


# ---------------------------------------------------------------------------------------------
# Pictures.

def text(x, y, s, size, colour, weight="normal", anchor="start", family=TEXT_FONT, extra=""):
    return (f'<text x="{x}" y="{y}" font-family="{family}" font-size="{size}" '
            f'font-weight="{weight}" fill="{colour}" text-anchor="{anchor}" {extra}>{s}</text>')


def emblem(cx, cy, r, stroke_w=None):
    """The viewer's mark: a camera lens with the road ahead in it and a recording light."""
    sw = stroke_w or r * 0.16
    inner = r * 0.66
    road = max(r * 0.075, 0.8)
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{BG2}" stroke="{ACCENT}" stroke-width="{sw}"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{inner}" fill="#0f1114" stroke="#5a6470" stroke-width="{sw * 0.45}"/>'
            # the road: two edges meeting at the horizon and a dashed centre line
            f'<path d="M{cx - inner * 0.78} {cy + inner * 0.55} L{cx - inner * 0.08} {cy - inner * 0.12} '
            f'M{cx + inner * 0.78} {cy + inner * 0.55} L{cx + inner * 0.08} {cy - inner * 0.12}" '
            f'stroke="{GLYPH}" stroke-width="{road}" stroke-linecap="round" fill="none"/>'
            f'<path d="M{cx} {cy + inner * 0.62} V{cy + inner * 0.38} M{cx} {cy + inner * 0.2} V{cy + inner * 0.06}" '
            f'stroke="{GLYPH}" stroke-width="{road * 0.8}" stroke-linecap="round" fill="none"/>'
            f'<path d="M{cx - inner * 0.9} {cy - inner * 0.12} H{cx + inner * 0.9}" stroke="#5a6470" '
            f'stroke-width="{road * 0.5}" fill="none"/>'
            f'<circle cx="{cx + r * 0.62}" cy="{cy - r * 0.62}" r="{r * 0.13}" fill="{DANGER}" '
            f'stroke="{BG2}" stroke-width="{sw * 0.4}"/>')


def main_background():
    svg("main_background.svg", 1120, 697,
        f'<defs><linearGradient id="b" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="#1b1e22"/><stop offset="1" stop-color="{BG0}"/>'
        f'</linearGradient></defs>'
        f'<rect width="1120" height="697" fill="url(#b)"/>')


def caption_band():
    svg("caption_band.svg", 1120, 24,
        f'<rect width="1120" height="24" fill="{BG2}"/>'
        f'<rect y="23" width="1120" height="1" fill="#0c0d0f"/>')


def bottom_bar():
    svg("bottom_bar.svg", 1120, 38,
        f'<rect width="1120" height="38" fill="#1a1d21"/>'
        f'<rect width="1120" height="1" fill="{LINE}"/>')


def button_separator():
    svg("button_separator.svg", 4, 32, f'<rect x="1.5" y="4" width="1" height="24" fill="{LINE}"/>')


def speaker(name, muted):
    body = f'<path d="M3 7.5 H6.5 L11 3.5 V16.5 L6.5 12.5 H3 Z" fill="{GLYPH}"/>'
    if muted:
        body += (f'<path d="M13.5 7.5 L18.5 12.5 M18.5 7.5 L13.5 12.5" stroke="{DANGER}" '
                 f'stroke-width="1.6" stroke-linecap="round"/>')
    else:
        body += (f'<path d="M13.5 7 Q15.6 10 13.5 13 M15.8 4.8 Q19.6 10 15.8 15.2" fill="none" '
                 f'stroke="{GLYPH}" stroke-width="1.5" stroke-linecap="round"/>')
    svg(name, 20, 20, body)


def movie_idle():
    svg("movie_idle.svg", 656, 370,
        f'<rect width="656" height="370" fill="#000000"/>'
        f'<g opacity="0.35" transform="translate(298 155) scale(2.5)">{g_camera(GLYPH)}</g>')


def zoom_badge():
    svg("zoom_badge.svg", 60, 20,
        f'<rect x="0.5" y="0.5" width="59" height="19" rx="9.5" fill="#000000" fill-opacity="0.55" stroke="{ACCENT}"/>'
        f'<g transform="translate(4 2) scale(0.66)">{g_zoom(WHITE)}</g>'
        + text(38, 14.2, "ZOOM", 9.5, WHITE, "bold", "middle", "DejaVu Sans, sans-serif"))


def zoom_hint():
    w, h = 452, 630
    svg("zoom_hint.svg", w, h,
        f'<rect width="{w}" height="{h}" fill="{BG1}"/>'
        f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" fill="none" stroke="#aaaaaa"/>'
        f'<circle cx="{w / 2}" cy="{h / 2}" r="150" fill="none" stroke="{ACCENT}" stroke-width="3" opacity="0.35"/>'
        f'<circle cx="{w / 2}" cy="{h / 2}" r="110" fill="#121417" stroke="{LINE}" stroke-width="2"/>'
        f'<g transform="translate({w / 2 - 60} {h / 2 - 190}) scale(5)" opacity="0.5">{g_zoom(ACCENT)}</g>')


def map_placeholder():
    w, h = 452, 348
    lines = "".join(f'<path d="M0 {y} H{w}" stroke="#22262b"/>' for y in range(24, h, 24))
    lines += "".join(f'<path d="M{x} 0 V{h}" stroke="#22262b"/>' for x in range(24, w, 24))
    svg("map_placeholder.svg", w, h,
        f'<rect width="{w}" height="{h}" fill="#181b1f"/>{lines}'
        f'<g transform="translate({w / 2 - 36} {h / 2 - 36}) scale(3)" opacity="0.45">{g_map(GLYPH)}</g>')


def logo(name, offline):
    w, h = 452, 392
    cy = 150 if offline else 170
    # A glow in the middle that fades to the flat edge colour, so the panel can be filled
    # around the picture without a seam.
    body = (f'<defs><radialGradient id="g" cx="0.5" cy="0.42" r="0.5">'
            f'<stop offset="0" stop-color="#262a30"/><stop offset="1" stop-color="{LOGO_EDGE}"/>'
            f'</radialGradient></defs>'
            f'<rect width="{w}" height="{h}" fill="{LOGO_EDGE}"/>'
            f'<rect width="{w}" height="{h}" fill="url(#g)"/>'
            + emblem(w / 2, cy - 20, 58)
            + text(w / 2, cy + 78, "Quorva Viewer", 30, GLYPH, "bold", "middle",
                   "Noto Sans, DejaVu Sans, sans-serif")
            + text(w / 2, cy + 102, "DRIVE RECORDER VIEWER", 12, "#8a929c", "normal", "middle",
                   "Noto Sans, DejaVu Sans, sans-serif", 'letter-spacing="3"'))
    if offline:
        body += (f'<rect x="36" y="{h - 92}" width="{w - 72}" height="62" rx="8" fill="#0d0f11" '
                 f'stroke="{LINE}"/>'
                 f'<g transform="translate(52 {h - 79}) scale(1.5)">'
                 f'<path d="M2 9 Q12 1 22 9 M5.5 12.5 Q12 7 18.5 12.5 M9 16 Q12 13.5 15 16" fill="none" '
                 f'stroke="#8a929c" stroke-width="2" stroke-linecap="round"/>'
                 f'<circle cx="12" cy="19" r="1.6" fill="#8a929c"/>'
                 f'<path d="M3 3 L21 21" stroke="{DANGER}" stroke-width="2.2" stroke-linecap="round"/></g>'
                 + text(100, h - 66, "インターネットに接続されていないため、", 14, GLYPH)
                 + text(100, h - 44, "マップを表示できません。", 14, GLYPH))
    svg(name, w, h, body)


def title_emblem():
    svg("title_emblem.svg", 18, 18, emblem(9, 9, 8, 1.4))


def app_icon(name, size, directory=None):
    s = size
    svg(name, s, s,
        f'<rect x="{s * 0.04}" y="{s * 0.04}" width="{s * 0.92}" height="{s * 0.92}" rx="{s * 0.2}" fill="{BG1}" '
        f'stroke="{LINE}" stroke-width="{s * 0.015}"/>' + emblem(s / 2, s / 2, s * 0.36), directory)


def zoom_cursor():
    body = (f'<circle cx="13" cy="13" r="9" fill="#000000" fill-opacity="0.25" stroke="#000000" stroke-width="4.5"/>'
            f'<path d="M19.5 19.5 L28 28" stroke="#000000" stroke-width="6.5" stroke-linecap="round"/>'
            f'<circle cx="13" cy="13" r="9" fill="none" stroke="{WHITE}" stroke-width="2.2"/>'
            f'<path d="M19.5 19.5 L28 28" stroke="{WHITE}" stroke-width="3.6" stroke-linecap="round"/>'
            f'<path d="M13 8.5 V17.5 M8.5 13 H17.5" stroke="{WHITE}" stroke-width="2" stroke-linecap="round"/>')
    svg("zoom_cursor.svg", 32, 32, body)


def gsensor_background():
    w, h, strip = 640, 120, 41
    body = [f'<rect width="{w}" height="{h}" fill="#000000"/>']
    for y in range(10, h, 10):
        if y == 60:
            continue
        body.append(f'<path d="M{strip} {y + 0.5} H{w}" stroke="#3c4046" stroke-width="1"/>')
    body.append(f'<path d="M{strip} 60.5 H{w}" stroke="#ffffff" stroke-width="1" stroke-dasharray="3 3"/>')
    # The frame has no right side and its left side lies in the label strip: the graph repeats
    # the grid part (from column 41) to the right of the picture, so a vertical line there would
    # show up in every repetition.
    body.append(f'<path d="M{strip} 0.5 H{w} M{strip} {h - 0.5} H{w} M{strip - 0.5} 0 V{h}" '
                f'fill="none" stroke="#ffffff" stroke-width="1"/>')
    svg("gsensor_background.svg", w, h, "\n".join(body))


# Info panel.

def info_background():
    w, h = 655, 105
    svg("info_background.svg", w, h,
        f'<defs><linearGradient id="p" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="#23272c"/><stop offset="1" stop-color="#191b1f"/></linearGradient></defs>'
        f'<rect width="{w}" height="{h}" fill="url(#p)"/>'
        f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" fill="none" stroke="{LINE}"/>'
        f'<path d="M12 35.5 H{w - 12}" stroke="#30353b"/>')


def frame_box(name, w, h, stroke=LINE, fill="#121417"):
    svg(name, w, h, f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="4" fill="{fill}" '
                    f'stroke="{stroke}"/>')


def placeholder(name, w, h, tint):
    dashes = "".join(f'<rect x="{x}" y="{h / 2 - 1}" width="6" height="2" rx="1" fill="{tint}" opacity="0.55"/>'
                     for x in range(int(w) - 14, 8, -10))
    svg(name, w, h, f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="4" fill="#15171a" '
                    f'stroke="{tint}" stroke-opacity="0.35"/>{dashes}')


def badge(name, label, fill, fg=WHITE, w=60, h=24):
    svg(name, w, h,
        f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="5" fill="{fill}" stroke="#ffffff" stroke-opacity="0.25"/>'
        + text(w / 2, h / 2 + 4.6, label, 13, fg, "bold", "middle", "DejaVu Sans, sans-serif"))


def status(name, kind):
    w, h = 60, 24
    if kind == "R":
        dot = f'<circle cx="14" cy="12" r="5.5" fill="{DANGER}"/>'
        label, colour = "REC", WHITE
    elif kind == "r":
        dot = f'<circle cx="14" cy="12" r="4.8" fill="none" stroke="{DANGER}" stroke-width="2"/>'
        label, colour = "REC", "#c8ccd2"
    else:
        dot = f'<circle cx="14" cy="12" r="5.5" fill="#6b7078"/>'
        label, colour = "---", "#8a929c"
    svg(name, w, h,
        f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="5" fill="#121417" stroke="{LINE}"/>'
        + dot + text(40, 16.6, label, 11, colour, "bold", "middle", "DejaVu Sans, sans-serif"))


def satellite(c, accent):
    return (f'<path d="M9.5 9.5 L14.5 14.5" stroke="{c}" stroke-width="2.2"/>'
            f'<rect x="8.2" y="8.2" width="7.6" height="7.6" rx="1" transform="rotate(45 12 12)" fill="{c}"/>'
            f'<rect x="1.5" y="6" width="6" height="3.2" rx="0.6" transform="rotate(45 4.5 7.6)" fill="{c}"/>'
            f'<rect x="16.5" y="14.8" width="6" height="3.2" rx="0.6" transform="rotate(45 19.5 16.4)" fill="{c}"/>'
            f'<path d="M15 21 Q21 21 21 15 M15 18.2 Q18.2 18.2 18.2 15" fill="none" stroke="{accent}" '
            f'stroke-width="1.5" stroke-linecap="round"/>')


def gps(name, fix):
    c = GLYPH if fix else DIM
    accent = "#46c46e" if fix else DIM
    svg(name, 24, 24, satellite(c, accent))


def battery():
    svg("battery.svg", 24, 16,
        f'<rect x="1" y="3" width="19" height="10" rx="2" fill="none" stroke="{GLYPH}" stroke-width="1.4"/>'
        f'<rect x="20.5" y="6" width="2.5" height="4" rx="0.8" fill="{GLYPH}"/>'
        f'<rect x="3" y="5" width="11" height="6" rx="1" fill="#46c46e"/>')


# Pictograms of event kinds and recording kinds (16 x 16).

def pictogram(name, letter, fill, fg=WHITE):
    svg(name, 16, 16,
        f'<rect x="0.5" y="0.5" width="15" height="15" rx="3.5" fill="{fill}"/>'
        + text(8, 12, letter, 11, fg, "bold", "middle", "DejaVu Sans, sans-serif"))


def online_icon(name, online):
    c = "#46c46e" if online else DIM
    body = (f'<path d="M1.5 6.5 Q8 1 14.5 6.5 M4 9.2 Q8 6 12 9.2 M6.3 11.8 Q8 10.6 9.7 11.8" fill="none" '
            f'stroke="{c}" stroke-width="1.5" stroke-linecap="round"/><circle cx="8" cy="13.6" r="1.2" fill="{c}"/>')
    if not online:
        body += f'<path d="M2 2 L14 14" stroke="{DANGER}" stroke-width="1.6" stroke-linecap="round"/>'
    svg(name, 16, 16, body)


# Tree badges: a base plate with four slots and one layer per recording kind.

BADGE_W, BADGE_H = 39, 21
SLOTS = {"manual": 1.5, "impact": 11, "parking_impact": 20.5, "parking": 30}


def tree_badge_base():
    body = f'<rect x="0.5" y="0.5" width="{BADGE_W - 1}" height="{BADGE_H - 1}" rx="4" fill="#eef0f3" stroke="#9aa0a8"/>'
    for x in SLOTS.values():
        body += f'<rect x="{x + 0.5}" y="6" width="7.5" height="9" rx="1.5" fill="#d9dde2"/>'
    svg("tree_badge_base.svg", BADGE_W, BADGE_H, body)


def tree_badge_layer(name, slot, letter, fill):
    x = SLOTS[slot]
    svg(name, BADGE_W, BADGE_H,
        f'<rect x="{x}" y="3" width="8.5" height="15" rx="2" fill="{fill}"/>'
        + text(x + 4.25, 14.2, letter, 8.5, WHITE, "bold", "middle", "DejaVu Sans, sans-serif"))


# Map pins (32 x 32) and their shadow (49 x 32).

def pin(name, fill, letter, fg):
    body = (f'<path d="M5 3 H27 Q30 3 30 6 V21 Q30 24 27 24 H20 L16 30.5 L12 24 H5 Q2 24 2 21 V6 Q2 3 5 3 Z" '
            f'fill="{fill}" stroke="#ffffff" stroke-width="1.5" stroke-linejoin="round"/>'
            + text(16, 19.5, letter, 15, fg, "bold", "middle", "DejaVu Sans, sans-serif"))
    svg(name, 32, 32, body)


def pin_shadow():
    svg("pin_shadow.svg", 49, 32,
        '<ellipse cx="30" cy="24" rx="15" ry="6" fill="#000000" fill-opacity="0.35" '
        'transform="translate(14 0) skewX(-35)"/>')


def main():
    main_button("button_play_stop.svg", g_stop)
    main_button("button_prev.svg", g_prev)
    main_button("button_play.svg", g_play)
    main_button("button_pause.svg", g_pause)
    main_button("button_slow.svg", g_slow)
    main_button("button_fast.svg", g_fast)
    main_button("button_next.svg", g_next)
    main_button("button_snapshot.svg", g_camera)
    main_button("button_save_joined.svg", g_film_save)
    main_button("button_zoom.svg", g_zoom)
    main_button("button_open_source.svg", g_folder)
    main_button("button_delete.svg", g_trash)
    main_button("button_settings.svg", g_gear)
    main_button("button_export_csv.svg", g_csv)
    main_button("button_map_toggle.svg", g_map)

    caption_button("caption_close.svg", 46, cg_close, danger=True)
    caption_button("caption_maximize.svg", 26, cg_max)
    caption_button("caption_restore.svg", 26, cg_restore)
    caption_button("caption_minimize.svg", 26, cg_min)
    thumbnail_toggle("caption_thumbnail.svg")
    dialog_close("dialog_close.svg")
    check_strip("check_mark.svg")
    radio_strip("option_mark.svg")

    track("seek_played.svg", 800, 10, 4, ACCENT)
    track("seek_remaining.svg", 800, 10, 4, "#4a4f57")
    thumb("seek_thumb.svg", 25, 10, "#e6e8eb", "#8a929c")
    thumb("seek_thumb_pressed.svg", 25, 10, ACCENT, WHITE)
    track("volume_played.svg", 100, 20, 6, ACCENT)
    track("volume_remaining.svg", 100, 20, 6, "#4a4f57")
    thumb("volume_thumb.svg", 10, 20, "#e6e8eb", "#8a929c", vertical=True)
    thumb("volume_thumb_pressed.svg", 10, 20, ACCENT, WHITE, vertical=True)

    main_background()
    caption_band()
    bottom_bar()
    button_separator()
    speaker("volume_icon.svg", False)
    speaker("volume_muted_icon.svg", True)
    title_emblem()
    movie_idle()
    zoom_badge()
    zoom_hint()
    map_placeholder()
    logo("logo.svg", False)
    logo("logo_offline.svg", True)
    app_icon("window_icon.svg", 32)
    zoom_cursor()
    gsensor_background()

    info_background()
    frame_box("info_field_frame.svg", 100, 22)
    frame_box("info_date_frame.svg", 210, 22)
    frame_box("info_speed_frame.svg", 110, 24)
    frame_box("info_g_frame.svg", 64, 22)
    frame_box("info_rate_frame.svg", 160, 27)
    placeholder("placeholder_date.svg", 200, 19, "#9aa0a8")
    placeholder("placeholder_speed.svg", 100, 21, "#9aa0a8")
    placeholder("placeholder_voltage.svg", 100, 21, "#9aa0a8")
    placeholder("placeholder_g_x.svg", 58, 20, "#00ff00")
    placeholder("placeholder_g_y.svg", 58, 20, "#ff0000")
    placeholder("placeholder_g_z.svg", 58, 20, "#8080ff")
    badge("badge_720.svg", "HD", "#2f5b8f")
    badge("badge_1080.svg", "FHD", "#2463c7")
    status("status_upper_r.svg", "R")
    status("status_lower_r.svg", "r")
    status("status_other.svg", "-")
    gps("gps_fix.svg", True)
    gps("gps_no_fix.svg", False)
    battery()

    for name, letter, fill, fg in (
            ("event_g_x.svg", "G", "#1f9e4a", WHITE), ("event_g.svg", "G", "#1f9e4a", WHITE),
            ("event_g_y.svg", "G", "#d32f2f", WHITE), ("event_g_z.svg", "G", "#5c6bc0", WHITE),
            ("event_g_other.svg", "G", "#5c6bc0", WHITE), ("event_manual.svg", "M", "#fb8c00", WHITE),
            ("event_emergency_stop.svg", "E", "#fdd835", "#c62828"),
            ("event_parking.svg", "P", "#8e24aa", "#f3e5f5"),
            ("kind_continuous.svg", "N", "#546e7a", WHITE), ("kind_impact.svg", "G", "#d32f2f", WHITE),
            ("kind_manual.svg", "M", "#fb8c00", WHITE), ("kind_parking.svg", "P", "#8e24aa", WHITE),
            ("kind_parking_impact.svg", "P", "#c2185b", WHITE),
            ("kind_time_lapse.svg", "T", "#00897b", WHITE), ("kind_joined.svg", "J", "#3949ab", WHITE)):
        pictogram(name, letter, fill, fg)
    online_icon("online.svg", True)
    online_icon("offline.svg", False)

    tree_badge_base()
    tree_badge_layer("tree_badge_impact.svg", "impact", "G", "#d32f2f")
    tree_badge_layer("tree_badge_manual.svg", "manual", "M", "#f57c00")
    tree_badge_layer("tree_badge_parking_impact.svg", "parking_impact", "P", "#c2185b")
    tree_badge_layer("tree_badge_parking.svg", "parking", "P", "#7b1fa2")

    pin("pin_g.svg", "#e53935", "G", WHITE)
    pin("pin_m.svg", "#fb8c00", "M", WHITE)
    pin("pin_e.svg", "#fdd835", "E", "#c62828")
    pin("pin_p.svg", "#8e24aa", "P", "#f3e5f5")
    pin_shadow()

    # The application icon lives beside the desktop entry.
    icons = os.path.join(OUT, "..", "icons")
    os.makedirs(icons, exist_ok=True)
    app_icon("quorva.svg", 256, icons)

    write_qrc()
    print(f"wrote {len(written)} pictures", file=sys.stderr)


def write_qrc():
    """resources/skin.qrc: every skin picture under :/skin/, the application icon under :/icons/."""
    skin = sorted(n for n in written if n != "quorva.svg")
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '  <qresource prefix="/skin">']
    lines += [f'    <file alias="{n}">skin/{n}</file>' for n in skin]
    lines += ['  </qresource>', '  <qresource prefix="/icons">',
              '    <file alias="quorva.svg">icons/quorva.svg</file>', '  </qresource>', '</RCC>']
    with open(os.path.join(OUT, "..", "skin.qrc"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
