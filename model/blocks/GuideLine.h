// CGuideLine: an endless guide line through a point at an angle (degrees, 0 horizontal, 90
// vertical, counter-clockwise on the screen). Stored as the 20-byte 'A' record.
#pragma once

#include "model/blocks/AuxObject.h"
#include "model/geometry/FRect.h"

class CPen;

class CGuideLine : public CAuxObject {
public:
  static constexpr int kRecordLength = 20;
  static constexpr UINT kPanelId = 227;

  CGuideLine(float x, float y, double angle);

  // Null when the record is shorter than its fields.
  static CGuideLine* FromRecord(const BYTE* record, size_t available);

  float GetX() const { return m_x; }
  float GetY() const { return m_y; }
  double GetAngle() const { return m_angle; }
  void SetPoint(float x, float y) {
    m_x = x;
    m_y = y;
  }
  void SetAngle(double angle) { m_angle = angle; }

  // Brings an angle above 360 into (0, 360] and makes an infinite or undefined one 0, at once:
  // subtracting 360 step by step would never end on a huge or infinite angle.
  static double NormalizeAngle(double angle);
  // The ends of the line where it crosses the visible area, widened on each side by margin.
  void GetEnds(const CFRect& visible, float margin, FPOINT* start, FPOINT* end);

  void DrawXor(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) override;
  UINT GetPanelId() override;
  int WriteRecord(HGLOBAL* record) override;
  void SetMarkState(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) override;
  void SetSelectState(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) override;
  void Offset(float dx, float dy) override;
  BOOL HitTest(float x, float y, float tolerance) override;
  void DrawOutline(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) override;

private:
  void DrawWithPen(CDC* dc, CPen* pen, const CMatrix2D& matrix, const CFRect& visible);

  float m_x;
  float m_y;
  double m_angle;
};
