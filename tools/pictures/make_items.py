#!/usr/bin/env python3
"""Writes the vector drawings of the weapon and equipment pictures.

Every item is a side view (front view for the vest, goggles, shield and bomb) drawn
directly in the 205 x 65 pixel frame of the picture: the drawing sits in the upper
48 pixels, the label in the strip below it. The label written here is the item's
default; build.sh replaces it with the label that pictures.tsv gives each picture.

Usage: make_items.py [output folder]   (default: items/ beside this script)
"""

import os
import sys

BG = "#f3efe4"        # light background
FRAME = "#d3cbb4"     # thin frame around the picture
DARK = "#2c3035"      # metal and polymer
MID = "#5b636b"       # translucent magazines, second pistol, minor parts
LINE = "#8d949b"      # detail lines drawn over dark parts
WOOD = "#7b4f2c"      # wooden furniture
WOOD_DARK = "#5c3a20"
OLIVE = "#56653f"     # sniper stock, grenade body
STEEL = "#9aa2aa"     # knife blade
KHAKI = "#a8925d"     # explosive blocks

HEADER = (
    '<svg xmlns="http://www.w3.org/2000/svg" width="205" height="65" viewBox="0 0 205 65">\n'
    f'<rect x="0" y="0" width="205" height="65" fill="{BG}"/>\n'
    f'<rect x="0.5" y="0.5" width="204" height="64" rx="3" fill="none" stroke="{FRAME}"/>\n'
)
LABEL = (
    '<text id="label" x="102.5" y="60" text-anchor="middle" '
    'font-family="DejaVu Sans Condensed" font-weight="bold" font-size="11.5" '
    f'fill="{DARK}">{{label}}</text>\n'
)


def p(d, fill=DARK, extra=""):
    """A filled path."""
    return f'<path d="{d}" fill="{fill}"{extra}/>\n'


def hole(outer, inner, fill=DARK):
    """A filled outline with a cut-out (thumbhole, skeleton stock, handle window)."""
    return f'<path d="{outer} {inner}" fill="{fill}" fill-rule="evenodd"/>\n'


def s(d, width=2.2, color=DARK, cap="round"):
    """A stroked, unfilled path (trigger guards, wire stocks, straps)."""
    return (f'<path d="{d}" fill="none" stroke="{color}" stroke-width="{width}" '
            f'stroke-linecap="{cap}" stroke-linejoin="round"/>\n')


def detail(d, width=1.0, color=LINE):
    """A thin light line over a dark part: seams, ports, grooves."""
    return s(d, width, color, "butt")


def circle(cx, cy, r, fill=DARK, stroke=None, width=0):
    extra = f' stroke="{stroke}" stroke-width="{width}"' if stroke else ""
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}"{extra}/>\n'


def text(x, y, t, size, fill, anchor="middle"):
    return (f'<text x="{x}" y="{y}" text-anchor="{anchor}" font-family="DejaVu Sans" '
            f'font-weight="bold" font-size="{size}" fill="{fill}">{t}</text>\n')


def group(body, transform):
    return f'<g transform="{transform}">\n{body}</g>\n'


# ---------------------------------------------------------------- common parts

def trigger_guard(x0, x1, y, depth=6):
    """A rounded trigger guard hanging under the frame from x0 to x1, with the trigger."""
    return (s(f"M{x0},{y} Q{x0 + 0.5},{y + depth} {x0 + 5},{y + depth} "
              f"L{x1 - 2},{y + depth} L{x1},{y}", 2.0)
            + s(f"M{x0 + 6},{y} Q{x0 + 7},{y + depth * 0.6} {x0 + 5},{y + depth * 0.75}", 1.6))


def scope(x0, x1, y, h=5.0, bell=3.0, eye=10, obj=12, mounts=()):
    """A telescopic sight lying on top of a rifle: tube from x0 to x1, centre line y."""
    top, bot = y - h / 2, y + h / 2
    out = p(f"M{x0},{top} L{x1},{top} L{x1},{bot} L{x0},{bot} Z")
    out += p(f"M{x0 - eye + 2},{top - bell + 1.5} L{x0 + 2},{top - 0.5} L{x0 + 2},{bot + 0.5} "
             f"L{x0 - eye + 2},{bot + bell - 1.5} Z")
    out += p(f"M{x1 - 2},{top - 0.5} L{x1 + obj - 4},{top - bell} L{x1 + obj},{top - bell} "
             f"L{x1 + obj},{bot + bell} L{x1 + obj - 4},{bot + bell} L{x1 - 2},{bot + 0.5} Z")
    mid = (x0 + x1) / 2
    out += p(f"M{mid - 3},{top - 3} L{mid + 3},{top - 3} L{mid + 3},{top} L{mid - 3},{top} Z")
    for mx, low in mounts:
        out += p(f"M{mx - 2.5},{bot} L{mx + 2.5},{bot} L{mx + 3.5},{low} L{mx - 3.5},{low} Z")
    out += detail(f"M{x0 + 3},{top + 1.3} L{x1 - 3},{top + 1.3}", 0.8)
    return out


def curved_mag(x, y, w=11, drop=20, sweep=9, fill=DARK):
    """A curved box magazine hanging from (x, y), sweeping forward by `sweep`."""
    return p(f"M{x},{y} L{x + w},{y} Q{x + w + 2},{y + drop * 0.5} {x + w + sweep},{y + drop * 0.85} "
             f"L{x + sweep + 1},{y + drop * 1.05} Q{x + 4},{y + drop * 0.6} {x},{y} Z", fill)


def straight_mag(x, y, w=11, drop=18, lean=1.5, fill=DARK):
    return p(f"M{x},{y} L{x + w},{y} L{x + w + lean},{y + drop} L{x + lean},{y + drop} Z", fill)


def grip(x, y, w=8, drop=15, lean=5, fill=DARK):
    """A pistol grip under a rifle receiver, raked back by `lean`."""
    return p(f"M{x},{y} L{x + w},{y} L{x + w - lean},{y + drop} Q{x + w - lean - 0.5},{y + drop + 1.2} "
             f"{x + w - lean - 2},{y + drop + 1.2} L{x - lean - 1},{y + drop} Z", fill)


