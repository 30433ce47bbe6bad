#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "model/ContourTestSupport.h"
#include "model/geometry/Bezier.h"
#include "model/geometry/ContourShapes.h"
#include "model/geometry/MatrixFactories.h"
#include "support/MemoryCanvas.h"

namespace {

using ContourPtr = std::unique_ptr<CContour>;
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// The square (10, 10) - (30, 30), optionally after a pen-colour record.
CContour* SquareAt10(bool red) {
  CContour* square = new CContour;
  if (red) square->AppendRaw(MakePenColourRecord(kRed));
  const TestPoint corners[] = {{10, 10, 0x11},
                               {30, 10, 0x01},
                               {30, 30, 0x01},
                               {10, 30, 0x01},
                               {10, 10, 0x41}};
  for (const TestPoint& p : corners) square->AppendPoint(MakePointRecord(p.x, p.y, p.flags));
  square->AppendEndMark();
  return square;
}

TEST(ContourDraw, FilledSquareCoversItsInsideOnly) {
  MemoryCanvas canvas(60, 60);
  CDC& dc = canvas.DC();
  CBrush blue(kBlue);
  HGDIOBJ ownBrush = dc.SelectObject(static_cast<HGDIOBJ>(blue));
  ContourPtr square(SquareAt10(false));
  EXPECT_TRUE(square->FillPath(&dc));
  EXPECT_EQ(kBlue, dc.GetPixel(20, 20));
  EXPECT_EQ(kBlue, dc.GetPixel(12, 28));
  EXPECT_EQ(kBlack, dc.GetPixel(10, 20));  // the outline, in the context's pen
  EXPECT_TRUE(canvas.IsWhite(5, 20));
  EXPECT_TRUE(canvas.IsWhite(20, 35));
  EXPECT_TRUE(canvas.IsWhite(32, 32));
  dc.SelectObject(ownBrush);
}

TEST(ContourDraw, ColourRecordsPaintAndTheContextGetsItsToolsBack) {
  MemoryCanvas canvas(60, 60);
  CDC& dc = canvas.DC();
  HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
  ContourPtr square(SquareAt10(true));
  EXPECT_TRUE(square->PaintDC(&dc));
  EXPECT_EQ(kRed, dc.GetPixel(20, 20));
  EXPECT_EQ(kRed, dc.GetPixel(10, 20));
  EXPECT_TRUE(canvas.IsWhite(40, 40));
  EXPECT_EQ(pen, GetCurrentObject(dc, OBJ_PEN));
  EXPECT_EQ(brush, GetCurrentObject(dc, OBJ_BRUSH));

  MemoryCanvas outline(60, 60);
  square->Draw(&outline.DC());
  EXPECT_EQ(kRed, outline.DC().GetPixel(20, 10));
  EXPECT_TRUE(outline.IsWhite(20, 20));
  EXPECT_EQ(FALSE, CContour().FillPath(&dc));
}

TEST(ContourDraw, OutlineThroughMatricesAndClip) {
  ContourPtr square(SquareAt10(false));
  CMatrix2D shift = MakeMirrorMatrix(0, 0, 60, 0, true, false);  // x -> 60 - x
  {
    MemoryCanvas canvas(60, 60);
    square->Stroke(&canvas.DC(), &shift);
    EXPECT_EQ(kBlack, canvas.DC().GetPixel(50, 20));
    EXPECT_EQ(kBlack, canvas.DC().GetPixel(30, 20));
    EXPECT_TRUE(canvas.IsWhite(10, 20));
    EXPECT_TRUE(canvas.IsWhite(40, 20));
  }
  {
    // Only the pieces near the clip rectangle: the top side, not the bottom one.
    MemoryCanvas canvas(60, 60);
    RECT clip = {0, 0, 60, 12};
    square->Draw(&canvas.DC(), &clip);
    EXPECT_EQ(kBlack, canvas.DC().GetPixel(20, 10));
    EXPECT_TRUE(canvas.IsWhite(20, 30));
  }
  {
    MemoryCanvas canvas(60, 60);
    square->Transform(&shift);
    square->Draw(&canvas.DC());
    EXPECT_EQ(kBlack, canvas.DC().GetPixel(50, 20));
    EXPECT_TRUE(canvas.IsWhite(10, 20));
  }
}

TEST(ContourDraw, CurvesAndSubPixelPieces) {
  MemoryCanvas canvas(60, 60);
  ContourPtr arch(MakeContour({{10, 40, 0x11}, {10, 0, 0}, {50, 0, 0}, {50, 40, 0x21}}));
  arch->Draw(&canvas.DC());
  EXPECT_TRUE(canvas.IsWhite(30, 5)) << "drawn as a curve, not to its controls";
  int darkInColumn = 0;
  for (int y = 0; y < 60; ++y) darkInColumn += !canvas.IsWhite(30, y);
  EXPECT_GE(darkInColumn, 1);

  MemoryCanvas dots(20, 20);
  ContourPtr dot(MakeContour({{5, 5, 0x11}, {5.2f, 5.3f, 0}, {5.4f, 5.1f, 0}, {5.5f, 5.5f, 0x21}}));
  dot->Draw(&dots.DC());
  EXPECT_TRUE(dots.IsWhite(5, 5));

  MemoryCanvas piece(60, 60);
  CBezier(FPOINT{10, 40}, FPOINT{10, 0}, FPOINT{50, 0}, FPOINT{50, 40}).Draw(&piece.DC());
  EXPECT_EQ(kBlack, piece.DC().GetPixel(10, 40));
  EXPECT_TRUE(piece.IsWhite(30, 5));
}

// The record types of an enhanced metafile, header and end record left out.
std::vector<DWORD> RecordTypes(HENHMETAFILE metafile) {
  std::vector<BYTE> bytes(::GetEnhMetaFileBits(metafile, 0, nullptr));
  ::GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), bytes.data());
  std::vector<DWORD> types;
  for (size_t at = 0; at + 8 <= bytes.size();) {
    DWORD record[2];  // type and size
    memcpy(record, &bytes[at], sizeof record);
    if (record[1] < 8) break;
    if (record[0] != EMR_HEADER && record[0] != EMR_EOF) types.push_back(record[0]);
    at += record[1];
  }
  return types;
}

