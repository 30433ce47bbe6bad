#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "model/editing/DrawUtils.h"
#include "support/MemoryCanvas.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);

// Scale 2, then move by (5, 5).
CMatrix2D ScaleAndMove() {
  CMatrix2D matrix;
  matrix.m[0] = 2;
  matrix.m[4] = 2;
  matrix.m[6] = 5;
  matrix.m[7] = 5;
  return matrix;
}

TEST(DrawUtils, MarkSquareSpansTwiceTheHalfSize) {
  MemoryCanvas canvas(40, 40);
  CDC& dc = canvas.DC();
  dc.SelectStockObject(NULL_BRUSH);
  DrawMarkSquare(&dc, 20, 20, 3);
  EXPECT_EQ(kBlack, dc.GetPixel(17, 17));
  EXPECT_EQ(kBlack, dc.GetPixel(22, 17));
  EXPECT_TRUE(canvas.IsWhite(23, 17));
  EXPECT_TRUE(canvas.IsWhite(20, 20));
}

TEST(DrawUtils, QuadIsDrawnAroundItsCornersWithoutDiagonals) {
  MemoryCanvas canvas(40, 40);
  CDC& dc = canvas.DC();
  // Corner order of TransformRectToQuad: left-top, right-top, left-bottom, right-bottom.
  DrawTransformedQuad(&dc, {0, 0}, {10, 0}, {0, 10}, {10, 10}, ScaleAndMove());
  EXPECT_EQ(kBlack, dc.GetPixel(15, 5));   // top
  EXPECT_EQ(kBlack, dc.GetPixel(25, 15));  // right
  EXPECT_EQ(kBlack, dc.GetPixel(15, 25));  // bottom
  EXPECT_EQ(kBlack, dc.GetPixel(5, 15));   // left
  EXPECT_TRUE(canvas.IsWhite(15, 15));
  EXPECT_TRUE(canvas.IsWhite(30, 30));
}

TEST(DrawUtils, TransformedRectIsAFilledPolygon) {
  MemoryCanvas canvas(40, 40);
  CDC& dc = canvas.DC();
  dc.SelectStockObject(BLACK_BRUSH);
  DrawTransformedRect(&dc, CFRect(1, 1, 9, 9), ScaleAndMove());
  EXPECT_EQ(kBlack, dc.GetPixel(7, 7));
  EXPECT_EQ(kBlack, dc.GetPixel(15, 15));
  EXPECT_TRUE(canvas.IsWhite(5, 5));
  EXPECT_TRUE(canvas.IsWhite(30, 30));
}

TEST(DrawUtils, BitmapsAreCopiedAndStretched) {
  MemoryCanvas canvas(40, 40);
  CDC& dc = canvas.DC();
  DWORD red[3 * 2];
  for (DWORD& pixel : red) pixel = 0x00FF0000;
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(3, 2, 1, 32, red));

  EXPECT_TRUE(DrawBitmap(&dc, &bitmap, 10, 10, SRCCOPY));
  EXPECT_EQ(kRed, dc.GetPixel(10, 10));
  EXPECT_EQ(kRed, dc.GetPixel(12, 11));
  EXPECT_TRUE(canvas.IsWhite(13, 10));
  EXPECT_TRUE(canvas.IsWhite(10, 12));

  EXPECT_TRUE(StretchBitmap(&dc, &bitmap, 20, 20, 6, 4, SRCCOPY));
  EXPECT_EQ(kRed, dc.GetPixel(25, 23));
  EXPECT_TRUE(canvas.IsWhite(26, 20));
  EXPECT_TRUE(canvas.IsWhite(20, 24));

  CBitmap empty;
  EXPECT_FALSE(DrawBitmap(&dc, &empty, 0, 0, SRCCOPY));
}

TEST(DrawUtils, VerticalFontIsBoldAndTurned) {
  std::unique_ptr<CFont> font(CreateVerticalFont(nullptr, 6, 12));
  ASSERT_TRUE(font);
  LOGFONTA logFont;
  ASSERT_TRUE(font->GetLogFont(&logFont));
  EXPECT_EQ(-12, logFont.lfHeight);
  EXPECT_EQ(-6, logFont.lfWidth);
  EXPECT_EQ(-900, logFont.lfEscapement);
  EXPECT_EQ(700, logFont.lfWeight);
  EXPECT_EQ(1, logFont.lfCharSet);
  EXPECT_STREQ("Arial", logFont.lfFaceName);
  std::unique_ptr<CFont> named(CreateVerticalFont("宋体", 6, 12));
  ASSERT_TRUE(named);
  named->GetLogFont(&logFont);
  EXPECT_STREQ("宋体", logFont.lfFaceName);
}

class FitTextTest : public ::testing::Test {
protected:
  int Width(const char* text) {
    return m_canvas.DC().GetTextExtent(text, static_cast<int>(strlen(text))).cx;
  }
  std::string Fit(const char* text, int width, int margin = 0) {
    return FitTextToWidth(&m_canvas.DC(), text, width, margin);
  }
  MemoryCanvas m_canvas{8, 8};
};

TEST_F(FitTextTest, TextThatFitsIsReturnedItself) {
  const char* text = "Document1.T42";
  int width = Width(text);
  EXPECT_EQ(text, FitTextToWidth(&m_canvas.DC(), text, width, 0));
  const char* empty = "";
  EXPECT_EQ(empty, FitTextToWidth(&m_canvas.DC(), empty, 0, 10));
  // The margin counts.
  EXPECT_NE(text, FitTextToWidth(&m_canvas.DC(), text, width, 1));
}

TEST_F(FitTextTest, LongTextIsShortenedWithAnEllipsis) {
  const char* text = "*Document with a long name.T42";
  int width = Width(text) / 2;
  std::string fitted = Fit(text, width, 4);
  ASSERT_GT(fitted.size(), 3u);
  EXPECT_EQ("...", fitted.substr(fitted.size() - 3));
  EXPECT_LE(Width(fitted.c_str()) + 4, width);
  EXPECT_EQ(0, strncmp(text, fitted.c_str(), fitted.size() - 3));
  // One more character would not have fitted.
  std::string longer = std::string(text, fitted.size() - 2) + "...";
  EXPECT_GT(Width(longer.c_str()) + 4, width);
}

TEST_F(FitTextTest, KeepsAtLeastOneWholeCharacter) {
  EXPECT_EQ("D...", Fit("Document", 0));
  EXPECT_EQ("中...", Fit("中文标题", 0));
  const char* title = "中文标题文档名称很长";
  std::string fitted = Fit(title, Width(title) * 2 / 3);
  EXPECT_EQ(0u, (fitted.size() - 3) % 2) << fitted;  // never half a character
  EXPECT_EQ(0, strncmp(title, fitted.c_str(), fitted.size() - 3));
}

TEST_F(FitTextTest, VeryLongTextStaysInTheBuffer) {
  std::string text(5000, 'W');
  std::string fitted = Fit(text.c_str(), 100);
  EXPECT_LT(fitted.size(), 512u);
  EXPECT_EQ("...", fitted.substr(fitted.size() - 3));
}

}  // namespace
