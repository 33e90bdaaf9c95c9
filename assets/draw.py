#!/usr/bin/env python3
"""Draws every picture of Quillsend's three windows, and the application icon.

Run it from anywhere: `python3 assets/draw.py` (add `--sheet FILE` for a contact sheet of
all pictures on a checkerboard). It needs ImageMagick 6 (`convert`) and the Noto CJK fonts
(Debian: imagemagick, fonts-noto-cjk); nothing else. The pictures are committed, so the
build never runs this; run it after changing a picture here, then commit the results.

The same table, PICTURES, also writes Assets.rc (one RCDATA resource per PNG, plus the
icon) and AssetIds.h (the resource numbers and sizes the code and tests use), so the
pictures, their resources and their ids cannot drift apart.

Output is deterministic for a given ImageMagick and font version: the PNGs carry no
time stamps or other text chunks.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the assets folder free of caches
import magick  # noqa: E402
from magick import (FONT, FONT_BOLD, blur, canvas, centred, fill_with, glow, gradient, opacity, over, rounded, run,
                    save_to, scratch, shadow, shape, size_of, text, tint, write_icon)

HERE = os.path.dirname(os.path.abspath(__file__))

# One palette for all pictures: a blue scale around the product blue (the title bar's two
# ends are BLUE_500 and BLUE_600), a cool grey scale, and a few accents. Hex with a
# fourth byte is white or a colour at that opacity.
BLUE_50 = "#EAF5FF"
BLUE_100 = "#D6ECFF"
BLUE_200 = "#7FD0FF"
BLUE_300 = "#5CB8F7"
BLUE_400 = "#3AA0F5"
BLUE_450 = "#1D93F2"
BLUE_500 = "#0B82E6"
BLUE_600 = "#016FCC"
BLUE_700 = "#0A5DB3"
BLUE_900 = "#03367A"
STEEL_100 = "#E4EEF8"     # the monitor of the banner: blue-tinted greys
STEEL_200 = "#D7E6F5"
STEEL_300 = "#B9CDE2"
STEEL_400 = "#A9C4E0"
GREY_50 = "#F5F7FA"
GREY_100 = "#EFF3F8"      # the dialog's button bar
GREY_150 = "#E9EDF2"
GREY_200 = "#E4E9EE"      # the line along the top of the button bar
GREY_300 = "#DCE2E9"
GREY_400 = "#C8D0D9"
GREY_500 = "#8D8D8D"      # the grey of the custom-download link
GREY_600 = "#7F7F7F"      # the dialog's frame
GREY_700 = "#4A5563"
ORANGE_300 = "#FFB547"
ORANGE_600 = "#F0840F"
RED_300 = "#F2685B"
RED_600 = "#D4382A"
CLOSE_RED = "#DA3610"     # the close square of the message dialog
GOLD_200 = "#FFD98A"
GOLD_300 = "#FFD65C"
GOLD_400 = "#F3C063"
GOLD_600 = "#D99A36"

# Corner radii: 3 px for small controls (under 30 px high), 5 px for the large buttons,
# 22 % of the side for the emblem tiles.
R_SMALL = 3
R_LARGE = 5

# ---------------------------------------------------------------- buttons

def blue_button(w, h, label, size, radius=R_LARGE, lift=True):
    """The blue action button: a rounded body with a soft blue shadow below it."""
    bottom = 4 if lift else 1
    side = 2 if lift else 0
    body = rounded(w, h, side, 0, w - 1 - side, h - 1 - bottom, radius)
    pic = canvas(w, h)
    if lift:
        pic = over(pic, shadow(body, BLUE_700, 0.45, 1.6, 0, 2))
    pic = over(pic, fill_with(body, gradient(w, h, BLUE_400, BLUE_600)))
    # A light top edge and a deeper bottom edge give the face a slight bevel.
    top_edge = fill_with(body, shape(w, h, "rectangle 0,0 %d,0" % (w - 1), fill="#FFFFFF40"))
    pic = over(pic, (top_edge, 0, 0))
    inner = rounded(w, h, side + 1, 1, w - 2 - side, h - 2 - bottom, max(radius - 1, 1))
    rim = shape(w, h, "roundrectangle %d,%d %d,%d %d,%d" % (side, 0, w - 1 - side, h - 1 - bottom,
                                                           radius, radius), fill=BLUE_700)
    rim = over(rim, (inner, 0, 0))
    rim_only = scratch()
    run(rim, inner, "-compose", "DstOut", "-composite", rim_only)
    pic = over(pic, opacity(rim_only, 0.55))
    ink = text(label, size, "white", FONT_BOLD)
    ink_shadow = opacity(tint(ink, BLUE_900), 0.35)
    face_h = h - bottom
    pw, ph = size_of(ink)
    x = (w - pw) // 2
    y = (face_h - ph) // 2
    return over(pic, (ink_shadow, x, y + 1), (ink, x, y))


def grey_button(w, h, label, size):
    body = rounded(w, h, 0, 0, w - 1, h - 1, R_SMALL)
    inner = rounded(w, h, 1, 1, w - 2, h - 2, R_SMALL - 1)
    pic = over(canvas(w, h), fill_with(body, canvas(w, h, GREY_400)))
    pic = over(pic, fill_with(inner, gradient(w, h, "#FFFFFF", GREY_100)))
    ink = text(label, size, GREY_700, FONT)
    return centred(pic, ink)


# ---------------------------------------------------------------- title bar glyphs

def title_glyph(kind, hover):
    w, h = 30, 27
    pic = canvas(w, h)
    if hover:
        back = "#FFFFFF33" if kind == "min" else CLOSE_RED
        pic = over(pic, shape(w, h, "rectangle 0,0 %d,%d" % (w - 1, h - 1), fill=back))
    if kind == "min":
        glyph = shape(w, h, "rectangle 10,13 19,14", fill="white", ss=1)
    else:
        glyph = shape(w, h, ["line 10,8.5 19,17.5", "line 19,8.5 10,17.5"], fill="none", stroke="white",
                      stroke_width=1.5)
    return over(pic, glyph)


# ---------------------------------------------------------------- progress bar

def track():
    w, h = 738, 19
    body = rounded(w, h, 0, 0, w - 1, h - 1, R_SMALL + 1)
    inner = rounded(w, h, 1, 1, w - 2, h - 2, R_SMALL)
    pic = over(canvas(w, h), fill_with(body, canvas(w, h, GREY_300)))
    return over(pic, fill_with(inner, gradient(w, h, GREY_150, GREY_50)))


def fill_bar():
    # Drawn cut at any width from the left, so only its left end is rounded.
    w, h = 736, 19
    body = shape(w, h, ["roundrectangle 0,0 %d,%d %d,%d" % (w + 8, h - 1, R_SMALL + 1, R_SMALL + 1)])
    paint = gradient(w, h, BLUE_400, BLUE_600)
    stripes = []
    for x in range(-h, w + h, 16):
        stripes.append("polygon %d,%d %d,%d %d,%d %d,%d" % (x, h, x + 8, h, x + 8 + h, 0, x + h, 0))
    paint = over(paint, shape(w, h, stripes, fill="#FFFFFF1C"))
    paint = over(paint, shape(w, h, "rectangle 0,1 %d,1" % (w - 1), fill="#FFFFFF55"))
    return fill_with(body, paint)


def grey_arrow():
    w, h = 14, 15
    return shape(w, h, "polyline 5,3.5 9,7.5 5,11.5", fill="none", stroke=GREY_500, stroke_width=1.6)


def link_picture():
    """The browser fallback of the failure prompt: a download arrow and 点击下载安装包."""
    w, h = 105, 17
    icon = shape(14, 14, ["line 7,1.5 7,8.5", "polyline 3.8,5.8 7,9 10.2,5.8", "polyline 1.5,9.5 1.5,12 12.5,12 12.5,9.5"],
                 fill="none", stroke=BLUE_600, stroke_width=1.5, linecap="round", linejoin="round")
    ink = text("点击下载安装包", 12, BLUE_600, FONT)
    pw, ph = size_of(ink)
    pic = over(canvas(w, h), (icon, 1, 2))
    return over(pic, (ink, 18, (h - ph) // 2))


# ---------------------------------------------------------------- round sign icons

def disc_icon(size, cx, cy, r, top, bottom, glyph, opaque_on_white=False):
    """A sign on a disc: a vertical gradient disc, a thin darker rim, a white glyph."""
    w, h = size
    disc = shape(w, h, "circle %g,%g %g,%g" % (cx, cy, cx + r, cy))
    pic = canvas(w, h, "white" if opaque_on_white else "none")
    pic = over(pic, fill_with(disc, gradient(w, h, top, bottom)))
    pic = over(pic, shape(w, h, "circle %g,%g %g,%g" % (cx, cy, cx + r - 0.5, cy), fill="none",
                          stroke="#00000018", stroke_width=1))
    return over(pic, glyph)


def glyph_i(w, h, cx, top, scale):
    return shape(w, h, ["circle %g,%g %g,%g" % (cx, top + 2.6 * scale, cx + 2.6 * scale, top + 2.6 * scale),
                        "roundrectangle %g,%g %g,%g %g,%g" % (cx - 2.2 * scale, top + 7.8 * scale, cx + 2.2 * scale,
                                                              top + 21.5 * scale, 1.2 * scale, 1.2 * scale)])


def glyph_bang(w, h, cx, top, scale):
    return shape(w, h, ["polygon %g,%g %g,%g %g,%g %g,%g" % (cx - 2.6 * scale, top, cx + 2.6 * scale, top,
                                                          cx + 1.6 * scale, top + 14 * scale,
                                                          cx - 1.6 * scale, top + 14 * scale),
                        "circle %g,%g %g,%g" % (cx, top - 1.2 * scale, cx + 2.6 * scale, top - 1.2 * scale),
                        "circle %g,%g %g,%g" % (cx, top + 19.2 * scale, cx + 2.5 * scale, top + 19.2 * scale)])


def dialog_icon(kind):
    w = h = 48
    if kind == "info":
        return disc_icon((w, h), 23.5, 23.5, 20, BLUE_300, BLUE_500, glyph_i(w, h, 23.5, 10.5, 1.0), True)
    if kind == "confirm":
        return disc_icon((w, h), 23.5, 23.5, 20, BLUE_300, BLUE_500, glyph_bang(w, h, 23.5, 12.2, 1.0), True)
    if kind == "error":
        cross = shape(w, h, ["line 16.5,16.5 30.5,30.5", "line 30.5,16.5 16.5,30.5"], fill="none",
                      stroke="white", stroke_width=4.4, linecap="round")
        return disc_icon((w, h), 23.5, 23.5, 20, RED_300, RED_600, cross, True)
    # warning: a triangle with rounded corners
    tri = shape(w, h, "polygon 23.5,6 42,39.5 5,39.5", fill="white", stroke="white", stroke_width=6,
                linejoin="round")
    pic = over(canvas(w, h, "white"), fill_with(tri, gradient(w, h, ORANGE_300, ORANGE_600)))
    return over(pic, glyph_bang(w, h, 23.5, 17.8, 0.85))


def prompt_icon():
    """The orange information sign of the failure prompt, with a soft glow below it."""
    w, h = 60, 54
    cx, cy, r = 29.5, 26, 21
    disc = shape(w, h, "circle %g,%g %g,%g" % (cx, cy, cx + r, cy))
    pic = over(canvas(w, h), shadow(disc, ORANGE_600, 0.28, 2.2, 0, 2))
    pic = over(pic, disc_icon((w, h), cx, cy, r, ORANGE_300, ORANGE_600, glyph_i(w, h, cx, cy - 13.2, 1.05)))
    return pic


# ---------------------------------------------------------------- title bars and dialog parts

def title_gradient():
    """The blue title bar of the prompt and the message dialog, stretched by both."""
    w, h = 737, 26
    pic = gradient(w, h, BLUE_500, BLUE_600, angle=90)
    deco = [
        "circle 640,40 640,-22", "circle 700,-30 700,18", "circle 560,-40 560,6",
    ]
    pic = over(pic, shape(w, h, deco, fill="#FFFFFF0D"))
    pic = over(pic, shape(w, h, ["circle 640,40 640,-10"], fill="#FFFFFF08"))
    return over(pic, shape(w, h, "rectangle 0,0 %d,0" % (w - 1), fill="#FFFFFF22", ss=1))


def button_bar():
    w, h = 498, 46
    pic = canvas(w, h, GREY_100)
    return over(pic, shape(w, h, "rectangle 0,0 %d,0" % (w - 1), fill=GREY_200, ss=1))


def dialog_close():
    """White cross on the close square; drawn without anti-aliasing because the dialog keys out
    the square's colour at rest, and blended edge pixels would stay behind as a fringe."""
    w = h = 26
    pic = canvas(w, h, CLOSE_RED)
    cross = []
    for i in range(10):
        cross.append("rectangle %d,%d %d,%d" % (8 + i, 8 + i, 9 + i, 8 + i))
        cross.append("rectangle %d,%d %d,%d" % (16 - i, 8 + i, 17 - i, 8 + i))
    return over(pic, shape(w, h, cross, fill="white", ss=1))


