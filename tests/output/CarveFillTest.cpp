// The 2-D fill without its dialog (no window; GDI paints into memory): the run scan of packed
// rows, and whole fill jobs of synthetic drawings (a square, a ring) written through a test
// engraver whose unit is the fill step, read back as runs and checked against rows computed by
// hand: one way and both ways, mirrored, turned, relief and intaglio, in columns, across raster
// bands, the last row included, outlines after the fill; a stop ends the job without its finish.
// Each shipped engraver writes a golden stream of a small fill with its outline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/SegArray.h"
#include "model/settings/ProgramPaths.h"
#include "output/CarveFillJob.h"
#include "output/FillScan.h"
#include "output/OutPort.h"
#include "support/TempFolder.h"

namespace {

// ---- The run scan ----

// A row as text, '#' for a set bit, packed as a top-down DIB keeps it.
std::vector<BYTE> Packed(const std::string& row) {
  std::vector<BYTE> bytes((row.size() + 7) / 8 + 1, 0);
  for (size_t i = 0; i < row.size(); ++i)
    if (row[i] == '#') bytes[i / 8] |= static_cast<BYTE>(0x80 >> (i % 8));
  return bytes;
}

TEST(FillScan, RunsOfInkBitsInEitherDirection) {
  struct Case {
    const char* row;
    int inkBit;
    bool backward;
    std::vector<FillRun> runs;
  };
  const Case cases[] = {
      {"..##...#", 1, false, {{2, 3}, {7, 7}}},
      {"..##...#", 1, true, {{7, 7}, {3, 2}}},
      {"..##...#", 0, false, {{0, 1}, {4, 6}}},
      {"........", 1, false, {}},
      {"########", 1, true, {{7, 0}}},
      // Whole bytes inside and across runs, and rows that end inside a byte.
      {"################.", 1, false, {{0, 15}}},
      {".......##########################.", 1, false, {{7, 32}}},
      {"#........................#", 1, false, {{0, 0}, {25, 25}}},
      {"#.#.#.#.#.#", 0, true, {{9, 9}, {7, 7}, {5, 5}, {3, 3}, {1, 1}}},
      {"#", 1, false, {{0, 0}}},
  };
  std::vector<FillRun> runs;
  for (const Case& c : cases) {
    std::vector<BYTE> row = Packed(c.row);
    ScanFillRow(row.data(), static_cast<int>(strlen(c.row)), c.inkBit, c.backward, runs);
    EXPECT_EQ(c.runs, runs) << c.row << " ink " << c.inkBit << (c.backward ? " backward" : "");
  }
  // Bits past the width are never ink.
  std::vector<BYTE> row = {0xFF, 0xFF};
  ScanFillRow(row.data(), 11, 1, false, runs);
  EXPECT_EQ((std::vector<FillRun>{{0, 10}}), runs);
  ScanFillRow(nullptr, 11, 1, false, runs);
  EXPECT_TRUE(runs.empty());
}

// ---- Whole jobs ----

// An engraver whose unit is one millimetre at the stored origin (0, 0): with a fill step of
// 1 mm a device point is the raster pixel itself.
const char kTestProfile[] =
    "[CarveDevices]\r\ntest=TEST\r\n"
    "[TEST]\r\nSoftWareRes=1\r\nOrigin=1\r\nOriginX=0\r\nOriginY=0\r\nInitCmd=I;\r\n"
    "MoveTo=M%d,%d;\r\nLineTo=L%d,%d;\r\nLineToEx=l%d,%d;\r\nFinishCmd=F;\r\n";

struct EngravedRun {
  int x0, y0, x1, y1;
  bool operator==(const EngravedRun& o) const {
    return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1;
  }
};

std::ostream& operator<<(std::ostream& out, const EngravedRun& run) {
  return out << "(" << run.x0 << "," << run.y0 << ")-(" << run.x1 << "," << run.y1 << ")";
}

// The rows by hand: each row's runs as (first, last) pixels left to right.
using Rows = std::vector<std::vector<std::pair<int, int>>>;

// The runs in the order they are engraved: rows top down, every second row right to left when
// both ways; in columns x and y change places.
std::vector<EngravedRun> Engraved(const Rows& rows, bool bothWays, bool columns = false) {
  std::vector<EngravedRun> runs;
  for (size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i);
    std::vector<EngravedRun> line;
    for (const auto& run : rows[i]) line.push_back({run.first, row, run.second, row});
    if (bothWays && (i & 1)) {
      std::reverse(line.begin(), line.end());
      for (EngravedRun& run : line) std::swap(run.x0, run.x1);
    }
    for (EngravedRun run : line) {
      if (columns) {
        std::swap(run.x0, run.y0);
        std::swap(run.x1, run.y1);
      }
      runs.push_back(run);
    }
  }
  return runs;
}

