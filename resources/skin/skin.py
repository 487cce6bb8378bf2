#!/usr/bin/env python3
"""Draws every skin image as SVG, one function per resource id.

Run through ./generate, which turns the SVG into PNG with rsvg-convert. The list of ids, sizes and frame
layouts is skin.tsv; this file only decides how each one looks. Button strips have four frames side by side:
normal, hot, pushed, disabled. Glyph strips add a second row for the checked state.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CJK = "WenQuanYi Micro Hei"
LATIN = "DejaVu Sans"

# The colours the screens already use.
TEXT = "#9abecc"
CYAN = "#0adcc8"
CYAN2 = "#09d8c3"
TEAL = "#1c998d"
MINT = "#00ffdd"
SKY = "#1acef5"
BLUE = "#3dcbff"
PANEL = "#1a2730"
PANEL2 = "#1a2227"
DEEP = "#0a1012"
RULE = "#1c282b"
# Derived shades.
BAR = "#0d1518"        # title bars and the tab column
CANVAS = "#111b20"     # content panels
GREY = "#3b474c"       # disabled outlines
GREY_TEXT = "#56646a"  # disabled glyphs and captions
RED = "#ff4f64"

NORMAL, HOT, PUSHED, DISABLED = range(4)


def load_table():
    rows = []
    with open(os.path.join(HERE, "skin.tsv"), encoding="utf-8") as f:
        for line in f:
            if not line.strip() or line.startswith("#"):
                continue
            rid, w, h, cols, nrows, layout, used = line.rstrip("\n").split("\t")
            rows.append(dict(id=int(rid), w=int(w), h=int(h), cols=int(cols), rows=int(nrows),
                             layout=layout, used=used))
    return rows


def svg(w, h, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}" '
            f'shape-rendering="geometricPrecision">\n<defs>{defs}</defs>\n{body}\n</svg>\n')


class Defs:
    """Collects gradients and clip paths with unique names for one image."""

    def __init__(self):
        self.items = []
        self.n = 0

    def _name(self, kind):
        self.n += 1
        return f"{kind}{self.n}"

    def vgrad(self, *stops, x2=0, y2=1):
        name = self._name("g")
        s = "".join(f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in _stops(stops))
        self.items.append(f'<linearGradient id="{name}" x1="0" y1="0" x2="{x2}" y2="{y2}">{s}</linearGradient>')
        return f"url(#{name})"

    def hgrad(self, *stops):
        return self.vgrad(*stops, x2=1, y2=0)

    def rgrad(self, *stops, cx=0.5, cy=0.5, r=0.5):
        name = self._name("r")
        s = "".join(f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in _stops(stops))
        self.items.append(f'<radialGradient id="{name}" cx="{cx}" cy="{cy}" r="{r}">{s}</radialGradient>')
        return f"url(#{name})"

    def clip(self, x, y, w, h):
        name = self._name("c")
        self.items.append(f'<clipPath id="{name}"><rect x="{x}" y="{y}" width="{w}" height="{h}"/></clipPath>')
        return f"url(#{name})"

    def blur(self, sd):
        name = self._name("f")
        self.items.append(f'<filter id="{name}" x="-50%" y="-50%" width="200%" height="200%">'
                          f'<feGaussianBlur stdDeviation="{sd}"/></filter>')
        return f"url(#{name})"

    def text(self):
        return "".join(self.items)


def _stops(stops):
    n = len(stops)
    for i, s in enumerate(stops):
        if isinstance(s, tuple):
            c, a = s
        else:
            c, a = s, 1
        yield (i / (n - 1) if n > 1 else 0), c, a


def rect(x, y, w, h, fill="none", stroke="none", rx=0, sw=1, opacity=1):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{rx}" fill="{fill}" stroke="{stroke}" '
            f'stroke-width="{sw}" opacity="{opacity}"/>')


def box(x, y, w, h, fill, stroke, rx=0):
    """A filled box whose 1-pixel outline sits on whole pixels."""
    return rect(x + 0.5, y + 0.5, w - 1, h - 1, fill, stroke, rx)


def line(x1, y1, x2, y2, stroke, sw=1, cap="butt", opacity=1):
    return (f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{stroke}" stroke-width="{sw}" '
            f'stroke-linecap="{cap}" opacity="{opacity}"/>')


def path(d, fill="none", stroke="none", sw=1, join="round", cap="round", opacity=1):
    return (f'<path d="{d}" fill="{fill}" stroke="{stroke}" stroke-width="{sw}" stroke-linejoin="{join}" '
            f'stroke-linecap="{cap}" opacity="{opacity}"/>')


def circle(cx, cy, r, fill="none", stroke="none", sw=1, opacity=1, filt=None):
    f = f' filter="{filt}"' if filt else ""
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}" stroke="{stroke}" stroke-width="{sw}" '
            f'opacity="{opacity}"{f}/>')


def text(x, y, s, size, fill, family=CJK, weight="normal", anchor="middle", spacing=0):
    ls = f' letter-spacing="{spacing}"' if spacing else ""
    return (f'<text x="{x}" y="{y}" font-family="{family}" font-size="{size}" font-weight="{weight}" '
            f'fill="{fill}" text-anchor="{anchor}"{ls}>{s}</text>')


def arc_arrow(cx, cy, r, start, sweep, col, sw, head):
    """A circular arrow from angle start (degrees, screen coordinates) turning by sweep degrees
    (positive = clockwise), with its head at the end pointing along the turn."""
    a0, a1 = math.radians(start), math.radians(start + sweep)
    x0, y0 = cx + r * math.cos(a0), cy + r * math.sin(a0)
    x1, y1 = cx + r * math.cos(a1), cy + r * math.sin(a1)
    large = 1 if abs(sweep) > 180 else 0
    cw = 1 if sweep > 0 else 0
    sign = 1 if sweep > 0 else -1
    tx, ty = -math.sin(a1) * sign, math.cos(a1) * sign
    nx, ny = -ty, tx
    # Stop the line short of the tip so the head stays sharp.
    tip = (x1 + tx * head, y1 + ty * head)
    b1 = (x1 - tx * head * 0.35 + nx * head * 0.9, y1 - ty * head * 0.35 + ny * head * 0.9)
    b2 = (x1 - tx * head * 0.35 - nx * head * 0.9, y1 - ty * head * 0.35 - ny * head * 0.9)
    out = path(f"M{x0:.2f},{y0:.2f} A{r},{r} 0 {large} {cw} {x1:.2f},{y1:.2f}", stroke=col, sw=sw, cap="butt")
    out += path(f"M{tip[0]:.2f},{tip[1]:.2f} L{b1[0]:.2f},{b1[1]:.2f} L{b2[0]:.2f},{b2[1]:.2f} Z",
                fill=col, stroke=col, sw=0.6, join="miter")
    return out


def strip(d, fw, fh, cols, rows, draw):
    """Lays out cols x rows frames, each clipped to its own cell; draw(col, row) gives the frame's SVG."""
    out = []
    for r in range(rows):
        for c in range(cols):
            clip = d.clip(c * fw, r * fh, fw, fh)
            out.append(f'<g clip-path="{clip}"><g transform="translate({c * fw},{r * fh})">{draw(c, r)}</g></g>')
    return "\n".join(out)