# ---------------------------------------------------------------- the emblem

# The emblem on a 256-unit grid: tile inset and radius, the arms' top ends and meeting
# point, the tray, stroke widths. The two smallest icon sizes have their own geometry,
# fitted to whole pixels so they stay sharp.
MARK_GRID = dict(inset=4, radius=56, left=(76, 64), right=(180, 64), tip=(128, 162), tray=(78, 178, 204),
                 arm=36, tray_width=22)
MARK_PIXELS = {
    16: dict(inset=0, radius=3.5, left=(4.4, 3.6), right=(10.6, 3.6), tip=(7.5, 9.3), tray=(4.5, 10.5, 12.5),
             arm=2.4, tray_width=2),
    32: dict(inset=0.5, radius=7, left=(9.2, 7.6), right=(21.8, 7.6), tip=(15.5, 19.6), tray=(9.5, 21.5, 24),
             arm=4.6, tray_width=3),
}


def mark(size, tile, arms):
    """The product emblem: a rounded tile with a V-shaped download chevron over a tray.

    tile and arms are (top, bottom) colours; the left arm is a little lighter, so the V
    reads as a folded ribbon."""
    w = h = size
    if size in MARK_PIXELS:
        g, k, o = MARK_PIXELS[size], 1.0, 0.0
    else:
        g, k, o = MARK_GRID, size / 256.0, -0.5
    inset = g["inset"] * k
    r = g["radius"] * k
    body = shape(w, h, "roundrectangle %g,%g %g,%g %g,%g" % (inset - 0.5, inset - 0.5, size - inset - 0.5,
                                                           size - inset - 0.5, r, r))
    pic = over(canvas(w, h), fill_with(body, gradient(w, h, tile[0], tile[1])))
    p = lambda xy: "%g,%g" % (xy[0] * k + o, xy[1] * k + o)
    line = lambda a, b, width: shape(w, h, "line %s %s" % (p(a), p(b)), fill="none", stroke="white",
                                     stroke_width=width * k, linecap="round")
    x0, x1, y = g["tray"]
    paint = gradient(w, h, arms[0], arms[1])
    left = fill_with(line(g["left"], g["tip"], g["arm"]), paint)
    right = fill_with(line(g["right"], g["tip"], g["arm"]), paint)
    tray = fill_with(line((x0, y), (x1, y), g["tray_width"]), paint)
    return over(pic, opacity(left, 0.78), right, opacity(tray, 0.9))


