#!/usr/bin/python3
"""Makes the import filter's test files with programs that are not ours, and lists what each
file must hold.

Usage: make_fixtures.py FOLDER

- Inkscape exports drawings this script writes as SVG: EPS (one run of inkscape for all of
  them; text kept as text comes with its Type 42 font) and DXF (inkscape's own DXF exporter, in
  its LINE and its LWPOLYLINE form).
- Ghostscript's ps2ai turns Inkscape's EPS into an Illustrator 3 file, and its eps2write into an
  EPS that draws PDF pages, which the reader refuses by name.
- FontForge writes a Type 1 font (a few letters of DejaVu Sans), which an EPS written here
  embeds as drawing programs do when they keep text as text.
- ezdxf writes CAD drawings: arcs, circles, ellipses, bulged polylines, splines of several
  degrees and weights, blocks.

FOLDER/expected.txt lists, for each file, the outlines a reader must find, one line each:
    shape FILE LEFT TOP RIGHT BOTTOM AREA COLOUR
in millimetres with y growing downward (the page's orientation), AREA -1 for open outlines and
COLOUR -1 where the file keeps none (or the outline is stroked, not filled); and what it must
count as left out:
    notes FILE IMAGES TEXTS
"refused FILE PROBLEM" names a file the reader must refuse, and the report's problem.
CAD drawings list their outlines as "cad FILE LEFT BOTTOM RIGHT TOP AREA", with y up as in the
file. "more FILE" says the file holds further outlines (text as outlines). A reader may place a
drawing anywhere on the page: the outlines are compared after the first one's offset is taken
out.
"""
import glob
import math
import os
import subprocess
import sys

import ezdxf
from ezdxf import path as ezpath
from ezdxf.math import closed_uniform_bspline

FOLDER = sys.argv[1]
SYSTEM_PATH = {"PATH": "/usr/bin:/bin", "HOME": os.environ.get("HOME", "/tmp")}
lines = []


def shape(file, box, area, colour=-1):
    left, top, right, bottom = box
    lines.append("shape %s %.6f %.6f %.6f %.6f %.6f %d" % (file, left, top, right, bottom, area, colour))


def notes(file, images, texts):
    lines.append("notes %s %d %d" % (file, images, texts))


def write(name, text):
    with open(os.path.join(FOLDER, name), "w") as out:
        out.write(text)


# --- SVG drawings (millimetres, y down) and what they hold ---
RED, BLUE, GREEN, BLACK, MAGENTA = 0xFF0000, 0x0000FF, 0x00FF00, 0x000000, 0xFF00FF


def rotated_box(x, y, w, h, degrees, cx, cy):
    a = math.radians(degrees)
    xs, ys = [], []
    for px, py in ((x, y), (x + w, y), (x + w, y + h), (x, y + h)):
        dx, dy = px - cx, py - cy
        xs.append(cx + dx * math.cos(a) - dy * math.sin(a))
        ys.append(cy + dx * math.sin(a) + dy * math.cos(a))
    return (min(xs), min(ys), max(xs), max(ys))


SHAPES = [
    # name, svg element, box, area, colour
    ("rectangle", '<rect x="10" y="5" width="30" height="20" fill="#ff0000"/>',
     (10, 5, 40, 25), 600.0, RED),
    ("circle", '<circle cx="70" cy="35" r="15" fill="#0000ff"/>',
     (55, 20, 85, 50), math.pi * 225, BLUE),
    ("triangle", '<path d="M 10 40 L 40 40 L 25 70 Z" fill="#00ff00"/>',
     (10, 40, 40, 70), 450.0, GREEN),
    ("frame", '<path d="M 60 55 L 110 55 L 110 75 L 60 75 Z M 70 60 L 70 70 L 100 70 L 100 60 Z"'
     ' fill="#000000" fill-rule="evenodd"/>', (60, 55, 110, 75), 1000.0 - 300.0, BLACK),
    ("turned", '<rect x="85" y="10" width="20" height="10" fill="#ff00ff"'
     ' transform="rotate(30 95 15)"/>', rotated_box(85, 10, 20, 10, 30, 95, 15), 200.0, MAGENTA),
]
SVG_HEAD = ('<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink"'
            ' width="120mm" height="80mm" viewBox="0 0 120 80">\n')