// n rows of the same runs.
void Repeat(Rows& rows, int n, std::vector<std::pair<int, int>> runs) {
  for (int i = 0; i < n; ++i) rows.push_back(runs);
}

class Progress : public CCarveFillProgress {
public:
  int* stop = nullptr;
  int stopAtRow = -1;
  int range = 0;
  void SetRange(int upper) override { range = upper; }
  void SetPosition(int position) override {
    if (position == stopAtRow && stop) *stop = 1;
  }
  void PumpMessage() override {}
};

class CarveFillTest : public ::testing::Test {
protected:
  CarveFillTest() : m_plot(m_folder.File("fill.plt")) {
    std::string ini = m_folder.File("Carves.INI");
    std::ofstream(ini, std::ios::binary) << kTestProfile;
    m_device.ProfileFile().SetPath(ini.c_str());
    m_device.LoadProfile("test");
    m_port.GetSettingsFile().SetPath(m_folder.File("UPort.Ini").c_str());
    m_port.SetPortName(m_plot.c_str());
    m_port.EnableFileBuffer(true);
    m_options.mirror = 0;
    m_options.doubleWay = 0;
    m_options.fillStep = 1.0f;
  }
  ~CarveFillTest() override { m_blocks.DeleteAll(); }

  void AddSquare(float x0, float y0, float x1, float y1) {
    CCurveBlock* curve = new CCurveBlock;
    curve->AddRectangle(x0, y0, x1, y1);
    curve->EndCurve();
    m_blocks.AddBlock(curve);
  }
  // A closed circle of four Bezier quarters as a sub-path of the curve.
  static void AddCircle(CCurveBlock* curve, float cx, float cy, float r) {
    const float k = 0.5523f * r;
    curve->AddPoint(cx + r, cy, 0x11);
    const float pieces[4][6] = {{cx + r, cy + k, cx + k, cy + r, cx, cy + r},
                                {cx - k, cy + r, cx - r, cy + k, cx - r, cy},
                                {cx - r, cy - k, cx - k, cy - r, cx, cy - r},
                                {cx + k, cy - r, cx + r, cy - k, cx + r, cy}};
    for (int i = 0; i < 4; ++i) {
      curve->AddPoint(pieces[i][0], pieces[i][1], 0x00);
      curve->AddPoint(pieces[i][2], pieces[i][3], 0x00);
      curve->AddPoint(pieces[i][4], pieces[i][5], i == 3 ? 0x41 : 0x01);
    }
  }

  CCarveFillJob::Result Fill(const CFRect& page, int bandRows = 0,
                             std::unique_ptr<CGroupBlock> outlines = nullptr) {
    m_options.outputBox = page;
    CCarveFillJob job(m_options, page);
    job.SetBandRows(bandRows);
    m_progress.stop = &m_stop;
    m_stop = 0;
    return job.Run(m_blocks, std::move(outlines), m_device, m_port, nullptr, &m_stop, m_progress);
  }

