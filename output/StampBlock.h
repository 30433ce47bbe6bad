// CStampBlock: a stamp (seal), the block of type 144 (145-148 are the other stamp shapes, which
// only records from elsewhere carry): a rectangular frame with a border and straight, cut or
// rounded corners, holding a few characters in one of the seal arrangements of CStampLayout. The
// frame and the character cells are in the block's own coordinates (millimetres), which the
// block matrix maps to the page; the box is the frame so mapped. The characters are character
// boxes of the text subsystem, owned in the item list (attribute boxes may stand in it and are
// passed over); each is drawn in its cell: the 1024-unit glyph scaled to the cell's width and
// height with its top-left corner at the cell's. A character outside the layout has an empty cell
// and is neither drawn nor cut.
//
// The stamp's colour is kept in its characters as well: a new colour goes to every character box,
// and a stamp read from its record takes the colour of its first character.
//
// Record (tag 'P', little-endian, 106 + n bytes): +0 tag, +1 int32 length, +5 type code, +6
// attribute word, +8 box, +24 frame (four floats each), +40 margin x, margin y, gap x, gap y, +56
// border width, +60 corner size, +64 corner type as a float (0.0, 1.0, 2.0), +68 layout kind
// (byte), +69 matrix (nine floats), +105 the item list as a box-array record of n bytes (none
// when there are no items), then the end byte 0xF1 and one spare 0xFF outside the length.
#pragma once

#include <windows.h>

#include <cstddef>

#include "model/blocks/Block.h"
#include "output/StampParams.h"
#include "text/layout/BoxArray.h"

class CTextDefaults;

class CStampBlock : public CBlock {
public:
  static constexpr size_t kFixedRecordLength = 106;
  static constexpr size_t kItemsOffset = 105;
  static constexpr BYTE kLastShape = 148;
  enum : BYTE { kStraightCorners = 0, kCutCorners = 1, kRoundCorners = 2 };
  // Texts longer than this are cut short when a stamp is made (a lone lead byte is then dropped).
  static constexpr size_t kMaxTextBytes = 398;

  CStampBlock();
  ~CStampBlock() override;

  // A square stamp of the values centred on a page of the given size, its characters made with
  // the program's current character parameters and laid out. The caller owns it.
  static CStampBlock* CreateCentred(const CStampParams& params, float pageWidth, float pageHeight);

  // --- Block operations
  void SetAttrBits(CBlockView* view, WORD bits, WORD mask) override;
  void Draw(CDC* dc, CMatrix2D* matrix, int flag) override;
  void Offset(float dx, float dy) override;
  CContour* GetContour(const CMatrix2D* matrix, UINT flags) override;
  int WriteRecord(HGLOBAL* record) override;
  CBlock* ToCurve(DWORD colour) override;
  void SetColour(CBlockView* view, DWORD colour, BOOL redraw) override;
  void AddColourToCombo(HWND combo) override;
  // Runs the square seal dialog on the stamp; what it confirms is applied in one undo step of
  // the active view.
  BOOL ShowPanel(HWND host) override;
  // The empty panel: a refresh of the property window never runs the dialog.
  BOOL RefreshPanel(HWND host) override;
  CBoxArray* GetBoxArray() override { return &m_items; }
  void DrawOutline(CDC* dc, CMatrix2D* matrix, int flag) override;
  void DrawFilled(CDC* dc, CMatrix2D* matrix, int flag) override;
  // Printed as it is drawn: a print that left the stamp out would not be the drawing.
  void DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) override;

  // --- Stamp services
  // The values the square seal dialog shows.
  CStampParams GetParams() const;
  // Takes the values: the frame keeps its centre, a changed text gets new characters, the
  // layout is applied again. Recorded on the view (one record) while it records.
  void ApplyParams(CBlockView* view, const CStampParams& params);
  // The frame's outline (and its inner edge when the border is not 0) through the block matrix,
  // then through matrix when given. The caller owns it.
  CContour* GetFrameContour(const CMatrix2D* matrix) const;
  // Appends one character box per character of the GBK text (at most length bytes): a byte
  // below 129 is a character of charset 0, a byte from 129 on takes the next one with it into a
  // character of charset 134; a lead byte without its trail byte is dropped.
  void AppendCharacters(LPCSTR text, size_t length, const CTextDefaults& defaults);
  // Gives the characters their cells for the layout kind; the others get empty cells.
  void ApplyLayout();
  // The box: the frame mapped by the block matrix.
  void UpdateFrameBox();
  // A copy of the whole stamp (the caller owns it) and the exchange of two stamps' state, for
  // undo.
  CStampBlock* Copy() const;
  void SwapState(CStampBlock& other);

  DWORD m_colour;
  CFRect m_frame;
  BYTE m_layout;
  float m_border;
  BYTE m_cornerType;
  float m_cornerSize;
  float m_marginX;
  float m_marginY;
  float m_gapX;
  float m_gapY;

private:
  // The block matrix followed by the given one.
  CMatrix2D ToPage(const CMatrix2D* matrix) const;
  CContour* GetCharactersContour(const CMatrix2D& toPage);

  CBoxArray m_items;
};

// A stamp from its 'P' record within available bytes; null for another tag or a damaged record:
// shorter than 106 bytes, a type code outside 144-148, a number that is not finite, a corner type
// other than 0, 1 or 2, or an item list that is not one box-array record filling the rest. Damage
// inside the item list itself keeps the characters read before it.
CBlock* CreateStampFromRecord(const BYTE* record, size_t available);