// Oblique and repeated points, a start no piece follows, pieces drawn as lines and as curves,
// colour records (the last one's pen strokes the whole outline), a pending turn and offset.
TEST(ContourDraw, ThinDrawingColoursExactlyThePixelsOfThePathDrawing) {
  std::vector<ContourPtr> cases;
  cases.emplace_back(MakeContour({{5.5f, 7.2f, 0x11},
                                  {40.3f, 19.8f, 0x01},
                                  {40.3f, 19.8f, 0x21},
                                  {60, 60, 0x11},
                                  {61, 10, 0x11},
                                  {75.9f, 30.1f, 0x01},
                                  {52, 70, 0x01},
                                  {61, 10, 0x41}}));
  cases.emplace_back(ContourFromEllipse(10.2f, 10.7f, 12.9f, 12.4f));
  cases.emplace_back(ContourFromEllipse(8, 12, 70, 45));
  cases.emplace_back(SquareAt10(true));
  cases.back()->TrimEndMarks();
  cases.back()->AppendRaw(MakePenColourRecord(kBlue));
  cases.back()->AppendPoint(MakePointRecord(40, 40, 0x11));
  cases.back()->AppendPoint(MakePointRecord(70, 62, 0x21));
  cases.back()->AppendEndMark();
  cases.emplace_back(MakeSquare(30));
  CMatrix2D turn = MakeRotationMatrix(15, 15, 30.0f);
  turn.m[6] += 22.5f;
  turn.m[7] += 17.25f;
  cases.back()->Transform(&turn);
  for (const ContourPtr& contour : cases) {
    SCOPED_TRACE(&contour - &cases[0]);
    MemoryCanvas path(80, 80), thin(80, 80);
    contour->Draw(&path.DC());
    HGDIOBJ pen = GetCurrentObject(thin.DC(), OBJ_PEN);
    contour->DrawThin(&thin.DC());
    EXPECT_EQ(pen, GetCurrentObject(thin.DC(), OBJ_PEN));
    int differing = 0, drawn = 0;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 80; ++x) {
        differing += path.DC().GetPixel(x, y) != thin.DC().GetPixel(x, y);
        drawn += !path.IsWhite(x, y);
      }
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(0, differing);
  }
}

TEST(ContourDraw, ThinDrawingOfStraightSubPathsIsOnePolylineCallAndCurvesStayAPath) {
  ContourPtr lines(
      MakeContour({{5, 5, 0x11}, {30, 5, 0x01}, {30, 30, 0x41}, {40, 40, 0x11}, {70, 62, 0x21}}));
  ContourPtr curves(MakeOpenCurve());
  const std::vector<DWORD> expected[] = {{EMR_POLYPOLYLINE16},
                                         {EMR_BEGINPATH, EMR_POLYDRAW16, EMR_ENDPATH,
                                          EMR_STROKEPATH}};
  for (int i = 0; i < 2; ++i) {
    CDC recorder;
    recorder.Attach(::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr));
    (i == 0 ? lines : curves)->DrawThin(&recorder);
    HENHMETAFILE metafile = ::CloseEnhMetaFile(recorder.Detach());
    EXPECT_EQ(expected[i], RecordTypes(metafile));
    ::DeleteEnhMetaFile(metafile);
  }
}

}  // namespace
