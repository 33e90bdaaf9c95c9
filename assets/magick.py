"""ImageMagick as a small painting library for draw.py.

Every function takes and returns pictures as paths of scratch files (MIFF, which keeps
16-bit channels and alpha between the steps) in a folder made by start() and removed by
finish(). Coordinates are in final pixels with a pixel's centre at its integer position.
"""

import os
import shutil
import struct
import subprocess
import tempfile

CONVERT = shutil.which("magick") and ["magick"] or ["convert"]
FONT = "Noto-Sans-CJK-SC"
FONT_BOLD = "Noto-Sans-CJK-SC-Bold"

TMP = None


def start():
    global TMP
    TMP = tempfile.mkdtemp(prefix="qs-draw-")


def finish():
    shutil.rmtree(TMP)


def run(*args):
    subprocess.run(CONVERT + [str(a) for a in args], check=True)


def tmp(name):
    return os.path.join(TMP, name + ".miff")


_counter = [0]


def scratch():
    _counter[0] += 1
    return tmp("s%03d" % _counter[0])


def canvas(w, h, colour="none"):
    out = scratch()
    run("-size", "%dx%d" % (w, h), "xc:" + colour, out)
    return out


def shape(w, h, draw, fill="white", stroke=None, stroke_width=1, linecap=None, linejoin=None, ss=4):
    """A transparent w x h picture with MVG primitives painted in one colour.

    Drawn at ss times the size and reduced by averaging, which gives smoother edges and
    truer thin lines than ImageMagick's own anti-aliasing; ss=1 draws pixel-exact.
    Coordinates are in final pixels, a pixel's centre at its integer position.
    """
    mvg = ["fill '%s'" % fill]
    mvg.append("stroke '%s' stroke-width %g" % (stroke, stroke_width) if stroke else "stroke none")
    if linecap:
        mvg.append("stroke-linecap " + linecap)
    if linejoin:
        mvg.append("stroke-linejoin " + linejoin)
    if ss > 1:
        mvg.append("translate %g,%g scale %d,%d" % ((ss - 1) / 2, (ss - 1) / 2, ss, ss))
    mvg += [draw] if isinstance(draw, str) else draw
    out = scratch()
    args = ["-size", "%dx%d" % (w * ss, h * ss), "xc:none"]
    if ss == 1:
        args += ["+antialias"]
    args += ["-draw", " ".join(mvg)]
    if ss > 1:
        args += ["-filter", "Box", "-resize", "%dx%d!" % (w, h)]
    run(*args, out)
    return out


def gradient(w, h, top, bottom, angle=None):
    """A w x h linear gradient; vertical unless an angle (degrees, 90 = left to right) is given."""
    out = scratch()
    args = ["-size", "%dx%d" % (w, h)]
    if angle is not None:
        args += ["-define", "gradient:angle=%g" % angle]
    run(*args, "gradient:%s-%s" % (top, bottom), out)
    return out


def fill_with(mask, paint):
    """paint (a picture) cut to the alpha of mask."""
    out = scratch()
    run(paint, "-alpha", "set", mask, "-compose", "DstIn", "-composite", out)
    return out


def over(base, *layers):
    """Layers composited over base in order; each layer is a file or (file, x, y)."""
    out = scratch()
    args = [base]
    for layer in layers:
        f, x, y = (layer, 0, 0) if isinstance(layer, str) else layer
        args += [f, "-geometry", "%+d%+d" % (x, y), "-compose", "Over", "-composite"]
    run(*args, out)
    return out


def opacity(pic, factor):
    out = scratch()
    run(pic, "-channel", "A", "-evaluate", "multiply", factor, "+channel", out)
    return out


def blur(pic, sigma):
    out = scratch()
    run(pic, "-channel", "RGBA", "-blur", "0x%g" % sigma, out)
    return out


def tint(pic, colour):
    """Every pixel of pic painted colour, keeping its alpha."""
    out = scratch()
    run(pic, "-fill", colour, "-colorize", "100", out)
    return out


def shadow(mask, colour, alpha, sigma, dx=0, dy=0):
    """A soft shadow of mask's shape: colour at alpha, blurred, moved by dx, dy (same size)."""
    s = opacity(tint(mask, colour), alpha)
    w, h = size_of(mask)
    moved = over(canvas(w, h), (s, dx, dy))
    return blur(moved, sigma)


def size_of(pic):
    out = subprocess.run(CONVERT + [pic, "-format", "%w %h", "info:"], check=True,
                         capture_output=True, text=True).stdout.split()
    return int(out[0]), int(out[1])


def text(s, size, colour, font=FONT, kerning=0):
    """The ink of a text line, trimmed to its pixels."""
    out = scratch()
    run("-background", "none", "-font", font, "-pointsize", size, "-kerning", kerning,
        "-fill", colour, "label:" + s, "-trim", "+repage", out)
    return out


def centred(base, pic, dx=0, dy=0):
    bw, bh = size_of(base)
    pw, ph = size_of(pic)
    return over(base, (pic, (bw - pw) // 2 + dx, (bh - ph) // 2 + dy))


def rounded(w, h, x0, y0, x1, y1, r, fill="white"):
    """A rounded rectangle covering the pixels x0..x1 and y0..y1 (inclusive)."""
    return shape(w, h, "roundrectangle %g,%g %g,%g %g,%g" % (x0 - 0.5, y0 - 0.5, x1 + 0.5, y1 + 0.5, r, r),
                 fill=fill)


def save_to(pic, path, opaque=False):
    kind = "PNG24:" if opaque else "PNG32:"
    args = [pic]
    if opaque:
        args += ["-background", "white", "-alpha", "remove", "-alpha", "off"]
    run(*args, "-strip", "-define", "png:exclude-chunks=date,time", "-define",
        "png:compression-level=9", kind + path)


def glow(w, h, cx, cy, rx, ry, colour, alpha):
    """A soft radial light: colour at alpha in the centre, fading to nothing at the radii."""
    ramp = scratch()
    run("-size", "%dx%d" % (w, h), "-define", "gradient:center=%g,%g" % (cx, cy),
        "-define", "gradient:radii=%g,%g" % (rx, ry), "radial-gradient:white-black", ramp)
    out = scratch()
    run("-size", "%dx%d" % (w, h), "xc:" + colour, ramp, "-alpha", "off", "-compose", "CopyOpacity",
        "-composite", "-channel", "A", "-evaluate", "multiply", alpha, "+channel", out)
    return out


def write_icon(path, layers):
    """An .ico whose small sizes are 32-bit bitmaps (read everywhere) and whose 256 px size
    is a PNG (as Windows expects it, and a quarter of the bytes)."""
    small = scratch() + ".ico"
    run(*layers[:-1], small)
    big = scratch() + ".png"
    save_to(layers[-1], big)
    with open(small, "rb") as f:
        data = f.read()
    count = struct.unpack_from("<H", data, 4)[0]
    entries = [list(struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)) for i in range(count)]
    images = [data[e[7]:e[7] + e[6]] for e in entries]
    with open(big, "rb") as f:
        png = f.read()
    entries.append([0, 0, 0, 0, 1, 32, len(png), 0])
    images.append(png)
    offset = 6 + 16 * len(entries)
    out = struct.pack("<HHH", 0, 1, len(entries))
    for e, image in zip(entries, images):
        e[6], e[7] = len(image), offset
        out += struct.pack("<BBBBHHII", *e)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))
