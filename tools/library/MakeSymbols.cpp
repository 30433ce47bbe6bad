// Writes the graphics library that ships in the program folder's library folder, SYMBOLS.LIB:
// four kinds of simple symbols (arrows, frames, signs, shapes) drawn here as outlines in
// millimetres, encoded by the program's own glyph encoder and laid out by its library builder.
// Built with the build machine's compiler and run by the build:
//   make_symbols OUTPUT.LIB
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "media/library/LibraryBuilder.h"
#include "media/library/LibraryLayout.h"
#include "text/GlyphEncoder.h"

namespace {

using Outline = std::vector<POINTREC>;

const float kVersion = 6.1f;
// Outlines are stored at this extent and come back at their own size in millimetres.
const float kGraphicSize = 4096;
// Every symbol's box starts here on the page.
const float kLeft = 20, kTop = 20;
// The share of a quarter circle's radius at which its Bezier controls lie.
const float kArc = 0.5522847f;
const double kPi = 3.14159265358979323846;

struct Point {
  float x, y;
};

// A closed contour through the corners, in order.
void Polygon(Outline& out, const std::vector<Point>& corners) {
  for (size_t i = 0; i < corners.size(); ++i)
    out.push_back(MakePointRecord(kLeft + corners[i].x, kTop + corners[i].y, i ? 0x01 : 0x11));
  out.push_back(MakePointRecord(kLeft + corners[0].x, kTop + corners[0].y, 0x41));
}

void Curve(Outline& out, Point c1, Point c2, Point end, BYTE flags) {
  out.push_back(MakePointRecord(kLeft + c1.x, kTop + c1.y, 0x00));
  out.push_back(MakePointRecord(kLeft + c2.x, kTop + c2.y, 0x00));
  out.push_back(MakePointRecord(kLeft + end.x, kTop + end.y, flags));
}

// An ellipse of four Bezier quarters, starting at its right-hand point.
void Ellipse(Outline& out, float cx, float cy, float rx, float ry) {
  float kx = rx * kArc, ky = ry * kArc;
  out.push_back(MakePointRecord(kLeft + cx + rx, kTop + cy, 0x11));
  Curve(out, {cx + rx, cy + ky}, {cx + kx, cy + ry}, {cx, cy + ry}, 0x01);
  Curve(out, {cx - kx, cy + ry}, {cx - rx, cy + ky}, {cx - rx, cy}, 0x01);
  Curve(out, {cx - rx, cy - ky}, {cx - kx, cy - ry}, {cx, cy - ry}, 0x01);
  Curve(out, {cx + kx, cy - ry}, {cx + rx, cy - ky}, {cx + rx, cy}, 0x41);
}

// A rectangle whose corners are quarter circles of radius r.
void RoundRect(Outline& out, float left, float top, float right, float bottom, float r) {
  float k = r * (1 - kArc);
  out.push_back(MakePointRecord(kLeft + left + r, kTop + top, 0x11));
  out.push_back(MakePointRecord(kLeft + right - r, kTop + top, 0x01));
  Curve(out, {right - k, top}, {right, top + k}, {right, top + r}, 0x01);
  out.push_back(MakePointRecord(kLeft + right, kTop + bottom - r, 0x01));
  Curve(out, {right, bottom - k}, {right - k, bottom}, {right - r, bottom}, 0x01);
  out.push_back(MakePointRecord(kLeft + left + r, kTop + bottom, 0x01));
  Curve(out, {left + k, bottom}, {left, bottom - k}, {left, bottom - r}, 0x01);
  out.push_back(MakePointRecord(kLeft + left, kTop + top + r, 0x01));
  Curve(out, {left, top + k}, {left + k, top}, {left + r, top}, 0x41);
}

// Corners of a regular polygon or a star (inner radius > 0) around (c, c), the first one up.
std::vector<Point> Regular(int corners, float c, float outer, float inner = 0) {
  std::vector<Point> points;
  int steps = inner > 0 ? 2 * corners : corners;
  for (int i = 0; i < steps; ++i) {
    double angle = -kPi / 2 + 2 * kPi * i / steps;
    float r = inner > 0 && i % 2 ? inner : outer;
    points.push_back(
        {c + r * static_cast<float>(std::cos(angle)), c + r * static_cast<float>(std::sin(angle))});
  }
  return points;
}

// The arrow pointing right in a 60 x 40 box, turned by quarter turns (y grows downwards).
Outline Arrow(int quarterTurns) {
  std::vector<Point> right = {{0, 12}, {34, 12}, {34, 0}, {60, 20}, {34, 40}, {34, 28}, {0, 28}};
  for (Point& p : right) {
    for (int t = 0; t < quarterTurns; ++t) p = {40 - p.y, p.x};
  }
  Outline out;
  Polygon(out, right);
  return out;
}

Outline DoubleArrow() {
  Outline out;
  Polygon(out, {{0, 20},
                {18, 2},
                {18, 13},
                {52, 13},
                {52, 2},
                {70, 20},
                {52, 38},
                {52, 27},
                {18, 27},
                {18, 38}});
  return out;
}

Outline Chevron() {
  Outline out;
  Polygon(out, {{0, 0}, {20, 0}, {45, 25}, {20, 50}, {0, 50}, {25, 25}});
  return out;
}

Outline Frame() {
  Outline out;
  Polygon(out, {{0, 0}, {80, 0}, {80, 50}, {0, 50}});
  Polygon(out, {{5, 5}, {5, 45}, {75, 45}, {75, 5}});
  return out;
}

Outline RoundFrame() {
  Outline out;
  RoundRect(out, 0, 0, 80, 50, 10);
  RoundRect(out, 5, 5, 75, 45, 6);
  return out;
}

Outline DoubleFrame() {
  Outline out = Frame();
  Polygon(out, {{8, 8}, {72, 8}, {72, 42}, {8, 42}});
  Polygon(out, {{10, 10}, {10, 40}, {70, 40}, {70, 10}});
  return out;
}

Outline OvalFrame() {
  Outline out;
  Ellipse(out, 40, 25, 40, 25);
  Ellipse(out, 40, 25, 35, 20);
  return out;
}

Outline Star() {
  Outline out;
  Polygon(out, Regular(5, 30, 30, 12));
  return out;
}

Outline Heart() {
  Outline out;
  out.push_back(MakePointRecord(kLeft + 30, kTop + 14, 0x11));
  Curve(out, {30, 2}, {56, 0}, {58, 16}, 0x01);
  Curve(out, {60, 32}, {40, 44}, {30, 54}, 0x01);
  Curve(out, {20, 44}, {0, 32}, {2, 16}, 0x01);
  Curve(out, {4, 0}, {30, 2}, {30, 14}, 0x41);
  return out;
}

Outline Check() {
  Outline out;
  Polygon(out, {{0, 28}, {8, 20}, {20, 32}, {48, 4}, {56, 12}, {20, 48}});
  return out;
}

Outline Cross() {
  Outline out;
  Polygon(out, {{0, 8},
                {8, 0},
                {25, 17},
                {42, 0},
                {50, 8},
                {33, 25},
                {50, 42},
                {42, 50},
                {25, 33},
                {8, 50},
                {0, 42},
                {17, 25}});
  return out;
}

Outline Warning() {
  Outline out;
  Polygon(out, {{30, 0}, {60, 52}, {0, 52}});
  Polygon(out, {{30, 12}, {10, 46}, {50, 46}});
  return out;
}

Outline Plus() {
  Outline out;
  Polygon(out, {{18, 0},
                {32, 0},
                {32, 18},
                {50, 18},
                {50, 32},
                {32, 32},
                {32, 50},
                {18, 50},
                {18, 32},
                {0, 32},
                {0, 18},
                {18, 18}});
  return out;
}

Outline Circle() {
  Outline out;
  Ellipse(out, 25, 25, 25, 25);
  return out;
}

Outline Shape(int corners) {
  Outline out;
  Polygon(out, Regular(corners, 25, 25));
  return out;
}

Outline Square() {
  Outline out;
  Polygon(out, {{0, 0}, {50, 0}, {50, 50}, {0, 50}});
  return out;
}

Outline Ring() {
  Outline out;
  Ellipse(out, 25, 25, 25, 25);
  Ellipse(out, 25, 25, 17, 17);
  return out;
}

// Version 6.1 records keep the size of a graphic's box in whole units: each outline is stretched
// by less than a unit to whole sizes, so that it comes back exactly where and as large as drawn.
void WholeSize(Outline& outline) {
  float left = outline[0].x, top = outline[0].y, right = left, bottom = top;
  for (const POINTREC& point : outline) {
    left = std::min(left, point.x);
    top = std::min(top, point.y);
    right = std::max(right, point.x);
    bottom = std::max(bottom, point.y);
  }
  float width = right - left, height = bottom - top;
  float sx = width > 0 ? std::round(width) / width : 1.0f;
  float sy = height > 0 ? std::round(height) / height : 1.0f;
  for (POINTREC& point : outline) {
    point.x = left + (point.x - left) * sx;
    point.y = top + (point.y - top) * sy;
  }
}

struct Graphic {
  const char* name;
  Outline outline;
};

struct Kind {
  const char* chinese;
  const char* english;
  std::vector<Graphic> graphics;
};

std::vector<Kind> Kinds() {
  return {
      {"箭头",
       "Arrows",
       {{"右箭头 Right", Arrow(0)},
        {"下箭头 Down", Arrow(1)},
        {"左箭头 Left", Arrow(2)},
        {"上箭头 Up", Arrow(3)},
        {"双向箭头 Both ways", DoubleArrow()},
        {"尖角 Chevron", Chevron()}}},
      {"边框",
       "Frames",
       {{"方框 Frame", Frame()},
        {"圆角框 Rounded frame", RoundFrame()},
        {"双线框 Double frame", DoubleFrame()},
        {"椭圆框 Oval frame", OvalFrame()}}},
      {"标志",
       "Signs",
       {{"五角星 Star", Star()},
        {"心形 Heart", Heart()},
        {"对勾 Check", Check()},
        {"叉号 Cross", Cross()},
        {"警告 Warning", Warning()},
        {"加号 Plus", Plus()}}},
      {"几何",
       "Shapes",
       {{"圆 Circle", Circle()},
        {"正方形 Square", Square()},
        {"三角形 Triangle", Shape(3)},
        {"六边形 Hexagon", Shape(6)},
        {"八边形 Octagon", Shape(8)},
        {"圆环 Ring", Ring()}}},
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_symbols OUTPUT.LIB\n");
    return 2;
  }
  library::LibraryHeader header = library::MakeLibraryHeader(kVersion, "常用符号");
  library::SetFixedText(header.titles[library::kEnglishTitle], library::kTitleSize,
                        "Common Symbols");
  header.graphicSize = static_cast<WORD>(kGraphicSize);
  CLibraryBuilder builder(header);
  for (const Kind& kind : Kinds()) {
    int number = builder.AddKind(kind.chinese, kind.english);
    for (const Graphic& graphic : kind.graphics) {
      Outline outline = graphic.outline;
      WholeSize(outline);
      outline.push_back(MakePointRecord(0, 0, kPointEnd));
      std::vector<BYTE> record;
      if (!CGlyphEncoder::Encode(outline, kVersion, kGraphicSize, graphic.name, record) ||
          !builder.AddGraphic(number, record)) {
        std::fprintf(stderr, "make_symbols: graphic \"%s\" cannot be stored\n", graphic.name);
        return 1;
      }
    }
  }
  std::FILE* file = std::fopen(argv[1], "wb");
  const std::vector<BYTE>& bytes = builder.Bytes();
  bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file && std::fclose(file) != 0) written = false;
  if (!written) {
    std::fprintf(stderr, "make_symbols: cannot write %s\n", argv[1]);
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