  std::string Stream() const {
    std::ifstream in(m_plot, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // The job file read back: "I;", the runs, "F;".
  std::vector<EngravedRun> Runs(bool* framed = nullptr) {
    const std::string stream = Stream();
    if (framed)
      *framed = stream.rfind("I;", 0) == 0 && stream.size() >= 4 &&
                stream.compare(stream.size() - 2, 2, "F;") == 0;
    std::vector<EngravedRun> runs;
    EngravedRun run = {};
    for (size_t at = stream.find_first_of("ML"); at != std::string::npos;
         at = stream.find_first_of("ML", at + 1)) {
      int x = 0, y = 0;
      if (sscanf(stream.c_str() + at + 1, "%d,%d", &x, &y) != 2) continue;
      if (stream[at] == 'M') {
        run.x0 = x;
        run.y0 = y;
      } else {
        run.x1 = x;
        run.y1 = y;
        runs.push_back(run);
      }
    }
    return runs;
  }

  TempFolder m_folder;
  std::string m_plot;
  CCarveDevice m_device;
  COutPort m_port;
  CSegArray m_blocks;
  CarveFillOptions m_options;
  Progress m_progress;
  int m_stop = 0;
};

// A 20 x 10 page, a square (5, 2)-(9, 6) painted with its outline: pixels 5..9 of rows 2..6.
TEST_F(CarveFillTest, ASquareIsEngravedAroundItOnEveryRowOneWayAndBothWays) {
  AddSquare(5, 2, 9, 6);
  Rows rows;
  Repeat(rows, 2, {{0, 19}});
  Repeat(rows, 5, {{0, 4}, {10, 19}});
  Repeat(rows, 3, {{0, 19}});  // the last row (9) too
  for (int bothWays : {0, 1}) {
    m_options.doubleWay = bothWays;
    ASSERT_EQ(CCarveFillJob::kDone, Fill(CFRect(0, 0, 20, 10)));
    bool framed = false;
    EXPECT_EQ(Engraved(rows, bothWays != 0), Runs(&framed)) << "both ways " << bothWays;
    EXPECT_TRUE(framed);
    EXPECT_EQ(10, m_progress.range);
  }
}

TEST_F(CarveFillTest, MirrorTurnInverseAndColumnsEachMoveTheSquareAsComputed) {
  AddSquare(5, 2, 9, 6);
  const CFRect page(0, 0, 20, 10);
  // Mirrored about the raster's middle: x to 20 - x, pixels 11..15.
  Rows mirrored;
  Repeat(mirrored, 2, {{0, 19}});
  Repeat(mirrored, 5, {{0, 10}, {16, 19}});
  Repeat(mirrored, 3, {{0, 19}});
  m_options.mirror = 1;
  ASSERT_EQ(CCarveFillJob::kDone, Fill(page));
  EXPECT_EQ(Engraved(mirrored, false), Runs());

  // Turned: (x, y) to (10 - y, x) on a 10 x 20 raster, pixels 4..8 of rows 5..9; nothing of the
  // drawing is lost.
  Rows turned;
  Repeat(turned, 5, {{0, 9}});
  Repeat(turned, 5, {{0, 3}, {9, 9}});
  Repeat(turned, 10, {{0, 9}});
  m_options.mirror = 0;
  m_options.rotate = 1;
  ASSERT_EQ(CCarveFillJob::kDone, Fill(page));
  EXPECT_EQ(Engraved(turned, false), Runs());

  // Inverse: the drawing itself is engraved.
  Rows inverse(10);
  for (int row = 2; row <= 6; ++row) inverse[row] = {{5, 9}};
  m_options.rotate = 0;
  m_options.inverseOut = 1;
  ASSERT_EQ(CCarveFillJob::kDone, Fill(page));
  EXPECT_EQ(Engraved(inverse, false), Runs());

  // In columns, both ways: column x is a row of y values.
  Rows columns;
  Repeat(columns, 5, {{0, 9}});
  Repeat(columns, 5, {{0, 1}, {7, 9}});
  Repeat(columns, 10, {{0, 9}});
  m_options.inverseOut = 0;
  m_options.fillMode = 1;
  m_options.doubleWay = 1;
  ASSERT_EQ(CCarveFillJob::kDone, Fill(page));
  EXPECT_EQ(Engraved(columns, true, true), Runs());
}

// A ring of radii 15 and 8 about (20, 20), engraved inverse: each row holds the ring's chords,
// two runs through the hole and one above and below it. Pixel (x, y) stands for the point (x, y)
// of the raster (the system paints a pixel whose corner lies inside), so that row y holds the
// whole columns within the chords at y. Rows where an edge is within a pixel and a half of a
// tangent are left out; run ends may differ from the circle by a pixel (the painted outline).
// The outlines follow the fill through the same placement (mirrored here): nested groups are
// flattened, each curve goes out as a move, its lines y first, and a blank; then the finish.
// A stopped job sends none of them.
TEST_F(CarveFillTest, OutlinesFollowTheFillMirroredAsTheFillAndNotAfterAStop) {
  AddSquare(5, 2, 9, 6);
  auto outlines = [] {
    auto group = std::make_unique<CGroupBlock>();
    CCurveBlock* square = new CCurveBlock;
    square->AddRectangle(5, 2, 9, 6);
    square->EndCurve();
    CCurveBlock* line = new CCurveBlock;
    line->AddLine(1, 3, 4, 8);
    line->EndCurve();
    CGroupBlock* inner = new CGroupBlock;
    inner->AddChild(line);
    group->AddChild(square);
    group->AddChild(inner);
    return group;
  };
  m_options.mirror = 1;
  ASSERT_EQ(CCarveFillJob::kDone, Fill(CFRect(0, 0, 20, 10), 0, outlines()));
  const std::string outlined = "M15,2;L2,11;l6,11;l6,15;l2,15; M19,3;L8,16; F;";
  const std::string stream = Stream();
  ASSERT_GE(stream.size(), outlined.size());
  EXPECT_EQ(outlined, stream.substr(stream.size() - outlined.size()));
  EXPECT_EQ(0u, stream.find("I;M0,0;L19,0;")) << "the fill first";
  EXPECT_EQ(9, m_progress.range) << "the outlines' point records, end records too";

  m_progress.stopAtRow = 9;
  EXPECT_EQ(CCarveFillJob::kStopped, Fill(CFRect(0, 0, 20, 10), 0, outlines()));
  EXPECT_EQ(std::string::npos, Stream().find(" ")) << "no outline, no finish";
}

TEST_F(CarveFillTest, ARingGivesOneRunAboveAndBelowItsHoleAndTwoBesideIt) {
  CCurveBlock* ring = new CCurveBlock;
  AddCircle(ring, 20, 20, 15);
  AddCircle(ring, 20, 20, 8);
  ring->EndCurve();
  m_blocks.AddBlock(ring);
  m_options.inverseOut = 1;
  m_options.doubleWay = 1;
  ASSERT_EQ(CCarveFillJob::kDone, Fill(CFRect(0, 0, 40, 40)));
  std::vector<EngravedRun> runs = Runs();
  int checked = 0;
  for (int row = 0; row < 40; ++row) {
    const double d = std::fabs(row - 20.0);
    if (std::fabs(d - 15) < 1.5 || std::fabs(d - 8) < 1.5) continue;
    std::vector<std::pair<int, int>> expected;
    auto chord = [](double r, double d) { return std::sqrt(r * r - d * d); };
    if (d < 15) {
      const double outer = chord(15, d);
      if (d < 8) {
        const double inner = chord(8, d);
        expected = {{int(std::ceil(20 - outer)), int(std::floor(20 - inner))},
                    {int(std::ceil(20 + inner)), int(std::floor(20 + outer))}};
      } else {
        expected = {{int(std::ceil(20 - outer)), int(std::floor(20 + outer))}};
      }
    }
    std::vector<EngravedRun> got;
    for (const EngravedRun& run : runs)
      if (run.y0 == row) got.push_back(run);
    SCOPED_TRACE(row);
    ASSERT_EQ(expected.size(), got.size());
    for (size_t i = 0; i < got.size(); ++i) {
      // Odd rows run right to left: their runs come mirrored.
      const EngravedRun& run = got[(row & 1) ? got.size() - 1 - i : i];
      int left = std::min(run.x0, run.x1), right = std::max(run.x0, run.x1);
      EXPECT_NEAR(expected[i].first, left, 1);
      EXPECT_NEAR(expected[i].second, right, 1);
    }
    ++checked;
  }
  EXPECT_GT(checked, 25);
}

TEST_F(CarveFillTest, BandsOfAFewRowsEngraveWhatOneBandDoes) {
  CCurveBlock* ring = new CCurveBlock;
  AddCircle(ring, 20, 20, 15);
  AddCircle(ring, 20, 20, 8);
  ring->EndCurve();
  m_blocks.AddBlock(ring);
  AddSquare(2, 30, 7, 37);
  m_options.doubleWay = 1;
  ASSERT_EQ(CCarveFillJob::kDone, Fill(CFRect(0, 0, 40, 40)));
  std::vector<EngravedRun> whole = Runs();
  for (int band : {1, 3, 7}) {
    ASSERT_EQ(CCarveFillJob::kDone, Fill(CFRect(0, 0, 40, 40), band));
    EXPECT_EQ(whole, Runs()) << band << " rows a band";
  }
}

TEST_F(CarveFillTest, AStopEndsTheJobAtTheNextRowWithoutItsFinish) {
  AddSquare(5, 2, 9, 6);
  m_progress.stopAtRow = 4;
  EXPECT_EQ(CCarveFillJob::kStopped, Fill(CFRect(0, 0, 20, 10)));
  bool framed = true;
  std::vector<EngravedRun> runs = Runs(&framed);
  EXPECT_FALSE(framed);
  ASSERT_FALSE(runs.empty());
  EXPECT_EQ(3, runs.back().y0) << "rows 0 to 3";
}

// Few rows: every one is scanned (one row, two rows, three rows both ways).
TEST_F(CarveFillTest, PagesOfOneTwoAndThreeRowsAreScannedWhole) {
  m_options.doubleWay = 1;
  for (int height : {1, 2, 3}) {
    ASSERT_EQ(CCarveFillJob::kDone, Fill(CFRect(0, 0, 4, static_cast<float>(height))));
    Rows rows;
    Repeat(rows, height, {{0, 3}});
    EXPECT_EQ(Engraved(rows, true), Runs()) << height;
  }
}

// Relief and intaglio of a rectangle (1, 1)-(4, 2) (pixels 1..4 of rows 1..2 on the page) with
// an expansion of the area. On a page area (6 x 4, grown by 1: pixel = page + 1) relief engraves
// the page around the drawing and nothing of the margin; intaglio the drawing and the margin. As
// a single block's area (its box grown by 2: pixel = page + 1) the whole raster is the area:
// relief engraves all of it but the drawing, intaglio the drawing alone.
TEST_F(CarveFillTest, ReliefEngravesTheAreaAroundTheDrawingAndIntaglioTheDrawing) {
  AddSquare(1, 1, 4, 2);
  struct Case {
    int areaKind;
    float expand;
    int inverse;
    Rows rows;
  };
  const Case cases[] = {
      {0, 1, 0, {{}, {{1, 6}}, {{1, 1}, {6, 6}}, {{1, 1}, {6, 6}}, {{1, 6}}, {}}},
      {0,
       1,
       1,
       {{{0, 7}},
        {{0, 0}, {7, 7}},
        {{0, 0}, {2, 5}, {7, 7}},
        {{0, 0}, {2, 5}, {7, 7}},
        {{0, 0}, {7, 7}},
        {{0, 7}}}},
      {1, 2, 0, {{{0, 6}}, {{0, 6}}, {{0, 1}, {6, 6}}, {{0, 1}, {6, 6}}, {{0, 6}}}},
      {1, 2, 1, {{}, {}, {{2, 5}}, {{2, 5}}, {}}},
  };
  const CFRect page(0, 0, 6, 4);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.areaKind << " inverse " << c.inverse);
    m_options.areaKind = c.areaKind;
    m_options.areaExpand = c.expand;
    m_options.inverseOut = c.inverse;
    m_options.outputBox = c.areaKind ? CFRect(1, 1, 4, 2) : page;
    CCarveFillJob job(m_options, page);
    ASSERT_EQ(CCarveFillJob::kDone,
              job.Run(m_blocks, nullptr, m_device, m_port, nullptr, &m_stop, m_progress));
    EXPECT_EQ(Engraved(c.rows, false), Runs());
  }
}

