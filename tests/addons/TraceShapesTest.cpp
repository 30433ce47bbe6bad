// The tracing and vectorising stand-ins through their one entry and the product's wrappers, as the
// editor calls them (no window): shapes rendered into byte planes (a disc, a slanted square with a
// square hole and scanner dust, glyphs drawn by GDI) are traced, and the outlines must enclose
// the true area within 1 % and keep every point within one pixel of the true edge. With
// TALVEX_TRACE_SHAPES naming a folder, each shape's bitmap (PBM) and node counts go there, so that
// potrace_shapes.sh can set potrace's counts for the same bitmaps beside ours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "addons/trace/TraceRecord.h"
#include "addons/trace/TraceTypes.h"
#include "framework/GlobalLock.h"
#include "media/TracingDll.h"
#include "media/VectorParameters.h"
#include "media/VectorisingDll.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/geometry/SegmentWalker.h"
#include "model/records/BlockRecord.h"

namespace {

const double kPi = 3.14159265358979323846;
const char kVectoriserPath[] = "program\\TalvexVector.dll";
const char kTracerPath[] = "program\\TalvexTrace.dll";

// Every key at its shared default, "Delta" too: the vectoriser's preset 2, the tracer's fixed set.
class DefaultSettings : public CVectorSettingsReader {
public:
  float GetFloat(LPCSTR, LPCSTR key, float fallback) const override {
    return CVectorParameters::Find(key) ? CVectorParameters::DefaultOf(key) : fallback;
  }
  int GetInt(LPCSTR, LPCSTR, int fallback) const override { return fallback; }
};

using Ring = std::vector<TracePoint>;

// A picture of width x height pixels, y downwards, and its true edge.
struct Shape {
  Shape(std::string shapeName, int w, int h) : name(std::move(shapeName)), width(w), height(h) {}
  std::string name;
  int width;
  int height;
  std::vector<BYTE> pixels;  // top row first, 1 filled
  std::vector<Ring> edges;
};

double SignedArea(const Ring& ring) {
  double twice = 0.0;
  for (size_t i = 0; i < ring.size(); ++i) twice += Cross(ring[i], ring[(i + 1) % ring.size()]);
  return twice / 2.0;
}

double AreaOf(const std::vector<Ring>& rings) {
  double area = 0.0;
  for (const Ring& ring : rings) area += SignedArea(ring);
  return std::fabs(area);
}

double DistanceToSegment(TracePoint p, TracePoint a, TracePoint b) {
  TracePoint ab = b - a;
  double t = Dot(p - a, ab) / std::max(Dot(ab, ab), 1e-12);
  t = std::max(0.0, std::min(1.0, t));
  return Length(p - (a + ab * t));
}

double DistanceToEdge(TracePoint p, const std::vector<Ring>& edges) {
  double nearest = 1e9;
  for (const Ring& ring : edges)
    for (size_t i = 0; i < ring.size(); ++i)
      nearest = std::min(nearest, DistanceToSegment(p, ring[i], ring[(i + 1) % ring.size()]));
  return nearest;
}

// Pixels whose centres lie inside the edge by the even-odd rule.
void Fill(Shape* shape) {
  shape->pixels.assign(size_t(shape->width) * shape->height, 0);
  for (int y = 0; y < shape->height; ++y)
    for (int x = 0; x < shape->width; ++x) {
      TracePoint c = {x + 0.5, y + 0.5};
      bool inside = false;
      for (const Ring& ring : shape->edges)
        for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
          if ((ring[i].y > c.y) != (ring[j].y > c.y) &&
              c.x <
                  ring[j].x + (ring[i].x - ring[j].x) * (c.y - ring[j].y) / (ring[i].y - ring[j].y))
            inside = !inside;
      shape->pixels[size_t(y) * shape->width + x] = inside;
    }
}

Ring Circle(TracePoint centre, double radius) {
  Ring ring;
  for (int k = 0; k < 720; ++k)
    ring.push_back(
        {centre.x + radius * std::cos(k * kPi / 360), centre.y + radius * std::sin(k * kPi / 360)});
  return ring;
}

Ring TurnedSquare(TracePoint centre, double half, double angle) {
  Ring ring;
  for (int k = 0; k < 4; ++k) {
    double a = angle + kPi / 4 + k * kPi / 2;
    ring.push_back({centre.x + half * std::sqrt(2.0) * std::cos(a),
                    centre.y + half * std::sqrt(2.0) * std::sin(a)});
  }
  return ring;
}

Shape Disc() {
  Shape shape("disc", 171, 163);
  shape.edges = {Circle({85.3, 80.8}, 74.6)};
  Fill(&shape);
  return shape;
}

// A square turned by 20 degrees with a square hole turned the other way, and dust beside it:
// a lone pixel and two pixels touching at a corner, which the tracer leaves out.
Shape SquareWithHole() {
  Shape shape("square", 190, 176);
  Ring hole = TurnedSquare({95.2, 88.7}, 24, -0.2);
  std::reverse(hole.begin(), hole.end());
  shape.edges = {TurnedSquare({95.2, 88.7}, 60, 0.35), hole};
  Fill(&shape);
  shape.pixels[3 * 190 + 3] = 1;
  shape.pixels[170 * 190 + 180] = shape.pixels[171 * 190 + 181] = 1;
  return shape;
}

// A glyph drawn by GDI: its outline flattened from the font, its pixels filled from that outline
// by GDI's own polygon fill.
Shape Glyph(const std::string& name, LPCSTR face, LPCWSTR text) {
  Shape shape(name, 220, 230);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = shape.width;
  info.bmiHeader.biHeight = -shape.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* pixels = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, section);
  PatBlt(dc, 0, 0, shape.width, shape.height, WHITENESS);
  HFONT font = CreateFontA(-190, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                           ANTIALIASED_QUALITY, 0, face);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  BeginPath(dc);
  TextOutW(dc, 14, 12, text, lstrlenW(text));
  EndPath(dc);
  FlattenPath(dc);
  int count = GetPath(dc, nullptr, nullptr, 0);
  std::vector<POINT> points(std::max(count, 1));
  std::vector<BYTE> types(std::max(count, 1));
  GetPath(dc, points.data(), types.data(), count);
  std::vector<POINT> vertices;
  std::vector<INT> sizes;
  for (int i = 0; i < count; ++i) {
    if ((types[i] & ~PT_CLOSEFIGURE) == PT_MOVETO) {
      shape.edges.emplace_back();
      sizes.push_back(0);
    }
    // GDI puts a pixel's centre on the whole coordinate, the tracer its top-left corner.
    shape.edges.back().push_back({points[i].x + 0.5, points[i].y + 0.5});
    vertices.push_back(points[i]);
    ++sizes.back();
  }
  SetPolyFillMode(dc, ALTERNATE);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  SelectObject(dc, GetStockObject(NULL_PEN));
  if (!sizes.empty()) PolyPolygon(dc, vertices.data(), sizes.data(), int(sizes.size()));
  GdiFlush();
  shape.pixels.resize(size_t(shape.width) * shape.height);
  for (size_t i = 0; i < shape.pixels.size(); ++i)
    shape.pixels[i] = (static_cast<DWORD*>(pixels)[i] & 0xFFFFFF) == 0;
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteObject(section);
  DeleteDC(dc);
  return shape;
}

