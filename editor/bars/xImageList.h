// xCImageList: an image list of three pieces (left cap, middle piece, right cap, each capWidth
// wide) that paints a face of any width: the caps at the ends, the middle repeated between them.
// The document tab bar can draw its active tab with one; nothing loads images into it yet, and an
// empty list leaves the tab to its line-drawn face.
#pragma once

#include "framework/ImageList.h"

class CDC;

class xCImageList : public CImageList {
  DECLARE_DYNCREATE(xCImageList)
public:
  xCImageList() = default;

  int GetCapWidth() const { return m_capWidth; }
  void SetCapWidth(int width) { m_capWidth = width; }
  // Nothing without images, a context or a cap width.
  void DrawThreePart(CDC* dc, const RECT& rect);

private:
  int m_capWidth = 0;
};