def skeleton_stock(x_front, top_front, bot_front, top_back, bot_back, x_back=9, bar=5, fill=DARK):
    """A tubular folding stock drawn as a frame with an opening."""
    outer = (f"M{x_front},{top_front} L{x_back + 3},{top_back} Q{x_back},{top_back} {x_back},{top_back + 3} "
             f"L{x_back},{bot_back - 2} Q{x_back},{bot_back + 0.5} {x_back + 3},{bot_back} "
             f"L{x_front},{bot_front} Z")
    inner = (f"M{x_front - 4},{top_front + 3} L{x_back + bar + 1},{top_back + 3.5} "
             f"L{x_back + bar + 1},{bot_back - 3.5} L{x_front - 4},{bot_front - 3} Z")
    return hole(outer, inner, fill)


# ---------------------------------------------------------------- rifles

def ak47():
    o = p("M53,17.5 L11,22.5 Q8.5,23 8.5,25.5 L8.5,34.5 Q8.5,37 11,36.5 L53,27 Z", WOOD)
    o += detail("M11.5,23.2 L11.5,36", 1.4, WOOD_DARK)
    o += p("M50,18 Q50,15.5 53,15.5 L112,15.5 L112,27 L50,27 Z")
    o += detail("M86,18.5 L104,18.5 M58,24 L108,24", 0.9)
    o += p("M108,12.5 L117,12.5 L118,15.5 L108,15.5 Z")
    o += p("M118,14 L141,14 L141,18.5 L118,18.5 Z", WOOD)
    o += p("M141,14.8 L153,14.8 L153,18 L141,18 Z")
    o += p("M150,13.5 L155,13.5 L155,23.5 L150,23.5 Z")
    o += p("M112,19 L139,19 Q143.5,23.5 139,28.5 L112,28.5 Z", WOOD)
    o += p("M139,20 L186,20 L186,23 L139,23 Z")
    o += p("M177,20 L178.5,12.5 L182.5,12.5 L184,20 Z")
    o += p("M185,18.8 L194,18.8 L194,24.2 L185,24.2 Z")
    o += grip(66, 27, 8, 15, 6, WOOD_DARK)
    o += trigger_guard(74, 88, 27, 6)
    o += curved_mag(89, 27, 11, 20, 10)
    o += detail("M93,30 L100,30", 0.9)
    return o


def galil():
    o = skeleton_stock(50, 17.5, 27, 19.5, 35.5)
    o += p("M48,18 Q48,15.5 51,15.5 L112,15.5 L112,27 L48,27 Z")
    o += detail("M84,18.5 L103,18.5", 0.9)
    o += p("M112,13 L150,13 L150,15.5 L112,15.5 Z")
    o += p("M112,15.5 L145,15.5 Q149,21.5 145,28.5 L112,28.5 Z", MID)
    for x in range(118, 142, 6):
        o += detail(f"M{x},18.5 L{x},25.5", 1.4, DARK)
    o += p("M145,20 L182,20 L182,23 L145,23 Z")
    o += p("M170,20 L171.5,10.5 L176.5,10.5 L178,20 Z")
    o += p("M180,18.5 L191,18.5 L191,24.5 L180,24.5 Z")
    o += p("M64,10.5 L70,10.5 L71,15.5 L63,15.5 Z")
    o += grip(66, 27, 8, 15, 6)
    o += trigger_guard(74, 88, 27, 6)
    o += curved_mag(89, 27, 11, 17, 8)
    return o


def m4a1():
    o = p("M12,14.5 L40,17 L40,30.5 L14,36 Q10,36.8 10,33 L10,17 Q10,14.5 12,14.5 Z")
    o += detail("M14,16.5 L14,34.5", 1.2)
    o += p("M38,18.5 L56,18.5 L56,24 L38,24 Z")
    o += p("M52,15 L110,15 L110,23 L52,23 Z")
    o += p("M56,23 L104,23 L101,30 L61,30 Z")
    o += hole("M57,15 L60,7 L96,7 L98,15 Z", "M64,9.7 L91,9.7 L91,12.8 L64,12.8 Z")
    o += detail("M78,17.5 L96,17.5 L96,21 L78,21 Z", 0.9)
    o += p("M110,14.5 L146,14.5 Q148.5,14.5 148.5,17 L148.5,25 Q148.5,27.5 146,27.5 L110,27.5 Z")
    for x in range(116, 145, 5):
        o += detail(f"M{x},17.5 L{x},24.5", 1.1)
    o += p("M146,21 L149,7.5 L153,7.5 L155.5,21 Z")
    o += p("M148,19 L180,19 L180,22.5 L148,22.5 Z")
    o += p("M179,17.8 L190,17.8 L190,23.7 L179,23.7 Z")
    o += detail("M182,19.3 L188,19.3 M182,22.2 L188,22.2", 0.8)
    o += grip(65, 30, 8, 13, 5)
    o += trigger_guard(73, 84, 30, 5)
    o += p("M84,30 L96,30 Q97,38 99.5,46 L87.5,47.5 Q86,38 84,30 Z")
    return o


def sg552():
    o = skeleton_stock(48, 17, 27, 16, 35.5)
    o += p("M46,15 L120,15 L120,27 L46,27 Z")
    o += detail("M52,24 L116,24", 0.9)
    o += scope(66, 100, 8.5, 5, 2.5, 8, 9, ((72, 15), (94, 15)))
    o += p("M120,13.5 L146,13.5 L146,16 L120,16 Z")
    o += p("M120,16 L149,16 Q152,21.5 149,27.5 L120,27.5 Z")
    for x in range(125, 147, 5):
        o += detail(f"M{x},19 L{x},24.5", 1.1)
    o += p("M140,13.5 L141.5,8 L144.5,8 L146,13.5 Z")
    o += p("M149,19.5 L178,19.5 L178,22.5 L149,22.5 Z")
    o += p("M176,18 L186,18 L186,24 L176,24 Z")
    o += grip(64, 27, 8, 15, 6)
    o += trigger_guard(72, 84, 27, 6)
    o += curved_mag(85, 27, 12, 18, 7, MID)
    o += detail("M89,31 L97,31 M90,35 L98.5,35", 0.9, DARK)
    return o