write("shapes.svg", SVG_HEAD + "\n".join(s[1] for s in SHAPES) + "\n</svg>\n")

# A red pixel picture, as a PNG written here byte by byte.
import struct
import zlib


def png(width, height, rgb):
    rows = b"".join(b"\0" + bytes(rgb) * width for _ in range(height))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


import base64
picture = base64.b64encode(png(8, 6, (255, 0, 0))).decode()
write("mixed.svg", SVG_HEAD +
      '<rect x="10" y="5" width="30" height="20" fill="#ff0000"/>\n'
      '<image x="50" y="10" width="20" height="15" xlink:href="data:image/png;base64,%s"/>\n'
      '<text x="10" y="50" font-size="10" font-family="DejaVu Sans">Ab</text>\n'
      '<rect x="60" y="40" width="30" height="15" fill="#0000ff"/>\n</svg>\n' % picture)

# Text kept as text whose glyph names are those of the prolog's procedures (S strokes, h closes,
# l draws a line and f fills in cairo's EPS).
write("kept-text.svg", SVG_HEAD +
      '<rect x="10" y="5" width="30" height="20" fill="#ff0000"/>\n'
      '<text x="10" y="50" font-size="10" font-family="DejaVu Sans">Shelf</text>\n'
      '<path d="M 60 40 L 100 40 L 80 70 Z" fill="none" stroke="#0000ff" stroke-width="1"/>\n'
      '<circle cx="90" cy="15" r="8" fill="#00ff00"/>\n</svg>\n')
shape("kept-text.eps", (10, 5, 40, 25), 600.0, RED)
shape("kept-text.eps", (60, 40, 100, 70), -1)
shape("kept-text.eps", (82, 7, 98, 23), math.pi * 64, GREEN)
notes("kept-text.eps", 0, 1)

for name, element, box, area, colour in SHAPES:
    shape("shapes.eps", box, area, colour)
    shape("shapes.ai", box, area, colour)
for file in ("mixed.eps", "mixed-outlined.eps"):
    shape(file, (10, 5, 40, 25), 600.0, RED)
    shape(file, (60, 40, 90, 55), 450.0, BLUE)
notes("mixed.eps", 1, 1)
notes("mixed-outlined.eps", 1, 0)
lines.append("more mixed-outlined.eps")  # the letters' outlines besides
# DXF has no compound paths: the frame's two rings come as two outlines.
for file in ("shapes-lines.dxf", "shapes-poly.dxf"):
    for name, element, box, area, colour in SHAPES:
        if name == "frame":
            shape(file, (60, 55, 110, 75), 1000.0)
            shape(file, (70, 60, 100, 70), 300.0)
        else:
            shape(file, box, area)

# --- Inkscape: all EPS files in one run, then its DXF exporter ---
commands = "".join(
    "file-open:%s; export-area-page;%s export-filename:%s; export-do\n" % (svg, extra, eps)
    for svg, extra, eps in (("shapes.svg", "", "shapes.eps"), ("mixed.svg", "", "mixed.eps"),
                            ("kept-text.svg", "", "kept-text.eps"),
                            # last: the shell keeps the option for the exports after it
                            ("mixed.svg", " export-text-to-path;", "mixed-outlined.eps")))
subprocess.run(["inkscape", "--shell"], input=commands + "quit\n", text=True, cwd=FOLDER,
               env=SYSTEM_PATH, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
exporter = "/usr/share/inkscape/extensions/dxf_outlines.py"
for poly, dxf in (("false", "shapes-lines.dxf"), ("true", "shapes-poly.dxf")):
    subprocess.run(["/usr/bin/python3", exporter, "--POLY=" + poly, "--output=" + dxf, "shapes.svg"],
                   cwd=FOLDER, env=SYSTEM_PATH, check=True, stdout=subprocess.DEVNULL)

# --- Ghostscript: Inkscape's EPS as an Illustrator file ---
ps2ai = sorted(glob.glob("/usr/share/ghostscript/*/lib/ps2ai.ps"))[-1]
with open(os.path.join(FOLDER, "shapes.ai"), "wb") as out:
    subprocess.run(["gs", "-q", "-dNODISPLAY", "-dNOSAFER", "-dBATCH", ps2ai, "shapes.eps"],
                   cwd=FOLDER, stdout=out, check=True)
subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=eps2write",
                "-sOutputFile=pdf-pages.eps", "shapes.eps"], cwd=FOLDER, env=SYSTEM_PATH, check=True)