def pick(state, normal, hot, pushed, disabled):
    return (normal, hot, pushed, disabled)[state]


# ---------------------------------------------------------------- title bar buttons (15 x 15 and 16 x 16)

def title_button(d, s, fw, fh, glyph, danger=False):
    bg = pick(s, None, "#d8404f" if danger else TEAL, "#a52f3c" if danger else "#136b63", None)
    fg = pick(s, TEXT, "#ffffff", "#d9e6ea", GREY_TEXT)
    out = ""
    if bg:
        out += rect(0, 0, fw, fh, bg, rx=3)
    dy = 1 if s == PUSHED else 0
    out += f'<g transform="translate(0,{dy})">{glyph(fg, fw, fh)}</g>'
    return out


def glyph_close(fg, w, h):
    m = 4.5
    return path(f"M{m},{m} L{w - m},{h - m} M{w - m},{m} L{m},{h - m}", stroke=fg, sw=1.6)


def glyph_minimise(fg, w, h):
    return line(3.5, h / 2 + 0.5, w - 3.5, h / 2 + 0.5, fg, sw=1.6, cap="round")


def glyph_gear(fg, w, h):
    cx, cy = w / 2, h / 2
    teeth = []
    for i in range(8):
        a = math.pi * 2 * i / 8
        teeth.append(line(cx + math.cos(a) * 3.2, cy + math.sin(a) * 3.2,
                          cx + math.cos(a) * 6.0, cy + math.sin(a) * 6.0, fg, sw=2.0))
    return "".join(teeth) + circle(cx, cy, 4.0, fg) + circle(cx, cy, 1.8, "#0d1518")


def glyph_user(fg, w, h):
    cx = w / 2
    return (circle(cx, 5.0, 2.9, fg) +
            path(f"M{cx - 5.5},{h - 1.5} C{cx - 5.5},{h - 7} {cx + 5.5},{h - 7} {cx + 5.5},{h - 1.5} Z", fill=fg))


def title_strip(kind, danger=False):
    def make(r):
        d = Defs()
        fw = r["w"] // 4
        body = strip(d, fw, r["h"], 4, 1, lambda c, _: title_button(d, c, fw, r["h"], kind, danger))
        return svg(r["w"], r["h"], body, d.text())
    return make


# ---------------------------------------------------------------- round 50 x 50 action buttons

def round_button(d, s, size, accent, glyph):
    c = size / 2
    ring = pick(s, accent, "#ffffff" if accent == RED else MINT, accent, GREY)
    glow = s in (HOT, PUSHED)
    fill = d.rgrad(pick(s, "#1b2d35", "#1f3a42", "#0f1b20", "#161d20"),
                   pick(s, "#0d1519", "#0f1e23", "#081013", "#0f1416"), cy=0.35, r=0.65)
    out = ""
    if glow:
        out += circle(c, c, c - 2.5, "none", ring, sw=3, opacity=0.35, filt=d.blur(1.6))
    dy = 1 if s == PUSHED else 0
    out += circle(c, c + dy, c - 3, fill, ring, sw=2)
    out += circle(c, c + dy, c - 6.5, "none", "#ffffff", sw=1, opacity=0.06 if s != DISABLED else 0)
    out += f'<g transform="translate(0,{dy})">{glyph(d, s, c)}</g>'
    return out


def glyph_record(d, s, c):
    col = pick(s, RED, "#ff6b7d", "#d63a4e", GREY_TEXT)
    out = circle(c, c, 9, col)
    if s != DISABLED:
        out += circle(c - 2.5, c - 3, 3, "#ffffff", opacity=0.25)
    return out


