// CBlock: the common base of every drawing object. Views and tools never look inside a concrete
// block; they draw, hit-test, move, store, clone and edit it through the virtual operations below,
// which keep a fixed order. The base also routes editing events: mouse events on the view's current
// tool, keys and overlays on the block's own edit mode, cursor resets on the block's last cursor
// operation.
#pragma once

#include <windows.h>

#include "framework/Object.h"
#include "framework/String.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

class CBlockView;
class CBoxArray;
class CContour;
class CDC;
class CUndoRecord;

// Tools and edit modes (command ids shared with the views).
enum : int {
  kSelectTool = 40070,
  kTextTool = 40071,
  kNodeTool = 40118,
  kTextDragTool = 48000,  // a text block's characters are being dragged
};

// Type codes of the blocks.
enum : BYTE {
  kLineBlock = 1,
  kRectBlock = 2,
  kCircleBlock = 3,
  kPolygonBlock = 8,
  kTransformBlock = 9,
  kCurveBlock = 128,
  kGroupBlock = 129,
  kTextBlock = 130,
  kLibBlock = 131,
  kImageBlock = 133,
  kStampBlock = 144,  // 145-148 are the other stamp shapes
};

// Attribute bit of a block drawn filled; the other bits belong to the text block.
const WORD kSolidAttr = 0x100;
// Dialog id of the empty parameter panel.
const UINT kEmptyPanelId = 264;
// Handle and control-point index meaning none.
const int kNoHandle = -1;

class CBlock : public CObject {
public:
  CBlock();
  ~CBlock() override;
  CBlock(const CBlock&) = delete;
  CBlock& operator=(const CBlock&) = delete;

