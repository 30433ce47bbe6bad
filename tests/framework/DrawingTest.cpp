#include <gtest/gtest.h>

#include <vector>

#include "framework/ClientDC.h"
#include "framework/DC.h"

namespace {

// A memory context with a 24-bit bitmap of the given size, filled white.
class MemoryCanvas {
public:
  MemoryCanvas(int width, int height) : m_width(width), m_height(height) {
    CClientDC screen(static_cast<HWND>(nullptr));
    m_dc.CreateCompatibleDC(&screen);
    m_bitmap.CreateCompatibleBitmap(&screen, width, height);
    m_previous = m_dc.SelectObject(&m_bitmap);
    m_dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
  }
  ~MemoryCanvas() { m_dc.SelectObject(m_previous); }

  CDC& DC() { return m_dc; }
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < m_height; ++y)
      for (int x = 0; x < m_width; ++x) pixels.push_back(m_dc.GetPixel(x, y));
    return pixels;
  }

private:
  int m_width, m_height;
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_previous = nullptr;
};

TEST(Geometry, RectPointAndSizeArithmetic) {
  CRect rect(10, 20, 50, 80);
  EXPECT_EQ(40, rect.Width());
  EXPECT_EQ(60, rect.Height());
  EXPECT_EQ(CPoint(30, 50), rect.CenterPoint());
  EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
  EXPECT_FALSE(rect.PtInRect(CPoint(50, 20)));  // right edge is outside
  rect.OffsetRect(CSize(5, -5));
  EXPECT_EQ(CRect(15, 15, 55, 75), rect);
  rect.InflateRect(1, 2);
  EXPECT_EQ(CRect(14, 13, 56, 77), rect);
  CRect flipped(10, 10, 0, 0);
  EXPECT_TRUE(flipped.IsRectEmpty());
  flipped.NormalizeRect();
  EXPECT_EQ(CRect(0, 0, 10, 10), flipped);
  EXPECT_EQ(CRect(5, 5, 10, 10), flipped & CRect(5, 5, 20, 20));
  EXPECT_EQ(CRect(0, 0, 20, 20), flipped | CRect(5, 5, 20, 20));
  CRect none;
  EXPECT_FALSE(none.IntersectRect(CRect(0, 0, 1, 1), CRect(2, 2, 3, 3)));
  EXPECT_EQ(CSize(3, 4), CPoint(4, 6) - CPoint(1, 2));
  EXPECT_EQ(CPoint(5, 8), CPoint(4, 6) + CSize(1, 2));
  // Mouse coordinates are signed 16-bit values.
  EXPECT_EQ(CPoint(-3, 7), CPoint(MAKELPARAM(static_cast<WORD>(-3), 7)));
}

TEST(CDC, NotXorDrawingTwiceRestoresThePixels) {
  MemoryCanvas canvas(64, 48);
  CDC& dc = canvas.DC();
  dc.FillSolidRect(10, 10, 20, 20, RGB(12, 200, 99));
  dc.SetPixel(40, 5, RGB(1, 2, 3));
  std::vector<COLORREF> before = canvas.Pixels();

  CPen red(PS_SOLID, 1, RGB(255, 0, 0));
  CPen dotted(PS_DOT, 1, RGB(0, 0, 255));
  CPen* oldPen = dc.SelectObject(&red);
  CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
  int oldRop = dc.SetROP2(R2_NOTXORPEN);
  EXPECT_EQ(R2_COPYPEN, oldRop);
  auto drawFeedback = [&] {
    dc.SelectObject(&red);
    dc.MoveTo(0, 0);
    dc.LineTo(63, 47);
    dc.Rectangle(5, 5, 45, 35);
    POINT bezier[] = {{2, 40}, {20, 0}, {40, 47}, {60, 10}};
    dc.PolyBezier(bezier, 4);
    dc.SelectObject(&dotted);
    dc.Ellipse(8, 8, 50, 40);
    POINT line[] = {{1, 1}, {30, 2}, {31, 46}};
    dc.Polyline(line, 3);
  };
  drawFeedback();
  EXPECT_NE(before, canvas.Pixels());
  drawFeedback();
  EXPECT_EQ(before, canvas.Pixels());

  dc.SetROP2(oldRop);
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
}

