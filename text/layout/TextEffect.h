// CTextEffect: the layout of a text block: it decides where each character box of the block's
// box array goes on the page and answers placement, caret and hit questions for editing, draws
// and moves its own guide handles and writes its record. The block keeps the boxes, caret,
// selection, undo and drawing; the effect keeps the geometry. Kinds: 0-3 straight lines
// (CDirectionEffect), 17 arch, 18 arc, 19 text along a path; shared code looks at the low four
// bits only. The box array and the block matrix belong to the text block.
//
// Effect record (little-endian): +0 tag ('1'-'4' straight kinds 0-3, '5' arc, '6' arch, '7' path),
// +1 int32 length of the whole record, +5 kind byte, +6 the effect's own fields. It has no
// closing byte.
//
// The caret is a pair (box index, side): side 1 stands before the box, side 0 after it.
#pragma once

#include <windows.h>

#include <cstddef>

#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

class CBlock;
class CBlockView;
class CBoxArray;
class CByteWriter;
class CCharBox;
class CCurveBlock;
class CDC;

class CTextEffect {
public:
  // Attribute word.
  enum : WORD {
    kPlacementMask = 0x000F,
    kSpread = 0x0010,
    kPathBit = 0x0020,
    kTurnChars = 0x0040,
    kReversed = 0x8000,
  };
  enum : BYTE {
    kHorizontal = 0,
    kReversedHorizontal = 1,
    kVertical = 2,
    kReversedVertical = 3,
    kArch = 17,
    kArc = 18,
    kPath = 19,
  };
  // Caret keys.
  enum : int { kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40 };
  static constexpr size_t kRecordHeaderSize = 6;
  static constexpr int kPanelId = 264;

  CTextEffect(BYTE kind, CBoxArray* boxes, CMatrix2D* blockMatrix);
  virtual ~CTextEffect() = default;
  CTextEffect(const CTextEffect&) = delete;
  CTextEffect& operator=(const CTextEffect&) = delete;

  // --- Storage
  // Appends the effect's record; its length, 0 when the effect writes none or the writer is full.
  virtual int WriteRecord(CByteWriter& /*out*/) const { return 0; }
  // The record in a new movable zero-filled block ten bytes longer than the record (*out; the
  // caller frees it); its length, or 0 and a null handle.
  int WriteToMemory(HGLOBAL* out) const;

  // --- Layout and placement (page units; glyph units are those of the 1024-unit em)
  // Places the boxes from the first changed index on.
  virtual void Layout(INT_PTR /*from*/) {}
  // Sets the box rectangle from the box's placement.
  virtual void PlaceBox(CCharBox* /*box*/) {}
  // From glyph units to the page: scale width/1024, height/1024, then the box's place.
  virtual CMatrix2D GetBoxMatrix(const CCharBox* box) const;
  CMatrix2D GetBoxMatrixAt(INT_PTR index) const;
  virtual void Offset(float /*dx*/, float /*dy*/) {}
  virtual void SetFrame(float /*left*/, float /*top*/, float /*right*/, float /*bottom*/) {}
  // A new block with the effect's own lines (the caller owns it), or null: a curve holding what
  // AppendLayoutLine appends, null when it appends nothing.
  virtual CBlock* GetOutlineBlock() const;
  // The layout line: appends the line the text is set along to the curve as curve points, in
  // page units before the block's matrix (the cut output's "TextLine" cuts it with the text).
  // Nothing here; each layout appends its own (straight layouts: their extent and line rules).
  virtual void AppendLayoutLine(CCurveBlock& /*curve*/) const {}

  // --- Caret and hit testing
  virtual void GetCaretPos(INT_PTR index, int side, FPOINT* top, FPOINT* bottom);
  // The side of the box the point is nearer to, and the caret line there.
  int HitTestCaret(INT_PTR index, float x, float y, FPOINT* top, FPOINT* bottom);
  // The caret line of an empty text, sized by the current font sizes.
  virtual void GetStartPoint(FPOINT* top, FPOINT* bottom, float width, float height);
  // 1 when the point lies in the leading half of the box's advance, else 0.
  virtual int HitTestBox(INT_PTR /*index*/, float /*x*/, float /*y*/) { return 0; }
  // The new caret index for a caret key (side updated), -1 when the key is not one.
  virtual INT_PTR OnKeyDown(int /*key*/, INT_PTR /*index*/, int* /*side*/) { return -1; }

  // --- Guide handles (drawn in XOR; hit within 3 device pixels)
  virtual void DrawGuideXor(CDC* /*dc*/, const CMatrix2D& /*toDevice*/) {}
  virtual bool HitTestHandle(CBlockView* /*view*/, float /*x*/, float /*y*/, int* /*handle*/) {
    return false;
  }
  virtual int MoveHandle(CBlockView* /*view*/, int /*handle*/, float /*x*/, float /*y*/) {
    return 0;
  }

  // --- Property panel (the panel carries its template id in its user-data word)
  virtual int GetPanelId() const { return kPanelId; }
  // "无属性" for an effect without parameters of its own.
  virtual void SetPanelCaption(HWND window) const;
  // The effect's panel as a child of parent, made by the installed panel factory; null for the
  // empty panel, which the block makes itself. The curved layouts have panels of their own.
  virtual HWND CreatePanel(HWND /*parent*/) const { return nullptr; }
  // Shows the parameters in the host's panel when that panel is the effect's own.
  virtual void FillPanel(HWND /*host*/) const {}
  // Takes the panel's values; TRUE when the effect took them. The curved layouts override it.
  virtual BOOL ApplyPanel(HWND /*panel*/) { return FALSE; }

  // Makes the parameter panel of a template id as a child window of parent (null when it cannot).
  // The editor installs it, since the panels are its dialogs; returns the one it replaces.
  using PanelFactory = HWND (*)(int templateId, HWND parent);
  static PanelFactory SetPanelFactory(PanelFactory factory);
  static PanelFactory GetPanelFactory();

  BYTE GetKind() const { return m_kind; }
  WORD GetAttributes() const { return m_attributes; }
  void SetAttributes(WORD attributes) { m_attributes = attributes; }
  CBoxArray* GetBoxes() const { return m_boxes; }
  CMatrix2D* GetBlockMatrix() const { return m_blockMatrix; }

  // The next character box after the index, -1 when none; the nearest one before it, -1 when none.
  INT_PTR NextCharIndex(INT_PTR index) const;
  INT_PTR PrevCharIndex(INT_PTR index) const;

protected:
  BYTE m_kind;
  WORD m_attributes;
  CBoxArray* m_boxes;
  CMatrix2D* m_blockMatrix;
};

// A new effect by the record's tag; null for a tag without an effect, a record that does not fit
// in available or is damaged. A text block whose effect does not load refuses its record, so that
// no text is left without a layout.
CTextEffect* LoadTextEffect(const BYTE* record, size_t available, CBoxArray* boxes,
                            CMatrix2D* blockMatrix);
// A copy of the effect through its record, on the same boxes and block matrix (what an undo keeps
// of a layout before a change); null when the effect writes no record.
CTextEffect* CloneTextEffect(const CTextEffect& effect);
