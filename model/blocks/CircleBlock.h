// CCircleBlock: an ellipse in an axis-aligned rectangle of block coordinates, or an elliptical arc
// between two angles that is left open, closed by a chord, closed through the centre (a pie) or
// drawn as a band. Angles are radians, counter-clockwise on the screen.
#pragma once

#include <windows.h>

#include "model/blocks/ShapeBlock.h"

class CCircleBlock : public CShapeBlock {
public:
  // Record tag 0x26, 97 bytes.
  static const size_t kRecordLength = 97;
  // Arc modes: 0 open, at or below -1 down to above -2 a pie, -2 or below a chord, above 0 a band
  // of that width.
  static constexpr float kOpenArc = 0.0f;
  static constexpr float kPie = -1.0f;
  static constexpr float kChord = -2.0f;
  // Control points: centre, start, end, middle of the outer edge, middle of the inner edge (or of
  // the arc when there is no band), turning handle.
  enum { kCentre, kStartPoint, kEndPoint, kOuterEdge, kArcClosing, kTurnHandle };

  CCircleBlock();

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

  bool IsWholeEllipse() const { return m_startAngle == m_endAngle; }
  bool HasBand() const { return m_arcMode > 0.0f; }

  // x1, y1, x2, y2 of the ellipse in block coordinates.
  CFRect m_rect;
  float m_startAngle;
  float m_endAngle;
  // 0; kept through the record.
  int m_reserved;
  float m_arcMode;

private:
  FPOINT Centre() const;
  float HalfWidth() const;
  float HalfHeight() const;
  // The middle of the arc, or opposite the start on a whole ellipse.
  float MidAngle() const;
  // The point at an angle on the ellipse whose half-axes are reduced by inset.
  FPOINT PointAt(float angle, float inset) const;
  // The turning handle, q block units outside the ellipse at the middle angle.
  FPOINT TurnHandle(float q) const;
  CContour* BuildArc() const;
  void MoveCentre(const FPOINT& p);
  void MoveStart(CBlockView* view, const FPOINT& p);
  void MoveEnd(CBlockView* view, const FPOINT& p);
  void MoveOuterEdge(CBlockView* view, const FPOINT& p);
  void MoveArcClosing(CBlockView* view, const FPOINT& p);
  void TurnArc(const FPOINT& p);
  // The page distance between the ellipse points at the two angles.
  float PageDistance(float a, float b) const;
};

// The ellipse or arc of a circle record (tag 0x26); null for another record or a damaged one.
CBlock* LoadCircleBlock(const BYTE* record, size_t available);