TEST(CDC, SelectObjectReturnsThePreviousObject) {
  MemoryCanvas canvas(8, 8);
  CDC& dc = canvas.DC();
  CPen first(PS_SOLID, 1, RGB(1, 1, 1));
  CPen second(PS_SOLID, 1, RGB(2, 2, 2));
  CPen* stock = dc.SelectObject(&first);
  ASSERT_NE(nullptr, stock);
  EXPECT_EQ(::GetStockObject(BLACK_PEN), stock->m_hObject);
  // A pen the framework owns comes back as the same object.
  EXPECT_EQ(&first, dc.SelectObject(&second));
  EXPECT_EQ(&second, dc.GetCurrentPen());
  dc.SelectObject(stock);

  // A wrapper made for a foreign handle is temporary and never deletes the handle.
  HBRUSH foreign = ::CreateSolidBrush(RGB(9, 9, 9));
  CBrush* wrapper = CBrush::FromHandle(foreign);
  EXPECT_EQ(wrapper, CBrush::FromHandle(foreign));
  AfxDeleteTempObjects();
  LOGBRUSH logBrush = {};
  EXPECT_EQ(static_cast<int>(sizeof logBrush), ::GetObjectA(foreign, sizeof logBrush, &logBrush));
  EXPECT_EQ(RGB(9, 9, 9), logBrush.lbColor);
  ::DeleteObject(foreign);

  // Deleting a framework object frees its handle and clears it.
  CBrush owned(RGB(3, 3, 3));
  HGDIOBJ handle = owned.m_hObject;
  EXPECT_TRUE(owned.DeleteObject());
  EXPECT_EQ(nullptr, owned.m_hObject);
  EXPECT_EQ(0u, static_cast<UINT>(::GetObjectType(handle)));
}

TEST(CDC, PathsFillAndRegionsFollowThem) {
  MemoryCanvas canvas(40, 40);
  CDC& dc = canvas.DC();
  CBrush blue(RGB(0, 0, 255));
  CBrush* oldBrush = dc.SelectObject(&blue);
  dc.BeginPath();
  dc.MoveTo(5, 5);
  dc.LineTo(30, 5);
  dc.LineTo(30, 30);
  dc.LineTo(5, 30);
  dc.CloseFigure();
  dc.EndPath();
  EXPECT_TRUE(dc.FillPath());
  EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(15, 15));
  EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(35, 35));

  dc.BeginPath();
  dc.Rectangle(0, 0, 10, 10);
  dc.EndPath();
  CRgn region;
  ASSERT_TRUE(region.CreateFromPath(&dc));
  EXPECT_TRUE(region.PtInRegion(5, 5));
  EXPECT_FALSE(region.PtInRegion(15, 5));
  CRgn other, both;
  other.CreateRectRgn(5, 0, 20, 10);
  both.CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(ERROR, both.CombineRgn(&region, &other, RGN_OR));
  CRect box;
  both.GetRgnBox(&box);
  EXPECT_EQ(20, box.right);
  dc.SelectObject(oldBrush);
}

TEST(CDC, TextAndDeviceQueries) {
  MemoryCanvas canvas(120, 40);
  CDC& dc = canvas.DC();
  EXPECT_GT(dc.GetDeviceCaps(LOGPIXELSX), 0);
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
  CFont* oldFont = dc.SelectObject(&font);
  CSize extent = dc.GetTextExtent(CString("Wide text"));
  EXPECT_GT(extent.cx, dc.GetTextExtent(CString("W")).cx);
  EXPECT_EQ(CSize(0, 0), dc.GetTextExtent("", 0));
  dc.SetTextColor(RGB(0, 0, 0));
  dc.SetBkMode(TRANSPARENT);
  EXPECT_TRUE(dc.TextOut(2, 2, CString("Hi")));
  bool inked = false;
  for (int y = 0; y < extent.cy && !inked; ++y)
    for (int x = 0; x < 30 && !inked; ++x) inked = dc.GetPixel(x + 2, y + 2) != RGB(255, 255, 255);
  EXPECT_TRUE(inked);
  dc.SelectObject(oldFont);

  // Viewport offsets shift logical coordinates.
  dc.SetViewportOrg(-10, -10);
  CPoint point(15, 15);
  dc.LPtoDP(&point);
  EXPECT_EQ(CPoint(5, 5), point);
  EXPECT_EQ(CPoint(-10, -10), dc.SetViewportOrg(0, 0));
}

}  // namespace