// Every shipped model on a drawing wider than high, intaglio, both ways, outlines after the fill:
// the rectangle (1, 1)-(4, 2) on a 6 x 4 page at 1 mm is pixels 1..4 of rows 1 (right to left)
// and 2. Its outline, through the same placement, runs along the ends of the fill's lines:
// device points are the pixel times step / SoftWareRes plus the origin (or minus half the
// raster), y first on every model. By hand: HP-GL 40 units a pixel, centred (-120, -80); DM/PL
// 39.37 units at its stored origin (7874.02, 5905.51); M/D 100 units, centred (-300, -200).
TEST_F(CarveFillTest, EveryShippedModelEngravesItsOutlinesOnTheEndsOfTheFillsLines) {
  struct Model {
    const char* name;
    const char* stream;
  };
  const Model models[] = {
      {"HP-GL 雕刻机",
       "IN;PA;PU;SP1;VS20;"
       "PU-40,40;PD-40,-80"
       "PU0,-80;PD0,40"
       "PU-40,-80;PD-40,40,0,40,0,-80,-40,-80 "
       "PU;PA0,0;SP0;"},
      {"DM/PL 雕刻机",
       ";:A EC1 U V4 "
       "U5944,8031 D5944,7913 "
       "U5984,7913 D5984,8031 "
       "U5944,7913 D5944,8031 D5984,8031 D5984,7913 D5944,7913  "
       "U H @"},
      {"M/D 指令雕刻机",
       "^IN;\r\nV15\r\n"
       "M-100,100\r\nD-100,-200\r\n"
       "M0,-200\r\nD0,100\r\n"
       "M-100,-200\r\nD-100,100\r\nD0,100\r\nD0,-200\r\nD-100,-200\r\n "
       "H\r\n"},
  };
  char program[MAX_PATH];
  ASSERT_EQ(1, GetProgramDir(program, sizeof program));
  const std::string ini = m_folder.File("Carves.INI");
  ASSERT_TRUE(
      CopyFileA((std::string(program) + "program\\Carves.INI").c_str(), ini.c_str(), FALSE));
  CStringArray names;
  m_device.GetModelNames(names);
  ASSERT_EQ(static_cast<INT_PTR>(std::size(models)), names.GetSize()) << "a golden for each";
  AddSquare(1, 1, 4, 2);
  m_options.inverseOut = 1;
  m_options.doubleWay = 1;
  for (const Model& model : models) {
    SCOPED_TRACE(model.name);
    m_device.LoadProfile(model.name);
    auto outlines = std::make_unique<CGroupBlock>();
    outlines->AddChild(m_blocks.GetBlock(0)->Clone());
    ASSERT_EQ(CCarveFillJob::kDone, Fill(CFRect(0, 0, 6, 4), 0, std::move(outlines)));
    EXPECT_EQ(model.stream, Stream());
  }
}

