#include <gtest/gtest.h>

#include <cstring>
#include <functional>
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

// How many pixels of the two canvases differ, and how many of the first are not white.
struct PixelCount {
  int differing = 0;
  int drawn = 0;
};
PixelCount ComparePixels(MemoryCanvas& first, MemoryCanvas& second, int size) {
  PixelCount count;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      count.differing += first.DC().GetPixel(x, y) != second.DC().GetPixel(x, y);
      count.drawn += !first.IsWhite(x, y);
    }
  return count;
}

// The record types of an enhanced metafile, header and end record left out.
std::vector<DWORD> RecordTypes(HENHMETAFILE metafile) {
  std::vector<BYTE> bytes(::GetEnhMetaFileBits(metafile, 0, nullptr));
  ::GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), bytes.data());
  std::vector<DWORD> types;
  for (size_t at = 0; at + 8 <= bytes.size();) {
    DWORD type, size;
    memcpy(&type, &bytes[at], 4);
    memcpy(&size, &bytes[at + 4], 4);
    if (size < 8) break;
    if (type != EMR_HEADER && type != EMR_EOF) types.push_back(type);
    at += size;
  }
  return types;
}

TEST(ContourDraw, ThinDrawingColoursExactlyThePixelsOfThePathDrawing) {
  const int kSize = 80;
  struct Case {
    const char* what;
    std::function<CContour*()> make;
  };
  const Case cases[] = {
      {"an oblique open polyline and a closed triangle",
       [] {
         return MakeContour({{5.5f, 7.2f, 0x11},
                             {40.3f, 19.8f, 0x01},
                             {12, 52.6f, 0x21},
                             {50, 5, 0x11},
                             {75.9f, 30.1f, 0x01},
                             {52, 70, 0x01},
                             {50, 5, 0x41}});
       }},
      {"a small ellipse whose pieces are drawn as lines",
       [] { return ContourFromEllipse(10.2f, 10.7f, 12.9f, 12.4f); }},
      {"an ellipse large enough for its pieces to be drawn as curves",
       [] { return ContourFromEllipse(8, 12, 70, 45); }},
      {"repeated points and a start that no piece follows",
       [] {
         return MakeContour({{20, 20, 0x11},
                             {20, 20, 0x01},
                             {30.4f, 20.9f, 0x01},
                             {30.4f, 20.9f, 0x21},
                             {60, 60, 0x11},
                             {61, 10, 0x11},
                             {70, 40, 0x21}});
       }},
      {"colour records: the last one's pen strokes the whole outline",
       [] {
         CContour* contour = new CContour;
         contour->AppendRaw(MakePenColourRecord(kRed));
         for (TestPoint p :
              {TestPoint{5, 5, 0x11}, TestPoint{30, 5, 0x01}, TestPoint{30, 30, 0x41}})
           contour->AppendPoint(MakePointRecord(p.x, p.y, p.flags));
         contour->AppendRaw(MakePenColourRecord(kBlue));
         for (TestPoint p : {TestPoint{40, 40, 0x11}, TestPoint{70, 62, 0x21}})
           contour->AppendPoint(MakePointRecord(p.x, p.y, p.flags));
         contour->AppendEndMark();
         return contour;
       }},
      {"a pending rotation with an offset",
       [] {
         CContour* square = MakeSquare(30);
         CMatrix2D turn = MakeRotationMatrix(15, 15, 30.0f);
         turn.m[6] += 22.5f;
         turn.m[7] += 17.25f;
         square->Transform(&turn);
         return square;
       }},
  };
  for (const Case& c : cases) {
    ContourPtr contour(c.make());
    MemoryCanvas path(kSize, kSize), thin(kSize, kSize);
    contour->Draw(&path.DC());
    HGDIOBJ pen = GetCurrentObject(thin.DC(), OBJ_PEN);
    contour->DrawThin(&thin.DC());
    EXPECT_EQ(pen, GetCurrentObject(thin.DC(), OBJ_PEN)) << c.what;
    PixelCount pixels = ComparePixels(path, thin, kSize);
    EXPECT_GT(pixels.drawn, 0) << c.what;
    EXPECT_EQ(0, pixels.differing) << c.what;
  }
}

TEST(ContourDraw, ThinDrawingOfStraightSubPathsIsOnePolylineCallAndCurvesStayAPath) {
  ContourPtr lines(
      MakeContour({{5, 5, 0x11}, {30, 5, 0x01}, {30, 30, 0x41}, {40, 40, 0x11}, {70, 62, 0x21}}));
  ContourPtr curves(MakeOpenCurve());
  for (CContour* contour : {lines.get(), curves.get()}) {
    HDC recorder = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, recorder);
    CDC dc;
    dc.Attach(recorder);
    contour->DrawThin(&dc);
    dc.Detach();
    HENHMETAFILE metafile = ::CloseEnhMetaFile(recorder);
    std::vector<DWORD> types = RecordTypes(metafile);
    ::DeleteEnhMetaFile(metafile);
    if (contour == lines.get())
      EXPECT_EQ(std::vector<DWORD>{EMR_POLYPOLYLINE16}, types);
    else
      EXPECT_EQ((std::vector<DWORD>{EMR_BEGINPATH, EMR_POLYDRAW16, EMR_ENDPATH, EMR_STROKEPATH}),
                types);
  }
}

}  // namespace