def app_icon_layers():
    return [mark(size, (BLUE_400, BLUE_600), ("#FFFFFF", BLUE_50)) for size in (16, 32, 48, 256)]


# ---------------------------------------------------------------- the banner

def banner():
    w, h = 620, 241
    pic = gradient(w, h, BLUE_450, BLUE_700, angle=120)
    pic = over(pic, glow(w, h, 480, 118, 260, 190, BLUE_200, 0.45))
    pic = over(pic, glow(w, h, 60, 0, 260, 160, "#FFFFFF", 0.10))
    # Faint rings and dots behind everything.
    pic = over(pic, shape(w, h, ["circle 500,130 500,-30", "circle 500,130 500,10"], fill="none",
                          stroke="#FFFFFF14", stroke_width=1.2))
    pic = over(pic, shape(w, h, ["circle 330,52 332.5,52", "circle 352,178 354,178", "circle 604,58 606,58",
                                 "circle 370,30 371.5,30", "circle 286,200 287.5,200"], fill="#FFFFFF40"))
    pic = over(pic, illustration(w, h))
    pic = over(pic, waves(w, h))
    pic = over(pic, intro(w, h))
    return pic


def waves(w, h):
    # The paths start and end outside the picture, so no edge column is left half covered.
    back = shape(w, h, "path 'M -2,%d C 140,%d 260,%d 400,%d S 560,%d 622,%d L 622,243 L -2,243 Z'"
                 % (214, 196, 236, 218, 200, 206), fill="#FFFFFF38")
    front = shape(w, h, "path 'M -2,%d C 150,%d 300,%d 430,%d S 580,%d 622,%d L 622,243 L -2,243 Z'"
                  % (226, 240, 212, 226, 236, 222), fill="white")
    return over(canvas(w, h), back, front)


