// CRectBlock: an axis-aligned rectangle in block coordinates whose corners the node tool rounds
// through four control points; all four corners share the two corner ratios.
#pragma once

#include <windows.h>

#include "model/blocks/ShapeBlock.h"

class CRectBlock : public CShapeBlock {
public:
  // Record tag 0x25, 93 bytes.
  static const size_t kRecordLength = 93;
  static const int kControlPointCount = 4;

  CRectBlock();

  BOOL CanNodeEdit() override;
  BOOL HitTest(CBlockView* view, float x, float y) override;
  BOOL HitTestControlPoint(CBlockView* view, float x, float y, int* index) override;
  void MoveControlPoint(CBlockView* view, UINT keyFlags, int index, float x, float y) override;
  void DrawControlPointXor(CBlockView* view, int index, float x, float y) override;
  void DrawNodeEditOverlay(CDC* dc, CMatrix2D* matrix) override;
  void Offset(float dx, float dy) override;
  void Transform(const CMatrix2D& matrix) override;
  CContour* GetContour(const CMatrix2D* matrix, UINT flags) override;
  int WriteRecord(HGLOBAL* record) override;
  int AppendRecordTo(CByteWriter& out) override;

  // Control point 0-3 (top left, top right, bottom left, bottom right) in block coordinates.
  FPOINT ControlPoint(int index) const;

  // x1, y1, x2, y2 in block coordinates.
  CFRect m_rect;
  // 0 .. 1: corner radii as shares of half the width and half the height.
  float m_cornerRatioX;
  float m_cornerRatioY;
  // Reserved, 0; kept through the record.
  int m_cornerStyle;
};

// The rectangle of a rectangle record (tag 0x25); null for another record or a damaged one.
CBlock* LoadRectBlock(const BYTE* record, size_t available);
