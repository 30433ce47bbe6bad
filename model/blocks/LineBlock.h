// CLineBlock: a straight segment between two end points that the select tool can drag (handle 0 is
// the start, handle 1 the end).
#pragma once

#include <windows.h>

#include "model/blocks/ShapeBlock.h"

class CLineBlock : public CShapeBlock {
public:
  // Record tag 0x24, 49 bytes.
  static const size_t kRecordLength = 49;

  CLineBlock();

  BOOL HitTest(CBlockView* view, float x, float y) override;
  BOOL HitTestHandle(CBlockView* view, float x, float y, int* handle) override;
  void MoveHandle(UINT keyFlags, int handle, float x, float y) override;
  void DrawHandleXor(CBlockView* view, int handle, float x, float y) override;
  void DrawXorOutline(CDC* dc, CMatrix2D* matrix) override;
  void Offset(float dx, float dy) override;
  void Transform(const CMatrix2D& matrix) override;
  CContour* GetContour(const CMatrix2D* matrix, UINT flags) override;
  int WriteRecord(HGLOBAL* record) override;
  int AppendRecordTo(CByteWriter& out) override;

  // Block coordinates.
  FPOINT m_start;
  FPOINT m_end;
  // Always 0; kept through the record.
  int m_reserved;

private:
  void UpdateBoxFromEnds();
};

// The line of a line record (tag 0x24); null for another record or a damaged one.
CBlock* LoadLineBlock(const BYTE* record, size_t available);