lines.append("refused pdf-pages.eps 11")

# --- FontForge: a Type 1 font, embedded in an EPS as drawing programs keep text as text ---
subprocess.run(["fontforge", "-lang=py", "-c",
                "import fontforge, sys\n"
                "font = fontforge.open('/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf')\n"
                "font.selection.select(*[ord(c) for c in 'Shelf'])\n"
                "font.selection.invert()\n"
                "font.clear()\n"
                "font.fontname = 'TalvexShelf'\n"
                "font.generate(sys.argv[1])\n", "shelf.pfa"],
               cwd=FOLDER, env=SYSTEM_PATH, check=True, stdout=subprocess.DEVNULL,
               stderr=subprocess.DEVNULL)
with open(os.path.join(FOLDER, "shelf.pfa")) as pfa:
    font = pfa.read()
POINT = 25.4 / 72


def point_box(left, bottom, right, top):
    # y down, as the page has it; the drawing's place is taken out by the comparison.
    return (left * POINT, -top * POINT, right * POINT, -bottom * POINT)


write("type1-font.eps",
      "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 300 200\n%%EndComments\n"
      "%%BeginProlog\n%%EndProlog\n%%BeginSetup\n%%BeginResource: font TalvexShelf\n" + font +
      "%%EndResource\n%%EndSetup\n"
      "1 0 0 setrgbcolor 10 10 moveto 110 10 lineto 110 60 lineto 10 60 lineto closepath fill\n"
      "/TalvexShelf findfont 24 scalefont setfont 0 setgray 20 100 moveto (Shelf) show\n"
      "0 0 1 setrgbcolor 150 20 moveto 250 20 lineto 200 120 lineto closepath fill\n"
      "showpage\n%%EOF\n")
shape("type1-font.eps", point_box(10, 10, 110, 60), 100 * 50 * POINT * POINT, RED)
shape("type1-font.eps", point_box(150, 20, 250, 120), 100 * 100 / 2 * POINT * POINT, BLUE)
notes("type1-font.eps", 0, 1)


# --- ezdxf: CAD drawings; what they hold is measured by ezdxf's own geometry ---
def measure(file, entity, closed, scale=1.0):
    # ezdxf's path of a spline with unclamped knots runs outside the spline's parameter range;
    # its B-spline itself does not.
    if entity.dxftype() == "SPLINE":
        points = list(entity.construction_tool().flattening(0.0005))
    else:
        points = list(ezpath.make_path(entity).flattening(0.0005))
    xs = [p.x * scale for p in points]
    ys = [p.y * scale for p in points]
    area = 0.0
    for a, b in zip(points, points[1:] + points[:1]):
        area += (a.x * b.y - b.x * a.y) * scale * scale / 2
    # y up in the drawing: the page's top is its highest y, turned over later by the comparison.
    lines.append("cad %s %.6f %.6f %.6f %.6f %.6f" %
                 (file, min(xs), min(ys), max(xs), max(ys), abs(area) if closed else -1))


