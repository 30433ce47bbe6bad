#!/usr/bin/env bash
# The EPS file of the drawing export rendered by Ghostscript: its bounding box (Ghostscript's
# bbox device) lies within the box the file declares and spans the drawing, and its pixels are
# the drawing's: a 30 x 20 mm frame with a 10 x 10 mm hole at (10, 10) mm and a triangle
# (50, 10), (70, 10), (60, 30), filled by the even-odd rule. Every point of a millimetre grid that
# lies clearly inside or outside is checked. Arguments: the Wine binary, the editor test program.
set -euo pipefail
wine=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
TALVEX_EXPORT_EPS=export.eps "$wine" "$program" \
  --gtest_filter=DrawingExport.TheProgramsEpsReadsBackThroughTheImportFilter \
  --gtest_color=no >export.log 2>&1 || { cat export.log; exit 1; }
[[ -s export.eps ]] || { echo "no EPS file written"; cat export.log; exit 1; }
head -3 export.eps
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=bbox export.eps 2>bbox.txt >/dev/null
cat bbox.txt
gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -r288 -sDEVICE=pgmraw -sOutputFile=export.pgm export.eps
/usr/bin/python3 - export.eps bbox.txt export.pgm <<'PYTHON'
import re, sys
eps, bbox, pgm = (open(name, "rb").read() for name in sys.argv[1:4])
declared = [int(v) for v in re.search(rb"%%BoundingBox: (-?\d+) (-?\d+) (-?\d+) (-?\d+)", eps).groups()]
marked = [float(v) for v in re.search(rb"%%HiResBoundingBox: (\S+) (\S+) (\S+) (\S+)", bbox).groups()]
scale = 72 / 25.4
# The drawing spans x 10..70 mm and y 10..30 mm: turned over within that box in the file.
drawn = [10 * scale, 10 * scale, 70 * scale, 30 * scale]
for i in range(4):
    assert abs(marked[i] - drawn[i]) < 1.5, ("marked", marked, "drawing", drawn)
assert declared[0] <= marked[0] and declared[1] <= marked[1], (declared, marked)
assert declared[2] >= marked[2] and declared[3] >= marked[3], (declared, marked)
# The picture: P5 width height 255, rows from the top, at 288 dots per inch from the declared box.
fields, at = [], 0
while len(fields) < 4:
    while pgm[at:at + 1].isspace():
        at += 1
    if pgm[at:at + 1] == b"#":
        at = pgm.index(b"\n", at)
        continue
    end = at
    while not pgm[end:end + 1].isspace():
        end += 1
    fields.append(pgm[at:end])
    at = end
width, height = int(fields[1]), int(fields[2])
pixels = pgm[at + 1:]
dots = 288 / 72
def inside_polygon(x, y, polygon):
    inside = False
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside
frame = [(10, 10), (40, 10), (40, 30), (10, 30)]
hole = [(20, 15), (30, 15), (30, 25), (20, 25)]
triangle = [(50, 10), (70, 10), (60, 30)]
def near_edge(x, y):
    for polygon in (frame, hole, triangle):
        for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
            length2 = (x2 - x1) ** 2 + (y2 - y1) ** 2
            t = max(0, min(1, ((x - x1) * (x2 - x1) + (y - y1) * (y2 - y1)) / length2))
            if ((x - x1 - t * (x2 - x1)) ** 2 + (y - y1 - t * (y2 - y1)) ** 2) ** 0.5 < 0.4:
                return True
    return False
checked = wrong = 0
for ty in range(5, 36):
    for tx in range(5, 76):
        x, y = tx + 0.5, ty + 0.5  # millimetres on the page, y down
        if near_edge(x, y):
            continue
        black = (inside_polygon(x, y, frame) and not inside_polygon(x, y, hole)) or \
            inside_polygon(x, y, triangle)
        # Page y turns over within 10..30: the file's y is (10 + 30 - y) mm.
        px = int((x * scale - declared[0]) * dots)
        py = int((declared[3] - (40 - y) * scale) * dots)
        if not (0 <= px < width and 0 <= py < height):
            continue
        checked += 1
        if (pixels[py * width + px] < 128) != black:
            wrong += 1
            print("pixel at %.1f, %.1f mm is %s" % (x, y, "white" if black else "black"))
print("checked %d points, %d wrong" % (checked, wrong))
assert checked > 1000 and wrong == 0
PYTHON
echo "gs EPS export: ok"
