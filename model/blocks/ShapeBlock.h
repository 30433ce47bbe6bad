// CShapeBlock: what the simple shape blocks (line, rectangle, circle and arc, polygon and star)
// share: a colour, drawing through their contour, conversion to a curve, colour combo entries and
// fitting into a box. Each shape keeps its geometry in block coordinates that the block matrix maps
// to the page.
#pragma once

#include <windows.h>

#include "model/blocks/Block.h"

class CShapeBlock : public CBlock {
public:
  // Pixels of the handle and control-point squares and of their hit tolerance.
  static const int kControlPixels = 3;
  // The colour argument of ToCurve that matches every block.
  static const DWORD kAnyColour = 0xFFFFFFFF;

  CShapeBlock();

  void DrawOutline(CDC* dc, CMatrix2D* matrix, int flag) override;
  void DrawFilled(CDC* dc, CMatrix2D* matrix, int flag) override;
  void DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) override;
  // A curve of the outline on the page in the block's colour; null when colour is neither
  // kAnyColour nor the block's own.
  CBlock* ToCurve(DWORD colour) override;
  void SetColour(CBlockView* view, DWORD colour, BOOL redraw) override;
  void AddColourToCombo(HWND combo) override;
  void SetBox(float left, float top, float right, float bottom) override;

  // The colour as a platform colour (red and blue swapped).
  COLORREF ColourRef() const;

  // 0x00RRGGBB
  DWORD m_colour;

protected:
  // The pixel tolerance in page units (one page unit per pixel without a view).
  static float PixelUnits(CBlockView* view, int pixels);
  // The point taken into block coordinates through the inverse of the block matrix.
  FPOINT ToBlock(float x, float y) const;
  // Block coordinates mapped to the page.
  FPOINT ToPage(const FPOINT& point) const;
  // Whether the page point lies in the square of the control tolerance around a block point.
  bool HitsControlSquare(CBlockView* view, const FPOINT& blockPoint, float x, float y) const;
  // A contour built in block coordinates brought to the page: its points are mapped by the block
  // matrix, the block's box becomes its box, and the given matrix is left pending on it.
  CContour* FinishContour(CContour* blockContour, const CMatrix2D* matrix);
  // Draws the outline and then the node-edit overlay on the view window in NOT-XOR.
  void DrawOutlineAndOverlayXor(CBlockView* view);
  // A square of the control size around a block point, mapped by block matrix x matrix.
  void DrawControlSquare(CDC* dc, const CMatrix2D& toDevice, const FPOINT& blockPoint) const;
  // The block matrix followed by the given one (when given).
  CMatrix2D BlockToDevice(const CMatrix2D* matrix) const;

  // Printing strokes an unfilled outline through the contour's own stroke instead of its path
  // drawing.
  bool m_printsThroughStroke;
};
