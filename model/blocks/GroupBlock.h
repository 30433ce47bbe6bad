// CGroupBlock: the block that holds other blocks (type 129). It owns its children, keeps its own
// box and a pending matrix that maps the children's coordinates onto the page, and answers most
// block operations by forwarding them to the children in list order. Its record (tag ')'):
//
//   +0 tag, +1 length L = 61 + S, +5 type 129, +6 attribute word, +8 box, +24 matrix,
//   +60 the children as one block-list record of S bytes, +60 + S end byte 0xF1.
#pragma once

#include <windows.h>

#include "model/blocks/Block.h"
#include "model/document/SegArray.h"

class CCurveBlock;

class CGroupBlock : public CBlock {
public:
  CGroupBlock();
  ~CGroupBlock() override;

  // Appends the block (nothing for null) and widens the box by its box through the matrix.
  void AddChild(CBlock* block);
  void AddChildren(const CSegArray& blocks);
  // The same for every block of the list, which is left empty; a group without children takes
  // the list's array over as it is.
  void TakeChildren(CSegArray& blocks);
  CBlock* GetChild(INT_PTR index) const { return m_children.GetBlock(index); }
  INT_PTR GetChildCount() const { return m_children.GetSize(); }
  CSegArray& GetChildren() { return m_children; }
  // Point records of the curve children, end records included.
  int CountCurvePoints() const;
  void SortByLeft();
  void SortByTop();
  // One new curve with the outlines of all children, in the children's coordinates (the group's
  // own matrix is not applied); curves and the contents of nested groups pass any colour filter.
  CCurveBlock* MergeToCurve(DWORD colour);
  // Replaces nested groups by their children, which take the nested group's matrix.
  void FlattenNested();

  // Block operations.
  void ReplaceFont(int oldFont, int oldIndex, int newFont, int newIndex) override;
  void RemountFonts(CFontRebinding& fonts) override;
  void SetAttrBits(CBlockView* view, WORD bits, WORD mask) override;
  void Draw(CDC* dc, CMatrix2D* matrix, int flag) override;
  void DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) override;
  void DrawXorOutline(CDC* dc, CMatrix2D* matrix) override;
  BOOL HitTest(CBlockView* view, float x, float y) override;
  void Offset(float dx, float dy) override;
  void SetBox(float left, float top, float right, float bottom) override;
  void Transform(const CMatrix2D& matrix) override;
  CContour* GetContour(const CMatrix2D* matrix, UINT flags) override;
  void AppendText(CString& text) override;
  void AppendClipboardText(char* buffer, size_t capacity) override;
  int WriteRecord(HGLOBAL* record) override;
  int AppendRecordTo(CByteWriter& out) override;
  CBlock* ToCurve(DWORD colour) override;
  void SetColour(CBlockView* view, DWORD colour, BOOL redraw) override;
  // The flattened curves through the transform library's transformation.
  CBlock* CreateTransformed(HANDLE transform, const CFRect& target) override;
  void AddColourToCombo(HWND combo) override;
  // The box and the children's drawn boxes through the matrix.
  CFRect GetDrawnBox() const override;

private:
  // The box widened by the child's box through the matrix, or that box for the first child.
  void WidenBoxBy(const CBlock& child, bool first);
  template <class KeyOf>
  void SortBy(KeyOf key);
  // The matrix children are drawn and measured with: the group's, then the given one.
  CMatrix2D CombinedMatrix(const CMatrix2D* matrix) const;

  CSegArray m_children;
};

// A group from a ')' record of the given size; null for another tag or a damaged record (groups
// nested more than 256 deep count as damaged), and the only child itself, in its place on the
// page, when the record holds one.
CBlock* LoadGroupBlock(const BYTE* record, size_t available);

// A new group of the parts of the blocks that lie in the rectangle, or null when none does. The
// blocks themselves are not changed.
CGroupBlock* ClipGroupToRect(const CSegArray& blocks, const CFRect& rect);