def glyph_stop(d, s, c):
    col = pick(s, "#f1f5f6", "#ffffff", "#c9d3d6", GREY_TEXT)
    return rect(c - 7, c - 7, 14, 14, col, rx=2.5)


def glyph_replay(d, s, c):
    col = pick(s, CYAN, MINT, TEAL, GREY_TEXT)
    tcol = pick(s, "#e8f3f5", "#ffffff", "#b9c9ce", GREY_TEXT)
    # Turning back: a counter-clockwise arrow around the seconds.
    return arc_arrow(c, c, 12.5, 190, -290, col, 2.2, 3.6) + text(c, c + 4, "60", 11, tcol, LATIN, "bold")


def glyph_login(d, s, c):
    col = pick(s, "#eafcf9", "#ffffff", "#c3d9d6", GREY_TEXT)
    return path(f"M{c - 8},{c} L{c + 7},{c} M{c + 1},{c - 6.5} L{c + 7.5},{c} L{c + 1},{c + 6.5}",
                stroke=col, sw=2.6)


def round_strip(accent, glyph, filled=False):
    def make(r):
        d = Defs()
        fw = r["w"] // 4

        def frame(s, _):
            if filled:
                return filled_round(d, s, fw, glyph)
            return round_button(d, s, fw, accent, glyph)
        return svg(r["w"], r["h"], strip(d, fw, r["h"], 4, 1, frame), d.text())
    return make


def filled_round(d, s, size, glyph):
    c = size / 2
    top, bottom = pick(s, (CYAN, TEAL), (MINT, SKY), ("#148a80", "#0f6a62"), ("#2a3438", "#222a2d"))
    dy = 1 if s == PUSHED else 0
    out = ""
    if s == HOT:
        out += circle(c, c, c - 3, "none", MINT, sw=3, opacity=0.4, filt=d.blur(1.8))
    out += circle(c, c + dy, c - 3, d.vgrad(top, bottom), pick(s, "#5ff0e0", "#b5fff4", "#0adcc8", GREY), sw=1)
    out += f'<g transform="translate(0,{dy})">{glyph(d, s, c)}</g>'
    return out


# ---------------------------------------------------------------- rectangular buttons

def rect_button(d, s, w, h, primary, caption=None, size=13, rx=3):
    dy = 1 if s == PUSHED else 0
    out = ""
    if primary:
        top, bottom = pick(s, (CYAN2, TEAL), (MINT, SKY), ("#138077", "#0e625b"), ("#283236", "#20282b"))
        edge = pick(s, "#4fe8d8", "#c0fff6", "#0adcc8", GREY)
        if s == HOT:
            out += rect(1, 1, w - 2, h - 2, "none", MINT, rx, sw=2, opacity=0.45)
        out += box(0, 0, w, h, d.vgrad(top, bottom), edge, rx)
        out += line(rx + 1, 1.5, w - rx - 1, 1.5, "#ffffff", opacity=0.25 if s != DISABLED else 0.05)
        tcol = pick(s, "#ffffff", "#ffffff", "#d8ecea", GREY_TEXT)
    else:
        fill = pick(s, d.vgrad("#16232a", "#0f181c"), d.vgrad("#1d4a48", "#133433"),
                    d.vgrad("#070d0f", "#0c1518"), "#121819")
        edge = pick(s, TEAL, CYAN, MINT, GREY)
        out += box(0, 0, w, h, fill, edge, rx)
        tcol = pick(s, TEXT, "#ffffff", MINT, GREY_TEXT)
    if caption:
        out += text(w / 2, h / 2 + size * 0.36 + dy, caption, size, tcol, weight="normal")
    return out


def rect_strip(primary, caption=None, size=13, rx=3):
    def make(r):
        d = Defs()
        fw = r["w"] // 4
        body = strip(d, fw, r["h"], 4, 1, lambda s, _: rect_button(d, s, fw, r["h"], primary, caption, size, rx))
        return svg(r["w"], r["h"], body, d.text())
    return make


def start_button(r):
    d = Defs()
    fw, h = r["w"] // 4, r["h"]

    def frame(s, _):
        dy = 1 if s == PUSHED else 0
        top, bottom = pick(s, (MINT, TEAL), ("#6bfff0", SKY), ("#0fa89b", "#0b6f67"), ("#2a3438", "#20282b"))
        out = ""
        if s == HOT:
            out += rect(3, 3, fw - 6, h - 6, "none", MINT, 20, sw=4, opacity=0.35)
        out += rect(4.5, 4.5 + dy, fw - 9, h - 10, d.vgrad(top, bottom),
                    pick(s, "#7cfff2", "#e0fffb", CYAN, GREY), 20, 1)
        out += rect(10, 6.5 + dy, fw - 20, (h - 12) / 2 - 2, "#ffffff", rx=14,
                    opacity=0.18 if s != DISABLED else 0.03)
        tc = pick(s, "#06302c", "#042824", "#d6f5f1", GREY_TEXT)
        # Play mark and caption, centred together.
        x0 = fw / 2 - 42
        cy = h / 2 + dy
        out += path(f"M{x0},{cy - 7} L{x0 + 12},{cy} L{x0},{cy + 7} Z", fill=tc, stroke=tc, sw=1.2)
        out += text(x0 + 18, cy + 6.5, "开始录制", 18, tc, anchor="start", weight="bold")
        return out
    return svg(r["w"], h, strip(d, fw, h, 4, 1, frame), d.text())