def aug():
    o = p("M8,21 Q8,17.5 13,17 L40,16.5 L118,16.5 L124,19 L124,27.5 L84,27.5 L79,32.5 "
          "Q60,34.5 40,34.5 L16,34.5 Q8,34.5 8,29 Z")
    o += detail("M12.5,18 L12.5,33.5", 1.2)
    o += detail("M40,22 L70,22", 1.0)
    o += s("M81,30 L81,41 Q81,43.5 83.5,43.5 L113,43.5 Q116.5,43.5 117,40 L119,27.5", 2.4)
    o += p("M86,27 L95,27 L92.5,41 L84.5,41 Z")
    o += s("M97,28 Q98.5,32 97,35", 1.6)
    o += p("M60,33.5 L73,33.5 L72.5,46 L61,46 Z", MID)
    o += detail("M63,37 L70.5,37 M63,41 L70.5,41", 0.9, DARK)
    o += scope(76, 116, 9, 5.5, 2.5, 8, 9, ())
    o += p("M76,16.5 L79,11.5 L85,11.5 L87,16.5 Z")
    o += p("M106,16.5 L108,11.5 L114,11.5 L117,16.5 Z")
    o += p("M124,19.5 L184,19.5 L184,22.5 L124,22.5 Z")
    o += p("M128,21 L134,21 L133,37 Q133,38.5 131.5,38.5 L130,38.5 Q128.5,38.5 128.5,37 Z")
    o += p("M182,18 L192,18 L192,24 L182,24 Z")
    return o


def famas():
    o = p("M9,18 L34,15.5 L130,15.5 Q136,15.5 140,19 L140,28 L106,28 L92,29 L62,29 L60,31 "
          "L40,31 L37,29.5 L12,32.5 Q9,32.5 9,29.5 Z")
    o += detail("M12,18.5 L12,31", 1.2)
    o += hole("M34,15.5 L38,5.5 L126,5.5 Q129.5,5.5 129.5,9 L126,15.5 Z",
              "M44,9.5 L121,9.5 L119.5,15.5 L45.5,15.5 Z")
    o += detail("M60,7.5 L112,7.5", 0.9)
    o += p("M44,31 L58,31 L57,44 L45,44 Z")
    o += detail("M47,34.5 L55.5,34.5", 0.9)
    o += p("M94,28 L103,28 L100,43 Q99.5,44.5 98,44.5 L92,43.5 Z")
    o += s("M103,29 Q115,31 111,42 L100,43.5", 2.2)
    o += s("M106,29.5 Q107.5,33 106,36", 1.5)
    o += p("M140,20 L182,20 L182,23 L140,23 Z")
    o += p("M180,18.5 L189,18.5 L189,24.5 L180,24.5 Z")
    return o


def scout():
    o = p("M10,19.5 L54,18.5 L64,21 L126,21 L126,27 Q126,28.5 124,28.5 L72,29.5 Q66,30 64,34 "
          "Q62,38.5 58,38.5 Q55,38.5 54.5,35 L52,30 L12,34.5 Q9,35 9,32 L9,21.5 Q9,19.5 10,19.5 Z")
    o += detail("M12.5,20.5 L12.5,33.5", 1.2)
    o += p("M56,16 L100,16 L100,21.5 L56,21.5 Z")
    o += p("M100,18 L190,18 L190,20.6 L100,20.6 Z")
    o += p("M186,17.2 L191,17.2 L191,21.4 L186,21.4 Z")
    o += scope(64, 108, 10, 4.5, 2.5, 9, 10, ((72, 16), (98, 16)))
    o += p("M66,20 L70,20 Q74,25 73,28 Q72,29.8 70.2,28.8 Q69,26 66,23 Z")
    o += s("M72,29.3 Q72.5,34.5 78,34.3 L84,34.3 L86,29", 1.9)
    o += p("M88,28.8 L98,28.6 L98,32.5 L88,32.7 Z")
    o += s("M120,27 L120,30", 1.6)
    return o


def awp():
    o = hole("M9,15.5 L40,15 L58,20 L132,20 L132,28 Q132,30 130,30 L70,30 L64.5,32 L62.5,43 "
             "Q62,45 59.5,45 L54.5,45 Q52,45 52,43 L51,34 L40,34 L12,37 Q9,37 9,34 Z",
             "M37,21.5 Q37,19.8 39,20 L49,22 Q51.5,22.5 51.5,25 L51.5,28 Q51.5,30 49.5,30 L39,30 "
             "Q37,30 37,28 Z", OLIVE)
    o += p("M8,15.5 L12,15.3 L12,37 L8,37.3 Z")
    o += detail("M70,25 L128,25", 1.0, "#6f7f56")
    o += p("M58,15 L108,15 L108,20 L58,20 Z")
    o += p("M108,18.5 L186,18.5 L186,22 L108,22 Z")
    o += p("M184,16.5 L196,16.5 L196,24 L184,24 Z")
    o += detail("M188,17.5 L188,23 M192,17.5 L192,23", 1.0)
    o += scope(66, 112, 9, 6, 3, 11, 13, ((74, 15), (102, 15)))
    o += p("M76,19.5 L80,19.5 Q85,25 84.5,28.5 Q83.8,30.8 81.5,29.8 Q80.5,26 76,23 Z")
    o += p("M86,30 L99,30 L99,38 L86,38 Z")
    o += s("M64.5,32.5 Q72,31.5 74.5,35 Q72.5,38.5 65,38", 1.9)
    return o


def g3sg1():
    o = p("M9,16 L47,17 L52,18 L52,27 L46,28 L12,35 Q9,35.5 9,32 Z")
    o += p("M20,16.5 L22,12.5 L43,13 L44.5,17 Z")
    o += detail("M12.5,17 L12.5,34", 1.2)
    o += p("M50,15.5 L128,15.5 L128,27 L50,27 Z")
    o += detail("M56,24 L124,24 M84,18.5 L104,18.5", 0.9)
    o += p("M54,11.5 L62,11.5 L62,15.5 L54,15.5 Z")
    o += p("M128,12.5 L156,12.5 L156,15.5 L128,15.5 Z")
    o += p("M128,15.5 L160,15.5 Q163.5,21.5 160,28.5 L128,28.5 Z")
    for x in range(133, 158, 5):
        o += detail(f"M{x},19 L{x},25.5", 1.3)
    o += p("M157,9.5 L163,9.5 L163,15.5 L157,15.5 Z")
    o += p("M160,19 L188,19 L188,22 L160,22 Z")
    o += p("M186,17.5 L196,17.5 L196,23.5 L186,23.5 Z")
    o += scope(72, 112, 7.5, 4.5, 2.5, 9, 10, ())
    o += p("M82,10 L106,10 L106,15.5 L82,15.5 Z")
    o += grip(66, 27, 8, 15, 6)
    o += trigger_guard(74, 90, 27, 6)
    o += straight_mag(95, 27, 11, 17, 1)
    return o


