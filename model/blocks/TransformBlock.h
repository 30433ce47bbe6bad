// CTransformBlock: another block, its source, shown through one of the transform library's
// artistic transformations (type 9). The block owns the source, a handle to the library's
// transformation and a cached result: the source converted to curves, flattened into a group and
// bent by the library, in the source's coordinates. The block matrix places source and result on
// the page; the box is the result's box (the source's before there is one) through that matrix.
// All geometry of the transformation is the library's: the block hands it the source's box and
// the block matrix, forwards the node tool's mouse, keys and characters, lets it draw its handles,
// stores its data bytes and rebuilds the result after every change.
//
// The library is the model's transform service (CModelServices). Without it the block is
// "source-only": it has no handle, shows its source's curves through the block matrix, cannot be
// node-edited and keeps the data bytes it was read with, so that a save writes them back unchanged.
// The last data the library gave is kept the same way, so a library that gives none later never
// makes the block unwritable.
//
// Record (tag '*'):
//
//   +0 tag, +1 length L = 61 + n + k, +5 type 9, +6 attribute word, +8 matrix, +44 box,
//   +60 the source's whole record of n bytes, +60 + n the library's k data bytes,
//   +60 + n + k end byte 0xF1.
#pragma once

#include <windows.h>

#include <vector>

#include "model/blocks/Block.h"

class CGroupBlock;
class CSegArray;
class CTransformService;

class CTransformBlock : public CBlock {
public:
  // The record up to the source's record: header, matrix and box.
  static const size_t kFixedRecordSize = 60;

  // A transformation of the given number (1..count) over the source, which the block takes. The
  // box is the source's. Without the library the block is source-only.
  CTransformBlock(int transformation, CBlock* source);
  // An empty block for the record reader: no source, no result, no handle.
  CTransformBlock();
  ~CTransformBlock() override;

  CBlock* GetSource() const { return m_source; }
  // Gives the source to the caller; the block keeps no source afterwards.
  CBlock* ReleaseSource();
  CGroupBlock* GetResult() const { return m_result; }
  HANDLE GetTransformHandle() const { return m_transform; }
  bool IsSourceOnly() const { return m_transform == nullptr; }
  // The transformation's data as the library gives it now, else the last data it gave or that
  // was read; empty when there never was any.
  std::vector<BYTE> GetTransformData();
  // The matrix the library reports for the transformation; the block matrix without a library.
  CMatrix2D GetTransformMatrix() const;

  // Recomputes the cached result and returns it (null when the source gives no curves; the old
  // result then stays). A library that bends nothing keeps the last result, or shows the source's
  // curves as they are when there was none.
  CGroupBlock* Rebuild();
  // Puts back the transformation of the data (empty: the present one), rebuilds and repaints.
  // Undo of the node tool's changes and of a colour.
  void RestoreTransformData(CBlockView* view, const std::vector<BYTE>& data);

  // Transform blocks in the list and in its groups that are source-only.
  static int CountSourceOnly(const CSegArray& blocks);
  // Whether the transform library is there to read the blocks' data.
  static bool LibraryAnswers() { return Library() != nullptr; }

  // Block operations.
  void ReplaceFont(int oldFont, int oldIndex, int newFont, int newIndex) override;
  void RemountFonts(CFontRebinding& fonts) override;
  void FitToRect(float left, float top, float right, float bottom) override;
  void Draw(CDC* dc, CMatrix2D* matrix, int flag) override;
  void DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) override;
  BOOL CanNodeEdit() override;
  void DrawNodeEditOverlay(CDC* dc, CMatrix2D* matrix) override;
  BOOL NodeOnChar(CBlockView* view, UINT ch, UINT flags) override;
  BOOL NodeOnKeyDown(CBlockView* view, UINT key, UINT modifiers) override;
  BOOL OnRButtonDown(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL OnRButtonUp(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL OnLButtonDblClk(CBlockView* view, UINT keyFlags, float x, float y) override;
  void Offset(float dx, float dy) override;
  void Transform(const CMatrix2D& matrix) override;
  CContour* GetContour(const CMatrix2D* matrix, UINT flags) override;
  void AppendClipboardText(char* buffer, size_t capacity) override;
  void AddColourToCombo(HWND combo) override;
  int WriteRecord(HGLOBAL* record) override;
  CBlock* ToCurve(DWORD colour) override;
  void SetColour(CBlockView* view, DWORD colour, BOOL redraw) override;
  BOOL NodeOnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL NodeOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL NodeOnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y) override;
  void DrawOutline(CDC* dc, CMatrix2D* matrix, int flag) override;
  void DrawFilled(CDC* dc, CMatrix2D* matrix, int flag) override;

private:
  friend CBlock* LoadTransformBlock(const BYTE* record, size_t available);

  // The service while its library answers; null otherwise.
  static CTransformService* Library();
  // The block matrix as the library must know it; called before every use of the handle.
  void SyncMatrix() const;
  // A handle for the data the block holds (read from a record); none when it does not read.
  void TakeHandleFromData();
  void UpdateBoxFromMatrix();
  // The node tool's mouse message handed to the library while the block is under edit.
  int SendMouse(UINT message, UINT keyFlags, float x, float y);
  // After the library reported a change: one undo record with the data before it, then the
  // result is rebuilt and the old and new boxes are repainted. Always TRUE.
  BOOL TakeChange(CBlockView* view, const std::vector<BYTE>& before);
  // The handles drawn in XOR on the view's window (erased when drawn again).
  void DrawOverlayOnView(CBlockView* view);

  CBlock* m_source;
  CGroupBlock* m_result;
  HANDLE m_transform;
  // The last data the library gave, or the bytes read from the record.
  std::vector<BYTE> m_data;
  // The data before the mouse press the library took, for undo of the drag.
  std::vector<BYTE> m_pressData;
};

// A transform block from a '*' record of the given size; null for another tag or a damaged
// record (a source record that does not fit before the end byte, source records nested too deep).
CBlock* LoadTransformBlock(const BYTE* record, size_t available);
