// CDirectionEffect: straight lines inside a frame (page units, y down): kind 0 horizontal lines
// left to right from the top down, kind 1 right to left, kind 2 vertical columns top to bottom
// advancing to the right, kind 3 columns advancing to the left. Lines wrap at the frame's far
// edge along the line, some punctuation never starts a line, attribute boxes set the spacing and
// open and close line-start alignment (later lines of an open bracket start under its first
// character), bit 4 of the attribute word spreads every line over the whole frame and, with the
// program-wide AutoFill setting, a wrapped line shares its slack evenly. The frame's start edge is
// the user's; the layout widens the frame for a character longer than a line and moves the far
// edge across the lines (bottom for kinds 0 and 1, right for kind 2, left for kind 3) to the end
// of the text.
//
// A character's x and y: kinds 0 and 1 the line cell's bottom (y) and the character's leading edge
// (x: left for kind 0, right for kind 1); kinds 2 and 3 the column's left edge (x) and the
// character's top (y). Style bit 13 marks the last character of a line; bit 14 every box placed.
//
// Record, 22 bytes: +0 tag '1'-'4' (kinds 0-3), +1 int32 length 22, +5 kind byte, +6 frame left,
// top, right, bottom (floats). Readers take the kind from the tag. The spread bit travels in bit 7
// of the kind byte: readers that take the kind from the tag never see it, and files that do not
// carry it load unspread.
#pragma once

#include <vector>

#include "text/layout/TextEffect.h"

class CDirectionEffect : public CTextEffect {
public:
  static constexpr BYTE kFirstTag = '1';
  static constexpr size_t kRecordSize = 22;
  static constexpr BYTE kSpreadInKindByte = 0x80;

  CDirectionEffect(float left, float top, float right, float bottom, CBoxArray* boxes,
                   CMatrix2D* blockMatrix);

  // A straight layout from its record; null for another tag, a length other than 22, a record
  // that does not fit or a frame that is not finite.
  static CDirectionEffect* FromRecord(const BYTE* record, size_t available, CBoxArray* boxes,
                                      CMatrix2D* blockMatrix);

  // The program-wide AutoFill setting ("AutoFill" of "SystemParam", on by default); the editor
  // passes it on when it loads or toggles it.
  static void SetAutoFill(bool on);
  static bool IsAutoFill();

  void SetKind(BYTE kind) { m_kind = static_cast<BYTE>(kind & 3); }
  const CFRect& GetFrame() const { return m_frame; }

  int WriteRecord(CByteWriter& out) const override;
  void Layout(INT_PTR from) override;
  void PlaceBox(CCharBox* box) override;
  CMatrix2D GetBoxMatrix(const CCharBox* box) const override;
  void Offset(float dx, float dy) override;
  void SetFrame(float left, float top, float right, float bottom) override;
  void AppendLayoutLine(CCurveBlock& curve) const override;
  void GetCaretPos(INT_PTR index, int side, FPOINT* top, FPOINT* bottom) override;
  void GetStartPoint(FPOINT* top, FPOINT* bottom, float width, float height) override;
  int HitTestBox(INT_PTR index, float x, float y) override;
  INT_PTR OnKeyDown(int key, INT_PTR index, int* side) override;
  void DrawGuideXor(CDC* dc, const CMatrix2D& toDevice) override;
  bool HitTestHandle(CBlockView* view, float x, float y, int* handle) override;
  int MoveHandle(CBlockView* view, int handle, float x, float y) override;

private:
  class LineWalk;
  friend class LineWalk;

  bool IsHorizontal() const { return m_kind < 2; }
  float Advance(CCharBox* box) const;
  float CrossSize(const CCharBox* box) const;
  // Position along the line and across the lines of a placed box.
  float AlongOf(const CCharBox* box) const;
  // The first and last character index of the line holding the index.
  INT_PTR LineStartOf(INT_PTR index) const;
  INT_PTR LineEndOf(INT_PTR index) const;
  // The box's rectangle along the line, leading edge first.
  void SpanOf(CCharBox* box, float* leading, float* trailing) const;
  INT_PTR CharOnOtherLine(INT_PTR index, int* side, bool next) const;
  void GuidePoints(FPOINT* first, FPOINT* second) const;

  CFRect m_frame;
};