def sg550():
    o = skeleton_stock(48, 16, 27, 14.5, 35.5)
    o += p("M17,14.8 L19,10.5 L42,11.5 L43,16 Z")
    o += p("M46,15.5 L124,15.5 L124,27 L46,27 Z")
    o += detail("M52,24 L120,24", 0.9)
    o += scope(68, 108, 7.5, 4.5, 2.5, 9, 11, ((76, 15.5), (100, 15.5)))
    o += p("M124,16 L157,16 Q160,21.5 157,27 L124,27 Z")
    for x in range(129, 155, 5):
        o += detail(f"M{x},19 L{x},24.5", 1.2)
    o += p("M157,19.5 L190,19.5 L190,22.5 L157,22.5 Z")
    o += p("M188,18 L196,18 L196,24 L188,24 Z")
    o += s("M150,26.5 L141,44.5", 2.2)
    o += s("M152,26.5 L162,44.5", 2.2)
    o += grip(64, 27, 8, 15, 6)
    o += trigger_guard(72, 84, 27, 6)
    o += curved_mag(86, 27, 11, 18, 6, MID)
    o += detail("M90,31 L97.5,31 M91,35 L99,35", 0.9, DARK)
    return o


def m249():
    o = p("M11,15 L46,17 L46,29 L12,36 Q9,36.5 9,33 L9,17 Q9,15 11,15 Z")
    o += detail("M13,16.5 L13,34.5", 1.2)
    o += p("M44,14 L128,14 L128,29 L44,29 Z")
    o += p("M68,11 L124,11 L128,14 L66,14 Z")
    o += detail("M70,16.5 L124,16.5 M50,25.5 L124,25.5", 0.9)
    o += grip(56, 29, 8, 13, 5)
    o += trigger_guard(64, 74, 29, 5)
    o += p("M77,29 L109,29 L109,46 L77,46 Z")
    o += detail("M80,33 L106,33 M80,42 L106,42", 0.9)
    o += p("M128,16 L156,16 L156,28 L128,28 Z")
    for x in range(133, 154, 5):
        o += detail(f"M{x},19 L{x},25", 1.2)
    o += hole("M131,16 L133.5,7.5 L150.5,7.5 L153,16 Z", "M137,11 L147,11 L148.5,16 L135.5,16 Z")
    o += p("M156,19 L188,19 L188,22.5 L156,22.5 Z")
    o += p("M186,17.5 L196,17.5 L196,24 L186,24 Z")
    o += p("M181,11 L185,11 L186,19 L180,19 Z")
    o += s("M164,22 L156,45", 2.4)
    o += s("M166,22 L176,45", 2.4)
    return o


# ---------------------------------------------------------------- sub-machine guns

def mp5():
    o = p("M12,15 L48,18 L48,28 L14,36 Q10,37 10,33 L10,17 Q10,15 12,15 Z")
    o += detail("M14,16.5 L14,34.5", 1.2)
    o += p("M46,17 Q46,15 48,15 L128,15 Q130,15 130,17 L130,26 L46,26 Z")
    o += detail("M52,22.5 L108,22.5 M84,18 L100,18", 0.9)
    o += p("M53,10 L64,10 L64,15 L53,15 Z")
    o += p("M104,12 L136,12 L136,15 L104,15 Z")
    o += p("M114,9 L118,9 L119.5,12 L112.5,12 Z")
    o += hole("M131,12 a5,5 0 1,0 10,0 a5,5 0 1,0 -10,0 Z", "M133.6,12 a2.4,2.4 0 1,0 4.8,0 a2.4,2.4 0 1,0 -4.8,0 Z")
    o += p("M112,18 L140,18 Q143,18 143,21 L143,28 Q143,31 140,31 L112,31 Z")
    for x in range(117, 140, 5):
        o += detail(f"M{x},21 L{x},28", 1.2)
    o += p("M140,20 L158,20 L158,23.5 L140,23.5 Z")
    o += p("M151,18.8 L158,18.8 L158,24.7 L151,24.7 Z")
    o += grip(68, 26, 10, 15, 5)
    o += trigger_guard(78, 90, 26, 5.5)
    o += curved_mag(92, 26, 10, 20, 9)
    return o


def ump45():
    o = skeleton_stock(50, 17, 28, 16, 35.5)
    o += p("M48,14 L140,14 L144,17 L144,28 L140,30 L48,30 Z")
    o += detail("M54,25.5 L138,25.5 M92,18 L112,18", 0.9)
    o += p("M58,11.5 L132,11.5 L132,14 L58,14 Z")
    o += detail("M62,12.7 L128,12.7", 1.2, BG)
    o += p("M133,7.5 L137,7.5 L138.5,11.5 L131.5,11.5 Z")
    o += p("M144,19.5 L160,19.5 L160,23.5 L144,23.5 Z")
    o += grip(64, 30, 11, 14, 5)
    o += trigger_guard(75, 90, 30, 6)
    o += straight_mag(96, 30, 11, 16, 2)
    return o


def p90():
    o = hole("M30,26 Q30,15 42,15 L140,15 Q150,15 154,20 L160,23.5 L160,30 Q156,33 148,33 L138,33 "
             "Q136,44 126,44 L112,44 Q104,44 102,37 L94,37 Q90,46 80,46 L46,46 Q30,46 30,34 Z",
             "M52,27 Q52,24.5 55,24.5 L76,24.5 Q82,24.5 81,30 Q80,36 74,36 L56,36 Q52,36 52,33 Z "
             "M113,25 Q111,25 111,27.5 L111,34 Q111,37.5 114.5,37.5 L123,37.5 Q127.5,37.5 127.5,33 "
             "L127.5,27.5 Q127.5,25 125,25 Z")
    o += detail("M36,20 L36,40", 1.2)
    o += p("M42,9 L146,9 Q150,9 150,12 L150,15 L42,15 Z", MID)
    o += detail("M46,12 L146,12", 0.9, DARK)
    o += p("M116,3.5 L137,3.5 L140,9 L113,9 Z")
    o += p("M160,25 L177,25 L177,29 L160,29 Z")
    o += s("M117,25 Q120,29 118,32", 1.6, BG)
    return o


