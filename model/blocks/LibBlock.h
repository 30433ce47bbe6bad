// CLibBlock: a reference to one outline kept outside the drawing: a character of an installed
// font (source 0: the fonts of character set 2, source 1: those of character set 0; group is the
// font's number, item the character code) or a graphic of a mounted graphics library (source 2
// and up: library source - 2; group is the library's kind, item the graphic's number). The
// outline is fetched again, through the installed CLibGlyphSource, whenever it is needed and
// mapped by the block matrix; the box follows the outline each time. It draws, prints, converts
// to a curve and takes colours as the other shape blocks do.
#pragma once

#include <windows.h>

#include "model/blocks/ShapeBlock.h"

class CLibBlock : public CShapeBlock {
public:
  // Record tag 0x22, 71 bytes.
  static const size_t kRecordLength = 71;

  CLibBlock(WORD source, WORD group, WORD item);

  void SetBox(float left, float top, float right, float bottom) override;
  void Offset(float dx, float dy) override;
  void Transform(const CMatrix2D& matrix) override;
  CContour* GetContour(const CMatrix2D* matrix, UINT flags) override;
  int WriteRecord(HGLOBAL* record) override;

  WORD m_source;
  WORD m_group;
  WORD m_item;
};

// The block of a library graphic record (tag 0x22); null for another record or a damaged one.
CBlock* LoadLibBlock(const BYTE* record, size_t available);