def refresh_button(r):
    d = Defs()
    fw, h = r["w"] // 4, r["h"]

    def frame(s, _):
        out = rect_button(d, s, fw, h, False, rx=4)
        col = pick(s, CYAN, "#ffffff", MINT, GREY_TEXT)
        dy = 1 if s == PUSHED else 0
        return out + arc_arrow(fw / 2, h / 2 + dy, 5.8, 150, 285, col, 1.7, 2.8)
    return svg(r["w"], h, strip(d, fw, h, 4, 1, frame), d.text())


# ---------------------------------------------------------------- drop-downs

def dropdown(d, s, w, h, arrow_w, fill_n, rx=3, inset=False):
    # An inset drop-down sits inside a field the dialog skin already frames, so at rest it has no outline.
    edge = pick(s, fill_n if inset else "#2b434b", CYAN, MINT, GREY)
    fill = pick(s, fill_n, fill_n, "#0c181b", "#111718")
    out = box(0, 0, w, h, fill, edge, rx)
    ax = w - arrow_w
    if not (inset and s == NORMAL):
        out += line(ax + 0.5, 4, ax + 0.5, h - 4, pick(s, RULE, "#1f4d4b", "#1f5f5a", "#1a2022"))
    if s == PUSHED:
        out += rect(ax + 1, 1, arrow_w - 2, h - 2, "#12302f", rx=rx)
    col = pick(s, TEXT, MINT, MINT, GREY_TEXT)
    cx, cy = ax + arrow_w / 2, h / 2
    k = max(3, arrow_w / 8)
    out += path(f"M{cx - k},{cy - k / 2} L{cx},{cy + k / 2} L{cx + k},{cy - k / 2}", stroke=col, sw=1.8)
    return out


def dropdown_strip(arrow, fill_n, inset=False):
    def make(r):
        d = Defs()
        fw, h = r["w"] // 4, r["h"]
        aw = arrow if arrow else h
        return svg(r["w"], h, strip(d, fw, h, 4, 1, lambda s, _: dropdown(d, s, fw, h, aw, fill_n, inset=inset)),
                   d.text())
    return make


# ---------------------------------------------------------------- glyphs, scroll bar, progress bar

def glyph_strip(radio):
    def make(r):
        d = Defs()
        fw, fh = r["w"] // 4, r["h"] // 2

        def frame(s, checked):
            edge = pick(s, "#4b6670", CYAN, MINT, GREY)
            fill = pick(s, DEEP, "#0f1f22", "#12302f", "#121819")
            c = fw / 2
            if radio:
                out = circle(c, c, c - 1.5, fill, edge, sw=1.2)
                if checked:
                    dot = pick(s, CYAN, MINT, TEAL, GREY_TEXT)
                    out += circle(c, c, c - 5, dot)
                return out
            if not checked:
                return box(1, 1, fw - 2, fh - 2, fill, edge, 2.5)
            on = pick(s, CYAN, MINT, TEAL, "#2f3b40")
            out = box(1, 1, fw - 2, fh - 2, on, pick(s, CYAN, "#b5fff4", TEAL, GREY), 2.5)
            mark = pick(s, DEEP, DEEP, "#e8f7f5", "#65737a")
            out += path(f"M{3.8},{7.8} L{6.4},{10.4} L{11.4},{4.8}", stroke=mark, sw=2)
            return out
        return svg(r["w"], r["h"], strip(d, fw, fh, 4, 2, frame), d.text())
    return make


def scrollbar(r):
    d = Defs()
    cw, ch = r["w"] // 4, r["h"] // 6

    def cell(s, row):
        bg = pick(s, "#0c1417", "#0f1b1f", "#0a1114", "#0c1214")
        arrow = pick(s, "#5d7680", CYAN, MINT, GREY)
        thumb = pick(s, "#2e4a54", TEAL, CYAN, GREY)
        c = cw / 2
        if row in (0, 1):
            out = rect(0, 0, cw, ch, bg)
            if s == PUSHED:
                out += rect(1, 1, cw - 2, ch - 2, "#12302f", rx=2)
            if row == 0:
                out += path(f"M{c - 3},{ch / 2 + 1.5} L{c},{ch / 2 - 1.5} L{c + 3},{ch / 2 + 1.5}", stroke=arrow, sw=1.6)
            else:
                out += path(f"M{c - 3},{ch / 2 - 1.5} L{c},{ch / 2 + 1.5} L{c + 3},{ch / 2 - 1.5}", stroke=arrow, sw=1.6)
            return out
        if row == 2:
            return rect(0, 0, cw, ch, bg) + rect(c - 1, 0, 2, ch, pick(s, "#16232a", "#1a2d33", "#1a2d33", "#141a1c"))
        if row == 3:
            # Upper half: the thumb's rounded top; lower half: its rounded bottom.
            top = path(f"M2,{ch / 2} L2,3 Q2,1 4,1 L{cw - 4},1 Q{cw - 2},1 {cw - 2},3 L{cw - 2},{ch / 2} Z", fill=thumb)
            bot = path(f"M2,{ch / 2} L2,{ch - 3} Q2,{ch - 1} 4,{ch - 1} L{cw - 4},{ch - 1} Q{cw - 2},{ch - 1} "
                       f"{cw - 2},{ch - 3} L{cw - 2},{ch / 2} Z", fill=thumb)
            return top + bot
        if row == 4:
            g = pick(s, "#5d7a84", "#9af3e9", "#073a36", "#4a565b")
            return "".join(line(4, y + 0.5, cw - 4, y + 0.5, g) for y in (3, 5, 7))
        return rect(2, 0, cw - 4, ch, thumb)
    return svg(r["w"], r["h"], strip(d, cw, ch, 4, 6, cell), d.text())


