// CPolygonBlock: a regular polygon or star around a centre, with an optional inner band, shaped in
// the node tool through four control points.
#pragma once

#include <windows.h>

#include "model/blocks/ShapeBlock.h"

struct RegularPolygonShape;

class CPolygonBlock : public CShapeBlock {
public:
  // Record tag 0x27, 97 bytes.
  static const size_t kRecordLength = 97;
  // Control points: centre, first corner, first inner corner (or middle of the first edge), band.
  enum { kCentre, kFirstCorner, kInnerCorner, kBandCircle, kControlPointCount };

  CPolygonBlock();

  BOOL CanNodeEdit() override;
  BOOL HitTestControlPoint(CBlockView* view, float x, float y, int* index) override;
  void MoveControlPoint(CBlockView* view, UINT keyFlags, int index, float x, float y) override;
  void DrawControlPointXor(CBlockView* view, int index, float x, float y) override;
  void DrawNodeEditOverlay(CDC* dc, CMatrix2D* matrix) override;
  void AddColourToCombo(HWND combo) override;
  void Offset(float dx, float dy) override;
  void Transform(const CMatrix2D& matrix) override;
  CContour* GetContour(const CMatrix2D* matrix, UINT flags) override;
  int WriteRecord(HGLOBAL* record) override;
  int AppendRecordTo(CByteWriter& out) override;

  bool IsStar() const { return m_starAngle != 0.0f && m_innerRadius != m_outerRadius; }
  RegularPolygonShape Shape() const;
  // Control points 0-2 in block coordinates.
  FPOINT ControlPoint(int index) const;

  float m_outerRadius;
  float m_innerRadius;
  // When not 0, a second outline this much further in.
  float m_bandWidth;
  float m_startAngle;
  int m_cornerCount;
  // From each corner to the following inner corner; 0 for a plain polygon.
  float m_starAngle;
  FPOINT m_centre;

private:
  // The point of the band circle in the direction of a block point.
  FPOINT BandPointToward(const FPOINT& p) const;
  FPOINT PointAt(float angle, float radius) const;
};

// The polygon of a polygon record (tag 0x27); null for another record or a damaged one. The corner
// count is held to the range a polygon can be drawn with.
CBlock* LoadPolygonBlock(const BYTE* record, size_t available);