def mac10():
    o = s("M62,19 L25,19 L25,33.5 L62,27", 2.6, DARK, "butt")
    o += p("M20,16.5 L25,16.5 L25,35.5 L20,35.5 Z")
    o += p("M62,15 L132,15 L132,29 L62,29 Z")
    o += detail("M68,25.5 L128,25.5 M100,18 L118,18", 0.9)
    o += p("M108,11 L115,11 L115,15 L108,15 Z")
    o += p("M132,18.5 L147,18.5 L147,24.5 L132,24.5 Z")
    o += detail("M137,18.5 L137,24.5 M141,18.5 L141,24.5", 0.9)
    o += p("M86,29 L98,29 L96.5,44 L84.5,44 Z")
    o += p("M85,44 L96.5,44 L96.5,48 L85,48 Z", MID)
    o += trigger_guard(98, 112, 29, 6)
    return o


def tmp():
    o = p("M50,16 Q50,13 53,13 L112,13 L118,16 L118,29 L50,29 Z")
    o += detail("M56,25.5 L114,25.5 M86,16.5 L104,16.5", 0.9)
    o += p("M54,10 L62,10 L62,13 L54,13 Z")
    o += p("M70,29 L82,29 L80,44 L68,44 Z")
    o += p("M68.5,44 L80,44 L80,48 L68.5,48 Z", MID)
    o += trigger_guard(82, 98, 29, 6)
    o += p("M104,29 L112,29 L111,42 Q111,44 109,44 L105,44 Q103,44 103,42 Z")
    o += p("M118,16.5 L176,16.5 Q178,16.5 178,18.5 L178,25.5 Q178,27.5 176,27.5 L118,27.5 Z")
    o += detail("M124,16.5 L124,27.5 M170,16.5 L170,27.5", 1.0)
    return o


# ---------------------------------------------------------------- shotguns

def m3():
    o = p("M11,16 L52,18 L58,20 L58,28 L52,28 L55.5,40 Q56,42 53.5,42 L48,42 L44,30.5 "
          "L12,35 Q9,35.5 9,32 L9,18 Q9,16 11,16 Z")
    o += detail("M13,17.5 L13,33.5", 1.2)
    o += p("M56,15 L96,15 L96,28 L56,28 Z")
    o += detail("M62,25 L92,25 M70,18 L88,18", 0.9)
    o += trigger_guard(60, 72, 28, 5)
    o += p("M96,16 L192,16 L192,19.5 L96,19.5 Z")
    o += p("M96,20.5 L166,20.5 L166,25 L96,25 Z")
    o += p("M164,19.5 L170,19.5 L170,26 L164,26 Z")
    o += p("M114,19.5 L150,19.5 Q152.5,19.5 152.5,22 L152.5,27 Q152.5,29.8 150,29.8 L114,29.8 "
           "Q111.5,29.8 111.5,27 L111.5,22 Q111.5,19.5 114,19.5 Z")
    for x in range(117, 150, 4):
        o += detail(f"M{x},22 L{x},27.5", 1.2)
    o += p("M188,13.5 L190.5,13.5 L190.5,16 L188,16 Z")
    o += p("M86,11.5 L93,11.5 L93,15 L86,15 Z")
    return o


def xm1014():
    o = skeleton_stock(50, 17, 28, 15, 35.5)
    o += p("M48,15 L98,15 L98,28 L48,28 Z")
    o += detail("M54,25 L94,25 M66,18 L86,18", 0.9)
    o += hole("M82,9.5 L92,9.5 L93.5,15 L80.5,15 Z", "M85.2,11.5 L88.8,11.5 L88.8,13.5 L85.2,13.5 Z")
    o += grip(56, 28, 9, 14, 5)
    o += trigger_guard(65, 78, 28, 5.5)
    o += p("M98,16 L190,16 L190,19.5 L98,19.5 Z")
    o += p("M98,20.5 L168,20.5 L168,25 L98,25 Z")
    o += p("M98,19.5 L140,19.5 Q142.5,19.5 142.5,22 L142.5,26 Q142.5,28.5 140,28.5 L98,28.5 Z")
    o += p("M166,19.5 L171,19.5 L171,26 L166,26 Z")
    o += p("M183.5,11 L187.5,11 L188.5,16 L182.5,16 Z")
    return o


# ---------------------------------------------------------------- pistols

def glock18():
    o = p("M60,9 Q60,7.5 61.5,7.5 L143,7.5 Q144.5,7.5 144.5,9 L144.5,19.5 L60,19.5 Z")
    for x in range(64, 76, 3):
        o += detail(f"M{x},9.5 L{x},17.5", 1.0)
    o += detail("M98,10.5 L116,10.5", 1.0)
    o += p("M78,19.5 L144,19.5 L144,25 L92,25 Z")
    o += p("M64,19.5 L93,19.5 L91,25 L84,47 Q83.5,48 82,48 L61,47.5 Q59.5,47.2 60,45.5 L67,24 Z")
    o += detail("M71,29 L84,29.5 M68,37 L81,37.5", 0.9)
    o += s("M92,25 L94.5,33.5 L109,33.5 L111,25", 2.2)
    o += s("M99,25 L100,31", 1.8)
    o += p("M143,9.5 L146,9.5 L146,18 L143,18 Z", MID)
    return o


def usp():
    o = p("M60,10 Q60,7.5 63,7.5 L146,7.5 Q150,7.5 150,11 L150,19.5 L60,19.5 Z")
    for x in range(64, 76, 3):
        o += detail(f"M{x},9.5 L{x},17.5", 1.0)
    o += detail("M100,10.5 L120,10.5", 1.0)
    o += p("M80,19.5 L149,19.5 L149,26 L95,26 Z")
    o += detail("M112,22.8 L146,22.8", 1.0)
    o += circle(58.5, 12.5, 3.2)
    o += p("M63,19.5 L92,19.5 L90,26 L84,47 Q83.5,48.3 82,48.3 L62,47.8 Q60,47.5 60.5,45.5 L66,24 Z")
    o += detail("M70,29 L84,29.5 M67.5,37 L81.5,37.5", 0.9)
    o += s("M95,26 Q95.5,35 103,35 L108,35 Q112,35 112,26", 2.2)
    o += s("M101,26 Q102,30 100.5,32", 1.8)
    return o