// The plane the libraries take: the bottom row first.
HGLOBAL PlaneOf(const Shape& shape) {
  HGLOBAL plane = GlobalAlloc(GMEM_MOVEABLE, shape.pixels.size());
  CGlobalLock lock(plane);
  for (int y = 0; y < shape.height; ++y)
    memcpy(lock.Data() + size_t(shape.height - 1 - y) * shape.width,
           &shape.pixels[size_t(y) * shape.width], shape.width);
  return plane;
}

std::unique_ptr<CBlock> BlockOf(HGLOBAL record) {
  if (!record) return nullptr;
  CBlock* block = nullptr;
  {
    CGlobalLock lock(record);
    block = CreateBlockFromRecord(lock.Data(), lock.Size());
  }
  GlobalFree(record);
  return std::unique_ptr<CBlock>(block);
}

// The traced curve's sub-paths as polygons, Bezier pieces sampled finely; its segments counted.
std::vector<Ring> RingsOf(const CCurveBlock& curve, int* segments) {
  std::vector<Ring> rings;
  CSegmentWalker walker;
  *segments = 0;
  for (const POINTREC& record : curve.GetPoints()) {
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kMove) rings.emplace_back();
    if (kind != CSegmentWalker::kMove && kind != CSegmentWalker::kLine &&
        kind != CSegmentWalker::kBezier)
      continue;
    const FPOINT* p = walker.Points();
    if (kind != CSegmentWalker::kMove) ++*segments;
    for (int k = kind == CSegmentWalker::kBezier ? 1 : 16; k <= 16; ++k) {
      double t = k / 16.0, s = 1 - t;
      rings.back().push_back({s * s * s * p[0].x + 3 * s * s * t * p[1].x + 3 * s * t * t * p[2].x +
                                  t * t * t * p[3].x,
                              s * s * s * p[0].y + 3 * s * s * t * p[1].y + 3 * s * t * t * p[2].y +
                                  t * t * t * p[3].y});
    }
  }
  return rings;
}

