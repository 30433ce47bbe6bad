#include "editor/bars/xImageList.h"

#include "framework/DC.h"

IMPLEMENT_DYNCREATE(xCImageList, CImageList)

namespace {

const int kLeftCap = 0;
const int kMiddle = 1;
const int kRightCap = 2;

}  // namespace

void xCImageList::DrawThreePart(CDC* dc, const RECT& rect) {
  // A zero width would never step past the middle.
  if (!m_hImageList || !dc || m_capWidth <= 0) return;
  const int c = m_capWidth;
  HRGN clip = ::CreateRectRgn(rect.left, rect.top, rect.right - c, rect.bottom);
  ::SelectClipRgn(*dc, clip);
  Draw(dc, kLeftCap, CPoint(rect.left, rect.top), ILD_NORMAL);
  for (int x = rect.left + c; x - c < rect.right - c; x += c)
    Draw(dc, kMiddle, CPoint(x, rect.top), ILD_NORMAL);
  ::SetRectRgn(clip, rect.left, rect.top, rect.right, rect.bottom);
  ::SelectClipRgn(*dc, clip);
  Draw(dc, kRightCap, CPoint(rect.right - c, rect.top), ILD_NORMAL);
  ::SelectClipRgn(*dc, nullptr);
  ::DeleteObject(clip);
}