def intro(w, h):
    """Welcome badge, emblem, product name and the three promises, on the left."""
    pic = canvas(w, h)
    badge_ink = text("欢迎使用", 13, "white", FONT)
    bw, bh = size_of(badge_ink)
    pill_w, pill_h = bw + 26, 24
    x0, y0 = 38, 40
    pic = over(pic, shape(w, h, "roundrectangle %g,%g %g,%g 12,12" % (x0 - 0.5, y0 - 0.5, x0 + pill_w - 0.5,
                                                                      y0 + pill_h - 0.5), fill="#FFFFFF2E",
                          stroke="#FFFFFF70", stroke_width=1))
    pic = over(pic, shape(w, h, "circle %g,%g %g,%g" % (x0 + 11, y0 + 11.5, x0 + 13.5, y0 + 11.5), fill=GOLD_300))
    pic = over(pic, (badge_ink, x0 + 18, y0 + (pill_h - bh) // 2))

    tile = 58
    em = mark(tile, ("#FFFFFF", BLUE_50), (BLUE_400, BLUE_600))
    em_shadow = shadow(shape(tile + 16, tile + 16, "roundrectangle 8,8 %d,%d 13,13" % (tile + 7, tile + 7)),
                       BLUE_900, 0.45, 3, 0, 3)
    ex, ey = 38, 84
    pic = over(pic, (em_shadow, ex - 8, ey - 8), (em, ex, ey))

    name = text("Velmora", 40, "white", FONT_BOLD)
    nw, nh = size_of(name)
    name_shadow = blur(over(canvas(nw + 12, nh + 12), (opacity(tint(name, BLUE_900), 0.35), 6, 6)), 2)
    nx, ny = ex + tile + 16, ey + 2
    pic = over(pic, (name_shadow, nx - 6, ny - 4), (name, nx, ny))
    sub = text("湖北版  ·  完整安装包", 15, "#FFFFFFE6", FONT)
    pic = over(pic, (sub, nx + 2, ny + nh + 10))

    x = 40
    for word in ("高速下载", "断点续传", "一键安装"):
        tick = shape(16, 16, ["circle 7.5,7.5 7.5,0.5"], fill="#FFFFFF30")
        tick = over(tick, shape(16, 16, "polyline 4.3,7.8 6.7,10.2 11,5.4", fill="none", stroke="white",
                                stroke_width=1.5, linecap="round", linejoin="round"))
        ink = text(word, 13, "#FFFFFFE0", FONT)
        iw, ih = size_of(ink)
        pic = over(pic, (tick, x, 166), (ink, x + 21, 166 + (16 - ih) // 2))
        x += 21 + iw + 20
    return pic


def illustration(w, h):
    """A monitor taking in a download from a cloud, on the right of the banner."""
    pic = canvas(w, h)
    # ground shadow
    pic = over(pic, blur(shape(w, h, "ellipse 492,205 92,9 0,360", fill="#03367A55"), 3))
    # the cloud behind, its bumps above the monitor's upper right corner
    cloud = shape(w, h, ["circle 556,50 556,25", "circle 526,62 526,45", "circle 585,63 585,46",
                         "roundrectangle 509,56 602,80 12,12"])
    pic = over(pic, shadow(cloud, BLUE_900, 0.30, 4, 0, 3))
    pic = over(pic, fill_with(cloud, gradient(w, h, "#FFFFFF", BLUE_100)))
    small = shape(w, h, ["circle 372,84 372,74", "circle 388,88 388,80", "roundrectangle 360,84 398,95 6,6"])
    pic = over(pic, opacity(small, 0.35))

    # monitor
    mx0, my0, mx1, my1 = 396, 62, 582, 178
    frame = shape(w, h, "roundrectangle %g,%g %g,%g 9,9" % (mx0, my0, mx1, my1))
    pic = over(pic, shadow(frame, BLUE_900, 0.45, 5, 0, 6))
    stand = shape(w, h, ["polygon 474,178 510,178 516,198 468,198",
                         "roundrectangle 446,195 538,203 4,4"])
    pic = over(pic, fill_with(stand, gradient(w, h, STEEL_200, STEEL_400)))
    pic = over(pic, fill_with(frame, gradient(w, h, "#FFFFFF", STEEL_100)))
    screen = shape(w, h, "roundrectangle %g,%g %g,%g 4,4" % (mx0 + 8, my0 + 8, mx1 - 8, my1 - 16))
    pic = over(pic, fill_with(screen, gradient(w, h, BLUE_50, BLUE_100)))
    pic = over(pic, shape(w, h, "circle 489,%g 491,%g" % (my1 - 8, my1 - 8), fill=STEEL_300))

    # on the screen: a window with a title strip, a download sign and a progress bar
    sx0, sy0 = mx0 + 8, my0 + 8
    pic = over(pic, shape(w, h, "roundrectangle %g,%g %g,%g 4,4" % (sx0, sy0, mx1 - 8, sy0 + 14), fill=BLUE_400))
    pic = over(pic, shape(w, h, "rectangle %g,%g %g,%g" % (sx0, sy0 + 9, mx1 - 8, sy0 + 14), fill=BLUE_400))
    pic = over(pic, shape(w, h, ["circle %g,%g %g,%g" % (mx1 - 20 - 9 * i, sy0 + 7, mx1 - 18 - 9 * i, sy0 + 7)
                                 for i in range(3)], fill="#FFFFFFB0"))
    ccx, ccy = 489, 112
    sign = shape(w, h, "circle %g,%g %g,%g" % (ccx, ccy, ccx + 19, ccy))
    pic = over(pic, shadow(sign, BLUE_700, 0.35, 2.5, 0, 2))
    pic = over(pic, fill_with(sign, gradient(w, h, BLUE_400, BLUE_600)))
    pic = over(pic, shape(w, h, ["line %g,%g %g,%g" % (ccx, ccy - 9, ccx, ccy + 7),
                                 "polyline %g,%g %g,%g %g,%g" % (ccx - 6.5, ccy + 1, ccx, ccy + 7.5, ccx + 6.5, ccy + 1)],
                          fill="none", stroke="white", stroke_width=3, linecap="round", linejoin="round"))
    bar_y = 145
    pic = over(pic, shape(w, h, "roundrectangle 432,%g 546,%g 3,3" % (bar_y, bar_y + 6), fill="#FFFFFF"))
    pic = over(pic, shape(w, h, "roundrectangle 432,%g 512,%g 3,3" % (bar_y, bar_y + 6), fill=BLUE_500))
    pic = over(pic, shape(w, h, ["roundrectangle 432,155 480,158 1.5,1.5", "roundrectangle 520,155 546,158 1.5,1.5"],
                          fill=STEEL_400))

    # a parcel beside the monitor: the installation package
    pic = over(pic, parcel(w, h, 370, 150))
    # sparkles
    sparkles = []
    for (x, y, r) in ((400, 44, 5), (600, 150, 4), (372, 112, 3.5)):
        sparkles += ["line %g,%g %g,%g" % (x - r, y, x + r, y), "line %g,%g %g,%g" % (x, y - r, x, y + r)]
    pic = over(pic, shape(w, h, sparkles, fill="none", stroke="#FFFFFFB0", stroke_width=1.4, linecap="round"))
    return pic


def parcel(w, h, x, y):
    """A small isometric box, lit from the upper left."""
    s = 22
    top = "polygon %g,%g %g,%g %g,%g %g,%g" % (x, y, x + s, y - s * 0.5, x + 2 * s, y, x + s, y + s * 0.5)
    left = "polygon %g,%g %g,%g %g,%g %g,%g" % (x, y, x + s, y + s * 0.5, x + s, y + s * 1.6, x, y + s * 1.1)
    right = "polygon %g,%g %g,%g %g,%g %g,%g" % (x + s, y + s * 0.5, x + 2 * s, y, x + 2 * s, y + s * 1.1,
                                               x + s, y + s * 1.6)
    pic = canvas(w, h)
    whole = shape(w, h, [top, left, right])
    pic = over(pic, shadow(whole, BLUE_900, 0.4, 3, 2, 4))
    pic = over(pic, shape(w, h, left, fill=GOLD_400), shape(w, h, right, fill=GOLD_600),
               shape(w, h, top, fill=GOLD_200))
    tape = "polygon %g,%g %g,%g %g,%g %g,%g" % (x + s * 0.5 - 4, y - s * 0.25 - 2, x + s * 0.5 + 4, y - s * 0.25 + 2,
                                              x + s * 1.5 + 4, y + s * 0.25 + 2, x + s * 1.5 - 4, y + s * 0.25 - 2)
    return over(pic, shape(w, h, tape, fill="#FFFFFF70"))


# ---------------------------------------------------------------- the table

ICON = ("QS_ICON_APP", 1, "app.ico")  # the application icon: the lowest ICON id is the one Explorer shows

# (id constant, resource number, file, width, height, what it shows, maker, opaque)
PICTURES = [
    # main window
    ("kAssetBanner", 101, "main_banner.png", 620, 241,
     "banner: welcome badge, emblem, the name Velmora, illustration", banner, True),
    ("kAssetMinimise", 102, "title_min.png", 30, 27, "white minimise glyph",
     lambda: title_glyph("min", False), False),
    ("kAssetMinimiseHover", 103, "title_min_hover.png", 30, 27, "minimise glyph, hovered",
     lambda: title_glyph("min", True), False),
    ("kAssetClose", 104, "title_close.png", 30, 27, "white close glyph (main window and failure prompt)",
     lambda: title_glyph("close", False), False),
    ("kAssetCloseHover", 105, "title_close_hover.png", 30, 27, "close glyph on red, hovered",
     lambda: title_glyph("close", True), False),
    ("kAssetDownloadNow", 106, "main_download_now.png", 215, 57, "blue button 立即下载 (start page)",
     lambda: blue_button(215, 57, "立即下载", 22), False),
    ("kAssetDownloadFolder", 107, "main_download_folder.png", 196, 50, "blue button 立即下载 (folder page)",
     lambda: blue_button(196, 50, "立即下载", 20), False),
    ("kAssetInstallNow", 108, "main_install_now.png", 194, 48, "blue button 立即安装 (progress page)",
     lambda: blue_button(194, 48, "立即安装", 20), False),
    ("kAssetChangeFolder", 109, "main_change.png", 70, 26, "small grey button 更改",
     lambda: grey_button(70, 26, "更改", 13), False),
    ("kAssetProgressTrack", 110, "main_progress_track.png", 738, 19, "light grey progress track", track, False),
    ("kAssetProgressFill", 111, "main_progress_fill.png", 736, 19, "blue progress fill, shown cut from the left",
     fill_bar, False),
    ("kAssetGreyArrow", 112, "main_grey_arrow.png", 14, 15, "small grey arrow pointing right", grey_arrow, False),
    # failure prompt (the title bar also serves the message dialog)
    ("kAssetTitleBar", 120, "title_gradient.png", 737, 26, "blue title bar gradient with faint rings",
     title_gradient, True),
    ("kAssetPromptIcon", 121, "prompt_info.png", 60, 54, "orange round information sign", prompt_icon, False),
    ("kAssetPromptBrowser", 122, "prompt_browser_link.png", 105, 17, "download arrow and 点击下载安装包",
     link_picture, False),
    ("kAssetPromptReload", 123, "prompt_reload.png", 66, 27, "blue button 重新下载",
     lambda: blue_button(66, 27, "重新下载", 12, radius=R_SMALL, lift=False), False),
    # message dialog: icons and close square are opaque on their key colour (white, orange-red)
    ("kAssetDlgInfo", 130, "dlg_info.png", 48, 48, "light-blue disc with a white i, on white",
     lambda: dialog_icon("info"), True),
    ("kAssetDlgWarning", 131, "dlg_warning.png", 48, 48, "orange triangle with a white !, on white",
     lambda: dialog_icon("warning"), True),
    ("kAssetDlgError", 132, "dlg_error.png", 48, 48, "red disc with a white cross, on white",
     lambda: dialog_icon("error"), True),
    ("kAssetDlgConfirm", 133, "dlg_confirm.png", 48, 48, "light-blue disc with a white !, on white",
     lambda: dialog_icon("confirm"), True),
    ("kAssetDlgClose", 134, "dlg_close.png", 26, 26, "white cross on the orange-red square", dialog_close, True),
    ("kAssetDlgButtonBar", 135, "dlg_button_bar.png", 498, 46, "button bar: light grey, a line along the top",
     button_bar, True),
    ("kAssetDlgFrame", 136, "dlg_frame.png", 8, 8, "flat grey of the one-pixel frame",
     lambda: canvas(8, 8, GREY_600), True),
]


def macro(const):
    """kAssetDlgButtonBar -> QS_ASSET_DLG_BUTTON_BAR"""
    words, word = [], ""
    for c in const[len("kAsset"):]:
        if c.isupper() and word:
            words.append(word)
            word = ""
        word += c
    return "QS_ASSET_" + "_".join(w.upper() for w in words + [word])


def write_sources():
    rc = ["// Every picture of the three windows as an RT_RCDATA resource holding the bytes of its",
          "// PNG file, and the application icon. Written by draw.py with AssetIds.h from its table",
          "// of pictures: change the table there and run it again rather than editing this file.",
          "#include \"AssetIds.h\"", "", "%s ICON \"%s\"" % (ICON[0], ICON[2]), ""]
    rc += ["%s RCDATA \"%s\"" % (macro(p[0]), p[2]) for p in PICTURES]
    h = ["// Resource numbers of the pictures compiled into the program (assets/Assets.rc) and the",
         "// size each is drawn at. A picture is an RT_RCDATA resource holding a PNG file; load it",
         "// with FindResource(module, MAKEINTRESOURCE(id), RT_RCDATA). Written by draw.py from its",
         "// table of pictures: change the table there and run it again rather than editing this file.",
         "#pragma once", "", "// Plain numbers for the resource compiler, which reads this header too.",
         "#define %s %d" % ICON[:2]]
    h += ["#define %s %d" % (macro(p[0]), p[1]) for p in PICTURES]
    h += ["", "#ifndef RC_INVOKED", "namespace qs {", "",
          "inline constexpr int kAppIcon = %s;  // 16, 32, 48 and 256 px" % ICON[0]]
    h += ["inline constexpr int %s = %s;  // %d x %d: %s" % (p[0], macro(p[0]), p[3], p[4], p[5]) for p in PICTURES]
    h += ["", "struct TAssetInfo {", "  int Id;", "  int Width;", "  int Height;", "  const char* File;", "};", "",
          "// Every picture, for code that walks them all (the tests do).", "inline constexpr TAssetInfo kAssets[] = {"]
    h += ["    {%s, %d, %d, \"%s\"}," % (p[0], p[3], p[4], p[2]) for p in PICTURES]
    h += ["};", "", "}  // namespace qs", "#endif", ""]
    for name, lines in (("Assets.rc", rc + [""]), ("AssetIds.h", h)):
        with open(os.path.join(HERE, name), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(lines))


def main(argv):
    magick.start()
    try:
        for const, number, file, w, h, what, maker, opaque in PICTURES:
            pic = maker()
            got = size_of(pic)
            if got != (w, h):
                sys.exit("%s: drawn %dx%d, expected %dx%d" % (file, got[0], got[1], w, h))
            save_to(pic, os.path.join(HERE, file), opaque)
            print("%-28s %4dx%-4d %s" % (file, w, h, what))
        write_icon(os.path.join(HERE, "app.ico"), app_icon_layers())
        print("%-28s %s" % ("app.ico", "application icon, 16/32/48/256"))
        write_sources()
        if "--sheet" in argv:
            contact_sheet(argv[argv.index("--sheet") + 1])
    finally:
        magick.finish()


def contact_sheet(out):
    """Every picture at its size on a light checkerboard (so alpha shows), labelled."""
    rows = []
    for const, number, file, w, h, what, maker, opaque in PICTURES:
        tile = scratch()
        run("-size", "%dx%d" % (w, h), "pattern:checkerboard", "-fill", "white", "-colorize", "60",
            os.path.join(HERE, file), "-compose", "Over", "-composite", "-bordercolor", "#9AA3AE",
            "-border", "1", "+repage", tile)
        caption = scratch()
        run("-background", "#F4F6F8", "-font", FONT, "-pointsize", 11, "-fill", "#333",
            "label:%s  %d x %d  (%d)  %s" % (file, w, h, number, what), "+repage", caption)
        row = scratch()
        run("-background", "#F4F6F8", caption, tile, "-gravity", "west", "-append", "-gravity", "south",
            "-splice", "0x10", "+repage", row)
        rows.append(row)
    run("-background", "#F4F6F8", *rows, "-gravity", "west", "-append", "-bordercolor", "#F4F6F8",
        "-border", "12", "+repage", "-depth", "8", out)


if __name__ == "__main__":
    main(sys.argv[1:])
