// CPathTextEffect: the characters one after another along the first sub-path of a curve that the
// effect owns (kind 19, "沿线排版"): each character's centre on the path, the first at the start
// distance, each next one half the advance of the one before, half its own and the spacing S
// further on (so that letters of mixed widths never run into each other), and,
// with bit 5, each turned to the path's direction there (from its centre towards the end of its
// advance). Bit 4 computes S so that the text fills the path: the first centre at the start and
// the last at the end of an open path, the whole advances once round a closed one. Bit 15 walks
// the path from its end to its start. The offset O lifts every character up the page, away from
// the path. Characters beyond the path's end keep the places they had. The path lives in the
// text's page units (before its matrix); its nodes are the effect's handles, and a segment
// dragged takes the node that ends it along.
//
// The turn to the path is each character's own rotation angle, written by the layout and kept by
// the character's record; the placement turns the cell by it, so the text block leaves the angle
// out of the glyph itself.
//
// Record (tag '7', little-endian): +0 tag, +1 int32 length 43 + m, +5 kind 19, +6 attribute word,
// +8 offset O, +12 text height H, +16 path length, +20 zero (text extent), +24 int32 character
// count, +28 spacing S, +32 start distance, +36 segment-hit word, +38 four zero bytes (closed
// flag), +42 the path's own curve record of m bytes, +42 + m the end byte 0xF1. Readers refuse a
// record whose lengths do not agree, a value that is not finite, and an embedded record that is
// not a curve (tag '#', type 128) with finite points, its matrix baked in.
#pragma once

#include <memory>

#include "text/layout/CurvedTextEffect.h"

class CCurveBlock;

class CPathTextEffect : public CCurvedTextEffect {
public:
  static constexpr BYTE kTag = '7';
  // The fields before the embedded record, and the end byte after it.
  static constexpr size_t kFixedSize = 42;
  static constexpr size_t kRecordOverhead = 43;
  static constexpr int kPanelId = 268;
  static constexpr UINT kCaptionId = 51502;
  static constexpr WORD kNewAttributes = kSpread | kPathBit;
  enum : int { kOffsetEdit = 1174, kSpacingEdit = 1200 };

  // The effect takes the path over (the caller keeps no pointer to it); its pending matrix is
  // baked into its points.
  CPathTextEffect(CCurveBlock* path, CBoxArray* boxes, CMatrix2D* blockMatrix);
  ~CPathTextEffect() override;

  static CPathTextEffect* FromRecord(const BYTE* record, size_t available, CBoxArray* boxes,
                                     CMatrix2D* blockMatrix);

  const CCurveBlock* GetPath() const { return m_path.get(); }
  float GetSpacing() const { return m_spacing; }
  float GetOffsetFromPath() const { return m_offset; }
  float GetPathLength() const { return m_length; }
  float GetStartDistance() const { return m_startDistance; }

  int WriteRecord(CByteWriter& out) const override;
  void Layout(INT_PTR from) override;
  CMatrix2D GetBoxMatrix(const CCharBox* box) const override;
  void Offset(float dx, float dy) override;
  void BuildLayoutLine(std::vector<POINTREC>* points) const override;
  void DrawGuideXor(CDC* dc, const CMatrix2D& toDevice) override;
  // The path's node under the point (its record index), or the node that ends the segment under
  // it (then the segment-hit word is set and a drag moves that node by the mouse's move).
  bool HitTestHandle(CBlockView* view, float x, float y, int* handle) override;
  int MoveHandle(CBlockView* view, int handle, float x, float y) override;
  int GetPanelId() const override { return kPanelId; }

protected:
  FPOINT EmptyTextPoint() const override;
  void WritePanelValues(HWND panel) const override;
  void ReadPanelValues(HWND panel) override;
  WORD PanelFixedBits() const override { return kPathBit; }
  UINT CaptionId() const override { return kCaptionId; }
  const char* DefaultCaption() const override { return "沿线排版"; }

private:
  CPathTextEffect(std::unique_ptr<CCurveBlock> path, CBoxArray* boxes, CMatrix2D* blockMatrix);

  std::unique_ptr<CCurveBlock> m_path;
  WORD m_segmentHit;
  float m_length;
  float m_extent;
  float m_startDistance;
  float m_spacing;
  float m_offset;
  int m_closed;
  int m_count;
  // Where the handle was grabbed or last moved to.
  FPOINT m_dragPoint;
};