def progress(r):
    d = Defs()
    hw, h = r["w"] // 2, r["h"]
    track = box(0, 0, hw, h, "#0a1215", "#1f3238", 3)
    fill = (rect(0, 0, hw, h, d.hgrad(TEAL, CYAN, SKY), rx=3) +
            rect(3, 1, hw - 6, 2, "#ffffff", opacity=0.28) +
            rect(0.5, 0.5, hw - 1, h - 1, "none", "#7ff5ea", 3, opacity=0.5))
    body = (f'<g clip-path="{d.clip(0, 0, hw, h)}">{track}</g>'
            f'<g clip-path="{d.clip(hw, 0, hw, h)}"><g transform="translate({hw},0)">{fill}</g></g>')
    return svg(r["w"], h, body, d.text())


# ---------------------------------------------------------------- tab buttons of the settings dialog

def tab_strip(caption):
    def make(r):
        d = Defs()
        fw, h = r["w"] // 4, r["h"]

        def frame(s, _):
            out = rect(0, 0, fw, h, BAR)
            if s == HOT:
                out += rect(0, 0, fw, h, d.hgrad("#18303a", "#112026"))
            elif s == PUSHED:
                out += rect(0, 0, fw, h, d.hgrad("#123a3a", CANVAS))
                out += rect(0, 0, 3, h, MINT)
            tc = pick(s, TEXT, "#ffffff", MINT, GREY_TEXT)
            out += text(fw / 2 + (2 if s == PUSHED else 0), h / 2 + 5, caption, 14, tc)
            return out
        return svg(r["w"], h, strip(d, fw, h, 4, 1, frame), d.text())
    return make


# ---------------------------------------------------------------- small pictures

def icon_cloud(r):
    w, h = r["w"], r["h"]
    d = Defs()
    g = d.vgrad(MINT, SKY)
    body = path("M6.5,19 C3,19 2,16.5 2,15 C2,12.5 4,11 6.2,11.2 C6.5,7.5 9.5,5.5 12.5,5.5 C15.8,5.5 18.2,8 18.5,11 "
                "C20.8,11 22.5,12.8 22.5,15 C22.5,17.3 20.7,19 18.5,19 Z", fill="none", stroke=g, sw=1.7)
    body += path("M12.2,17 L12.2,11.5 M9.7,13.8 L12.2,11.3 L14.7,13.8", stroke=g, sw=1.6)
    return svg(w, h, body, d.text())


def icon_folder(r):
    w, h = r["w"], r["h"]
    d = Defs()
    g = d.vgrad(MINT, SKY)
    body = path("M2.5,7 L2.5,19.5 L21.5,19.5 L21.5,9.5 L11.5,9.5 L9.5,7 Z", stroke=g, sw=1.7)
    body += path("M10,12.3 L10,17.2 L14.3,14.75 Z", fill=g, stroke=g, sw=1)
    return svg(w, h, body, d.text())


def icon_help(r):
    w, h = r["w"], r["h"]
    d = Defs()
    g = d.vgrad(MINT, SKY)
    body = circle(12, 12.5, 9.5, "none", g, sw=1.7)
    body += path("M9.2,10 C9.2,6.6 14.8,6.6 14.8,10 C14.8,12.3 12,12.3 12,14.6", stroke=g, sw=1.8)
    body += circle(12, 17.6, 1.2, g)
    return svg(w, h, body, d.text())


def icon_power(r):
    w, h = r["w"], r["h"]
    body = path("M5.2,4.8 A6,6 0 1 0 10.8,4.8", stroke=CYAN, sw=1.8)
    body += line(8, 1.8, 8, 8, CYAN, sw=1.8, cap="round")
    return svg(w, h, body)


def tip(r):
    w, h = r["w"], r["h"]
    d = Defs()
    # A light bubble: the screen writes black text on it. The pointer sits at the top centre, under the button.
    cx, top = w / 2, 8
    b = (f"M4.5,{top + 0.5} L{cx - 8},{top + 0.5} L{cx},{0.8} L{cx + 8},{top + 0.5} L{w - 4.5},{top + 0.5} "
         f"Q{w - 0.5},{top + 0.5} {w - 0.5},{top + 4.5} L{w - 0.5},{h - 4.5} Q{w - 0.5},{h - 0.5} {w - 4.5},{h - 0.5} "
         f"L4.5,{h - 0.5} Q0.5,{h - 0.5} 0.5,{h - 4.5} L0.5,{top + 4.5} Q0.5,{top + 0.5} 4.5,{top + 0.5} Z")
    body = path(b, fill=d.vgrad("#f2fffd", "#cdeff0"), stroke=CYAN, sw=1, join="miter")
    body += rect(6, top + 3, w - 12, 1, "#ffffff", opacity=0.8)
    return svg(w, h, body, d.text())