TEST(CarveFillGeometry, RasterSizeAreaAndDevicePlacement) {
  CarveFillOptions options;
  options.mirror = 0;
  options.fillStep = 0.1f;
  options.outputBox = CFRect(10, 20, 110, 70);
  // 100 mm at 0.1 mm is 1000 columns, not 999.
  CCarveFillJob job(options, CFRect(0, 0, 200, 100));
  EXPECT_EQ(1000, job.RasterWidth());
  EXPECT_EQ(500, job.RasterHeight());

  // The expansion grows the raster box on every side; a single block's area covers it all.
  options.areaExpand = 5;
  options.areaKind = 3;
  CCarveFillJob grown(options, CFRect(0, 0, 200, 100));
  EXPECT_EQ(1100, grown.RasterWidth());
  EXPECT_EQ(600, grown.RasterHeight());
  CFRect area = grown.AreaRect();
  EXPECT_FLOAT_EQ(10 - 5 - 10, area.left);  // expansion plus 1 / step
  EXPECT_FLOAT_EQ(70 + 5 + 10, area.bottom);
  FPOINT corner = {5, 15};
  grown.PageToRaster().TransformPoint(&corner);
  EXPECT_NEAR(0, corner.x, 1e-3);
  EXPECT_NEAR(0, corner.y, 1e-3);

  // The page as area, and a device without a stored origin: the job is centred on its zero.
  options.areaKind = 0;
  options.areaExpand = 0;
  options.fillStep = 0.5f;
  CCarveFillJob centred(options, CFRect(0, 0, 200, 100));
  EXPECT_FLOAT_EQ(200, centred.AreaRect().right);
  CCarveDevice device;
  device.m_resolution = 0.25f;
  device.m_originMode = 0;
  FPOINT pixel = {0, 0};
  centred.RasterToDevice(device).TransformPoint(&pixel);
  EXPECT_FLOAT_EQ(-0.5f * 200 * 2, pixel.x);
  EXPECT_FLOAT_EQ(-0.5f * 100 * 2, pixel.y);
  device.m_originMode = 1;
  device.m_originX = 30;
  device.m_originY = 12.5f;
  pixel = {3, 4};
  centred.RasterToDevice(device).TransformPoint(&pixel);
  EXPECT_FLOAT_EQ(3 * 2 + 120, pixel.x);
  EXPECT_FLOAT_EQ(4 * 2 + 50, pixel.y);
  // A resolution of 0 divides nothing by zero.
  device.m_resolution = 0;
  FPOINT finite = {1, 1};
  centred.RasterToDevice(device).TransformPoint(&finite);
  EXPECT_TRUE(std::isfinite(finite.x) && std::isfinite(finite.y));
}