def p228():
    o = p("M62,10.5 Q62,8 65,8 L136,8 Q140,8 140,11.5 L140,20 L62,20 Z")
    for x in range(66, 78, 3):
        o += detail(f"M{x},10 L{x},18", 1.0)
    o += detail("M94,11 L112,11", 1.0)
    o += p("M80,20 L139,20 L139,25.5 L95,25.5 Z")
    o += circle(60.5, 13, 3.2)
    o += p("M65,20 L93,20 L91,25.5 L85,47 Q84.5,48.3 83,48.3 L63.5,47.8 Q61.5,47.5 62,45.5 L68,24.5 Z")
    o += detail("M71.5,29.5 L85,30 M69,37.5 L82.5,38", 0.9)
    o += s("M95,25.5 Q95.5,34.5 103,34.5 L108,34.5 Q112,34.5 112,25.5", 2.2)
    o += s("M101,25.5 Q102,29.5 100.5,31.5", 1.8)
    return o


def deagle():
    o = p("M46,8 Q46,6 48,6 L164,6 Q166,6 166,8 L166,21.5 L46,21.5 Z")
    o += p("M162,8.5 L168,8.5 L168,19.5 L162,19.5 Z", MID)
    for x in range(50, 64, 3):
        o += detail(f"M{x},9 L{x},19", 1.0)
    o += detail("M70,9 L160,9", 1.0)
    o += detail("M86,14 L106,14", 1.0)
    o += p("M66,21.5 L160,21.5 L160,27 L84,27 Z")
    o += hole("M42,9 a4,4 0 1,0 8,0 a4,4 0 1,0 -8,0 Z", "M44.3,9 a1.7,1.7 0 1,0 3.4,0 a1.7,1.7 0 1,0 -3.4,0 Z")
    o += p("M50,21.5 L82,21.5 L80,27 L74,47 Q73.5,48.3 72,48.3 L50,47.8 Q48,47.5 48.5,45.5 L54,26 Z")
    o += detail("M58,31 L74,31.5 M56,39 L71.5,39.5", 0.9)
    o += s("M84,27 L85.5,36 L100,36 L102,27", 2.4)
    o += s("M91,27 L92,33", 1.8)
    return o


def beretta(fill):
    o = p("M60,10.5 Q60,8 63,8 L140,8 Q143,8 143,11 L143,20 L60,20 Z", fill)
    o += p("M82,8 L126,8 L126,12 L82,12 Z", BG)
    o += p("M82,9.5 L128,9.5 L128,12 L82,12 Z", LINE)
    for x in range(64, 74, 3):
        o += detail(f"M{x},10 L{x},18", 1.0, BG if fill == MID else LINE)
    o += p("M80,20 L142,20 L142,25 L95,25 Z", fill)
    o += circle(58.5, 12.5, 3.2, fill)
    o += p("M64,20 L92,20 L90,25 L84,47 Q83.5,48.3 82,48.3 L62,47.8 Q60,47.5 60.5,45.5 L67,24 Z", fill)
    o += s("M95,25 Q95.5,34 103,34 L108,34 Q113,34 112,25", 2.2, fill)
    return o


def elite():
    back = group(beretta(MID), "translate(-30,-3) scale(1,0.96)")
    front = group(beretta(DARK), "translate(22,2) scale(1,0.96)")
    return back + front


def fiveseven():
    o = p("M62,10 Q62,8 64,8 L146,8 L146,19 L62,19 Z")
    o += p("M62,8 L68,8 L64,19 L62,19 Z", MID)
    for x in range(70, 80, 3):
        o += detail(f"M{x},10 L{x},17.5", 1.0)
    o += detail("M100,11 L118,11", 1.0)
    o += p("M80,19 L146,19 L146,25 L95,25 Z")
    o += detail("M118,22 L142,22", 1.0)
    o += p("M66,19 L93,19 L91,25 L85,47 Q84.5,48.3 83,48.3 L64,47.8 Q62,47.5 62.5,45.5 L69,24 Z")
    o += detail("M72.5,29 L85.5,29.5 M70,37 L83,37.5", 0.9)
    o += s("M95,25 L96.5,33.5 L111,33.5 L113.5,25", 2.2)
    o += s("M101,25 L102,31", 1.8)
    return o


# ---------------------------------------------------------------- knife, grenades, bomb

def knife():
    o = p("M8,21 L15,21 L15,35 L8,35 Q6,35 6,33 L6,23 Q6,21 8,21 Z")
    o += p("M15,22.5 Q15,21.5 17,21.5 L58,22.5 L58,33.5 L17,34.5 Q15,34.5 15,33 Z")
    for x in range(22, 56, 6):
        o += detail(f"M{x},23.5 L{x},32.5", 1.3)
    o += p("M57.5,14.5 Q57.5,13 59,13 L62.5,13 Q64,13 64,14.5 L64,41.5 Q64,43 62.5,43 L59,43 "
           "Q57.5,43 57.5,41.5 Z")
    o += p("M64,21 L160,19.5 L196,27 Q178,35.5 150,35.8 L64,35 Z", STEEL)
    o += p("M64,21 L160,19.5 L196,27 L186,25.4 L160,22 L64,23.2 Z", "#6c747c")
    o += detail("M70,26.5 L150,25.5", 1.2, "#c9ced3")
    for x in range(72, 108, 5):
        o += p(f"M{x},20.9 L{x + 2.5},18.6 L{x + 5},20.8 Z", "#6c747c")
    return o


def grenade_lever_and_pin(x_fuse, top):
    """Spoon lever down the right side and the pull ring on the left of a fuse."""
    o = s(f"M{x_fuse + 4},{top + 1.5} L{x_fuse + 12},{top + 2.5} Q{x_fuse + 16},{top + 4.5} "
          f"{x_fuse + 15.5},{top + 12} L{x_fuse + 14.5},{top + 22}", 3.0, DARK)
    o += s(f"M{x_fuse - 6},{top + 3} L{x_fuse - 10},{top + 3.5}", 1.6)
    o += circle(x_fuse - 14, top + 4, 5, "none", DARK, 2.0)
    return o


def hegrenade():
    o = p("M96,16 L108,16 L108,11 L96,11 Z")
    o += p("M94,9 L110,9 L110,12 L94,12 Z")
    o += f'<ellipse cx="102" cy="32" rx="15" ry="15.5" fill="{OLIVE}"/>\n'
    o += detail("M89,28 Q102,31 115,28 M88,36 Q102,39 116,36", 1.0, "#6f7f56")
    o += grenade_lever_and_pin(102, 8)
    return o