def user_panel(r):
    w, h = r["w"], r["h"]
    d = Defs()
    # Pointer towards the user icon (window x 424..440, panel left 405).
    px = 27
    b = (f"M3.5,8.5 L{px - 6},8.5 L{px},2.5 L{px + 6},8.5 L{w - 3.5},8.5 Q{w - 0.5},8.5 {w - 0.5},11.5 "
         f"L{w - 0.5},{h - 3.5} Q{w - 0.5},{h - 0.5} {w - 3.5},{h - 0.5} L3.5,{h - 0.5} Q0.5,{h - 0.5} 0.5,{h - 3.5} "
         f"L0.5,11.5 Q0.5,8.5 3.5,8.5 Z")
    body = path(b, fill=d.vgrad("#1b2b33", "#0e171b"), stroke="#2b434b", sw=1, join="miter")
    body += line(14, 47.5, w - 14, 47.5, RULE)
    body += line(14, 48.5, w - 14, 48.5, "#ffffff", opacity=0.04)
    return svg(w, h, body, d.text())


def shot_tip(r):
    w, h = r["w"], r["h"]
    d = Defs()
    body = box(0, 0, w, h, d.vgrad("#1d2f37", "#0d1619"), "#2b434b", 4)
    body += rect(0, 4, 3, h - 8, d.vgrad(MINT, SKY))
    # Cloud with a check mark, left of the text area (60..220).
    g = d.vgrad(MINT, SKY)
    body += '<g transform="translate(18,16) scale(1.15)">' + path(
        "M6.5,19 C3,19 2,16.5 2,15 C2,12.5 4,11 6.2,11.2 C6.5,7.5 9.5,5.5 12.5,5.5 C15.8,5.5 18.2,8 18.5,11 "
        "C20.8,11 22.5,12.8 22.5,15 C22.5,17.3 20.7,19 18.5,19 Z", stroke=g, sw=1.6) + path(
        "M8.8,13.6 L11.3,16 L15.8,11.2", stroke=MINT, sw=1.8) + "</g>"
    return svg(w, h, body, d.text())


# ---------------------------------------------------------------- window skins

def logo(d, x, y, s=1.0):
    """The program's mark: a hexagon with a play wedge."""
    g = d.vgrad(MINT, SKY)
    hexa = "M9,0.8 L16.2,5 L16.2,13 L9,17.2 L1.8,13 L1.8,5 Z"
    return (f'<g transform="translate({x},{y}) scale({s})">' + path(hexa, fill="none", stroke=g, sw=1.6) +
            path("M7,5.8 L12.6,9 L7,12.2 Z", fill=g, stroke=g, sw=1) + "</g>")


def frame_base(d, w, h, bar_h, rx=4):
    out = rect(0, 0, w, h, d.vgrad("#142128", "#0b1215"))
    out += rect(0, 0, w, bar_h, d.vgrad("#111c21", BAR))
    out += line(0, bar_h - 0.5, w, bar_h - 0.5, RULE)
    out += rect(0, 0, w, 2, d.hgrad((CYAN, 0), (CYAN, 0.9), (SKY, 0.9), (SKY, 0)))
    out += box(0, 0, w, h, "none", "#22343b", rx)
    return out


def main_background(r):
    w, h = r["w"], r["h"]
    d = Defs()
    out = frame_base(d, w, h, 36, 3)
    out += logo(d, 12, 9)
    out += text(36, 23, "Vorlix", 14, "#d8eef2", LATIN, "bold", "start", spacing=0.5)
    # Soft light behind the two action buttons and a rule between them.
    out += circle(185, 125, 46, d.rgrad((CYAN, 0.16), (CYAN, 0)))
    out += circle(365, 125, 46, d.rgrad((CYAN, 0.16), (CYAN, 0)))
    out += line(275.5, 104, 275.5, 200, d.vgrad((RULE, 0), RULE, (RULE, 0)), 1)
    out += rect(275, 104, 1, 96, d.vgrad((TEAL, 0), (TEAL, 0.6), (TEAL, 0)))
    # A faint grid gives the body some texture without competing with the controls.
    for x in range(24, w, 24):
        out += line(x + 0.5, 37, x + 0.5, 262, "#ffffff", opacity=0.018)
    for y in range(48, 262, 24):
        out += line(1, y + 0.5, w - 1, y + 0.5, "#ffffff", opacity=0.018)
    # Corner marks framing the recording area.
    for (x, y, sx, sy) in ((12, 92, 1, 1), (w - 12, 92, -1, 1), (12, 216, 1, -1), (w - 12, 216, -1, -1)):
        out += path(f"M{x + 0.5 * sx},{y + 10 * sy} L{x + 0.5 * sx},{y + 0.5 * sy} L{x + 10 * sx},{y + 0.5 * sy}",
                    stroke=TEAL, sw=1, cap="butt", join="miter", opacity=0.8)
    # Link row and status area.
    out += line(16, 82.5, w - 16, 82.5, RULE)
    out += line(16, 225.5, w - 16, 225.5, RULE)
    out += rect(1, 262, w - 2, h - 263, "#0a1114", opacity=0.55)
    out += line(1, 262.5, w - 1, 262.5, RULE)
    return svg(w, h, out, d.text())