void WritePbm(const Shape& shape, const std::string& folder, int vectorised, int traced) {
  FILE* file = fopen((folder + "\\" + shape.name + ".pbm").c_str(), "wb");
  ASSERT_NE(nullptr, file);
  fprintf(file, "P1\n%d %d\n", shape.width, shape.height);
  for (int y = 0; y < shape.height; ++y) {
    for (int x = 0; x < shape.width; ++x)
      fputc(shape.pixels[size_t(y) * shape.width + x] ? '1' : '0', file);
    fputc('\n', file);
  }
  fclose(file);
  file = fopen((folder + "\\" + shape.name + ".nodes").c_str(), "w");
  fprintf(file, "%d %d\n", vectorised, traced);
  fclose(file);
}

}  // namespace

TEST(TraceShapes, OutlinesKeepTheTrueAreaAndEdgeWithinOnePixel) {
  DefaultSettings settings;
  CVectorisingDll vectoriser;
  CTracingDll tracer;
  vectoriser.SetSettingsReader(&settings);
  tracer.SetSettingsReader(&settings);
  ASSERT_NE(nullptr, vectoriser.Bind(kVectoriserPath));
  ASSERT_NE(nullptr, tracer.Bind(kTracerPath));
  const Shape shapes[] = {Disc(), SquareWithHole(), Glyph("glyph_R", "DejaVu Sans", L"R"),
                          Glyph("glyph_yong", "WenQuanYi Micro Hei", L"\u6c38")};
  char folder[MAX_PATH] = "";
  GetEnvironmentVariableA("TALVEX_TRACE_SHAPES", folder, MAX_PATH);
  for (size_t s = 0; s < std::size(shapes); ++s) {
    const Shape& shape = shapes[s];
    SCOPED_TRACE(shape.name);
    ASSERT_GT(shape.edges.size(), 0u);
    const double trueArea = AreaOf(shape.edges);
    int counts[2] = {};
    for (int library = 0; library < 2; ++library) {
      HGLOBAL plane = PlaneOf(shape);
      HGLOBAL record = library == 0
                           ? vectoriser.Vectorise(plane, shape.width, shape.height, nullptr)
                           : tracer.Trace(plane, shape.width, shape.height, nullptr);
      GlobalFree(plane);
      std::unique_ptr<CBlock> block = BlockOf(record);
      ASSERT_NE(nullptr, block);
      ASSERT_EQ(kCurveBlock, block->m_type);
      auto* curve = static_cast<CCurveBlock*>(block.get());
      std::vector<Ring> rings = RingsOf(*curve, &counts[library]);
      // One outline per true outline (the glyphs' too), none for the dust.
      EXPECT_EQ(shape.edges.size(), rings.size());
      EXPECT_NEAR(trueArea, AreaOf(rings), trueArea * 0.01);
      double farthest = 0.0;
      for (const Ring& ring : rings)
        for (TracePoint p : ring) farthest = std::max(farthest, DistanceToEdge(p, shape.edges));
      EXPECT_LE(farthest, 1.0);
      // Pixels, the top-left corner at the origin: the box lies within the picture.
      EXPECT_GE(curve->m_box.left, 0.0f);
      EXPECT_GE(curve->m_box.top, 0.0f);
      EXPECT_LE(curve->m_box.right, float(shape.width));
      EXPECT_LE(curve->m_box.bottom, float(shape.height));
      printf("%-12s %s: %3d segments, area %.1f of %.1f, farthest %.2f px\n", shape.name.c_str(),
             library == 0 ? "vectoriser" : "tracer    ", counts[library], AreaOf(rings), trueArea,
             farthest);
    }
    if (folder[0]) WritePbm(shape, folder, counts[0], counts[1]);
  }
}

