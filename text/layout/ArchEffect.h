// CArchEffect: the characters on an arch (kind 17, "拱形排列"): the arc of the circle through the
// two ends of a chord and an apex, laid out and turned as on an arc (CArcEffect). The chord is
// horizontal as made (both ends at one y) or vertical (both at one x); dragging an end moves the
// other one to the mirror place about the apex, dragging the apex moves it across the chord only.
// The arc is the one that runs through the apex: from whichever end the counter-clockwise walk
// passes the apex on its way to the other. Three points on one line give the circle of radius
// 100000, its centre below the chord for a reversed arch (the text reads over its top) and above
// it otherwise (right and left of a vertical chord), so that the text runs almost straight.
//
// Record (tag '6', 40 bytes, little-endian): +0 tag, +1 int32 length 40, +5 kind 17, +6 first end
// x, y, +14 second end x, y, +22 apex x, y (floats), +30 attribute word, +32 four zero bytes, +36
// text height. Readers refuse another length and a value that is not finite.
#pragma once

#include "text/layout/CurvedTextEffect.h"

class CArchEffect : public CCurvedTextEffect {
public:
  static constexpr BYTE kTag = '6';
  static constexpr size_t kRecordSize = 40;
  // The arch's own panel: the arc's buttons with a width and a height.
  static constexpr int kPanelId = 1159;
  static constexpr UINT kCaptionId = 51501;
  enum : int { kWidthEdit = 1144, kHeightEdit = 1145 };
  enum : int { kFirstEndHandle = 1, kSecondEndHandle = 2, kApexHandle = 3 };

  // From the rectangle the user drew: the ends at x1 and x2, the apex half way between. With y2
  // below y1 the ends stand at y2 and the apex at y1 (spread, reversed: the text reads over the
  // top); otherwise the ends at y1 and the apex at y2 (spread).
  CArchEffect(float x1, float y1, float x2, float y2, CBoxArray* boxes, CMatrix2D* blockMatrix);

  static CArchEffect* FromRecord(const BYTE* record, size_t available, CBoxArray* boxes,
                                 CMatrix2D* blockMatrix);

  FPOINT GetFirstEnd() const { return m_first; }
  FPOINT GetSecondEnd() const { return m_second; }
  FPOINT GetApex() const { return m_apex; }
  // The circle through the ends and the apex and the arc of it that the text runs on.
  void GetCircle(FPOINT* centre, float* radius, float* start, float* end) const;

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
  const char* DefaultCaption() const override { return "拱形排列"; }

private:
  CArchEffect(CBoxArray* boxes, CMatrix2D* blockMatrix);
  bool IsVerticalChord() const { return m_first.x == m_second.x && m_first.y != m_second.y; }
  // The centre of the circle, and its radius when asked: the distance to the apex, or with no
  // circle through the points kNoCircleRadius itself (a centre that far from an apex far out
  // rounds onto it, and its distance would be 0).
  FPOINT CentreOf(float* radius = nullptr) const;

  FPOINT m_first;
  FPOINT m_second;
  FPOINT m_apex;
};