def game_panel(r):
    w, h = r["w"], r["h"]
    d = Defs()
    out = rect(0, 0, w, h, d.vgrad("#132027", "#0b1316"))
    out += circle(w / 2, 168, 120, d.rgrad((CYAN, 0.12), (CYAN, 0)))
    out += rect(13, 28, 3, 16, d.vgrad(MINT, SKY))
    out += text(24, 41, "选择要录制的游戏", 15, "#d8eef2", anchor="start")
    out += line(13, 54.5, w - 13, 54.5, RULE)
    out += line(0, 0.5, w, 0.5, RULE)
    return svg(w, h, out, d.text())


def login_background(r):
    w, h = r["w"], r["h"]
    d = Defs()
    out = frame_base(d, w, h, 30, 5)
    out += logo(d, 12, 7, 0.9)
    out += text(33, 20, "Vorlix", 12, "#d8eef2", LATIN, "bold", "start")
    # Phone row: country code (37..93) and number (110..260) share one field; the code row below.
    out += box(33, 80, 240, 30, PANEL, "#2b434b", 3)
    out += line(101.5, 86, 101.5, 104, "#2b434b")
    out += box(33, 124, 150, 28, PANEL2, "#2b434b", 3)
    out += line(315.5, 58, 315.5, 190, d.vgrad((RULE, 0), "#2b434b", (RULE, 0)))
    out += circle(376, 120, 40, d.rgrad((CYAN, 0.18), (CYAN, 0)))
    out += text(376, 168, "登录", 13, TEXT)
    return svg(w, h, out, d.text())


def settings_background(r):
    w, h = r["w"], r["h"]
    d = Defs()
    out = frame_base(d, w, h, 31, 5)
    out += rect(1, 31, 100, h - 32, BAR)
    out += line(100.5, 31, 100.5, h - 1, RULE)
    out += box(101, 39, 390, 293, CANVAS, RULE, 3)
    out += '<g transform="translate(10,8)">' + glyph_gear(CYAN, 15, 15) + "</g>"
    return svg(w, h, out, d.text())


def update_background(r):
    w, h = r["w"], r["h"]
    d = Defs()
    out = frame_base(d, w, h, 31, 5)
    out += logo(d, 12, 7, 0.9)
    out += text(33, 21, "检查更新", 13, "#d8eef2", anchor="start")
    out += box(10, 39, w - 20, h - 49, CANVAS, RULE, 3)
    return svg(w, h, out, d.text())


def dialog_background(r):
    # Nine-grid source: thirds of 30 px. The top band is the 30 px title bar; the middle row and column
    # repeat, so they are uniform along the direction they repeat in.
    w, h = r["w"], r["h"]
    d = Defs()
    out = rect(0, 0, w, h, "#111b20")
    out += rect(0, 0, w, 30, BAR)
    out += line(0, 29.5, w, 29.5, RULE)
    out += rect(0, 0, w, 2, CYAN, opacity=0.85)
    out += box(0, 0, w, h, "none", "#22343b", 0)
    return svg(w, h, out, d.text())


DRAW = {
    3000: main_background,
    1207: title_strip(glyph_close, danger=True),
    1206: title_strip(glyph_minimise),
    1214: title_strip(glyph_gear),
    1216: title_strip(glyph_user),
    1218: round_strip(CYAN, glyph_record),
    1219: round_strip(RED, glyph_stop),
    1225: round_strip(CYAN, glyph_replay),
    1210: tip,
    1240: icon_cloud,
    1241: icon_folder,
    1242: icon_help,
    1228: progress,
    1230: rect_strip(False, "取消", 12),
    1244: game_panel,
    1238: dropdown_strip(None, DEEP),
    1231: refresh_button,
    1243: start_button,
    1229: user_panel,
    404: dialog_background,
    402: rect_strip(True),
    1209: glyph_strip(True),
    1208: glyph_strip(False),
    1239: scrollbar,
    411: login_background,
    1203: dropdown_strip(16, PANEL, inset=True),
    1205: title_strip(glyph_close, danger=True),
    1223: rect_strip(False),
    1224: round_strip(CYAN, glyph_login, filled=True),
    412: settings_background,
    1236: tab_strip("热键设置"),
    1235: tab_strip("录制设置"),
    1237: tab_strip("音频设置"),
    1234: tab_strip("检查更新"),
    1211: update_background,
    1213: icon_power,
    401: rect_strip(True),
    403: rect_strip(False),
    1222: shot_tip,
}


def program_icon(size):
    """The program icon at one size; small sizes get heavier strokes so they stay readable."""
    d = Defs()
    k = size / 18.0
    sw = 1.6 if size >= 48 else (2.0 if size >= 24 else 2.3)
    g = d.vgrad(MINT, SKY)
    body = rect(0, 0, size, size, d.vgrad("#18303a", DEEP), rx=size * 0.2)
    inner = (path("M9,1.6 L15.6,5.4 L15.6,12.6 L9,16.4 L2.4,12.6 L2.4,5.4 Z", stroke=g, sw=sw) +
             path("M7,5.6 L12.8,9 L7,12.4 Z", fill=g, stroke=g, sw=0.8))
    m = 0.12 if size >= 32 else 0.06
    sc = (1 - 2 * m) * k
    body += f'<g transform="translate({size * m},{size * m}) scale({sc})">{inner}</g>'
    return svg(size, size, body, d.text())


KIND = {
    "single": "one picture",
    "states": "4 frames side by side: normal, hot, pushed, disabled",
    "halves": "2 halves: track (left), fill (right)",
    "glyphs": "4 state frames; top row unchecked, bottom row checked",
    "scrollbar": "4 state columns × 6 part rows",
}