  // Blocks are stored through their records (WriteRecord), never through the framework.
  virtual void Serialize() {}
  virtual void ReplaceFont(int oldFont, int oldIndex, int newFont, int newIndex);
  // fontSection is a document's font-mount section as read into memory, size bytes long.
  virtual void RemountFonts(const BYTE* fontSection, size_t size, HWND missingList);
  virtual void UpdateBox();
  virtual BOOL IsEmpty();
  virtual void FitToRect(float left, float top, float right, float bottom);
  virtual void SetAttrBits(CBlockView* view, WORD bits, WORD mask);
  virtual void Draw(CDC* dc, CMatrix2D* matrix, int flag);
  virtual void DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag);
  virtual BOOL CanNodeEdit();
  virtual BOOL CanTextEdit();
  virtual BOOL CanEdit(int tool);
  virtual BOOL BeginEdit(int tool, CBlockView* view);
  virtual void NodeEditStarted(CBlockView* view);
  virtual BOOL BeginNodeEdit(CBlockView* view);
  virtual BOOL BeginTextEdit(CBlockView* view);
  virtual BOOL ExecCommand(CBlockView* view, UINT command);
  virtual BOOL HasCommand(CBlockView* view, UINT command);
  virtual void EditDelete(CBlockView* view);
  virtual void EditBackspace(CBlockView* view);
  virtual void TextDelete(CBlockView* view);
  virtual void TextBackspace(CBlockView* view);
  virtual void NodeDelete(CBlockView* view);
  virtual void NodeBackspace(CBlockView* view);
  virtual BOOL HasEditSelection();
  virtual BOOL EndEdit(CBlockView* view);
  virtual BOOL EndNodeEdit(CBlockView* view);
  virtual BOOL EndTextEdit(CBlockView* view);
  virtual void DrawEditOverlay(CDC* dc, CMatrix2D* matrix);
  virtual void DrawTextEditOverlay(CDC* dc, CMatrix2D* matrix);
  virtual void DrawNodeEditOverlay(CDC* dc, CMatrix2D* matrix);
  virtual BOOL UpdateCursor(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL SelectUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL TextUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL NodeUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL DragUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL ResetCursor(CBlockView* view);
  virtual BOOL SelectResetCursor(CBlockView* view);
  virtual BOOL TextResetCursor(CBlockView* view);
  virtual BOOL NodeResetCursor(CBlockView* view);
  virtual BOOL DragResetCursor(CBlockView* view);
  virtual BOOL TextOnChar(CBlockView* view, UINT ch, UINT flags);
  virtual BOOL NodeOnChar(CBlockView* view, UINT ch, UINT flags);
  virtual BOOL NodeOnKeyDown(CBlockView* view, UINT key, UINT modifiers);
  virtual BOOL TextOnKeyDown(CBlockView* view, UINT key, UINT modifiers);
  virtual BOOL OnTimer(CBlockView* view, UINT_PTR timer);
  virtual BOOL OnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL SelectOnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL TextOnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL OnMouseMove(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL SelectOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL TextOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL OnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL FinishHandleDrag(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL TextOnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL OnRButtonDown(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL OnRButtonUp(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL OnLButtonDblClk(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL Reserved60();
  virtual BOOL NodeShortcutKey(CBlockView* view, UINT ch, UINT flags);
  virtual BOOL Reserved62();
  // matrix may be null (page units are drawn as they are).
  virtual void DrawXorOutline(CDC* dc, CMatrix2D* matrix);
  virtual void DrawHandleXor(CBlockView* view, int handle, float x, float y);
  virtual void MoveHandle(UINT keyFlags, int handle, float x, float y);
  virtual void DrawXorFrame(CDC* dc, CMatrix2D* matrix);
  virtual BOOL HitTest(CBlockView* view, float x, float y);
  virtual BOOL HitTestHandle(CBlockView* view, float x, float y, int* handle);
  virtual void Offset(float dx, float dy);
  virtual void SetBox(float left, float top, float right, float bottom);
  virtual void Transform(const CMatrix2D& matrix);
  // A new contour (the caller deletes it) or null.
  virtual CContour* GetContour(const CMatrix2D* matrix, UINT flags);
  virtual void Relayout(CBlockView* view, int from);
  virtual void AppendText(CString& text);
  // Appends to the zero-terminated text in buffer, which holds capacity bytes in all.
  virtual void AppendClipboardText(char* buffer, size_t capacity);
  // Stores a new movable global-memory block holding the record in *record (the caller frees it)
  // and returns the record's length; a block that cannot be written stores null and returns 0.
  virtual int WriteRecord(HGLOBAL* record);
  // A new block (the caller owns it) or null.
  virtual CBlock* ToCurve(DWORD colour);
  virtual void SetColour(CBlockView* view, DWORD colour, BOOL redraw);
  virtual CBlock* Clone();
  virtual CBlock* CreateTransformed(HANDLE transform, const CFRect& target);
  virtual void AddColourToCombo(HWND combo);
  virtual BOOL NodeOnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL NodeOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL NodeOnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL HitTestControlPoint(CBlockView* view, float x, float y, int* index);
  virtual void MoveControlPoint(CBlockView* view, UINT keyFlags, int index, float x, float y);
  virtual void DrawControlPointXor(CBlockView* view, int index, float x, float y);
  virtual UINT GetPanelId();
  virtual BOOL ShowPanel(HWND host);
  virtual void SetPanelCaption(HWND panel);
  virtual HWND CreatePanel(HWND parent);
  virtual void FillPanel(HWND panel);
  virtual BOOL ApplyPanel(HWND panel);
  virtual CBoxArray* GetBoxArray();
  virtual void DrawOutline(CDC* dc, CMatrix2D* matrix, int flag);
  virtual void DrawFilled(CDC* dc, CMatrix2D* matrix, int flag);

  // Characters and keys go to the editor of the current edit mode.
  BOOL EditChar(CBlockView* view, UINT ch, UINT flags);
  BOOL EditKeyDown(CBlockView* view, UINT key);
  // Repaints the box on the view, 3 pixels wider on every side.
  void Invalidate(CBlockView* view, BOOL erase);
  // Draws the shared rubber band; with a null DC on the view window's own DC.
  static void DrawRubberBand(CBlockView* view, CDC* dc);

  BYTE m_type;
  WORD m_attributes;
  int m_selected;
  CFRect m_box;
  CMatrix2D m_matrix;
  // The handle or control point being dragged, kNoHandle when none.
  int m_heldHandle;
  // 0, kTextTool or kNodeTool.
  int m_editMode;
  // The operation whose cursor the block last set over itself.
  int m_cursorOperation;

protected:
  // Whether the view's undo depth allows recording.
  static bool IsRecording(CBlockView* view);
  // Appends a record to the view's undo manager (the record is deleted when it is not kept).
  static void RecordUndo(CBlockView* view, CUndoRecord* record);
};
