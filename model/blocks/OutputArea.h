// COutputArea: a rectangle of the page that the cut output is limited to. Drawn solid (white
// with a blue frame) unless its solid flag is cleared; stored as the 24-byte 'B' record.
#pragma once

#include "model/blocks/AuxObject.h"
#include "model/geometry/FRect.h"

class COutputArea : public CAuxObject {
public:
  static constexpr int kRecordLength = 24;
  // Corner handles, in the order they are tested.
  enum { kTopLeftHandle, kTopRightHandle, kBottomLeftHandle, kBottomRightHandle };

  // Any two opposite corners; stored normalised.
  COutputArea(float x1, float y1, float x2, float y2);

  // Null when the record is shorter than its fields.
  static COutputArea* FromRecord(const BYTE* record, size_t available);

  const CFRect& Rect() const { return m_rect; }

  void DrawXor(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) override;
  BOOL GetRect(CFRect* rect) override;
  BOOL GetBoundsRect(CFRect* rect) override;
  int WriteRecord(HGLOBAL* record) override;
  BOOL IsGuide() override;
  void Offset(float dx, float dy) override;
  BOOL HitTest(float x, float y, float tolerance) override;
  BOOL HitTestHandle(CBlockView* view, float x, float y, int* handle) override;
  BOOL SetRect(float left, float top, float right, float bottom) override;
  BOOL Invalidate(CBlockView* view, BOOL erase) override;
  void DrawOutline(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) override;
  void DrawSolid(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) override;

private:
  COutputArea() : CAuxObject(kOutputAreaType, kSolidFlag) {}
  void DrawRect(CDC* dc, const CMatrix2D& matrix, HGDIOBJ pen, HGDIOBJ brush);

  CFRect m_rect;
};