def frame_text(r):
    fw, fh = r["w"] // r["cols"], r["h"] // r["rows"]
    if r["cols"] == 1 and r["rows"] == 1:
        return "1"
    return f"{r['cols']} × {r['rows']} of {fw} × {fh}"


def write_rc(path_rc):
    lines = [
        "// Generated by resources/skin/generate from resources/skin/skin.tsv; edit those, not this file.",
        "// The skin's resources: PNG images by id, the program icon, the tray menu and the empty dialog templates.",
        "",
        "// Images are looked up by numeric id and the resource type \"PNG\".",
    ]
    for r in load_table():
        lines.append(f'{r["id"]} PNG "skin/png/{r["id"]}.png"')
    lines += [
        "",
        'IDI_VORLIX ICON "skin/vorlix.ico"',
        "",
        "IDR_TRAY_MENU MENU",
        "BEGIN",
        '  POPUP "tray"',
        "  BEGIN",
        '    MENUITEM "显示/隐藏 主面板", ID_TRAY_SHOW_HIDE',
        '    MENUITEM "退出", ID_TRAY_EXIT',
        "  END",
        "END",
        "",
        "// Empty templates: the dialogs build their controls in code. 203 serves the message box, the quit",
        "// confirmation and the clip tip; 206 the login dialog; 205 the update page, a child of the settings dialog.",
        "IDD_EMPTY_203 DIALOGEX 0, 0, 200, 100",
        "STYLE WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS",
        "BEGIN",
        "END",
        "",
        "IDD_EMPTY_205 DIALOGEX 0, 0, 260, 180",
        "STYLE WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS",
        "BEGIN",
        "END",
        "",
        "IDD_EMPTY_206 DIALOGEX 0, 0, 306, 160",
        "STYLE WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS",
        "BEGIN",
        "END",
        "",
    ]
    with open(path_rc, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


def write_doc(path_md):
    out = [
        "# Skin resources",
        "",
        "Generated by `resources/skin/generate` from `skin.tsv` (the list the resource script and the size test",
        "read too) and `skin.py` (how each image is drawn). Do not edit this file by hand.",
        "",
        "Images are PNG resources (type `PNG`, numeric id) in `Vorlix.exe`. A button strip holds four frames",
        "side by side (normal, hot, pushed, disabled); a checked tab or option button is drawn with its pushed",
        "frame. Check and radio strips add a second row for the checked state. Colours: text #9abecc, accents",
        "#0adcc8 / #09d8c3 / #1c998d / #00ffdd / #1acef5 / #3dcbff, panels #1a2730 / #1a2227 / #0a1012,",
        "rules #1c282b. `contact-sheet.png` shows every image with its id (small ones also magnified).",
        "",
        "Every frame is drawn to look right at 1:1, which is how the screens place them (a 50 × 50 frame in a",
        "50 × 50 button). A nine-grid of equal thirds leaves out the last `size mod 3` pixels and stretches the",
        "middle instead, so frames whose size is not a multiple of 3 are best drawn 1:1 when the target has the",
        "frame's size. 404 is the one image meant to be stretched: its thirds are 30 px, the top band being the",
        "30 px title bar, and its middle row and column are uniform so they repeat cleanly.",
        "",
        "| Id | Size | Frames | Layout | Where used |",
        "|---|---|---|---|---|",
    ]
    for r in load_table():
        out.append(f"| {r['id']} | {r['w']} × {r['h']} | {frame_text(r)} | {KIND[r['layout']]} | {r['used']} |")
    out += [
        "",
        "Other resources of the skin (in `resources/skin.rc`):",
        "",
        "| Id | Kind | Content |",
        "|---|---|---|",
        "| 128 | icon | `vorlix.ico`: 16, 24, 32, 48 and 256 pixels (256 stored as PNG) |",
        "| 201 | menu | tray popup: \"显示/隐藏 主面板\" (2100), \"退出\" (2101) |",
        "| 203 | dialog | empty popup template: message box, quit confirmation, clip tip |",
        "| 205 | dialog | empty child template: update page |",
        "| 206 | dialog | empty popup template: login dialog |",
        "",
        "Sound cues (copied to `audio/` beside the program): `record_start.wav` (rising two-note chime),",
        "`record_stop.wav` (falling two-note chime), `record_creating.wav` (quick double tick and a high ping);",
        "16-bit mono PCM at 44.1 kHz, each well under half a second.",
        "",
    ]
    with open(path_md, "w", encoding="utf-8") as f:
        f.write("\n".join(out))


def main():
    cmd, target = sys.argv[1], (sys.argv[2] if len(sys.argv) > 2 else None)
    table = load_table()
    if cmd == "svg":
        missing = [r["id"] for r in table if r["id"] not in DRAW]
        if missing:
            sys.exit(f"no drawing for {missing}")
        for r in table:
            with open(os.path.join(target, f"{r['id']}.svg"), "w", encoding="utf-8") as f:
                f.write(DRAW[r["id"]](r))
        for size in (16, 24, 32, 48, 256):
            with open(os.path.join(target, f"icon-{size}.svg"), "w", encoding="utf-8") as f:
                f.write(program_icon(size))
    elif cmd == "rc":
        write_rc(target)
    elif cmd == "doc":
        write_doc(target)
    elif cmd == "list":
        for r in table:
            print(r["id"], r["w"], r["h"], r["cols"], r["rows"])


if __name__ == "__main__":
    main()