TEST_F(CarveFillTest, RastersOfNoPixelOrTooManyPixelsStartNothing) {
  m_options.fillStep = 1.0f;
  EXPECT_EQ(CCarveFillJob::kNothingToFill, Fill(CFRect(0, 0, 0.5f, 10)));
  m_options.fillStep = 0.0f;
  EXPECT_EQ(CCarveFillJob::kNothingToFill, Fill(CFRect(0, 0, 10, 10)));
  m_options.fillStep = 0.001f;
  EXPECT_EQ(CCarveFillJob::kRasterTooLarge, Fill(CFRect(0, 0, 1000, 10)));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_plot.c_str()));
}

TEST_F(CarveFillTest, AJobWhoseTargetCannotBeOpenedEndsUnstarted) {
  AddSquare(5, 2, 9, 6);
  m_port.SetPortName(m_folder.File("no such folder\\fill.plt").c_str());
  m_options.outputBox = CFRect(0, 0, 20, 10);
  CCarveFillJob job(m_options, m_options.outputBox);
  EXPECT_EQ(CCarveFillJob::kStartFailed,
            job.Run(m_blocks, nullptr, m_device, m_port, nullptr, &m_stop, m_progress));
  EXPECT_EQ(CCarveDevice::kPortNotOpened, job.GetStartResult());
}

}  // namespace