def flashbang():
    o = p("M95,15 L109,15 L109,10.5 L95,10.5 Z")
    o += p("M93,8.5 L111,8.5 L111,11.5 L93,11.5 Z")
    o += p("M90,17 Q90,15 92,15 L112,15 Q114,15 114,17 L114,46 Q114,48 112,48 L92,48 "
           "Q90,48 90,46 Z", "#8e979f")
    o += p("M90,19 L114,19 L114,22 L90,22 Z", DARK)
    o += p("M90,42 L114,42 L114,45 L90,45 Z", DARK)
    for y in (26, 31, 36):
        for x in (95, 102, 109):
            o += circle(x, y, 1.5, DARK)
    o += grenade_lever_and_pin(102, 7.5)
    return o


def smokegrenade():
    o = p("M95,15 L109,15 L109,10.5 L95,10.5 Z")
    o += p("M93,8.5 L111,8.5 L111,11.5 L93,11.5 Z")
    o += p("M89,17 Q89,15 91,15 L113,15 Q115,15 115,17 L115,46 Q115,48 113,48 L91,48 "
           "Q89,48 89,46 Z", "#4a534b")
    o += p("M89,27 L115,27 L115,33 L89,33 Z", "#b9bdb4")
    for x in (94, 102, 110):
        o += circle(x, 19.5, 1.3, "#b9bdb4")
        o += circle(x, 44, 1.3, "#b9bdb4")
    o += grenade_lever_and_pin(102, 7.5)
    return o


def c4():
    o = p("M46,19 Q46,16 49,16 L155,16 Q158,16 158,19 L158,44 Q158,47 155,47 L49,47 Q46,47 46,44 Z", KHAKI)
    o += detail("M46,26.5 L158,26.5 M46,37 L158,37", 1.2, "#7d6c43")
    o += p("M58,16 L64,16 L64,47 L58,47 Z", "#3e3a33")
    o += p("M140,16 L146,16 L146,47 L140,47 Z", "#3e3a33")
    o += p("M72,9 Q72,7 74,7 L130,7 Q132,7 132,9 L132,36 Q132,38 130,38 L74,38 Q72,38 72,36 Z")
    o += p("M78,11 L126,11 L126,18 L78,18 Z", "#79a86a")
    o += text(102, 17.2, "0 : 45", 6.5, DARK)
    for row in range(3):
        for col in range(4):
            x, y = 82 + col * 11, 21 + row * 5
            o += p(f"M{x},{y} L{x + 7},{y} L{x + 7},{y + 3.2} L{x},{y + 3.2} Z", LINE)
    o += s("M74,14 Q58,8 54,22", 1.6, "#b23a2e")
    o += s("M130,14 Q148,8 151,22", 1.6, "#2f5fa5")
    return o


# ---------------------------------------------------------------- equipment

VEST = ("M78,6 L91,6 Q95,15 102,15 Q109,15 113,6 L126,6 L127.5,10 Q129.5,18.5 136.5,20.5 "
        "L138,46 Q138,48 136,48 L68,48 Q66,48 66,46 L67.5,20.5 Q74.5,18.5 76.5,10 Z")


def vest_body(fill="#39434b"):
    o = p(VEST, fill)
    o += detail("M102,16 L102,47", 1.2)
    o += detail("M72,28 L132,28", 1.0)
    o += detail("M74,34 L90,34 L90,44 L74,44 Z M114,34 L130,34 L130,44 L114,44 Z", 1.0)
    o += detail("M80,7.5 L80,13 M124,7.5 L124,13", 1.0)
    return o


def kev():
    return vest_body()


def kevhelmet():
    helmet = p("M30,37 Q31,12 58,11 Q83,12 85,31 L89,35.5 Q89.5,38.5 85.5,38.5 L33,39.5 Q29.5,39.5 30,37 Z",
               "#46503d")
    helmet += detail("M34,33 Q58,31 84,31", 1.1, "#6f7f56")
    helmet += s("M40,39 Q46,47 58,46 Q70,45 74,38.5", 1.6)
    return helmet + group(vest_body(), "translate(30,0)")


def defuser():
    o = s("M150,4 Q156,16 153,28 Q150,40 156,48", 2.4, "#b23a2e")
    o += s("M170,4 Q164,18 170,30 Q176,42 172,48", 2.4, "#2f5fa5")
    o += p("M18,18 Q60,13 104,22 L106,26.5 Q60,21 22,25.5 Q15,24.5 18,18 Z", "#b5442e")
    o += p("M18,38 Q60,43 104,33 L106,28.5 Q60,34 22,30.5 Q15,31.5 18,38 Z", "#b5442e")
    o += detail("M26,19.5 L26,23.5 M26,32.5 L26,36.5", 1.2, "#d9826f")
    o += p("M100,21 L120,21 L120,35 L100,35 Z")
    o += circle(112, 28, 6.5)
    o += circle(112, 28, 2, LINE)
    o += p("M116,22.5 L148,24.5 Q158,26 163,28 L148,28 L118,27.5 Z")
    o += p("M116,33.5 L148,31.5 Q158,30 163,28 L148,28 L118,28.5 Z")
    return o


def night():
    o = s("M64,30 Q42,38 30,18", 4.0)
    o += s("M140,30 Q162,38 174,18", 4.0)
    o += p("M96,6 L108,6 L108,16 L96,16 Z")
    o += p("M86,15 L118,15 L118,33 L86,33 Z")
    o += circle(78, 25, 14.5)
    o += circle(126, 25, 14.5)
    o += circle(78, 25, 9.5, "#5e9f58")
    o += circle(126, 25, 9.5, "#5e9f58")
    o += circle(75, 22, 3, "#a7d49f")
    o += circle(123, 22, 3, "#a7d49f")
    o += p("M98,33 L106,33 L106,39 L98,39 Z")
    return o


def shield():
    o = p("M78,4 L126,4 Q130,4 130,8 L130,44 Q130,48 126,48 L78,48 Q74,48 74,44 L74,8 Q74,4 78,4 Z")
    o += p("M85,9 L119,9 Q121,9 121,11 L121,17 Q121,19 119,19 L85,19 Q83,19 83,17 L83,11 Q83,9 85,9 Z",
           "#a9bccb")
    o += detail("M88,11.5 L96,16.5", 1.2, "#dbe5ec")
    o += detail("M80,24 L124,24", 1.0)
    o += p("M90,30 L114,30 L114,36 L90,36 Z", LINE)
    return o


# ---------------------------------------------------------------- buying

