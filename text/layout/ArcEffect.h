// CArcEffect: the characters on an arc of a circle (kind 18, "弧形排列"): each character's centre
// on the arc, its up pointing away from the circle's centre. The arc runs counter-clockwise on
// the page from the start angle to the end angle (radians; a vector (dx, dy) on the page, y
// down, has the angle atan2(-dy, dx)). The start angle is kept in 0 .. 2 pi and the end angle at
// most one whole turn above it, so no value can send a layout round the circle without end.
// Handles: 1 the middle of the arc (turns it), 2 its start, 3 its end, 4 any other point of it
// (the circle through the start, that point and the end).
//
// Record (tag '5', 36 bytes, little-endian): +0 tag, +1 int32 length 36, +5 kind 18, +6 radius,
// +10 centre x, +14 centre y, +18 start angle, +22 end angle, +26 attribute word, +28 reserved
// float, +32 text height (floats). Readers refuse another length, a value that is not finite and
// a radius that is not above 0.
#pragma once

#include "text/layout/CurvedTextEffect.h"

class CArcEffect : public CCurvedTextEffect {
public:
  static constexpr BYTE kTag = '5';
  static constexpr size_t kRecordSize = 36;
  static constexpr int kPanelId = 260;
  static constexpr UINT kCaptionId = 51500;
  enum : int { kStartAngleEdit = 1278, kEndAngleEdit = 1279, kRadiusEdit = 1446 };
  enum : int { kMiddleHandle = 1, kStartHandle = 2, kEndHandle = 3, kArcHandle = 4 };

  // The arc of the circle through (x1, y2), ((x1 + x2) / 2, y1) and (x2, y2) between the two
  // corners at y2, spread. With y2 below y1 the text runs over the top from (x1, y2) to (x2, y2)
  // (the reversed walk); otherwise along the bottom from (x1, y2) to (x2, y2).
  CArcEffect(float x1, float y1, float x2, float y2, CBoxArray* boxes, CMatrix2D* blockMatrix);

  static CArcEffect* FromRecord(const BYTE* record, size_t available, CBoxArray* boxes,
                                CMatrix2D* blockMatrix);

  float GetRadius() const { return m_radius; }
  FPOINT GetCentre() const { return m_centre; }
  float GetStartAngle() const { return m_start; }
  float GetEndAngle() const { return m_end; }
  // Sets the circle and the angles (reduced as the class keeps them); a radius that is not above
  // 0 or a value that is not finite changes nothing.
  void SetArc(FPOINT centre, float radius, float start, float end);

  int WriteRecord(CByteWriter& out) const override;
  void Layout(INT_PTR from) override;
  CMatrix2D GetBoxMatrix(const CCharBox* box) const override;
  void Offset(float dx, float dy) override;
  void BuildLayoutLine(std::vector<POINTREC>* points) const override;
  void DrawGuideXor(CDC* dc, const CMatrix2D& toDevice) override;
  bool HitTestHandle(CBlockView* view, float x, float y, int* handle) override;
  int MoveHandle(CBlockView* view, int handle, float x, float y) override;
  int GetPanelId() const override { return kPanelId; }

protected:
  FPOINT EmptyTextPoint() const override;
  void WritePanelValues(HWND panel) const override;
  void ReadPanelValues(HWND panel) override;
  UINT CaptionId() const override { return kCaptionId; }
  const char* DefaultCaption() const override { return "弧形排列"; }

private:
  CArcEffect(CBoxArray* boxes, CMatrix2D* blockMatrix);
  FPOINT PointAt(float angle) const;

  float m_radius;
  FPOINT m_centre;
  float m_start;
  float m_end;
  float m_reserved;
};

// The start angle reduced into 0 .. 2 pi and the end angle put the same span above it, a span
// outside 0 .. one whole turn reduced by whole turns. One bounded step whatever the values.
void ReduceArcAngles(float* start, float* end);