TEST(TraceShapes, TheEntryRefusesWhatItCannotTraceAndSplitsWhatOneCurveCannotHold) {
  CVectorisingDll vectoriser;
  DefaultSettings settings;
  vectoriser.SetSettingsReader(&settings);
  ASSERT_NE(nullptr, vectoriser.Bind(kVectoriserPath));
  using Entry = HGLOBAL(__cdecl*)(const ImageVectorParams*);
  auto entry = reinterpret_cast<Entry>(
      reinterpret_cast<void*>(GetProcAddress(vectoriser.GetModule(), "ImageVector")));
  ASSERT_NE(nullptr, entry);
  BYTE pixels[16] = {0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0};
  ImageVectorParams params = vectoriser.GetParams();
  params.plane = pixels;
  params.width = 4;
  params.height = 3;
  EXPECT_EQ(nullptr, entry(nullptr));
  params.height = 2;  // lower than 3 pixels
  EXPECT_EQ(nullptr, entry(&params));
  params.height = 3;
  params.plane = nullptr;
  EXPECT_EQ(nullptr, entry(&params));
  // Empty, or dust only: nothing traced.
  BYTE dust[12] = {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0};
  params.plane = dust;
  EXPECT_EQ(nullptr, entry(&params));
  // Settings no tracer can work with are brought into range rather than followed.
  params.plane = pixels;
  params.ErrorThreshold = -5.0f;
  params.CornerSurround = 1000000;
  params.FilterPercent = std::nanf("");
  std::unique_ptr<CBlock> bar = BlockOf(entry(&params));
  ASSERT_NE(nullptr, bar);
  EXPECT_FLOAT_EQ(1.0f, bar->m_box.left);
  EXPECT_FLOAT_EQ(0.0f, bar->m_box.top);
  EXPECT_FLOAT_EQ(3.0f, bar->m_box.right);
  EXPECT_FLOAT_EQ(3.0f, bar->m_box.bottom);

  // Three outlines where one curve may hold only two: a group of two curves keeps all three.
  TracedOutline square;
  square.start = {0, 0};
  for (TracePoint p : {TracePoint{4, 0}, TracePoint{4, 4}, TracePoint{0, 4}, TracePoint{0, 0}})
    square.segments.push_back({false, {}, {}, p});
  const int records = CTraceRecord::RecordsOf(square);
  std::unique_ptr<CBlock> split(CTraceRecord::MakeBlock({square, square, square}, 2 * records + 1));
  ASSERT_NE(nullptr, split);
  ASSERT_EQ(kGroupBlock, split->m_type);
  auto* group = static_cast<CGroupBlock*>(split.get());
  ASSERT_EQ(2, group->GetChildCount());
  EXPECT_EQ(2 * records + 1, static_cast<CCurveBlock*>(group->GetChild(0))->GetCount());
  EXPECT_EQ(records + 1, static_cast<CCurveBlock*>(group->GetChild(1))->GetCount());
}