def cart(inner=""):
    o = s("M24,7 L38,7 L47,35 Q48,38.5 52,38.5 L150,38.5", 3.0)
    o += p("M42,12 L160,12 L150,32 L49,32 Z", "none")
    o += s("M42,12 L160,12 L150,32 L49,32", 2.6)
    o += inner
    o += circle(60, 44, 4)
    o += circle(140, 44, 4)
    return o


def buy():
    return cart(text(101, 29.5, "$", 20, DARK))


def buyequip():
    inner = p("M62,29 Q62,15 78,14.5 Q93,15 94,27 L96,29 Z", "#46503d")
    inner += f'<ellipse cx="116" cy="22" rx="8" ry="8.5" fill="{OLIVE}"/>\n'
    inner += p("M112,10.5 L120,10.5 L120,14.5 L112,14.5 Z")
    inner += p("M128,30 L136,16 L145,16 L140,30 Z", "#39434b")
    return cart(inner)


def autobuy():
    return cart(text(101, 29.5, "A", 18, DARK))


def rebuy():
    arrow = s("M112,22 A11,8 0 1,1 101,14", 2.6)
    arrow += p("M99,9.5 L106,14 L99,18.5 Z")
    return cart(arrow)


def rifle_mag(x, y, fill=DARK):
    o = p(f"M{x + 2},{y - 3} L{x + 10},{y - 3} L{x + 10},{y} L{x + 2},{y} Z", "#c49a3a")
    o += p(f"M{x + 3},{y - 5.5} L{x + 9},{y - 5.5} L{x + 9},{y - 3} L{x + 3},{y - 3} Z", "#9a5a2e")
    o += p(f"M{x},{y} L{x + 12},{y} Q{x + 14},{y + 15} {x + 22},{y + 30} L{x + 12},{y + 34} "
           f"Q{x + 4},{y + 18} {x},{y} Z", fill)
    o += detail(f"M{x + 3},{y + 6} L{x + 13},{y + 6}", 1.0)
    return o


def pistol_mag(x, y, fill=DARK):
    o = p(f"M{x + 2},{y - 3} L{x + 9},{y - 3} L{x + 9},{y} L{x + 2},{y} Z", "#c49a3a")
    o += p(f"M{x + 3},{y - 5.5} L{x + 8},{y - 5.5} L{x + 8},{y - 3} L{x + 3},{y - 3} Z", "#9a5a2e")
    o += p(f"M{x},{y} L{x + 11},{y} L{x + 14},{y + 30} L{x + 2},{y + 30} Z", fill)
    o += p(f"M{x + 1},{y + 30} L{x + 15},{y + 30} L{x + 15},{y + 34} L{x + 1},{y + 34} Z", fill)
    o += detail(f"M{x + 5},{y + 8} L{x + 5},{y + 24}", 1.0)
    return o


def cartridge(x, y, length=22):
    o = p(f"M{x},{y} L{x + length * 0.65},{y} L{x + length * 0.65},{y + 5} L{x},{y + 5} Z", "#c49a3a")
    o += p(f"M{x + length * 0.65},{y} L{x + length * 0.8},{y} Q{x + length},{y + 2.5} {x + length * 0.8},{y + 5} "
           f"L{x + length * 0.65},{y + 5} Z", "#9a5a2e")
    return o


def buyammo1():
    o = rifle_mag(78, 10)
    o += cartridge(112, 14) + cartridge(112, 22) + cartridge(112, 30)
    return o


def buyammo2():
    o = pistol_mag(82, 10)
    o += cartridge(108, 16, 17) + cartridge(108, 24, 17) + cartridge(108, 32, 17)
    return o


def primammo():
    return rifle_mag(54, 10, MID) + rifle_mag(80, 10) + rifle_mag(106, 10, MID) + rifle_mag(132, 10)


def secammo():
    return pistol_mag(62, 10, MID) + pistol_mag(82, 10) + pistol_mag(102, 10, MID) + pistol_mag(122, 10)


# ---------------------------------------------------------------- table of items

ITEMS = {
    "ak47": ("AK-47", ak47),
    "galil": ("Galil", galil),
    "famas": ("FAMAS", famas),
    "m4a1": ("M4A1", m4a1),
    "sg552": ("SG 552", sg552),
    "aug": ("AUG", aug),
    "scout": ("Scout", scout),
    "awp": ("AWP", awp),
    "g3sg1": ("G3SG1", g3sg1),
    "sg550": ("SG 550", sg550),
    "m249": ("M249", m249),
    "mp5navy": ("MP5 Navy", mp5),
    "ump45": ("UMP45", ump45),
    "p90": ("P90", p90),
    "mac10": ("MAC-10", mac10),
    "tmp": ("TMP", tmp),
    "m3": ("M3", m3),
    "xm1014": ("XM1014", xm1014),
    "glock18": ("Glock 18", glock18),
    "usp": ("USP", usp),
    "p228": ("P228", p228),
    "deagle": ("Desert Eagle", deagle),
    "elite": ("Dual Elites", elite),
    "fiveseven": ("Five-seveN", fiveseven),
    "knife": ("Нож", knife),
    "hegrenade": ("Осколочная граната", hegrenade),
    "flashbang": ("Светошумовая граната", flashbang),
    "smokegrenade": ("Дымовая граната", smokegrenade),
    "c4": ("Бомба C4", c4),
    "kev": ("Бронежилет", kev),
    "kevhelmet": ("Бронежилет и шлем", kevhelmet),
    "defuser": ("Набор сапёра", defuser),
    "night": ("Прибор ночного видения", night),
    "shield": ("Тактический щит", shield),
    "buy": ("Меню покупки", buy),
    "buyequip": ("Меню снаряжения", buyequip),
    "autobuy": ("Автопокупка", autobuy),
    "rebuy": ("Повторная покупка", rebuy),
    "buyammo1": ("Магазин к основному оружию", buyammo1),
    "buyammo2": ("Магазин к пистолету", buyammo2),
    "primammo": ("Все патроны к основному", primammo),
    "secammo": ("Все патроны к пистолету", secammo),
}


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "items")
    os.makedirs(out_dir, exist_ok=True)
    for name, (label, draw) in ITEMS.items():
        svg = HEADER + draw() + LABEL.format(label=label) + "</svg>\n"
        with open(os.path.join(out_dir, name + ".svg"), "w", encoding="utf-8", newline="\n") as f:
            f.write(svg)


if __name__ == "__main__":
    main()