def cad_drawing():
    doc = ezdxf.new("R2018")
    doc.units = ezdxf.units.MM
    msp = doc.modelspace()
    msp.add_arc((10, 10), 5, 0, 90)
    msp.add_circle((40, 10), 8)
    msp.add_lwpolyline([(60, 0, 0), (80, 0, 1), (80, 10, 0), (60, 10, 1)], format="xyb",
                       close=True)
    msp.add_ellipse((20, 40), major_axis=(10, 4), ratio=0.5)
    msp.add_open_spline([(50, 30), (55, 45), (65, 25), (75, 45), (80, 30)], degree=3)
    loop = msp.add_spline()
    loop.apply_construction_tool(closed_uniform_bspline(
        [(100, 0), (120, 5), (115, 20), (100, 25), (90, 10)], order=4))
    loop.closed = True
    msp.add_rational_spline([(100, 40), (110, 55), (120, 40)], weights=[1, 3, 1], degree=2)
    # Seen from below: the arc's object x axis points the other way.
    msp.add_arc((140, 10), 6, 10, 120, dxfattribs={"extrusion": (0, 0, -1)})
    polyline = msp.add_polyline2d([(140, 30), (150, 30), (150, 40)], close=True)
    polyline.vertices[1].dxf.bulge = 0.5
    star = doc.blocks.new("STAR", base_point=(5, 5))
    star.add_lwpolyline([(0, 0), (10, 0), (5, 8)], close=True)
    pair = doc.blocks.new("PAIR")
    pair.add_blockref("STAR", (0, 0))
    pair.add_blockref("STAR", (20, 0), dxfattribs={"rotation": 90})
    msp.add_blockref("STAR", (10, 70), dxfattribs={"xscale": 2, "yscale": 1.5, "rotation": 30})
    msp.add_blockref("PAIR", (50, 70), dxfattribs={"xscale": 0.5, "yscale": 0.5})
    doc.saveas(os.path.join(FOLDER, "cad.dxf"))
    for entity in msp:
        open_kind = entity.dxftype() in ("ARC", "SPLINE") and not (
            entity.dxftype() == "SPLINE" and entity.closed)
        if entity.dxftype() == "INSERT":
            for virtual in entity.virtual_entities():
                if virtual.dxftype() == "INSERT":
                    for inner in virtual.virtual_entities():
                        measure("cad.dxf", inner, True)
                else:
                    measure("cad.dxf", virtual, True)
        else:
            measure("cad.dxf", entity, not open_kind)

    inch = ezdxf.new("R2000")
    inch.units = ezdxf.units.IN
    inch.modelspace().add_circle((1, 1), 1)
    inch.modelspace().add_line((3, 0), (4, 0.5))
    inch.saveas(os.path.join(FOLDER, "cad-inch.dxf"))
    measure("cad-inch.dxf", inch.modelspace()[0], True, 25.4)
    measure("cad-inch.dxf", inch.modelspace()[1], False, 25.4)

    # Splines of several degrees, with weights and without.
    splines = ezdxf.new("R2018")
    splines.units = ezdxf.units.MM
    msp = splines.modelspace()
    zigzag = [(x * 8, 15 * (x % 2)) for x in range(9)]
    msp.add_rational_spline([(10, 0), (10, 10), (0, 10)], weights=[1, math.sqrt(0.5), 1], degree=2)
    msp.add_rational_spline([(p[0], p[1] + 30) for p in zigzag[:6]],
                            weights=[1, 4, 1, 0.25, 1, 2], degree=3)
    msp.add_open_spline([(p[0], p[1] + 60) for p in zigzag[:7]], degree=4)
    msp.add_rational_spline([(p[0] + 80, p[1]) for p in zigzag[:8]],
                            weights=[1, 3, 1, 0.5, 1, 3, 1, 1], degree=5)
    msp.add_open_spline([(p[0] + 80, p[1] + 30) for p in zigzag], degree=7)
    loop = msp.add_spline()
    loop.apply_construction_tool(closed_uniform_bspline(
        [(90, 60), (110, 65), (105, 80), (90, 85), (80, 70)], order=4, weights=[1, 3, 1, 2, 0.5]))
    loop.closed = True
    splines.saveas(os.path.join(FOLDER, "cad-splines.dxf"))
    for entity in msp:
        measure("cad-splines.dxf", entity, entity.closed)

    # Release 12: polylines of vertices, no units.
    old = ezdxf.new("R12")
    old.modelspace().add_polyline2d([(0, 0), (30, 0), (30, 10), (0, 10)], close=True)
    old.modelspace().add_circle((50, 5), 5)
    old.saveas(os.path.join(FOLDER, "cad-r12.dxf"))
    for entity in old.modelspace():
        measure("cad-r12.dxf", entity, True)


cad_drawing()
write("expected.txt", "\n".join(lines) + "\n")
